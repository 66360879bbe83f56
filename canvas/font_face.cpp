#include "canvas/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "platform/ui_font.h"

namespace canvas {

struct FontFace::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  int current_height = -1;
  bool current_is_strike = false;

  // Selects the strike for this height if the face has one, else scales the
  // outlines. Returns false when the face cannot be sized.
  bool SetHeight(int pixel_height) {
    if (!face) return false;
    if (pixel_height == current_height) return true;
    current_is_strike = false;
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
      if ((face->available_sizes[i].y_ppem + 32) / 64 == pixel_height && FT_Select_Size(face, i) == 0) {
        current_is_strike = true;
        break;
      }
    }
    if (!current_is_strike && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_height)) != 0)
      return false;
    current_height = pixel_height;
    return true;
  }
};

FontFace& FontFace::Default() {
  static FontFace face(platform::DefaultUiFont().path, platform::DefaultUiFont().face_index);
  return face;
}

FontFace::FontFace(const std::string& path, int face_index) : impl_(std::make_unique<Impl>()) {
  if (FT_Init_FreeType(&impl_->library) != 0) {
    impl_->library = nullptr;
    return;
  }
  if (path.empty() || FT_New_Face(impl_->library, path.c_str(), face_index, &impl_->face) != 0)
    impl_->face = nullptr;
}

FontFace::~FontFace() {
  if (impl_->face) FT_Done_Face(impl_->face);
  if (impl_->library) FT_Done_FreeType(impl_->library);
}

bool FontFace::Usable() const { return impl_->face != nullptr; }

static int EffectiveHeight(int pixel_height) {
  return pixel_height > 0 ? pixel_height : FontFace::kDefaultPixelHeight;
}

bool FontFace::HasStrike(int pixel_height) {
  std::lock_guard lock(mutex_);
  return impl_->SetHeight(EffectiveHeight(pixel_height)) && impl_->current_is_strike;
}

int FontFace::Ascender(int pixel_height) {
  std::lock_guard lock(mutex_);
  const int h = EffectiveHeight(pixel_height);
  if (!impl_->SetHeight(h)) return h;
  return static_cast<int>((impl_->face->size->metrics.ascender + 63) >> 6);
}

int FontFace::LineHeight(int pixel_height) {
  std::lock_guard lock(mutex_);
  const int h = EffectiveHeight(pixel_height);
  if (!impl_->SetHeight(h)) return h;
  const FT_Size_Metrics& m = impl_->face->size->metrics;
  return static_cast<int>(((m.ascender + 63) >> 6) + ((-m.descender + 63) >> 6));
}

void FontFace::DrawLine(std::u32string_view text, int pixel_height, std::int32_t x, std::int32_t y,
                        Rgb color, RgbSurface surface) {
  std::lock_guard lock(mutex_);
  const int h = EffectiveHeight(pixel_height);
  if (!impl_->SetHeight(h)) return;
  FT_Face face = impl_->face;
  const std::int64_t baseline = static_cast<std::int64_t>(y) + ((face->size->metrics.ascender + 63) >> 6);
  std::int64_t pen_x = x;
  // Outlines are anti-aliased: monochrome outlines lose thin strokes.
  const FT_Int32 load_flags = FT_LOAD_RENDER | (impl_->current_is_strike ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  for (char32_t ch : text) {
    if (pen_x >= surface.width) break;  // the rest is cut off at the right edge
    if (FT_Load_Char(face, ch, load_flags) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    const std::int64_t left = pen_x + g->bitmap_left;
    const std::int64_t top = baseline - g->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row) {
      const std::int64_t py = top + row;
      if (py < 0 || py >= surface.height) continue;
      const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(row) * bm.pitch;
      std::uint8_t* dst_row = surface.pixels + static_cast<std::size_t>(py) * static_cast<std::size_t>(surface.width) * 3;
      for (unsigned col = 0; col < bm.width; ++col) {
        const std::int64_t px = left + col;
        if (px < 0 || px >= surface.width) continue;
        unsigned coverage = 0;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
          coverage = (src[col >> 3] & (0x80u >> (col & 7))) ? 255u : 0u;
        else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
          coverage = src[col];
        if (coverage == 0) continue;
        std::uint8_t* p = dst_row + static_cast<std::size_t>(px) * 3;
        const unsigned inv = 255u - coverage;
        p[0] = static_cast<std::uint8_t>((color.r * coverage + p[0] * inv + 127) / 255);
        p[1] = static_cast<std::uint8_t>((color.g * coverage + p[1] * inv + 127) / 255);
        p[2] = static_cast<std::uint8_t>((color.b * coverage + p[2] * inv + 127) / 255);
      }
    }
    pen_x += (g->advance.x + 32) >> 6;
  }
}

}  // namespace canvas
