#include "app/run_directory.h"

#include "platform/executable_path.h"
#include "platform/files.h"

namespace app {

std::string RunDirectoryFromExecutablePath(std::string_view executable_path, char separator) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < executable_path.size();) {
    const auto byte = static_cast<unsigned char>(executable_path[i]);
    if (byte >= 0x80) {
      i += 2;  // a GBK lead byte and its trail byte
      continue;
    }
    if (executable_path[i] == separator) last = i;
    ++i;
  }
  if (last == std::string_view::npos) return {};
  return std::string(executable_path.substr(0, last));
}

std::string JoinPath(std::string_view run_directory, std::string_view name, char separator) {
  std::string path(run_directory);
  path += separator;
  path += name;
  return path;
}

std::string DetermineRunDirectory() {
  return RunDirectoryFromExecutablePath(platform::ExecutablePath(), platform::kPathSeparator);
}

bool EnterRunDirectory(std::string_view run_directory) {
  if (run_directory.empty()) return platform::SetCurrentFolder(std::string(1, platform::kPathSeparator));
  return platform::SetCurrentFolder(run_directory);
}

}  // namespace app
