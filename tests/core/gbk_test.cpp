#include <gtest/gtest.h>

#include "platform/gbk.h"

namespace {

TEST(Gbk, ConvertsBothWays) {
  struct Case {
    const char* name;
    std::string gbk;
    std::string utf8;
  };
  const Case cases[] = {
      {"ascii", "KW-T(581264079)", "KW-T(581264079)"},
      {"chinese", "\xBA\xCC\xC4\xBE\xD0\xA1\xD5\xBE", "\xE7\xA6\xBE\xE6\x9C\xA8\xE5\xB0\x8F\xE7\xAB\x99"},  // 禾木小站
      {"enumeration comma", "\xA1\xA2", "\xE3\x80\x81"},                                                      // 、
      {"euro sign at 0x80", "\x80", "\xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::Utf8FromGbk(c.gbk), c.utf8) << c.name;
    EXPECT_EQ(platform::GbkFromUtf8(c.utf8), c.gbk) << c.name;
  }
}

TEST(Gbk, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(platform::GbkFromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // emoji is outside GBK
  EXPECT_EQ(platform::GbkFromUtf8("a\xFF" "b"), "a?b");               // malformed UTF-8
  EXPECT_EQ(platform::GbkLength("\xE7\xA6\xBE" "a"), 3u);             // 禾a
}

TEST(Gbk, BrokenGbkBecomesReplacementCharacter) {
  EXPECT_EQ(platform::Utf8FromGbk("a\xB0"), "a\xEF\xBF\xBD");  // lead byte without its trail
}

}  // namespace
