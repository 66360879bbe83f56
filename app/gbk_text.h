#pragma once
// Small GBK text measures the window needs.
#include <cstddef>
#include <string_view>

namespace app {

// The number of bytes from `start` that hold whole characters and come to
// at most `max_bytes`, cut off at the end of the text. `start` must be on a
// character boundary. A lead byte that is the text's last byte counts as one
// character.
std::size_t WholeCharacterBytes(std::string_view gbk, std::size_t start, std::size_t max_bytes);

}  // namespace app
