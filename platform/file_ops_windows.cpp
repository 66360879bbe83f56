#include <windows.h>
#undef ReplaceFile  // the system's macro would rename ours

#include <algorithm>
#include <atomic>
#include <random>
#include <string>

#include "platform/file_ops.h"
#include "platform/gbk_windows.h"

namespace platform {
namespace {

bool WriteAll(HANDLE file, const Bytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD n = 0;
    if (!WriteFile(file, bytes.data() + done, want, &n, nullptr) || n == 0) return false;  // disk full
    done += n;
  }
  return true;
}

// Where the name starts: after the last "\" or "/". A GBK trail byte can be
// 0x5C, the backslash, so double-byte characters are stepped over.
std::size_t NameStart(std::string_view gbk_path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < gbk_path.size();) {
    const auto byte = static_cast<unsigned char>(gbk_path[i]);
    if (byte >= 0x81 && byte <= 0xFE) {
      i += 2;
      continue;
    }
    if (byte == '\\' || byte == '/') start = i + 1;
    ++i;
  }
  return std::min(start, gbk_path.size());
}

// A name no other file uses: the random part keeps processes apart, the
// counter keeps calls of one process apart, CREATE_NEW settles the rest.
std::string TemporaryNameBeside(std::string_view gbk_path) {
  static std::atomic<std::uint32_t> counter{0};
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  thread_local std::mt19937_64 random(std::random_device{}() ^ static_cast<std::uint64_t>(now.QuadPart) ^
                                      (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32));
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix;
  std::uint64_t r = random() ^ (static_cast<std::uint64_t>(counter.fetch_add(1)) << 40);
  for (int i = 0; i < 10; ++i, r /= 36) suffix += kDigits[r % 36];
  const std::size_t cut = NameStart(gbk_path);
  return std::string(gbk_path.substr(0, cut)) + "." + std::string(gbk_path.substr(cut)) + "." + suffix + ".part";
}

}  // namespace

std::optional<Bytes> ReadRegularFile(std::string_view gbk_path, std::size_t max_bytes) {
  if (gbk_path.empty()) return std::nullopt;
  // Folders cannot be opened this way; devices and pipes are refused below.
  HANDLE file = CreateFileW(WideFromGbk(gbk_path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > max_bytes) {
    CloseHandle(file);
    return std::nullopt;
  }
  Bytes bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD n = 0;
    if (!ReadFile(file, bytes.data() + done, want, &n, nullptr)) {
      CloseHandle(file);
      return std::nullopt;
    }
    if (n == 0) break;  // shrunk meanwhile: keep what is there
    done += n;
  }
  CloseHandle(file);
  bytes.resize(done);
  return bytes;
}

CreateResult CreateNewFile(std::string_view gbk_path) {
  if (gbk_path.empty()) return CreateResult::Failed;
  const std::wstring path = WideFromGbk(gbk_path);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return CreateResult::AlreadyExists;
    // A folder of that name refuses with "access denied"; it still takes the name.
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return CreateResult::AlreadyExists;
    return CreateResult::Failed;
  }
  if (!CloseHandle(file)) {
    DeleteFileW(path.c_str());
    return CreateResult::Failed;
  }
  return CreateResult::Created;
}

bool ReplaceFile(std::string_view gbk_path, const Bytes& bytes) {
  if (gbk_path.empty()) return false;
  const std::wstring target = WideFromGbk(gbk_path);
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  // Another file of the same name is astronomically unlikely; a few tries
  // cover it. Any other error (no such folder, no space) ends at once.
  for (int attempt = 0; attempt < 8 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = WideFromGbk(TemporaryNameBeside(gbk_path));
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;
  // Flushed to disk before the rename, so a crash leaves the old target or
  // the new one, never an empty file under the target's name.
  bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
  if (!CloseHandle(file)) ok = false;
  if (ok) ok = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

bool RemoveFile(std::string_view gbk_path) {
  if (gbk_path.empty()) return false;
  return DeleteFileW(WideFromGbk(gbk_path).c_str()) != 0;
}

}  // namespace platform
