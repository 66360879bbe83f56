#pragma once
// The card's drawing surface: a 273 x 159 RGB area with a background picture,
// a font and a text colour. It keeps what is drawn on it, so a window repaint
// shows the card as composed and a snapshot saves what the user sees.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "canvas/color.h"
#include "canvas/picture.h"

namespace canvas {

struct Region {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
};

class CardCanvas {
 public:
  static constexpr std::int32_t kWidth = 273;
  static constexpr std::int32_t kHeight = 159;
  // Stand-in for the system's button-face colour.
  static constexpr ColorRef kButtonFaceColor = 0xF0F0F0;

  // `background` is the picture it starts with; `dpi` turns points into pixels.
  explicit CardCanvas(PictureBytes background = {}, int dpi = 96);

  // Keeps a copy of the bytes (empty removes the picture) and repaints the
  // whole area from it at once: everything drawn before is gone.
  void SetBackgroundPicture(PictureBytes bytes);
  void SetFontSize(std::int32_t points);
  void SetTextColor(ColorRef color);
  void WriteTextAt(std::int32_t x, std::int32_t y, std::string_view gbk_text);
  void DrawPicture(const std::optional<DecodedPicture>& picture, std::int32_t x, std::int32_t y,
                   std::int32_t width, std::int32_t height);
  // Decodes `bytes` and draws the picture as DrawPicture(DecodePicture(bytes))
  // would. A JPEG goes from the decoder into the scaler row by row, so its
  // decoded picture is never held whole; one that fails part-way draws nothing.
  void DrawPictureBytes(ByteSpan bytes, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
  // Paints the background (picture tiled from the top-left, or the
  // background colour) over the region, wiping what was drawn there.
  void PaintBackground(Region region);

  // Current state, for the window and for tests.
  int Dpi() const { return dpi_; }
  int FontPixelHeight() const { return pixel_height_; }
  ColorRef TextColor() const { return text_color_; }
  ColorRef BackgroundColor() const { return background_color_; }
  bool HasBackgroundPicture() const { return !background_bytes_.empty(); }

  // Pixels: kHeight rows of kWidth*3 bytes (red, green, blue), top row first.
  const std::uint8_t* Pixels() const { return pixels_.data(); }
  Rgb PixelAt(std::int32_t x, std::int32_t y) const;

  // Called after every change of the pixels (the window repaints its view).
  void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

  // Pixel height for a size in points at this dpi: rounded, halves away
  // from zero; negative sizes count as 0, which means the font's default.
  static int PixelHeightForPoints(std::int32_t points, int dpi);

 private:
  void Changed();
  void BlendScaled(const DecodedPicture& picture, std::int32_t x, std::int32_t y,
                   std::int32_t width, std::int32_t height, bool as_background, Region clip);

  std::vector<std::uint8_t> pixels_;
  PictureBytes background_bytes_;
  std::optional<DecodedPicture> decoded_background_;
  ColorRef background_color_ = kButtonFaceColor;
  int dpi_;
  int pixel_height_ = 0;  // 0: the font's default
  ColorRef text_color_ = 0x000000;
  std::function<void()> listener_;
};

}  // namespace canvas
