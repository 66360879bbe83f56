#pragma once
// Whole-file access by GBK path, the way the program names every file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using Bytes = std::vector<std::uint8_t>;

// The GBK path in the file system's own encoding (UTF-8 here).
std::string NativePath(std::string_view gbk_path);

// The whole file; empty when it cannot be opened. If fewer bytes can be read
// than the file's length, the bytes read are returned.
Bytes ReadWholeFile(std::string_view gbk_path);

// Creates or empties the file and writes all bytes; false on any failure,
// including a short write or a failed close.
bool WriteWholeFile(std::string_view gbk_path, const Bytes& bytes);

// True when a file or folder of exactly this name exists.
bool EntryExists(std::string_view gbk_path);

// Leaves the file readable and writable by its owner; false on failure.
bool ResetFileAttributes(std::string_view gbk_path);

// The separator the platform puts between folder and name.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace platform
