#pragma once
// What the main window 窗口 does, independent of the toolkit: the event table
// of the main window, FocusAndSelect, RunStartUp and LoadFirstCard, and
// PickAvatar. A front end creates the window and its controls,
// forwards the events below, and implements Toolkit.
#include <functional>
#include <string>
#include <string_view>

#include "app/toolkit.h"
#include "canvas/card_canvas.h"
#include "card/card_inputs.h"
#include "platform/tick_counter.h"

namespace app {

// What the user is told after a save (GBK texts).
struct SaveMessage {
  std::string caption;
  std::string text;
};

// Saves the card the canvas shows into the run directory and says how it went.
using CardSaver = std::function<SaveMessage(const canvas::CardCanvas& canvas, std::string_view run_directory)>;

// save::SaveCard when the program is built with saving; empty otherwise.
CardSaver DefaultCardSaver();

// The card inputs, read afresh from the edit boxes at every call.
class BoxInputs final : public card::CardInputSource {
 public:
  explicit BoxInputs(Toolkit& toolkit) : toolkit_(toolkit) {}
  std::string Nickname() override { return toolkit_.BoxText(Box::Nickname); }
  std::string QqNumber() override { return toolkit_.BoxText(Box::QqNumber); }
  std::string Signature() override { return toolkit_.BoxText(Box::Signature); }
  std::string Impression() override { return toolkit_.BoxText(Box::Impression); }
  std::string AvatarPath() override { return toolkit_.BoxText(Box::AvatarPath); }

 private:
  Toolkit& toolkit_;
};

class WindowBehaviour {
 public:
  // FocusAndSelect selects this many bytes from the stored start 0.
  static constexpr std::size_t kFocusSelectBytes = 200;
  // The start-up card is composed this long after the window is shown.
  static constexpr int kFirstCardDelayMilliseconds = 300;
  // Longer chosen paths count as a cancelled dialog.
  static constexpr std::size_t kMaxChosenPathBytes = 259;
  static constexpr int kVisualThemeScheme = 3;

  WindowBehaviour(Toolkit& toolkit, canvas::CardCanvas& canvas, platform::TickCounter& ticks,
                  std::string run_directory, char separator, CardSaver saver);

  // The window's event table.
  void OnCreated();                // 窗口 created, not yet shown: RunStartUp
  void OnGenerateClicked();        // 生成: ComposeCard
  void OnSaveClicked();            // 保存: SaveCard
  // Key down in an edit box, after the window's own keyboard handling and
  // before the box sees the key. `modifiers`: Ctrl 1, Shift 2, Alt 4.
  void OnKeyDown(Box box, int key_code, int modifiers);
  void OnAvatarPathLeftButtonUp();  // 编辑框_URL: PickAvatar

  // The operations.
  void RunStartUp();
  void LoadFirstCard();
  void ComposeCard();
  void SaveCard();
  void PickAvatar();
  void FocusAndSelect(Box box);

  const std::string& RunDirectory() const { return run_directory_; }
  std::string FirstAvatarPath() const;
  std::string AvatarFolder() const;
  // The file dialog's remembered file name: empty at start, then the last
  // confirmed choice.
  const std::string& RememberedFileName() const { return remembered_file_name_; }
  FileDialogRequest AvatarDialogRequest() const;

 private:
  Toolkit& toolkit_;
  canvas::CardCanvas& canvas_;
  platform::TickCounter& ticks_;
  std::string run_directory_;
  char separator_;
  CardSaver saver_;
  std::string remembered_file_name_;
};

}  // namespace app
