#pragma once
// File operations that saving needs beyond whole-file access: reading a source
// file safely, reserving a name exclusively, replacing a file only with
// complete contents, and removing a file.
#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/files.h"

namespace platform {

// The whole file, or nothing when the path is not a regular file (a folder, a
// device, a pipe), cannot be opened or read, or is longer than max_bytes.
// Never blocks on a pipe and never reads an endless device.
std::optional<Bytes> ReadRegularFile(std::string_view gbk_path, std::size_t max_bytes);

enum class CreateResult { Created, AlreadyExists, Failed };

// Creates an empty file only if no entry of that name exists (file, folder or
// link); the check and the creation are one step, so two processes can never
// both create the same name.
CreateResult CreateNewFile(std::string_view gbk_path);

// Writes the bytes into a new temporary file beside the target, flushes it to
// disk and renames it over the target. On any failure the temporary file is
// removed and the target is left as it was; true only when the target now
// holds exactly these bytes.
bool ReplaceFile(std::string_view gbk_path, const Bytes& bytes);

// Removes a file (never a folder); false when nothing was removed.
bool RemoveFile(std::string_view gbk_path);

}  // namespace platform
