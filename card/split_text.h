#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace card {

// "、" in GBK.
inline constexpr std::string_view kTagDelimiter = "\xA1\xA2";

// Splits a GBK text at the delimiter, found only at character boundaries.
// Pieces are exact byte copies; a delimiter at the very end yields no piece.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

}  // namespace card
