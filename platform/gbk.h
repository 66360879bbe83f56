#pragma once
// GBK (code page 936) texts are the program's own strings; the toolkits and the
// file system speak UTF-8. These convert at that boundary.
#include <string>
#include <string_view>

namespace platform {

// GBK bytes to UTF-8. Bytes that do not form a GBK character become U+FFFD.
std::string Utf8FromGbk(std::string_view gbk);

// UTF-8 to GBK. A character that GBK cannot hold becomes "?"; so does
// malformed UTF-8, one "?" per bad byte.
std::string GbkFromUtf8(std::string_view utf8);

// Number of bytes the UTF-8 text takes once converted to GBK.
std::size_t GbkLength(std::string_view utf8);

}  // namespace platform
