#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "canvas/decode_picture.h"

namespace canvas {
namespace {

// libjpeg's own working memory, beyond the picture; past it a file fails
// cleanly instead of exhausting the machine. Enough for a progressive
// four-component picture at the size cap.
constexpr long kMaxLibjpegMemory = static_cast<long>(kMaxPictureBytes) * 4;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void ExitToDecoder(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Corrupt-data warnings are neither shown nor recorded; decoding goes on.
void IgnoreMessage(j_common_ptr, int) {}

// Whatever the decoding builds must not need destructors skipped by longjmp:
// it lives in the caller's frame and is only filled here.
bool DecodeInto(ByteSpan bytes, DecodedPicture& out) {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ExitToDecoder;
  errors.base.emit_message = IgnoreMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  // The memory source supplies an end-of-image marker when the data runs out.
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  // The card's decoder takes Huffman-coded files only, whatever this libjpeg can do.
  if (cinfo.arith_code) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  // Refuse oversized pictures before libjpeg sets up its buffers: progressive
  // and multi-scan files hold the whole image's coefficients while decoding.
  if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height, 3)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  cinfo.mem->max_memory_to_use = kMaxLibjpegMemory;
  jpeg_start_decompress(&cinfo);

  const int components = cinfo.output_components;
  const auto width = static_cast<std::int64_t>(cinfo.output_width);
  const auto height = static_cast<std::int64_t>(cinfo.output_height);
  if (!PictureSizeAllowed(width, height, 3) || (components != 1 && components != 3 && components != 4)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  out.format = PictureFormat::Jpeg;
  out.width = static_cast<std::int32_t>(width);
  out.height = static_cast<std::int32_t>(height);
  out.rgb.resize(static_cast<std::size_t>(width * height * 3));

  const auto w = static_cast<std::size_t>(width);
  if (components == 3) {
    // RGB rows land straight in the picture: no extra copy.
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * w * 3;
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
  } else {
    // Taken from libjpeg's pool so that an error exit frees it too.
    JSAMPARRAY buffer = (*cinfo.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
        static_cast<JDIMENSION>(w * static_cast<std::size_t>(components)), 1);
    const JSAMPLE* line = buffer[0];
    while (cinfo.output_scanline < cinfo.output_height) {
      std::uint8_t* dst = out.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * w * 3;
      jpeg_read_scanlines(&cinfo, buffer, 1);
      for (std::size_t x = 0; x < w; ++x) {
        if (components == 1) {
          dst[x * 3] = dst[x * 3 + 1] = dst[x * 3 + 2] = line[x];
        } else {
          // CMYK/YCCK: a plain inversion-free approximation; the pixels of such
          // files are not pinned down, only their size.
          const std::uint8_t* p = &line[x * 4];
          dst[x * 3] = static_cast<std::uint8_t>(p[0] * p[3] / 255);
          dst[x * 3 + 1] = static_cast<std::uint8_t>(p[1] * p[3] / 255);
          dst[x * 3 + 2] = static_cast<std::uint8_t>(p[2] * p[3] / 255);
        }
      }
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

std::optional<DecodedPicture> DecodeJpeg(ByteSpan bytes) {
  if (bytes.empty()) return std::nullopt;
  std::optional<DecodedPicture> picture(std::in_place);
  if (!DecodeInto(bytes, *picture)) return std::nullopt;
  return picture;
}

}  // namespace canvas
