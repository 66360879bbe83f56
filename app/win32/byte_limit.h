#pragma once
// Byte limits of the edit boxes, counted in GBK bytes (a Chinese character
// is 2) while the controls hold UTF-16.
#include <cstddef>
#include <string_view>

namespace app::win32 {

// How many UTF-16 units from the start of `text` hold whole characters whose
// GBK form takes at most `max_bytes`. A surrogate pair is never split.
std::size_t FittingUnits(std::wstring_view text, std::size_t max_bytes);

// Whether `inserted` may replace the selection [selection_start,
// selection_end) of `current` without the GBK text growing past `limit`.
bool InsertionFits(std::wstring_view current, std::size_t selection_start, std::size_t selection_end,
                   std::wstring_view inserted, std::size_t limit);

}  // namespace app::win32
