#pragma once
// The UI font, rendered with FreeType. Opened once per process.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>

#include "canvas/picture.h"

namespace canvas {

struct RgbSurface {
  std::uint8_t* pixels;  // rows of width*3 bytes, top row first
  std::int32_t width;
  std::int32_t height;
};

class FontFace {
 public:
  // The face standing in for the system's default UI font.
  static FontFace& Default();

  // Opens face `face_index` of the file; an unusable file gives a face that
  // draws nothing.
  FontFace(const std::string& path, int face_index);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  bool Usable() const;

  // The height used when a size leaves it to the font.
  static constexpr int kDefaultPixelHeight = 12;

  // Ascender plus descender at this character height, in pixels.
  int LineHeight(int pixel_height);
  int Ascender(int pixel_height);

  // Draws one line of text with the top-left corner of its first character
  // cell at (x, y), clipped to the surface. Only the glyphs' own pixels change.
  void DrawLine(std::u32string_view text, int pixel_height, std::int32_t x, std::int32_t y,
                Rgb color, RgbSurface surface);

  // Whether the face has a bitmap strike for this height (crisp one-bit glyphs).
  bool HasStrike(int pixel_height);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::mutex mutex_;  // FreeType faces are not safe to share between threads
};

}  // namespace canvas
