#include <windows.h>
#undef ReplaceFile  // the system's macro would rename ours

#include <gtest/gtest.h>

#include <string>

#include "app/run_directory.h"
#include "platform/executable_path.h"
#include "platform/file_ops.h"
#include "platform/files.h"
#include "platform/gbk_windows.h"

#ifdef SHOWCARD_HAVE_SAVE
#include "canvas/card_canvas.h"
#include "save/save_card.h"
#endif

namespace {

// A fresh folder under the system's temporary folder, removed with all its
// files afterwards. Its name holds Chinese characters, as users' folders do.
class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t base[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, base), 0u);
    wide_ = std::wstring(base) + L"showcard-\x79BE\x6728-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount());
    ASSERT_TRUE(CreateDirectoryW(wide_.c_str(), nullptr));
    folder_ = platform::GbkFromWide(wide_);
  }
  void TearDown() override { RemoveTree(wide_); }

  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(path);
        else
          DeleteFileW(path.c_str());
      } while (FindNextFileW(search, &entry));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  // The marks this file system can take off a file: Wine keeps the hidden,
  // system and archive marks only where the Unix file system holds extended
  // attributes, and reports archive for every file where it cannot.
  DWORD ClearableMarks() const {
    const std::wstring probe = wide_ + L"\\probe";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    const DWORD left = GetFileAttributesW(probe.c_str());
    DeleteFileW(probe.c_str());
    return kMarks & ~left;
  }

  // Whether a read-only file refuses to be written here (not for root under Wine).
  bool ReadOnlyIsEnforced() const {
    const std::wstring probe = wide_ + L"\\probe";
    CloseHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool refused = file == INVALID_HANDLE_VALUE;
    if (!refused) CloseHandle(file);
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(probe.c_str());
    return refused;
  }

  static constexpr DWORD kMarks =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  DWORD Attributes(const std::string& name) const {
    return GetFileAttributesW(platform::WideFromGbk(Path(name)).c_str());
  }

  std::wstring wide_;
  std::string folder_;  // GBK
};

using WindowsFiles = TempFolder;

