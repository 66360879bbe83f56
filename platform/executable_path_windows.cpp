#include <windows.h>

#include <vector>

#include "platform/executable_path.h"
#include "platform/gbk_windows.h"

namespace platform {

std::string ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return GbkFromWide(std::wstring_view(buffer.data(), n));
    if (buffer.size() >= 32768) return {};  // longer than any Windows path
    buffer.resize(buffer.size() * 2);
  }
}

bool SetCurrentFolder(std::string_view gbk_path) {
  std::wstring path = WideFromGbk(gbk_path);
  // The run directory of a program in a drive's root is the drive alone
  // ("C:"); on its own that would mean the drive's last current folder.
  if (path.size() == 2 && path[1] == L':') path += L'\\';
  return SetCurrentDirectoryW(path.c_str()) != 0;
}

}  // namespace platform
