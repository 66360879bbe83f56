// Reads JPEG files through libjpeg: those that decode to gray or RGB.
#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "save/converter_picture.h"

namespace save {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JumpToReader(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings about damaged data are not errors: decoding goes on.
void IgnoreMessage(j_common_ptr, int) {}

}  // namespace

// Nothing with a destructor lives in this frame: an error jumps back to the
// setjmp below over libjpeg's frames. The picture is the caller's.
ReadOutcome ReadJpegSource(canvas::ByteSpan file, ConverterPicture& picture) {
  if (file.size() < 2 || file[0] != 0xFF || file[1] != 0xD8) return ReadOutcome::NotAccepted;
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  // Set between setjmp and a possible longjmp, so it must stay in memory.
  volatile bool accepted = false;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpToReader;
  errors.base.emit_message = IgnoreMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return accepted ? ReadOutcome::DecodeFailed : ReadOutcome::NotAccepted;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  jpeg_calc_output_dimensions(&cinfo);
  const int components = cinfo.output_components;
  if (components != 1 && components != 3) {  // CMYK and YCCK files are not taken
    jpeg_destroy_decompress(&cinfo);
    return ReadOutcome::NotAccepted;
  }
  accepted = true;
  if (!AllocatePicture(picture, cinfo.output_width, cinfo.output_height, components)) {
    jpeg_destroy_decompress(&cinfo);
    return ReadOutcome::DecodeFailed;
  }
  jpeg_start_decompress(&cinfo);
  const std::size_t row_bytes = static_cast<std::size_t>(cinfo.output_width) * static_cast<std::size_t>(components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = picture.pixels.data() + static_cast<std::size_t>(cinfo.output_scanline) * row_bytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return ReadOutcome::Decoded;
}

}  // namespace save
