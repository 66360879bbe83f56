#include "platform/executable_path.h"

#include <unistd.h>

#include <vector>

#include "platform/files.h"
#include "platform/gbk.h"

namespace platform {

std::string ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < buffer.size())
      return GbkFromUtf8(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    if (buffer.size() >= (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
}

bool SetCurrentFolder(std::string_view gbk_path) {
  const std::string native = NativePath(gbk_path);
  return ::chdir(native.c_str()) == 0;
}

}  // namespace platform
