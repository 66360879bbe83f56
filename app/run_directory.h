#pragma once
// The run directory: the folder that holds the program's executable.
#include <string>
#include <string_view>

namespace app {

// The executable's full path (GBK) cut at its last `separator`, which is
// dropped. The search steps over double-byte GBK characters, so a trail byte
// that equals the separator does not count. A program in the root gives the
// part before the separator ("C:" for "C:\x.exe", "" for "/x"); a path without
// any separator gives "".
std::string RunDirectoryFromExecutablePath(std::string_view executable_path, char separator);

// run_directory + separator + name: every path the program builds.
std::string JoinPath(std::string_view run_directory, std::string_view name, char separator);

// The run directory of this process, with the platform's separator.
std::string DetermineRunDirectory();

// Makes the run directory the current folder ("" means the root).
bool EnterRunDirectory(std::string_view run_directory);

}  // namespace app
