#include <gtest/gtest.h>

#include "card/split_text.h"

namespace {

struct SplitCase {
  const char* name;
  std::string text;
  std::vector<std::string> pieces;
};

// 甲 BC D7, 乙 D2 D2, 丙 B1 FB, 丁 B6 A1, 、 A1 A2, 啊 B0 A1, ⅰ A2 A1.
const SplitCase kCases[] = {
    {"three Chinese tags", "\xBC\xD7\xA1\xA2\xD2\xD2\xB1\xFB\xA1\xA2\xB6\xA1",
     {"\xBC\xD7", "\xD2\xD2\xB1\xFB", "\xB6\xA1"}},
    {"ascii tags", "ab\xA1\xA2" "cd", {"ab", "cd"}},
    {"no delimiter", "abc", {"abc"}},
    {"trailing delimiter yields no piece", "a\xA1\xA2", {"a"}},
    {"delimiter alone is one empty piece", "\xA1\xA2", {""}},
    {"double delimiter keeps the empty piece", "a\xA1\xA2\xA1\xA2" "b", {"a", "", "b"}},
    {"leading delimiter", "\xA1\xA2" "a", {"", "a"}},
    {"pair across two characters does not split", "\xB0\xA1\xA2\xA1", {"\xB0\xA1\xA2\xA1"}},
    {"empty text", "", {}},
    {"lone lead byte at the end stops the scan", "a\xA1", {"a\xA1"}},
    {"blanks are kept", " a \xA1\xA2 b ", {" a ", " b "}},
};

TEST(SplitText, SplitsAtCharacterBoundariesOnly) {
  for (const SplitCase& c : kCases) {
    EXPECT_EQ(card::SplitText(c.text, card::kTagDelimiter), c.pieces) << c.name;
  }
}

}  // namespace
