#pragma once
// GBK and the UTF-16 of the Windows "W" functions, for the Windows front end
// and the file system (Windows only).
#include <string>
#include <string_view>

namespace platform {

// GBK bytes to UTF-16. Bytes that do not form a GBK character become U+FFFD.
std::wstring WideFromGbk(std::string_view gbk);

// UTF-16 to GBK. A character that GBK cannot hold, or a lone surrogate,
// becomes "?".
std::string GbkFromWide(std::wstring_view wide);

}  // namespace platform
