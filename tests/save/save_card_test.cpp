#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "canvas/decode_picture.h"
#include "canvas/take_snapshot.h"
#include "platform/files.h"
#include "save/convert_to_jpeg.h"
#include "save/save_card.h"
#include "save_test_support.h"

namespace {

using save::SaveFailure;
using save_test::Bytes;
using save_test::ScratchFolder;

// "保存成功", "保存失败", "恭喜您，保存成功！"
const std::string kSavedCaption = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6";
const std::string kFailedCaption = "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC";
const std::string kSavedText = "\xB9\xA7\xCF\xB2\xC4\xFA\xA3\xAC\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6\xA3\xA1";

const char* Name(SaveFailure failure) {
  switch (failure) {
    case SaveFailure::None: return "None";
    case SaveFailure::SnapshotEmpty: return "SnapshotEmpty";
    case SaveFailure::TempNotWritten: return "TempNotWritten";
    case SaveFailure::CardFileNotWritten: return "CardFileNotWritten";
  }
  return "?";
}

// The error box: its caption, and its text naming what failed and the path.
void ExpectFailure(const save::SaveOutcome& outcome, SaveFailure failure, const std::string& path) {
  EXPECT_FALSE(outcome.saved);
  EXPECT_STREQ(Name(outcome.failure), Name(failure));
  EXPECT_EQ(outcome.caption, kFailedCaption);
  EXPECT_TRUE(outcome.card_path.empty());
  const std::string ending = "\r\n\r\n" + path;
  ASSERT_GT(outcome.message.size(), ending.size());
  EXPECT_EQ(outcome.message.substr(outcome.message.size() - ending.size()), ending) << outcome.message;
}

TEST(SaveCard, FirstSaveWritesTempAndImg1AndSaysSo) {
  ScratchFolder dir;
  const auto card = save_test::ComposedCard();
  const auto outcome = save::SaveCard(card, dir.Path());
  ASSERT_TRUE(outcome.saved) << outcome.message;
  EXPECT_STREQ(Name(outcome.failure), "None");
  EXPECT_EQ(outcome.card_path, dir / "IMG1.jpg");
  EXPECT_EQ(outcome.caption, kSavedCaption);
  EXPECT_EQ(outcome.message, kSavedText + "\r\n\r\n" + dir.Path() + "/IMG1.jpg");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"IMG1.jpg", "temp"}));

  const Bytes snapshot = canvas::TakeSnapshot(card, 0, 0);
  EXPECT_TRUE(save_test::ReadFile(dir / "temp") == snapshot);
  // The card file is the temp file converted at quality 75, optimized.
  ASSERT_EQ(save::ConvertToJpeg(dir / "temp", dir / "expected", false, 75, true, 0), save::ConversionOk);
  EXPECT_TRUE(save_test::ReadFile(dir / "IMG1.jpg") == save_test::ReadFile(dir / "expected"));
  const auto picture = canvas::DecodePicture(save_test::ReadFile(dir / "IMG1.jpg"));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->format, canvas::PictureFormat::Jpeg);
  EXPECT_EQ(picture->width, 273);
  EXPECT_EQ(picture->height, 159);
}

TEST(SaveCard, TwoSavesOfOneCardGiveTwoEqualFiles) {
  ScratchFolder dir;
  const auto card = save_test::ComposedCard();
  EXPECT_EQ(save::SaveCard(card, dir.Path()).card_path, dir / "IMG1.jpg");
  EXPECT_EQ(save::SaveCard(card, dir.Path()).card_path, dir / "IMG2.jpg");
  EXPECT_TRUE(save_test::ReadFile(dir / "IMG1.jpg") == save_test::ReadFile(dir / "IMG2.jpg"));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"IMG1.jpg", "IMG2.jpg", "temp"}));
}

