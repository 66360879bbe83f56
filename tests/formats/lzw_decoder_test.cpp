#include "canvas/lzw_decoder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using canvas::LzwDecoder;
using Status = LzwDecoder::Status;
using Values = std::vector<std::uint8_t>;

// A code and the number of bits it is written with.
struct Code {
  unsigned value;
  int bits;
};

// Packs codes from the least significant bit up, as GIF stores them; the
// last byte is padded with zero bits.
std::vector<std::uint8_t> Pack(const std::vector<Code>& codes) {
  std::vector<std::uint8_t> out;
  std::uint32_t buffer = 0;
  int count = 0;
  for (const Code& c : codes) {
    buffer |= c.value << count;
    count += c.bits;
    for (; count >= 8; count -= 8, buffer >>= 8) out.push_back(static_cast<std::uint8_t>(buffer));
  }
  if (count > 0) out.push_back(static_cast<std::uint8_t>(buffer));
  return out;
}

std::pair<Values, Status> DecodeAll(int initial_code_size, const std::vector<std::uint8_t>& codes) {
  auto lzw = LzwDecoder::Create(initial_code_size, codes);
  if (!lzw) return {{}, Status::BadCode};
  Values out(1 << 16);
  out.resize(lzw->Read(out));
  return {out, lzw->GetStatus()};
}

TEST(LzwDecoder, DecodesCodeStreams) {
  // With initial code size 2: values 0-3, clear 4, end 5, first entry 6;
  // codes start 3 bits wide and widen when the next entry reaches 8.
  struct Case {
    const char* name;
    int initial_code_size;
    std::vector<Code> codes;
    Values expected;
    Status status;
  };
  const Case cases[] = {
      {"values only; the fourth code is already 4 bits wide",
       2, {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}}, {0, 1, 2, 3}, Status::EndCode},
      {"a code naming an entry made earlier (6 = 1 0)",
       2, {{4, 3}, {1, 3}, {0, 3}, {6, 3}, {5, 4}}, {1, 0, 1, 0}, Status::EndCode},
      {"a code naming the entry being made (previous string plus its first value)",
       2, {{4, 3}, {1, 3}, {6, 3}, {5, 3}}, {1, 1, 1}, Status::EndCode},
      {"no clear code before the first value",
       2, {{0, 3}, {1, 3}, {5, 3}}, {0, 1}, Status::EndCode},
      {"a clear code narrows the codes back to 3 bits",
       2, {{4, 3}, {0, 3}, {0, 3}, {0, 3}, {4, 4}, {1, 3}, {5, 3}}, {0, 0, 0, 1}, Status::EndCode},
      {"a code beyond the next entry stops the stream",
       2, {{4, 3}, {0, 3}, {7, 3}}, {0}, Status::BadCode},
      {"an entry right after a clear names nothing",
       2, {{4, 3}, {6, 3}}, {}, Status::BadCode},
      {"codes that end without the end code (exactly three bytes)",
       2, {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {0, 4}, {1, 4}}, {0, 1, 2, 3, 0, 1}, Status::DataEnded},
      {"no codes at all", 2, {}, {}, Status::DataEnded},
      {"initial code size 8: 9-bit codes, clear 256, end 257",
       8, {{256, 9}, {255, 9}, {0, 9}, {258, 9}, {257, 9}}, {255, 0, 255, 0}, Status::EndCode},
  };
  for (const Case& c : cases) {
    const auto [values, status] = DecodeAll(c.initial_code_size, Pack(c.codes));
    EXPECT_EQ(values, c.expected) << c.name;
    EXPECT_EQ(status, c.status) << c.name;
  }
}

TEST(LzwDecoder, AcceptsInitialCodeSizesTwoToEight) {
  const std::vector<std::uint8_t> no_codes;
  for (int size : {2, 3, 7, 8}) EXPECT_TRUE(LzwDecoder::Create(size, no_codes)) << size;
  for (int size : {-1, 0, 1, 9, 12}) EXPECT_FALSE(LzwDecoder::Create(size, no_codes)) << size;
}

TEST(LzwDecoder, StringsLongerThanTheOutputCarryOverToTheNextRead) {
  // 1, then entry 6 = "1 1", then entry 7 = "1 1 1": six values from three codes.
  const auto codes = Pack({{4, 3}, {1, 3}, {6, 3}, {7, 3}, {5, 4}});
  auto lzw = LzwDecoder::Create(2, codes);
  ASSERT_TRUE(lzw);
  Values one_by_one;
  std::uint8_t value = 0;
  while (lzw->Read(std::span(&value, 1)) == 1) one_by_one.push_back(value);
  EXPECT_EQ(one_by_one, Values({1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(lzw->GetStatus(), Status::EndCode);
}

TEST(LzwDecoder, FullTableKeepsTwelveBitCodesUntilAClear) {
  // Initial code size 2: entries 6 .. 4095 are made one per code after the
  // first. Every code is value 0, so every entry is "0 0".
  std::vector<Code> codes = {{4, 3}, {0, 3}};
  std::size_t expected_values = 1;
  for (unsigned next = 6; next < LzwDecoder::kMaxCodes; ++next) {
    // A code is as wide as the entry it would make needs.
    int bits = 3;
    while ((1u << bits) <= next) ++bits;
    codes.push_back({0, bits});
    ++expected_values;
  }
  // Now the table is full: codes stay 12 bits, make no entries, and the last
  // entry, 4095, is still there.
  codes.push_back({0, 12});
  codes.push_back({4095, 12});
  expected_values += 1 + 2;
  // A clear at 12 bits brings back 3-bit codes.
  codes.push_back({4, 12});
  codes.push_back({3, 3});
  codes.push_back({5, 3});
  expected_values += 1;

  auto [values, status] = DecodeAll(2, Pack(codes));
  EXPECT_EQ(status, Status::EndCode);
  ASSERT_EQ(values.size(), expected_values);
  EXPECT_EQ(values.back(), 3);
  values.pop_back();
  EXPECT_EQ(values, Values(expected_values - 1, 0));
}

}  // namespace
