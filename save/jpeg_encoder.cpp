// Encodes a picture as a JFIF baseline JPEG with libjpeg, into memory.
#include <csetjmp>
#include <cstdio>
#include <new>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <jerror.h>

#include "save/converter_picture.h"

namespace save {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

// The library's message is formatted, as libjpeg expects of an error exit,
// and dropped: the caller learns of the failure from the result alone.
[[noreturn]] void JumpToEncoder(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

// Collects the coded bytes in the caller's vector, a chunk at a time.
struct VectorDestination {
  jpeg_destination_mgr base;
  std::vector<std::uint8_t>* out;
  JOCTET chunk[16384];
};

bool Append(std::vector<std::uint8_t>& out, const JOCTET* bytes, std::size_t count) noexcept {
  try {
    out.insert(out.end(), bytes, bytes + count);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

VectorDestination& DestinationOf(j_compress_ptr cinfo) { return *reinterpret_cast<VectorDestination*>(cinfo->dest); }

void StartDestination(j_compress_ptr cinfo) {
  VectorDestination& dest = DestinationOf(cinfo);
  dest.base.next_output_byte = dest.chunk;
  dest.base.free_in_buffer = sizeof dest.chunk;
}

// No exception may cross libjpeg's frames: a failed append becomes a libjpeg
// error, raised after the try block has ended.
boolean EmptyDestination(j_compress_ptr cinfo) {
  VectorDestination& dest = DestinationOf(cinfo);
  if (!Append(*dest.out, dest.chunk, sizeof dest.chunk)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  StartDestination(cinfo);
  return TRUE;
}

void FinishDestination(j_compress_ptr cinfo) {
  VectorDestination& dest = DestinationOf(cinfo);
  if (!Append(*dest.out, dest.chunk, sizeof dest.chunk - dest.base.free_in_buffer))
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

}  // namespace

// Nothing with a destructor lives in this frame: an error jumps back to the
// setjmp below over libjpeg's frames. `out` is the caller's.
bool EncodeJpeg(const ConverterPicture& picture, const JpegSettings& settings, std::vector<std::uint8_t>& out) {
  const int components = settings.grayscale ? 1 : 3;
  if (picture.channels != components || picture.width < 1 || picture.height < 1) return false;
  out.clear();
  jpeg_compress_struct cinfo{};
  ErrorManager errors{};
  VectorDestination destination{};
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpToEncoder;
  errors.base.emit_message = IgnoreMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  destination.base.init_destination = StartDestination;
  destination.base.empty_output_buffer = EmptyDestination;
  destination.base.term_destination = FinishDestination;
  destination.out = &out;
  cinfo.dest = &destination.base;

  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  cinfo.input_components = components;
  cinfo.in_color_space = settings.grayscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (picture.has_resolution) {
    cinfo.density_unit = 2;  // dots per centimetre, as the source gave them
    cinfo.X_density = picture.x_dots_per_cm;
    cinfo.Y_density = picture.y_dots_per_cm;
  }
  cinfo.optimize_coding = settings.optimize_coding ? TRUE : FALSE;
  cinfo.smoothing_factor = settings.smoothing;
  jpeg_set_quality(&cinfo, settings.quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  // Rows go to libjpeg straight from the picture, one per call, top first.
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(picture.Row(static_cast<std::int32_t>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace save
