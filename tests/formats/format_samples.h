#pragma once
// Small hand-built files shared by the decoder tests and the drawing tests.
#include <cstdint>
#include <map>

#include "format_test_support.h"

namespace format_tests {

// The smallest whole file: a 2 x 2 screen with one 2 x 2 image.
inline constexpr std::uint8_t kTwoByTwoGif[] = {
    'G', 'I', 'F', '8', '7', 'a',  // signature
    2, 0, 2, 0,                    // logical screen 2 x 2
    0x81,                          // global colour table of 2^(1+1) = 4 entries
    3,                             // background colour index
    0,                             // aspect ratio
    0xFF, 0x00, 0x00,              // 0 red
    0x00, 0xFF, 0x00,              // 1 green
    0x00, 0x00, 0xFF,              // 2 blue
    0xFF, 0xFF, 0xFF,              // 3 white
    0x2C,                          // image descriptor
    0, 0, 0, 0,                    // left, top
    2, 0, 2, 0,                    // 2 x 2
    0x00,                          // no local table, not interlaced
    2,                             // initial code size: clear 4, end 5
    3, 0x44, 0x34, 0x05,           // codes: clear 4, 0, 1, 2 (3 bits), 3, end 5 (4 bits)
    0,                             // end of the image data
    0x3B,                          // trailer
};
static_assert(sizeof(kTwoByTwoGif) == 13 + 4 * 3 + 10 + 1 + 4 + 1 + 1);

// A whole icon file: one 2 x 2 entry of 1 bit per pixel.
inline constexpr std::uint8_t kOneBitIcon[] = {
    0, 0, 1, 0, 1, 0,                // reserved, type 1 (icon), 1 entry
    2, 2, 2, 0,                      // entry: width, height, 2 colours, reserved
    1, 0, 1, 0,                      //   planes, bits per pixel (not used)
    64, 0, 0, 0,                     //   image size
    22, 0, 0, 0,                     //   image offset
    40, 0, 0, 0,                     // information header size
    2, 0, 0, 0,                      //   width 2
    4, 0, 0, 0,                      //   height 4: colour rows and mask rows
    1, 0, 1, 0,                      //   planes 1, 1 bit per pixel
    0, 0, 0, 0, 0, 0, 0, 0,          //   uncompressed, image size
    0, 0, 0, 0, 0, 0, 0, 0,          //   resolution
    0, 0, 0, 0, 0, 0, 0, 0,          //   colours used (0: all 2), important
    0xFF, 0x00, 0x00, 0,             // colour 0 blue (blue, green, red, reserved)
    0x00, 0xFF, 0xFF, 0,             // colour 1 yellow
    0x80, 0, 0, 0,                   // bottom colour row: 1 0
    0x40, 0, 0, 0,                   // top colour row: 0 1
    0x40, 0, 0, 0,                   // bottom mask row: right pixel transparent
    0x00, 0, 0, 0,                   // top mask row: all opaque
};
static_assert(sizeof(kOneBitIcon) == 6 + 16 + 40 + 2 * 4 + 2 * 4 + 2 * 4);

// PCX: the header fields the decoder reads; the rest of the 128 bytes is zero.
inline constexpr std::size_t kPcxHeaderSize = 128;
struct PcxFields {
  std::uint8_t manufacturer = 0x0A;
  std::uint8_t version = 5;
  std::uint8_t encoding = 1;  // run-length
  std::uint8_t bits_per_pixel = 8;
  std::uint16_t x_min = 0, y_min = 0, x_max = 0, y_max = 0;
  std::uint8_t planes = 1;
  std::uint16_t bytes_per_line = 0;
};

Bytes PcxHeader(const PcxFields& fields);
// Headers of width x height files with one plane: 8 bits (version 5) and 1 bit (version 3).
PcxFields Pcx8(std::uint16_t width, std::uint16_t height);
PcxFields Pcx1(std::uint16_t width, std::uint16_t height);
// The 0x0C marker and 256 colours; those not given are black.
Bytes PcxPalette(const std::map<int, canvas::Rgb>& colors);

template <typename Change>
PcxFields With(PcxFields fields, Change change) {
  change(fields);
  return fields;
}

}  // namespace format_tests
