#include "canvas/card_canvas.h"

#include <algorithm>
#include <cmath>

#include "canvas/area_scaler.h"
#include "canvas/decode_picture.h"
#include "canvas/font_face.h"
#include "canvas/jpeg_row_reader.h"
#include "platform/gbk.h"

namespace canvas {
namespace {

constexpr Region kWholeArea{0, 0, CardCanvas::kWidth, CardCanvas::kHeight};
// Larger target rectangles than this are not drawn; the card never asks for them.
constexpr std::int32_t kMaxTargetSize = 1 << 16;

Region Intersect(Region a, Region b) {
  const std::int64_t x0 = std::max<std::int64_t>(a.x, b.x);
  const std::int64_t y0 = std::max<std::int64_t>(a.y, b.y);
  const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
  if (x1 <= x0 || y1 <= y0) return Region{};
  return Region{static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0),
                static_cast<std::int32_t>(x1 - x0), static_cast<std::int32_t>(y1 - y0)};
}

// Decodes UTF-8 into code points; anything malformed was already replaced
// by the GBK conversion.
std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    std::size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
    if (i + len > utf8.size()) len = 1;
    char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(cp);
    i += len;
  }
  return out;
}

// How a picture's pixels look when drawn: 3 channels (RGB) or 4 (RGB
// premultiplied by opacity, for pictures with a mask).
int DrawChannels(const DecodedPicture& p) {
  return (p.format == PictureFormat::Icon || p.format == PictureFormat::Cursor) ? 4 : 3;
}

// Fills `scratch` (or points into the picture) with source row y.
const std::uint8_t* DrawRow(const DecodedPicture& p, std::int32_t y, std::uint8_t* scratch,
                            Rgb pcx1_zero, Rgb pcx1_one) {
  const auto w = static_cast<std::size_t>(p.width);
  const auto row = static_cast<std::size_t>(y);
  switch (p.format) {
    case PictureFormat::Jpeg:
    case PictureFormat::Bmp: return p.rgb.data() + row * w * 3;
    case PictureFormat::Gif:
    case PictureFormat::Pcx8: {
      const std::uint8_t* idx = p.indices.data() + row * w;
      for (std::size_t x = 0; x < w; ++x) {
        const Rgb c = p.palette[idx[x]];
        scratch[x * 3] = c.r;
        scratch[x * 3 + 1] = c.g;
        scratch[x * 3 + 2] = c.b;
      }
      return scratch;
    }
    case PictureFormat::Icon:
    case PictureFormat::Cursor: {
      const std::uint8_t* rgb = p.rgb.data() + row * w * 3;
      const std::uint8_t* mask = p.mask.data() + row * w;
      for (std::size_t x = 0; x < w; ++x) {
        const bool opaque = mask[x] == 0;
        scratch[x * 4] = opaque ? rgb[x * 3] : 0;
        scratch[x * 4 + 1] = opaque ? rgb[x * 3 + 1] : 0;
        scratch[x * 4 + 2] = opaque ? rgb[x * 3 + 2] : 0;
        scratch[x * 4 + 3] = opaque ? 255 : 0;
      }
      return scratch;
    }
    case PictureFormat::Pcx1: {
      const std::uint8_t* bits = p.bits.data() + row * p.BitRowStride();
      for (std::size_t x = 0; x < w; ++x) {
        const Rgb c = (bits[x >> 3] & (0x80u >> (x & 7))) ? pcx1_one : pcx1_zero;
        scratch[x * 3] = c.r;
        scratch[x * 3 + 1] = c.g;
        scratch[x * 3 + 2] = c.b;
      }
      return scratch;
    }
    case PictureFormat::Unrecognised: break;
  }
  std::fill(scratch, scratch + w * 3, std::uint8_t{0});
  return scratch;
}

// A picture is only drawn when its pixels are all there.
bool Drawable(const DecodedPicture& p) {
  if (p.width <= 0 || p.height <= 0) return false;
  const auto n = static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height);
  switch (p.format) {
    case PictureFormat::Jpeg:
    case PictureFormat::Bmp: return p.rgb.size() >= n * 3;
    case PictureFormat::Icon:
    case PictureFormat::Cursor: return p.rgb.size() >= n * 3 && p.mask.size() >= n;
    case PictureFormat::Gif:
    case PictureFormat::Pcx8: return p.indices.size() >= n;
    case PictureFormat::Pcx1: return p.bits.size() >= p.BitRowStride() * static_cast<std::size_t>(p.height);
    case PictureFormat::Unrecognised: break;
  }
  return false;
}

}  // namespace

