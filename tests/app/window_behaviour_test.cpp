// The window's behaviour against a fake toolkit.
#include "app/window_behaviour.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "app/app_texts.h"
#include "app/window_layout.h"
#include "canvas/card_canvas.h"
#include "card/card_background.h"
#include "card/compose_card.h"
#include "card/tag_color.h"
#include "platform/files.h"
#include "tests/app/fake_toolkit.h"

namespace app {
namespace {

using testing::FakeToolkit;

std::vector<std::uint8_t> PixelsOf(const canvas::CardCanvas& canvas) {
  const std::uint8_t* p = canvas.Pixels();
  return {p, p + canvas::CardCanvas::kWidth * canvas::CardCanvas::kHeight * 3};
}

class WindowBehaviourTest : public ::testing::Test {
 protected:
  WindowBehaviourTest()
      : canvas_(card::CardBackgroundBytes(), 96),
        bare_(PixelsOf(canvas_)),
        ticks_(1000),
        behaviour_(toolkit_, canvas_, ticks_, "/opt/showcard", '/', {}) {
    for (const BoxSpec& entry : kBoxes) toolkit_.Text(entry.box) = *entry.initial_text;
  }

  std::size_t Reads() const {
    std::size_t n = 0;
    for (const auto& e : toolkit_.log)
      if (e.rfind("read ", 0) == 0) ++n;
    return n;
  }
  bool Composed() const { return PixelsOf(canvas_) != bare_; }

