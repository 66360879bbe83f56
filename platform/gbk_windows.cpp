#include <windows.h>

#include "platform/gbk.h"
#include "platform/gbk_windows.h"

namespace platform {
namespace {

constexpr UINT kGbkCodePage = 936;

// The whole text in one call, or nothing when any character does not convert.
bool StrictToWide(UINT code_page, std::string_view in, std::wstring& out) {
  out.clear();
  if (in.empty()) return true;
  const int n = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()),
                                    nullptr, 0);
  if (n <= 0) return false;
  out.resize(static_cast<std::size_t>(n));
  return MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()),
                             out.data(), n) == n;
}

// One character of GBK at the start of `in`: its UTF-16 and its length in
// bytes, or U+FFFD over one byte when the bytes form no character.
std::size_t OneGbkCharacter(std::string_view in, std::wstring& out) {
  const auto lead = static_cast<unsigned char>(in[0]);
  if (lead < 0x80) {
    out += static_cast<wchar_t>(lead);
    return 1;
  }
  std::wstring wide;
  if (in.size() >= 2 && lead >= 0x81 && lead <= 0xFE && StrictToWide(kGbkCodePage, in.substr(0, 2), wide) &&
      wide.size() == 1) {
    out += wide;
    return 2;
  }
  if (StrictToWide(kGbkCodePage, in.substr(0, 1), wide) && wide.size() == 1) {  // 0x80, the euro sign
    out += wide;
    return 1;
  }
  out += L'\xFFFD';
  return 1;
}

// UTF-8 to UTF-16 where every malformed byte becomes one "?".
std::wstring WideFromUtf8Lenient(std::string_view utf8) {
  std::wstring out;
  if (StrictToWide(CP_UTF8, utf8, out)) return out;
  out.clear();
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                            : (lead >> 3) == 0x1E ? 4 : 0;
    std::wstring wide;
    if (len > 0 && i + len <= utf8.size() && StrictToWide(CP_UTF8, utf8.substr(i, len), wide)) {
      out += wide;
      i += len;
    } else {
      out += L'?';
      ++i;
    }
  }
  return out;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring WideFromGbk(std::string_view gbk) {
  std::wstring out;
  if (StrictToWide(kGbkCodePage, gbk, out)) return out;
  out.clear();
  for (std::size_t i = 0; i < gbk.size();) i += OneGbkCharacter(gbk.substr(i), out);
  return out;
}

std::string GbkFromWide(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size() * 2);
  // One code point at a time, so that a character outside GBK (a surrogate
  // pair included) becomes exactly one "?", and no "best fit" look-alike
  // stands in for it.
  for (std::size_t i = 0; i < wide.size();) {
    std::size_t len = 1;
    if (wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF)
      len = 2;
    if (wide[i] < 0x80) {
      out += static_cast<char>(wide[i]);
      ++i;
      continue;
    }
    char buffer[8];
    BOOL used_default = FALSE;
    const int n = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data() + i, static_cast<int>(len),
                                      buffer, sizeof buffer, nullptr, &used_default);
    if (n > 0 && !used_default)
      out.append(buffer, static_cast<std::size_t>(n));
    else
      out += '?';
    i += len;
  }
  return out;
}

std::string Utf8FromGbk(std::string_view gbk) { return Utf8FromWide(WideFromGbk(gbk)); }

std::string GbkFromUtf8(std::string_view utf8) { return GbkFromWide(WideFromUtf8Lenient(utf8)); }

std::size_t GbkLength(std::string_view utf8) { return GbkFromUtf8(utf8).size(); }

}  // namespace platform
