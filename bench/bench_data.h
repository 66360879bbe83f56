#pragma once
// The pictures every benchmark reads, generated once at the start of a run
// into a scratch folder. Both sides of a ratio use these same bytes.
#include <filesystem>
#include <string>

#include "bench/picture_writers.h"
#include "canvas/card_canvas.h"
#include "card/card_inputs.h"

namespace bench {

struct BenchData {
  std::filesystem::path folder;
  Bytes background_jpeg;  // the card's own background
  Bytes typical_jpeg;     // 100 x 150 avatar
  Bytes photo_jpeg;       // 4000 x 3000 avatar
  std::string typical_path, photo_path;  // the avatars as files in `folder`
  Bytes gif_large;        // 2000 x 2000, 256 colours
  Bytes bmp_large;        // 2000 x 2000, 24-bit
  Bytes pcx8_large;       // 2000 x 2000, 8-bit
  // What the large pictures hold, to check each decoder's result once.
  Bytes large_indices;    // of gif_large and pcx8_large
  Bytes large_rgb;        // of bmp_large
};

inline constexpr int kTypicalWidth = 100, kTypicalHeight = 150;
inline constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;
inline constexpr int kLargeSide = 2000;

// Generates everything into `folder` (created if missing).
void PrepareData(const std::filesystem::path& folder);
const BenchData& Data();

// The window's initial texts with this avatar.
card::CardInputs CardTexts(const std::string& avatar_path);
// A canvas showing the card composed with the typical avatar.
canvas::CardCanvas ComposedCard();

}  // namespace bench