// Which number a save takes, given what the folder already holds.
TEST(SaveCard, NumberingRules) {
  struct Case {
    const char* what;
    std::vector<std::string> files, folders, links;
    const char* expected;
  };
  const Case cases[] = {
      {"empty folder", {}, {}, {}, "IMG1.jpg"},
      {"IMG1 and IMG2 taken", {"IMG1.jpg", "IMG2.jpg"}, {}, {}, "IMG3.jpg"},
      {"a freed number is used again", {"IMG1.jpg", "IMG3.jpg"}, {}, {}, "IMG2.jpg"},
      {"a gap at the start", {"IMG2.jpg"}, {}, {}, "IMG1.jpg"},
      {"a folder takes its number", {}, {"IMG1.jpg"}, {}, "IMG2.jpg"},
      {"a link takes its number, even one to nothing", {}, {}, {"IMG1.jpg"}, "IMG2.jpg"},
      {"IMG01.jpg does not take 1", {"IMG01.jpg", "IMG001.jpg"}, {}, {}, "IMG1.jpg"},
      {"other letter cases are other names here", {"img1.jpg", "IMG1.JPG", "IMG1.jpeg", "IMG1"}, {}, {},
       "IMG1.jpg"},
      {"numbers past 9", {"IMG1.jpg", "IMG2.jpg", "IMG3.jpg", "IMG4.jpg", "IMG5.jpg", "IMG6.jpg", "IMG7.jpg",
                          "IMG8.jpg", "IMG9.jpg"},
       {}, {}, "IMG10.jpg"},
  };
  const Bytes snapshot = canvas::TakeSnapshot(save_test::ComposedCard(), 0, 0);
  for (const Case& c : cases) {
    ScratchFolder dir;
    const Bytes marker{'o', 'l', 'd'};
    for (const auto& name : c.files) save_test::WriteFile(dir / name, marker);
    for (const auto& name : c.folders) std::filesystem::create_directory(dir / name);
    for (const auto& name : c.links) std::filesystem::create_symlink(dir / "nowhere", dir / name);
    const auto outcome = save::SaveSnapshot(snapshot, dir.Path());
    EXPECT_TRUE(outcome.saved) << c.what;
    EXPECT_EQ(outcome.card_path, dir / c.expected) << c.what;
    for (const auto& name : c.files) EXPECT_TRUE(save_test::ReadFile(dir / name) == marker) << c.what << ": " << name;
    EXPECT_FALSE(save_test::Exists(dir / "nowhere")) << c.what << ": a link is never written through";
  }
}

TEST(SaveCard, EverySaveSearchesFromOne) {
  ScratchFolder dir;
  const auto card = save_test::ComposedCard();
  save_test::WriteFile(dir / "IMG1.jpg", {});
  save_test::WriteFile(dir / "IMG2.jpg", {});
  EXPECT_EQ(save::SaveCard(card, dir.Path()).card_path, dir / "IMG3.jpg");
  std::filesystem::remove(dir / "IMG2.jpg");
  EXPECT_EQ(save::SaveCard(card, dir.Path()).card_path, dir / "IMG2.jpg");
  EXPECT_EQ(save::SaveCard(card, dir.Path()).card_path, dir / "IMG4.jpg");
}

TEST(SaveCard, TempIsReplacedWholeAndLeftWritable) {
  ScratchFolder dir;
  save_test::WriteFile(dir / "temp", Bytes(200000, 0x11));
  ASSERT_EQ(::chmod((dir / "temp").c_str(), 0444), 0);
  const auto card = save_test::ComposedCard();
  ASSERT_TRUE(save::SaveCard(card, dir.Path()).saved);
  EXPECT_TRUE(save_test::ReadFile(dir / "temp") == canvas::TakeSnapshot(card, 0, 0));
  struct stat st{};
  ASSERT_EQ(::stat((dir / "temp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0600, 0600u);
}

TEST(SaveCard, RunDirectoryWithAGbkName) {
  ScratchFolder parent;
  // "名片"
  const std::string gbk_dir = parent.Path() + "/\xC3\xFB\xC6\xAC";
  std::filesystem::create_directory(platform::NativePath(gbk_dir));
  const auto outcome = save::SaveCard(save_test::ComposedCard(), gbk_dir);
  ASSERT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(outcome.message, kSavedText + "\r\n\r\n" + gbk_dir + "/IMG1.jpg");
  EXPECT_TRUE(save_test::Exists(platform::NativePath(gbk_dir + "/IMG1.jpg")));
}

TEST(SaveCard, FolderNamedTempStopsTheSave) {
  ScratchFolder dir;
  std::filesystem::create_directory(dir / "temp");
  const auto outcome = save::SaveCard(save_test::ComposedCard(), dir.Path());
  ExpectFailure(outcome, SaveFailure::TempNotWritten, dir / "temp");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"temp"}));
}