  FakeToolkit toolkit_;
  canvas::CardCanvas canvas_;
  std::vector<std::uint8_t> bare_;
  platform::FixedTickCounter ticks_;
  WindowBehaviour behaviour_;
};

// --- FocusAndSelect -------------------------------------------------------

TEST_F(WindowBehaviourTest, FocusAndSelectSelectsAllOfAShortText) {
  toolkit_.Text(Box::QqNumber) = "581264079";
  behaviour_.FocusAndSelect(Box::QqNumber);
  EXPECT_EQ(toolkit_.focus, Box::QqNumber);
  EXPECT_EQ(toolkit_.SelectionOf(Box::QqNumber).start, 0u);
  EXPECT_EQ(toolkit_.SelectionOf(Box::QqNumber).length, 9u);
  EXPECT_LT(toolkit_.IndexOf("focus QqNumber"), toolkit_.IndexOf("select QqNumber 0 9"));
}

TEST_F(WindowBehaviourTest, FocusAndSelectSelectsTheFirst200Bytes) {
  toolkit_.Text(Box::Impression) = std::string(250, 'x');
  behaviour_.FocusAndSelect(Box::Impression);
  EXPECT_EQ(toolkit_.SelectionOf(Box::Impression).length, 200u);

  std::string chinese;
  for (int i = 0; i < 125; ++i) chinese += "\xD6\xD0";  // 中, 250 bytes
  toolkit_.Text(Box::Impression) = chinese;
  behaviour_.FocusAndSelect(Box::Impression);
  EXPECT_EQ(toolkit_.SelectionOf(Box::Impression).length, 200u);
}

TEST_F(WindowBehaviourTest, FocusAndSelectKeepsWholeCharacters) {
  std::string text = "a";
  for (int i = 0; i < 125; ++i) text += "\xD6\xD0";  // byte 200 falls inside a character
  toolkit_.Text(Box::Signature) = text;
  behaviour_.FocusAndSelect(Box::Signature);
  EXPECT_EQ(toolkit_.SelectionOf(Box::Signature).length, 199u);
}

TEST_F(WindowBehaviourTest, FocusAndSelectOfAnEmptyBox) {
  toolkit_.Text(Box::AvatarPath).clear();
  behaviour_.FocusAndSelect(Box::AvatarPath);
  EXPECT_EQ(toolkit_.focus, Box::AvatarPath);
  EXPECT_EQ(toolkit_.SelectionOf(Box::AvatarPath).length, 0u);
}

// --- The event table --------------------------------------------------------

TEST_F(WindowBehaviourTest, EnterWalksDownTheForm) {
  behaviour_.OnKeyDown(Box::Nickname, kKeyEnter, 0);
  EXPECT_EQ(toolkit_.focus, Box::QqNumber);
  EXPECT_EQ(toolkit_.SelectionOf(Box::QqNumber).length, card::kInitialQqNumber.size());

  behaviour_.OnKeyDown(Box::QqNumber, kKeyEnter, 0);
  EXPECT_EQ(toolkit_.focus, Box::Signature);
  EXPECT_EQ(toolkit_.SelectionOf(Box::Signature).length, card::kInitialSignature.size());

  behaviour_.OnKeyDown(Box::Signature, kKeyEnter, 0);
  EXPECT_EQ(toolkit_.focus, Box::Impression);
  EXPECT_EQ(toolkit_.SelectionOf(Box::Impression).length, 24u);
  EXPECT_FALSE(Composed());
}

TEST_F(WindowBehaviourTest, EnterWithModifiersCountsAsEnter) {
  behaviour_.OnKeyDown(Box::Nickname, kKeyEnter, 2 /*Shift*/);
  EXPECT_EQ(toolkit_.focus, Box::QqNumber);
  behaviour_.OnKeyDown(Box::QqNumber, kKeyEnter, 1 /*Ctrl*/);
  EXPECT_EQ(toolkit_.focus, Box::Signature);
}

TEST_F(WindowBehaviourTest, OtherKeysInTheFirstFourBoxesDoNothing) {
  for (Box box : {Box::Nickname, Box::QqNumber, Box::Signature, Box::Impression})
    for (int key : {65, 9, 27, 16, 37, 0x70}) behaviour_.OnKeyDown(box, key, 0);
  EXPECT_TRUE(toolkit_.log.empty());
  EXPECT_FALSE(Composed());
}

TEST_F(WindowBehaviourTest, EnterInTheImpressionBoxFocusesThePathBoxAndPicks) {
  toolkit_.SelectionOf(Box::AvatarPath) = {0, 3};
  toolkit_.answers.push_back(std::string("/opt/showcard/QQshow/02.jpg"));
  behaviour_.OnKeyDown(Box::Impression, kKeyEnter, 0);
  EXPECT_EQ(toolkit_.focus, Box::AvatarPath);
  EXPECT_LT(toolkit_.IndexOf("focus AvatarPath"), toolkit_.IndexOf("dialog"));
  EXPECT_FALSE(toolkit_.Logged("select AvatarPath 0 0"));  // its selection is not changed
  EXPECT_EQ(toolkit_.Text(Box::AvatarPath), "/opt/showcard/QQshow/02.jpg");
  EXPECT_FALSE(Composed());  // the card is not composed
}

TEST_F(WindowBehaviourTest, EveryKeyInThePathBoxComposes) {
  int runs = 0;
  for (int key : {65, kKeyEnter, 16, 37, 0x70, 0}) {
    canvas_.SetBackgroundPicture(card::CardBackgroundBytes());
    behaviour_.OnKeyDown(Box::AvatarPath, key, 0);
    EXPECT_TRUE(Composed()) << key;
    ++runs;
  }
  EXPECT_EQ(Reads(), 5u * static_cast<std::size_t>(runs));
}

TEST_F(WindowBehaviourTest, ComposeReadsTheBoxesInTheOrderOfPart1_1) {
  behaviour_.OnGenerateClicked();
  const std::vector<std::string> reads = {"read Nickname", "read QqNumber", "read Signature", "read Impression",
                                          "read AvatarPath"};
  EXPECT_EQ(toolkit_.log, reads);
}

TEST_F(WindowBehaviourTest, GenerateComposesTheCardOfTheBoxes) {
  toolkit_.Text(Box::Nickname) = "abc";
  toolkit_.Text(Box::QqNumber) = "12345";
  toolkit_.Text(Box::Impression) = "ab\xA1\xA2" "cd";
  toolkit_.Text(Box::AvatarPath) = std::string(SHOWCARD_SOURCE_DIR) + "/QQshow/01.jpg";
  card::SeedCounter() = 0;
  behaviour_.OnGenerateClicked();
  const auto shown = PixelsOf(canvas_);

  canvas::CardCanvas expected(card::CardBackgroundBytes(), 96);
  card::FixedCardInputs inputs({"abc", "12345", card::kInitialSignature, "ab\xA1\xA2" "cd",
                                std::string(SHOWCARD_SOURCE_DIR) + "/QQshow/01.jpg"});
  platform::FixedTickCounter same(1000);
  card::SeedCounter() = 0;
  card::ComposeCard(expected, inputs, same);
  EXPECT_EQ(shown, PixelsOf(expected));
}

TEST_F(WindowBehaviourTest, LeftButtonUpInThePathBoxPicks) {
  behaviour_.OnAvatarPathLeftButtonUp();
  EXPECT_EQ(toolkit_.requests.size(), 1u);
  EXPECT_FALSE(Composed());
}

// --- Start-up ---------------------------------------------------

TEST_F(WindowBehaviourTest, RunStartUpInOrder) {
  behaviour_.OnCreated();
  const std::vector<std::string> expected = {
      "theme 3",
      "message Hemu.Example",
      "open hemu.example",
      "focus Nickname",
      "read Nickname",
      "select Nickname 0 4",
      "later 0",
  };
  EXPECT_EQ(toolkit_.log, expected);
  ASSERT_EQ(toolkit_.messages.size(), 1u);
  EXPECT_EQ(toolkit_.messages[0].first, "Hemu.Example");
  // "本软件由 KW-T（581264079）制作" CR LF "禾木小站  Hemu.Example"
  EXPECT_EQ(toolkit_.messages[0].second,
            "\xB1\xBE\xC8\xED\xBC\xFE\xD3\xC9 KW-T\xA3\xA8" "581264079\xA3\xA9\xD6\xC6\xD7\xF7\r\n"
            "\xBA\xCC\xC4\xBE\xD0\xA1\xD5\xBE  Hemu.Example");
  EXPECT_EQ(toolkit_.opened, std::vector<std::string>{"hemu.example"});
  EXPECT_TRUE(toolkit_.Text(Box::AvatarPath).empty());  // not before the event loop runs
  EXPECT_FALSE(Composed());
}

TEST_F(WindowBehaviourTest, LoadFirstCardSetsThePathThenComposes300MsLater) {
  behaviour_.OnCreated();
  toolkit_.log.clear();
  ASSERT_TRUE(toolkit_.RunNext());  // the event loop starts: the window is shown
  EXPECT_EQ(toolkit_.Text(Box::AvatarPath), "/opt/showcard/QQshow/01.jpg");
  ASSERT_EQ(toolkit_.pending.size(), 1u);
  EXPECT_EQ(toolkit_.pending[0].milliseconds, 300);
  EXPECT_FALSE(Composed());
  ASSERT_TRUE(toolkit_.RunNext());
  EXPECT_TRUE(Composed());
  EXPECT_FALSE(toolkit_.RunNext());
  const std::vector<std::string> expected = {
      "run later 0", "set AvatarPath /opt/showcard/QQshow/01.jpg", "later 300", "run later 300",
      "read Nickname", "read QqNumber", "read Signature", "read Impression", "read AvatarPath"};
  EXPECT_EQ(toolkit_.log, expected);
}

TEST_F(WindowBehaviourTest, FirstCardWithTheSampleAvatar) {
  WindowBehaviour behaviour(toolkit_, canvas_, ticks_, SHOWCARD_SOURCE_DIR, '/', {});
  behaviour.OnCreated();
  while (toolkit_.RunNext()) {
  }
  // The avatar frame no longer shows the background's sample figure.
  canvas::CardCanvas bare(card::CardBackgroundBytes(), 96);
  int differing = 0;
  for (int y = 5; y < 133; ++y)
    for (int x = 5; x < 83; ++x) {
      const auto a = canvas_.PixelAt(x, y), b = bare.PixelAt(x, y);
      if (a.r != b.r || a.g != b.g || a.b != b.b) ++differing;
    }
  EXPECT_GT(differing, 1000);
}

TEST_F(WindowBehaviourTest, CreditBoxIsShownBeforeTheHomePageOpens) {
  bool opened_before = true;
  toolkit_.on_message = [&] { opened_before = !toolkit_.opened.empty(); };
  behaviour_.RunStartUp();
  EXPECT_FALSE(opened_before);
  EXPECT_EQ(toolkit_.themes, std::vector<int>{3});
}

TEST_F(WindowBehaviourTest, RunDirectoryInTheRoot) {
  WindowBehaviour root(toolkit_, canvas_, ticks_, "", '/', {});
  EXPECT_EQ(root.FirstAvatarPath(), "/QQshow/01.jpg");
  WindowBehaviour drive(toolkit_, canvas_, ticks_, "C:", '\\', {});
  EXPECT_EQ(drive.FirstAvatarPath(), "C:\\QQshow\\01.jpg");
}

// --- PickAvatar --------------------------------------------------

TEST_F(WindowBehaviourTest, PickerRequest) {
  behaviour_.PickAvatar();
  ASSERT_EQ(toolkit_.requests.size(), 1u);
  const FileDialogRequest& r = toolkit_.requests[0];
  EXPECT_TRUE(r.title.empty());
  EXPECT_EQ(r.initial_folder, "/opt/showcard/QQshow");
  EXPECT_EQ(r.initial_file_name, "");
  ASSERT_EQ(r.file_types.size(), 1u);
  // "图片文件（*.jpg，*.gif，*.bmp）"
  EXPECT_EQ(r.file_types[0].description,
            "\xCD\xBC\xC6\xAC\xCE\xC4\xBC\xFE\xA3\xA8*.jpg\xA3\xAC*.gif\xA3\xAC*.bmp\xA3\xA9");
  EXPECT_EQ(r.file_types[0].patterns, (std::vector<std::string>{"*.jpg", "*.gif", "*.bmp"}));
  EXPECT_EQ(r.selected_type, 0u);
}

TEST_F(WindowBehaviourTest, PickerConfirmReplacesThePathAndIsRemembered) {
  toolkit_.Text(Box::AvatarPath) = "typed by hand";
  toolkit_.answers.push_back(std::string("/opt/showcard/QQshow/03.bmp"));
  behaviour_.PickAvatar();
  EXPECT_EQ(toolkit_.Text(Box::AvatarPath), "/opt/showcard/QQshow/03.bmp");
  EXPECT_EQ(behaviour_.RememberedFileName(), "/opt/showcard/QQshow/03.bmp");
  EXPECT_FALSE(Composed());

  behaviour_.PickAvatar();  // cancelled
  ASSERT_EQ(toolkit_.requests.size(), 2u);
  EXPECT_EQ(toolkit_.requests[1].initial_file_name, "/opt/showcard/QQshow/03.bmp");
  EXPECT_EQ(toolkit_.requests[1].initial_folder, "/opt/showcard/QQshow");
}

TEST_F(WindowBehaviourTest, PickerCancelLeavesThePathBoxAsItWas) {
  // Mended fault: the Part would empty the box or put back an older path.
  toolkit_.Text(Box::AvatarPath) = "/opt/showcard/QQshow/01.jpg";
  behaviour_.PickAvatar();
  EXPECT_EQ(toolkit_.Text(Box::AvatarPath), "/opt/showcard/QQshow/01.jpg");
  EXPECT_FALSE(toolkit_.Logged("set AvatarPath "));

  toolkit_.answers.push_back(std::string("/x/a.jpg"));
  behaviour_.PickAvatar();
  toolkit_.Text(Box::AvatarPath) = "another path typed by hand";
  behaviour_.PickAvatar();  // cancelled
  EXPECT_EQ(toolkit_.Text(Box::AvatarPath), "another path typed by hand");
  EXPECT_EQ(behaviour_.RememberedFileName(), "/x/a.jpg");
}

TEST_F(WindowBehaviourTest, PickerTreatsAnOverLongPathAsACancel) {
  toolkit_.Text(Box::AvatarPath) = "kept";
  toolkit_.answers.push_back("/" + std::string(259, 'a'));  // 260 bytes
  behaviour_.PickAvatar();
  EXPECT_EQ(toolkit_.Text(Box::AvatarPath), "kept");
  EXPECT_EQ(behaviour_.RememberedFileName(), "");

  const std::string longest = "/" + std::string(258, 'a');  // 259 bytes
  toolkit_.answers.push_back(longest);
  behaviour_.PickAvatar();
  EXPECT_EQ(toolkit_.Text(Box::AvatarPath), longest);
}

// --- SaveCard ---------------------------------------------------------------

TEST_F(WindowBehaviourTest, SaveShowsWhatTheSaverSays) {
  const canvas::CardCanvas* saved_canvas = nullptr;
  std::string saved_dir;
  WindowBehaviour behaviour(toolkit_, canvas_, ticks_, "/opt/showcard", '/',
                            [&](const canvas::CardCanvas& c, std::string_view dir) {
                              saved_canvas = &c;
                              saved_dir = std::string(dir);
                              return SaveMessage{"caption", "text\r\n\r\n/opt/showcard/IMG1.jpg"};
                            });
  behaviour.OnSaveClicked();
  EXPECT_EQ(saved_canvas, &canvas_);
  EXPECT_EQ(saved_dir, "/opt/showcard");
  ASSERT_EQ(toolkit_.messages.size(), 1u);
  EXPECT_EQ(toolkit_.messages[0].first, "caption");
  EXPECT_EQ(toolkit_.messages[0].second, "text\r\n\r\n/opt/showcard/IMG1.jpg");
}

TEST_F(WindowBehaviourTest, WithoutASaverSaveDoesNothing) {
  behaviour_.OnSaveClicked();
  EXPECT_TRUE(toolkit_.log.empty());
}

#ifdef SHOWCARD_HAVE_SAVE
TEST_F(WindowBehaviourTest, SaveWritesTheNextCardFileAndSaysSo) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("showcard-app-save-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  WindowBehaviour behaviour(toolkit_, canvas_, ticks_, dir.string(), '/', DefaultCardSaver());
  behaviour.OnGenerateClicked();
  behaviour.OnSaveClicked();
  behaviour.OnSaveClicked();
  EXPECT_TRUE(fs::exists(dir / "IMG1.jpg"));
  EXPECT_TRUE(fs::exists(dir / "IMG2.jpg"));
  ASSERT_EQ(toolkit_.messages.size(), 2u);
  EXPECT_EQ(toolkit_.messages[0].first, "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6");  // 保存成功
  const std::string& text = toolkit_.messages[1].second;
  const std::string tail = (dir / "IMG2.jpg").string();
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace app
