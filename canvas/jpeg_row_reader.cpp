#include "canvas/jpeg_row_reader.h"

#include <csetjmp>
#include <cstdio>
#include <vector>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

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

}  // namespace

// Lives on the heap at a fixed address: libjpeg keeps pointers into it. Every
// libjpeg call sits in a function that set the jump point itself, so an error
// exit only ever unwinds libjpeg's own frames.
struct JpegRowReader::State {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  bool failed = false;
  int components = 0;
  std::vector<std::uint8_t> line;  // one decoded row, for grey and CMYK files
  JSAMPROW rows[1] = {};

  State() {
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ExitToDecoder;
    errors.base.emit_message = IgnoreMessage;
    jpeg_create_decompress(&cinfo);
  }
  ~State() { jpeg_destroy_decompress(&cinfo); }

  bool Start(ByteSpan bytes) {
    if (setjmp(errors.jump)) return false;
    // The memory source supplies an end-of-image marker when the data runs out.
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    // The card's decoder takes Huffman-coded files only, whatever this libjpeg can do.
    if (cinfo.arith_code) return false;
    // Refuse oversized pictures before libjpeg sets up its buffers: progressive
    // and multi-scan files hold the whole image's coefficients while decoding.
    if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height, 3)) return false;
    cinfo.mem->max_memory_to_use = kMaxLibjpegMemory;
    jpeg_start_decompress(&cinfo);
    components = cinfo.output_components;
    if (!PictureSizeAllowed(cinfo.output_width, cinfo.output_height, 3) ||
        (components != 1 && components != 3 && components != 4))
      return false;
    if (components != 3) line.resize(std::size_t{cinfo.output_width} * static_cast<std::size_t>(components));
    return true;
  }

  bool ReadRow(std::uint8_t* rgb) {
    if (failed || cinfo.output_scanline >= cinfo.output_height) return false;
    // Colour rows land straight in the caller's row: no extra copy.
    if (components == 3) return ReadScanline(rgb);
    if (!ReadScanline(line.data())) return false;
    ToRgb(rgb);
    return true;
  }

  bool ReadScanline(JSAMPROW row) {
    rows[0] = row;
    if (setjmp(errors.jump)) {
      failed = true;
      return false;
    }
    jpeg_read_scanlines(&cinfo, rows, 1);
    return true;
  }

  void ToRgb(std::uint8_t* dst) const {
    const std::size_t w = cinfo.output_width;
    const std::uint8_t* src = line.data();
    if (components == 1) {
      for (std::size_t x = 0; x < w; ++x, dst += 3) dst[0] = dst[1] = dst[2] = src[x];
      return;
    }
    // CMYK/YCCK: a plain inversion-free approximation; the pixels of such
    // files are not pinned down, only their size.
    for (std::size_t x = 0; x < w; ++x, src += 4, dst += 3) {
      dst[0] = static_cast<std::uint8_t>(src[0] * src[3] / 255);
      dst[1] = static_cast<std::uint8_t>(src[1] * src[3] / 255);
      dst[2] = static_cast<std::uint8_t>(src[2] * src[3] / 255);
    }
  }

  bool Finish() {
    if (failed || cinfo.output_scanline < cinfo.output_height) return false;
    if (setjmp(errors.jump)) {
      failed = true;
      return false;
    }
    jpeg_finish_decompress(&cinfo);
    return true;
  }
};

std::unique_ptr<JpegRowReader> JpegRowReader::Open(ByteSpan bytes) {
  if (bytes.empty()) return nullptr;
  auto state = std::make_unique<State>();
  if (!state->Start(bytes)) return nullptr;
  return std::unique_ptr<JpegRowReader>(new JpegRowReader(std::move(state)));
}

JpegRowReader::JpegRowReader(std::unique_ptr<State> state)
    : state_(std::move(state)),
      width_(static_cast<std::int32_t>(state_->cinfo.output_width)),
      height_(static_cast<std::int32_t>(state_->cinfo.output_height)) {}

JpegRowReader::~JpegRowReader() = default;

bool JpegRowReader::ReadRow(std::uint8_t* rgb) { return state_->ReadRow(rgb); }

bool JpegRowReader::Finish() { return state_->Finish(); }

}  // namespace canvas
