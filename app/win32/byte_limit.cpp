#include "app/win32/byte_limit.h"

#include <algorithm>

#include "platform/gbk_windows.h"

namespace app::win32 {
namespace {

std::size_t GbkBytes(std::wstring_view text) { return platform::GbkFromWide(text).size(); }

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::size_t FittingUnits(std::wstring_view text, std::size_t max_bytes) {
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t len = IsHighSurrogate(text[i]) && i + 1 < text.size() ? 2 : 1;
    const std::size_t bytes = GbkBytes(text.substr(i, len));
    if (used + bytes > max_bytes) break;
    used += bytes;
    i += len;
  }
  return i;
}

bool InsertionFits(std::wstring_view current, std::size_t selection_start, std::size_t selection_end,
                   std::wstring_view inserted, std::size_t limit) {
  selection_end = std::min(selection_end, current.size());
  selection_start = std::min(selection_start, selection_end);
  const std::size_t kept = GbkBytes(current.substr(0, selection_start)) + GbkBytes(current.substr(selection_end));
  return kept + GbkBytes(inserted) <= limit;
}

}  // namespace app::win32
