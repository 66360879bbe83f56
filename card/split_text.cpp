#include "card/split_text.h"

namespace card {

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  const std::size_t d = delimiter.size();
  std::size_t piece_start = 0;
  std::size_t pos = 0;
  while (d > 0 && text.size() - pos >= d) {
    if (text.compare(pos, d, delimiter) == 0) {
      pieces.emplace_back(text.substr(piece_start, pos - piece_start));
      pos += d;
      piece_start = pos;
      continue;
    }
    // Step over whole characters so the delimiter is only found between them.
    if (static_cast<unsigned char>(text[pos]) >= 0x80) {
      if (pos + 1 >= text.size()) break;  // a lone lead byte ends the scan
      pos += 2;
    } else {
      pos += 1;
    }
  }
  if (piece_start < text.size()) pieces.emplace_back(text.substr(piece_start));
  return pieces;
}

}  // namespace card
