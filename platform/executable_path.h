#pragma once
// Where the program itself lives, and the process's current folder.
#include <string>
#include <string_view>

namespace platform {

// The executable's own full path as a GBK text; empty when it cannot be found.
std::string ExecutablePath();

// Makes the GBK path the process's current folder; false on failure.
bool SetCurrentFolder(std::string_view gbk_path);

}  // namespace platform