TEST(SaveCard, MissingRunDirectoryStopsTheSave) {
  ScratchFolder dir;
  const auto outcome = save::SaveCard(save_test::ComposedCard(), dir / "gone");
  ExpectFailure(outcome, SaveFailure::TempNotWritten, dir / "gone/temp");
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(SaveCard, EmptySnapshotWritesNothing) {
  ScratchFolder dir;
  const Bytes old_temp{'o', 'l', 'd'};
  save_test::WriteFile(dir / "temp", old_temp);
  ExpectFailure(save::SaveSnapshot({}, dir.Path()), SaveFailure::SnapshotEmpty, dir / "temp");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"temp"}));
  EXPECT_TRUE(save_test::ReadFile(dir / "temp") == old_temp);
}

TEST(SaveCard, UnconvertibleSnapshotLeavesNoCardFile) {
  ScratchFolder dir;
  const Bytes eight_bit = save_test::BuildBmp({.width = 4, .height = 4, .bits = 8}, {});
  ExpectFailure(save::SaveSnapshot(eight_bit, dir.Path()), SaveFailure::CardFileNotWritten, dir / "IMG1.jpg");
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"temp"})) << "the reserved name is given back";
}

// A temp file that cannot be written whole (the size limit stops it part-way)
// must not let the save convert what an earlier save left there.
TEST(SaveCard, TempFailingPartWayIsNotConverted) {
  ScratchFolder dir;
  const auto card = save_test::ComposedCard();
  ASSERT_TRUE(save::SaveCard(card, dir.Path()).saved);
  std::filesystem::remove(dir / "IMG1.jpg");
  const int failure = save_test::RunWithFileSizeLimit(1000, [&] {
    const auto outcome = save::SaveCard(card, dir.Path());
    return static_cast<int>(outcome.failure) + (outcome.message.ends_with("\r\n\r\n" + (dir / "temp")) ? 0 : 100);
  });
  EXPECT_EQ(failure, static_cast<int>(SaveFailure::TempNotWritten));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"temp"}));
}

// A card file that cannot be written whole leaves no file under its name: a
// one-pixel snapshot (58 bytes) fits under the limit, its JPEG does not.
TEST(SaveCard, CardFileFailingPartWayLeavesNoFile) {
  ScratchFolder dir;
  const Bytes tiny = save_test::BuildBmp({.width = 1, .height = 1}, save_test::Pattern(1, 1));
  ASSERT_TRUE(save::SaveSnapshot(tiny, dir.Path()).saved);
  const std::uint64_t jpeg_size = save_test::ReadFile(dir / "IMG1.jpg").size();
  std::filesystem::remove(dir / "IMG1.jpg");
  ASSERT_LT(tiny.size() * 2, jpeg_size);

  const int failure = save_test::RunWithFileSizeLimit(jpeg_size / 2, [&] {
    const auto outcome = save::SaveSnapshot(tiny, dir.Path());
    return static_cast<int>(outcome.failure) +
           (outcome.message.ends_with("\r\n\r\n" + (dir / "IMG1.jpg")) ? 0 : 100);
  });
  EXPECT_EQ(failure, static_cast<int>(SaveFailure::CardFileNotWritten));
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"temp"}));
  EXPECT_TRUE(save_test::ReadFile(dir / "temp") == tiny);
}

}  // namespace
