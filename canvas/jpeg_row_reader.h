#pragma once
// A JPEG decoded one row at a time, top row first, as RGB. Callers that pass
// rows on (the canvas scaling an avatar) never hold the whole picture;
// DecodeJpeg fills a picture from it.
#include <cstdint>
#include <memory>

#include "canvas/picture.h"

namespace canvas {

class JpegRowReader {
 public:
  // Reads the header and starts decoding; nothing when the bytes hold no
  // JPEG the card decodes (the same rules as DecodeJpeg).
  static std::unique_ptr<JpegRowReader> Open(ByteSpan bytes);
  ~JpegRowReader();
  JpegRowReader(const JpegRowReader&) = delete;
  JpegRowReader& operator=(const JpegRowReader&) = delete;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  // Decodes the next row into `rgb` (Width() * 3 bytes). False when libjpeg
  // gives up; then no picture came of the bytes, whatever rows came before.
  bool ReadRow(std::uint8_t* rgb);
  // After the last row: true when the picture decoded to its end.
  bool Finish();

 private:
  struct State;
  explicit JpegRowReader(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace canvas
