#include "platform/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace platform {
namespace {

// glibc's CP936 matches the Windows code page, euro sign at 0x80 included.
constexpr const char* kGbkName = "CP936";

// Converts with iconv, replacing what cannot be converted and skipping
// `bad_input_step` bytes of input each time.
std::string Convert(std::string_view in, const char* to, const char* from,
                    std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char buffer[256];
  while (src_left > 0) {
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    std::size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: one unconvertible character (or a cut-off one).
    out.append(replacement);
    std::size_t skip = 1;
    if (std::strcmp(from, "UTF-8") == 0) {
      // Skip a whole UTF-8 sequence when it is well-formed but unmappable.
      unsigned char lead = static_cast<unsigned char>(*src);
      std::size_t len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                        : (lead >> 3) == 0x1E ? 4 : 1;
      bool whole = len <= src_left;
      for (std::size_t i = 1; whole && i < len; ++i)
        whole = (static_cast<unsigned char>(src[i]) & 0xC0) == 0x80;
      skip = whole ? len : 1;
    }
    src += skip;
    src_left -= skip;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Utf8FromGbk(std::string_view gbk) {
  return Convert(gbk, "UTF-8", kGbkName, "\xEF\xBF\xBD");
}

std::string GbkFromUtf8(std::string_view utf8) {
  return Convert(utf8, kGbkName, "UTF-8", "?");
}

std::size_t GbkLength(std::string_view utf8) { return GbkFromUtf8(utf8).size(); }

}  // namespace platform
