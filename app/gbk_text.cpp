#include "app/gbk_text.h"

namespace app {

std::size_t WholeCharacterBytes(std::string_view gbk, std::size_t start, std::size_t max_bytes) {
  if (start >= gbk.size()) return 0;
  std::size_t taken = 0;
  std::size_t i = start;
  while (i < gbk.size()) {
    std::size_t width = static_cast<unsigned char>(gbk[i]) >= 0x80 ? 2 : 1;
    if (i + width > gbk.size()) width = gbk.size() - i;
    if (taken + width > max_bytes) break;
    taken += width;
    i += width;
  }
  return taken;
}

}  // namespace app
