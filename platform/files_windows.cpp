#include <windows.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/gbk_windows.h"

namespace platform {

std::string NativePath(std::string_view gbk_path) { return Utf8FromGbk(gbk_path); }

Bytes ReadWholeFile(std::string_view gbk_path) {
  if (gbk_path.empty()) return {};
  // A folder cannot be opened this way, so it reads as no file.
  HANDLE file = CreateFileW(WideFromGbk(gbk_path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  Bytes bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  std::uint8_t chunk[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file, chunk, sizeof chunk, &n, nullptr) || n == 0) break;  // keeps the bytes read so far
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(std::string_view gbk_path, const Bytes& bytes) {
  if (gbk_path.empty()) return false;
  // No sharing while it is written. A read-only, hidden or system file
  // refuses to be replaced; the attribute reset after it clears that.
  HANDLE file = CreateFileW(WideFromGbk(gbk_path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD n = 0;
    if (!WriteFile(file, bytes.data() + done, want, &n, nullptr) || n == 0) {
      ok = false;
      break;
    }
    done += n;
  }
  if (!CloseHandle(file)) ok = false;
  return ok;
}

bool EntryExists(std::string_view gbk_path) {
  if (gbk_path.empty()) return false;
  // A directory search for the one name, as the system does it: letter case
  // is ignored, and a folder counts as much as a file.
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(WideFromGbk(gbk_path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool ResetFileAttributes(std::string_view gbk_path) {
  const std::wstring path = WideFromGbk(gbk_path);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  constexpr DWORD kCleared =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  DWORD kept = attributes & ~kCleared & ~static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY);
  if (kept == 0) kept = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesW(path.c_str(), kept) != 0;
}

}  // namespace platform