CardCanvas::CardCanvas(PictureBytes background, int dpi)
    : pixels_(static_cast<std::size_t>(kWidth) * kHeight * 3), dpi_(dpi) {
  SetBackgroundPicture(std::move(background));
}

int CardCanvas::PixelHeightForPoints(std::int32_t points, int dpi) {
  if (points <= 0) return 0;
  const double exact = static_cast<double>(points) * dpi / 72.0;
  return static_cast<int>(std::floor(exact + 0.5));
}

void CardCanvas::SetBackgroundPicture(PictureBytes bytes) {
  background_bytes_ = std::move(bytes);
  decoded_background_.reset();
  PaintBackground(kWholeArea);
}

void CardCanvas::SetFontSize(std::int32_t points) { pixel_height_ = PixelHeightForPoints(points, dpi_); }

void CardCanvas::SetTextColor(ColorRef color) { text_color_ = color; }

Rgb CardCanvas::PixelAt(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return Rgb{};
  const std::uint8_t* p = pixels_.data() + (static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 3;
  return Rgb{p[0], p[1], p[2]};
}

void CardCanvas::Changed() {
  if (listener_) listener_();
}

void CardCanvas::WriteTextAt(std::int32_t x, std::int32_t y, std::string_view gbk_text) {
  if (gbk_text.empty()) return;
  FontFace& font = FontFace::Default();
  const std::int64_t line_step = font.LineHeight(pixel_height_) + 2;
  const Rgb color = RgbFromColorRef(text_color_);
  std::int64_t line_y = y;
  std::size_t pos = 0;
  while (pos <= gbk_text.size()) {
    std::size_t end = gbk_text.find_first_of("\r\n", pos);
    const bool last = end == std::string_view::npos;
    if (last) end = gbk_text.size();
    if (end > pos && line_y < kHeight && line_y > -4 * line_step - 1024) {
      const std::u32string line = CodePoints(platform::Utf8FromGbk(gbk_text.substr(pos, end - pos)));
      font.DrawLine(line, pixel_height_, x, static_cast<std::int32_t>(line_y), color,
                    RgbSurface{pixels_.data(), kWidth, kHeight});
    }
    if (last) break;
    // CR LF (and LF LF) count as one line end.
    pos = end + 1;
    if (pos < gbk_text.size() && gbk_text[pos] == '\n') ++pos;
    line_y += line_step;
    if (pos == gbk_text.size()) break;
  }
  Changed();
}

void CardCanvas::DrawPicture(const std::optional<DecodedPicture>& picture, std::int32_t x, std::int32_t y,
                             std::int32_t width, std::int32_t height) {
  if (!picture || !Drawable(*picture)) return;
  if (width <= 0 || height <= 0 || width > kMaxTargetSize || height > kMaxTargetSize) return;
  BlendScaled(*picture, x, y, width, height, false, kWholeArea);
  Changed();
}

void CardCanvas::DrawPictureBytes(ByteSpan bytes, std::int32_t x, std::int32_t y, std::int32_t width,
                                  std::int32_t height) {
  if (IdentifyPictureFormat(bytes) != PictureFormat::Jpeg) return DrawPicture(DecodePicture(bytes), x, y, width, height);
  if (width <= 0 || height <= 0 || width > kMaxTargetSize || height > kMaxTargetSize) return;
  const std::unique_ptr<JpegRowReader> reader = JpegRowReader::Open(bytes);
  if (!reader) return;
  const Region target = Intersect(Region{x, y, width, height}, kWholeArea);
  // The scaled rows wait here until the whole picture has decoded.
  const std::size_t shown_row = static_cast<std::size_t>(target.width) * 3;
  std::vector<std::uint8_t> shown(shown_row * static_cast<std::size_t>(target.height));
  AreaScaler scaler(reader->Width(), reader->Height(), 3, width, height,
                    [&](std::int32_t ty, const std::uint8_t* row) {
                      const std::int64_t cy = std::int64_t{y} + ty;
                      if (cy < target.y || cy >= std::int64_t{target.y} + target.height) return;
                      std::copy_n(row + static_cast<std::size_t>(target.x - x) * 3, shown_row,
                                  shown.data() + static_cast<std::size_t>(cy - target.y) * shown_row);
                    });
  std::vector<std::uint8_t> line(static_cast<std::size_t>(reader->Width()) * 3);
  for (std::int32_t sy = 0; sy < reader->Height(); ++sy) {
    if (!reader->ReadRow(line.data())) return;
    scaler.AddRow(line.data());
  }
  if (!reader->Finish()) return;
  for (std::int32_t r = 0; r < target.height; ++r)
    std::copy_n(shown.data() + static_cast<std::size_t>(r) * shown_row, shown_row,
                pixels_.data() + (static_cast<std::size_t>(target.y + r) * kWidth + static_cast<std::size_t>(target.x)) * 3);
  Changed();
}

void CardCanvas::BlendScaled(const DecodedPicture& picture, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height, bool as_background, Region clip) {
  const Region target = Intersect(Region{x, y, width, height}, clip);
  if (target.width == 0) return;
  // A 1-bit PCX shows 0 white and 1 in the background colour as an avatar,
  // but black and white as a background.
  const Rgb zero = as_background ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
  const Rgb one = as_background ? Rgb{255, 255, 255} : RgbFromColorRef(background_color_);
  const int channels = DrawChannels(picture);
  std::vector<std::uint8_t> scratch(static_cast<std::size_t>(picture.width) * 4);

  auto put_row = [&](std::int32_t ty, const std::uint8_t* row) {
    const std::int64_t cy = std::int64_t{y} + ty;
    if (cy < target.y || cy >= std::int64_t{target.y} + target.height) return;
    std::uint8_t* dst = pixels_.data() + static_cast<std::size_t>(cy) * kWidth * 3;
    if (channels == 3) {
      std::copy_n(row + static_cast<std::size_t>(target.x - x) * 3, static_cast<std::size_t>(target.width) * 3,
                  dst + static_cast<std::size_t>(target.x) * 3);
      return;
    }
    for (std::int32_t cx = target.x; cx < target.x + target.width; ++cx) {
      const std::uint8_t* s = row + static_cast<std::size_t>(cx - x) * 4;
      std::uint8_t* d = dst + static_cast<std::size_t>(cx) * 3;
      // Premultiplied: where the mask made the pixel transparent the canvas stays.
      const unsigned keep = 255u - s[3];
      d[0] = static_cast<std::uint8_t>(s[0] + (d[0] * keep + 127) / 255);
      d[1] = static_cast<std::uint8_t>(s[1] + (d[1] * keep + 127) / 255);
      d[2] = static_cast<std::uint8_t>(s[2] + (d[2] * keep + 127) / 255);
    }
  };

  if (width == picture.width && height == picture.height) {
    // Natural size: a plain copy of the rows that show.
    for (std::int32_t cy = target.y; cy < target.y + target.height; ++cy)
      put_row(cy - y, DrawRow(picture, cy - y, scratch.data(), zero, one));
    return;
  }
  ScaleByAreaAveraging(
      picture.width, picture.height, channels,
      [&](std::int32_t sy, std::uint8_t* buffer) { return DrawRow(picture, sy, buffer, zero, one); },
      width, height, put_row);
}

void CardCanvas::PaintBackground(Region region) {
  const Region area = Intersect(region, kWholeArea);
  if (area.width == 0) return;
  if (!background_bytes_.empty() && !decoded_background_) {
    decoded_background_ = DecodePicture(background_bytes_);
    // Bytes that are no picture are dropped, so later repaints don't retry.
    if (!decoded_background_ || !Drawable(*decoded_background_)) {
      decoded_background_.reset();
      background_bytes_.clear();
    }
  }
  // Tiles of an opaque picture cover the whole area; the colour shows only
  // without one, or through a picture's transparent pixels.
  const bool covered = decoded_background_ && DrawChannels(*decoded_background_) == 3;
  const Rgb fill = RgbFromColorRef(background_color_);
  for (std::int32_t yy = area.y; !covered && yy < area.y + area.height; ++yy) {
    std::uint8_t* p = pixels_.data() + (static_cast<std::size_t>(yy) * kWidth + static_cast<std::size_t>(area.x)) * 3;
    for (std::int32_t xx = 0; xx < area.width; ++xx, p += 3) {
      p[0] = fill.r;
      p[1] = fill.g;
      p[2] = fill.b;
    }
  }
  if (decoded_background_) {
    const DecodedPicture& bg = *decoded_background_;
    const std::int32_t first_col = area.x / bg.width;
    const std::int32_t first_row = area.y / bg.height;
    for (std::int64_t ty = std::int64_t{first_row} * bg.height; ty < area.y + area.height; ty += bg.height)
      for (std::int64_t tx = std::int64_t{first_col} * bg.width; tx < area.x + area.width; tx += bg.width)
        BlendScaled(bg, static_cast<std::int32_t>(tx), static_cast<std::int32_t>(ty), bg.width, bg.height, true,
                    area);
  }
  Changed();
}

}  // namespace canvas
