#include "app/run_directory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "app/gbk_text.h"
#include "platform/executable_path.h"

namespace app {
namespace {

TEST(RunDirectory, CutAtTheLastSeparator) {
  EXPECT_EQ(RunDirectoryFromExecutablePath("/opt/showcard/showcard", '/'), "/opt/showcard");
  EXPECT_EQ(RunDirectoryFromExecutablePath("D:\\Tools\\showcard.exe", '\\'), "D:\\Tools");
}

TEST(RunDirectory, ProgramInTheRoot) {
  EXPECT_EQ(RunDirectoryFromExecutablePath("C:\\showcard.exe", '\\'), "C:");
  EXPECT_EQ(RunDirectoryFromExecutablePath("/showcard", '/'), "");
  EXPECT_EQ(JoinPath(RunDirectoryFromExecutablePath("C:\\showcard.exe", '\\'), "QQshow", '\\'), "C:\\QQshow");
  EXPECT_EQ(JoinPath("", "QQshow", '/'), "/QQshow");
}

TEST(RunDirectory, StepsOverDoubleByteCharacters) {
  // 0x81 0x5C is one GBK character whose trail byte is a backslash.
  EXPECT_EQ(RunDirectoryFromExecutablePath("C:\\a\x81\\\\showcard.exe", '\\'), "C:\\a\x81\\");
  EXPECT_EQ(RunDirectoryFromExecutablePath("C:\\a\x81\\showcard.exe", '\\'), "C:");
  // 禾木 in a folder name.
  EXPECT_EQ(RunDirectoryFromExecutablePath("/home/\xBA\xCC\xC4\xBE/showcard", '/'), "/home/\xBA\xCC\xC4\xBE");
}

TEST(RunDirectory, NoSeparator) { EXPECT_EQ(RunDirectoryFromExecutablePath("showcard", '/'), ""); }

TEST(RunDirectory, OfThisProcess) {
  const std::string exe = platform::ExecutablePath();
  ASSERT_FALSE(exe.empty());
  EXPECT_EQ(exe.front(), '/');
  const std::string dir = DetermineRunDirectory();
  EXPECT_EQ(std::filesystem::path(exe).parent_path().string(), dir);
  EXPECT_TRUE(std::filesystem::is_directory(dir));
}

TEST(RunDirectory, EnterRunDirectoryMakesItTheCurrentFolder) {
  const auto before = std::filesystem::current_path();
  const std::string dir = DetermineRunDirectory();
  ASSERT_TRUE(EnterRunDirectory(dir));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir));
  ASSERT_TRUE(EnterRunDirectory(""));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path("/"));
  std::filesystem::current_path(before);
}

TEST(GbkText, WholeCharacterBytes) {
  EXPECT_EQ(WholeCharacterBytes("", 0, 200), 0u);
  EXPECT_EQ(WholeCharacterBytes("abc", 0, 200), 3u);
  EXPECT_EQ(WholeCharacterBytes("abc", 1, 200), 2u);
  EXPECT_EQ(WholeCharacterBytes("a\xD6\xD0", 0, 2), 1u);
  EXPECT_EQ(WholeCharacterBytes("a\xD6\xD0", 0, 3), 3u);
  EXPECT_EQ(WholeCharacterBytes("a\xD6", 0, 200), 2u);  // a lone lead byte at the end
  EXPECT_EQ(WholeCharacterBytes("abc", 5, 200), 0u);
}

}  // namespace
}  // namespace app
