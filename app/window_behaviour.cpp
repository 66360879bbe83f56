#include "app/window_behaviour.h"

#include "app/app_texts.h"
#include "app/gbk_text.h"
#include "app/run_directory.h"
#include "app/window_layout.h"
#include "card/compose_card.h"

#ifdef SHOWCARD_HAVE_SAVE
#include "save/save_card.h"
#endif

namespace app {

CardSaver DefaultCardSaver() {
#ifdef SHOWCARD_HAVE_SAVE
  return [](const canvas::CardCanvas& canvas, std::string_view run_directory) {
    save::SaveOutcome outcome = save::SaveCard(canvas, run_directory);
    return SaveMessage{std::move(outcome.caption), std::move(outcome.message)};
  };
#else
  return {};
#endif
}

WindowBehaviour::WindowBehaviour(Toolkit& toolkit, canvas::CardCanvas& canvas,
                                 platform::TickCounter& ticks, std::string run_directory,
                                 char separator, CardSaver saver)
    : toolkit_(toolkit),
      canvas_(canvas),
      ticks_(ticks),
      run_directory_(std::move(run_directory)),
      separator_(separator),
      saver_(std::move(saver)) {}

void WindowBehaviour::OnCreated() { RunStartUp(); }

void WindowBehaviour::OnGenerateClicked() { ComposeCard(); }

void WindowBehaviour::OnSaveClicked() { SaveCard(); }

void WindowBehaviour::OnKeyDown(Box box, int key_code, int /*modifiers*/) {
  switch (box) {
    case Box::Nickname:
      if (key_code == kKeyEnter) FocusAndSelect(Box::QqNumber);
      break;
    case Box::QqNumber:
      if (key_code == kKeyEnter) FocusAndSelect(Box::Signature);
      break;
    case Box::Signature:
      if (key_code == kKeyEnter) FocusAndSelect(Box::Impression);
      break;
    case Box::Impression:
      if (key_code == kKeyEnter) {
        toolkit_.Focus(Box::AvatarPath);  // its selection is not changed
        PickAvatar();
      }
      break;
    case Box::AvatarPath:
      ComposeCard();  // whatever the key, before the key changes the text
      break;
  }
}

void WindowBehaviour::OnAvatarPathLeftButtonUp() { PickAvatar(); }

void WindowBehaviour::RunStartUp() {
  toolkit_.ApplyVisualTheme(kVisualThemeScheme);
  toolkit_.ShowMessage(kCreditCaption, kCreditText);
  toolkit_.ShellOpen(kHomePageAddress);
  FocusAndSelect(Box::Nickname);
  // The start-up "thread": handed to the main thread, it runs once the event
  // loop handles events, that is once the window is shown.
  toolkit_.CallLater(0, [this] { LoadFirstCard(); });
}

void WindowBehaviour::LoadFirstCard() {
  toolkit_.SetBoxText(Box::AvatarPath, FirstAvatarPath());
  // A queued call instead of a busy wait: the main thread stays free.
  toolkit_.CallLater(kFirstCardDelayMilliseconds, [this] { ComposeCard(); });
}

void WindowBehaviour::ComposeCard() {
  BoxInputs inputs(toolkit_);
  card::ComposeCard(canvas_, inputs, ticks_);
}

void WindowBehaviour::SaveCard() {
  if (!saver_) return;
  const SaveMessage message = saver_(canvas_, run_directory_);
  toolkit_.ShowMessage(message.caption, message.text);
}

std::string WindowBehaviour::AvatarFolder() const {
  return JoinPath(run_directory_, "QQshow", separator_);
}

std::string WindowBehaviour::FirstAvatarPath() const {
  return JoinPath(AvatarFolder(), "01.jpg", separator_);
}

FileDialogRequest WindowBehaviour::AvatarDialogRequest() const {
  FileDialogRequest request;
  request.initial_folder = AvatarFolder();
  request.initial_file_name = remembered_file_name_;
  request.file_types = {FileType{kPictureFileTypeDescription, {"*.jpg", "*.gif", "*.bmp"}}};
  request.selected_type = 0;
  return request;
}

void WindowBehaviour::PickAvatar() {
  const std::optional<std::string> chosen = toolkit_.ChooseFile(AvatarDialogRequest());
  // Mended fault: a cancel (or an over-long path, which counts as one) leaves
  // 编辑框_URL as it was instead of putting the remembered name back.
  if (!chosen || chosen->empty() || chosen->size() > kMaxChosenPathBytes) return;
  remembered_file_name_ = *chosen;
  toolkit_.SetBoxText(Box::AvatarPath, remembered_file_name_);
}

void WindowBehaviour::FocusAndSelect(Box box) {
  toolkit_.Focus(box);
  const std::string text = toolkit_.BoxText(box);
  constexpr std::size_t kStoredSelectionStart = 0;
  toolkit_.SelectBytes(box, kStoredSelectionStart,
                       WholeCharacterBytes(text, kStoredSelectionStart, kFocusSelectBytes));
}

}  // namespace app