TEST_F(WindowsFiles, ExistenceTestIgnoresLetterCaseAndCountsFolders) {
  ASSERT_TRUE(platform::WriteWholeFile(Path("IMG1.JPG"), {1}));
  ASSERT_TRUE(CreateDirectoryW(platform::WideFromGbk(Path("IMG3.jpg")).c_str(), nullptr));
  struct Case {
    const char* name;
    bool exists;
  };
  const Case cases[] = {
      {"IMG1.jpg", true}, {"img1.jpg", true}, {"IMG1.JPG", true},  {"IMG3.jpg", true},
      {"IMG2.jpg", false}, {"IMG01.jpg", false}, {"IMG1.jpg.x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::EntryExists(Path(c.name)), c.exists) << c.name;
  EXPECT_FALSE(platform::EntryExists(folder_ + "\\no such folder\\IMG1.jpg"));
}

TEST_F(WindowsFiles, AttributeResetClearsReadOnlyHiddenSystemAndArchive) {
  const DWORD clearable = ClearableMarks();
  ASSERT_NE(clearable & FILE_ATTRIBUTE_READONLY, 0u);
  ASSERT_TRUE(platform::WriteWholeFile(Path("temp"), {1, 2, 3}));
  ASSERT_TRUE(SetFileAttributesW(platform::WideFromGbk(Path("temp")).c_str(), kMarks));
  ASSERT_NE(Attributes("temp") & FILE_ATTRIBUTE_READONLY, 0u);
  // Marked so, the file refuses to be replaced...
  if (ReadOnlyIsEnforced()) {
    EXPECT_FALSE(platform::WriteWholeFile(Path("temp"), {9}));
  }
  EXPECT_TRUE(platform::ResetFileAttributes(Path("temp")));
  EXPECT_EQ(Attributes("temp") & clearable, 0u);
  // ...and after the reset it is replaced whole, also by shorter contents.
  EXPECT_TRUE(platform::WriteWholeFile(Path("temp"), {9}));
  EXPECT_EQ(platform::ReadWholeFile(Path("temp")), platform::Bytes{9});
  EXPECT_FALSE(platform::ResetFileAttributes(Path("missing")));
}

TEST_F(WindowsFiles, FoldersAreNoFiles) {
  ASSERT_TRUE(CreateDirectoryW(platform::WideFromGbk(Path("temp")).c_str(), nullptr));
  EXPECT_TRUE(platform::ReadWholeFile(Path("temp")).empty());
  EXPECT_FALSE(platform::ReadRegularFile(Path("temp"), 1 << 20).has_value());
  EXPECT_FALSE(platform::WriteWholeFile(Path("temp"), {1}));
  EXPECT_EQ(platform::CreateNewFile(Path("temp")), platform::CreateResult::AlreadyExists);
  EXPECT_FALSE(platform::RemoveFile(Path("temp")));
}

TEST_F(WindowsFiles, NewFilesAreCreatedOnlyOnce) {
  EXPECT_EQ(platform::CreateNewFile(Path("IMG1.jpg")), platform::CreateResult::Created);
  EXPECT_EQ(platform::CreateNewFile(Path("img1.JPG")), platform::CreateResult::AlreadyExists);
  EXPECT_EQ(platform::CreateNewFile(Path("no such folder\\IMG1.jpg")), platform::CreateResult::Failed);
}

TEST_F(WindowsFiles, ReplaceLeavesOnlyTheTarget) {
  ASSERT_TRUE(platform::WriteWholeFile(Path("card.jpg"), {1, 2, 3, 4}));
  EXPECT_TRUE(platform::ReplaceFile(Path("card.jpg"), {5, 6}));
  EXPECT_EQ(platform::ReadRegularFile(Path("card.jpg"), 100), platform::Bytes({5, 6}));
  EXPECT_FALSE(platform::ReplaceFile(Path("no such folder\\card.jpg"), {1}));
  // Nothing but the target is left beside it.
  int entries = 0;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((wide_ + L"\\*").c_str(), &entry);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (std::wstring(entry.cFileName) != L"." && std::wstring(entry.cFileName) != L"..") ++entries;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  EXPECT_EQ(entries, 1);
}

TEST_F(WindowsFiles, ChinesePathsRoundTrip) {
  const std::string name = "\xBA\xCC\xC4\xBE.bmp";  // 禾木.bmp
  ASSERT_TRUE(platform::WriteWholeFile(Path(name), {7, 8}));
  EXPECT_NE(GetFileAttributesW((wide_ + L"\\\x79BE\x6728.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(platform::ReadWholeFile(Path(name)), platform::Bytes({7, 8}));
}

TEST(WindowsRunDirectory, IsTheFolderOfThisProgram) {
  const std::string exe = platform::ExecutablePath();
  ASSERT_GT(exe.size(), 4u);
  EXPECT_EQ(exe.substr(exe.size() - 4), ".exe");
  const std::string folder = app::RunDirectoryFromExecutablePath(exe, platform::kPathSeparator);
  EXPECT_EQ(folder + "\\" + exe.substr(folder.size() + 1), exe);
  EXPECT_NE(GetFileAttributesW(platform::WideFromGbk(folder).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(WindowsRunDirectory, ADriveAloneMeansItsRoot) {
  wchar_t before[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, before), 0u);
  const std::string drive = platform::GbkFromWide(std::wstring(before, 2));  // "C:" or "Z:"
  ASSERT_TRUE(platform::SetCurrentFolder(drive));
  wchar_t now[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, now);
  EXPECT_EQ(std::wstring(now), std::wstring(before, 2) + L"\\");
  SetCurrentDirectoryW(before);
}

#ifdef SHOWCARD_HAVE_SAVE
using WindowsSaving = TempFolder;

TEST_F(WindowsSaving, UpperCaseCardFileTakesItsNumber) {
  ASSERT_TRUE(platform::WriteWholeFile(Path("IMG1.JPG"), {1}));
  canvas::CardCanvas canvas;
  const save::SaveOutcome outcome = save::SaveCard(canvas, folder_);
  EXPECT_TRUE(outcome.saved) << outcome.message;
  EXPECT_EQ(outcome.card_path, Path("IMG2.jpg"));
  EXPECT_NE(outcome.message.find(Path("IMG2.jpg")), std::string::npos);
  EXPECT_EQ(Attributes("temp") & ClearableMarks(), 0u);
}
#endif

}  // namespace
