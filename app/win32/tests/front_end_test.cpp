#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win32/byte_limit.h"
#include "app/win32/canvas_view.h"
#include "app/win32/key_codes.h"
#include "app/win32/win32_toolkit.h"

namespace {

using app::win32::FittingUnits;
using app::win32::InsertionFits;

TEST(HandlerKeyCode, KeypadKeysGiveTheMainKeyboardCodes) {
  struct Case {
    int key;
    int expected;
  };
  const Case cases[] = {
      {VK_NUMPAD0, '0'},         {VK_NUMPAD5, '5'},          {VK_NUMPAD9, '9'},
      {VK_SUBTRACT, VK_OEM_MINUS}, {VK_DECIMAL, VK_OEM_PERIOD}, {VK_DIVIDE, VK_OEM_2},
      {VK_RETURN, 13},           {'A', 'A'},                 {VK_MULTIPLY, VK_MULTIPLY},
      {VK_ADD, VK_ADD},          {VK_SHIFT, VK_SHIFT},       {VK_F1, VK_F1},
  };
  for (const Case& c : cases) EXPECT_EQ(app::win32::HandlerKeyCode(c.key), c.expected) << c.key;
}

TEST(ByteLimit, CountsGbkBytesOfWholeCharacters) {
  struct Case {
    const wchar_t* text;
    std::size_t max_bytes;
    std::size_t units;
  };
  const Case cases[] = {
      {L"abc", 2, 2},
      {L"\x79BE\x6728", 3, 1},       // 禾木: the second character needs 2 more bytes
      {L"\x79BE\x6728", 4, 2},
      {L"a\x79BE", 2, 1},            // no half characters
      {L"\xD83D\xDE00" L"b", 1, 2},  // an emoji becomes one "?" and is never split
      {L"", 5, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FittingUnits(c.text, c.max_bytes), c.units) << c.max_bytes;
}

TEST(ByteLimit, InsertionReplacesTheSelection) {
  // Six Chinese characters fill the 12 bytes of the nickname box.
  const std::wstring full = L"\x4E00\x4E01\x4E02\x4E03\x4E04\x4E05";
  EXPECT_FALSE(InsertionFits(full, 6, 6, L"a", 12));
  EXPECT_TRUE(InsertionFits(full, 5, 6, L"\x4E00", 12));  // over a selected character
  EXPECT_FALSE(InsertionFits(full, 5, 6, L"ab\x4E00", 12));
  EXPECT_TRUE(InsertionFits(L"KW-T", 4, 4, L"12345678", 12));
  EXPECT_FALSE(InsertionFits(L"KW-T", 4, 4, L"123456789", 12));
  EXPECT_TRUE(InsertionFits(L"KW-T", 0, 4, L"123456789012", 12));  // the selection goes
}

TEST(CanvasView, DibRowsAreBgrAndPaddedToFourBytes) {
  // Two rows of three pixels: 9 bytes each, padded to 12.
  const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  const std::vector<std::uint8_t> dib = app::win32::DibRowsFromRgb(rgb, 3, 2);
  const std::vector<std::uint8_t> expected = {3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0,
                                              12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0};
  EXPECT_EQ(dib, expected);
}

TEST(DialogFilter, DescriptionThenPatternsEachEndedByNul) {
  const std::vector<app::FileType> types = {
      {"\xCD\xBC\xC6\xAC", {"*.jpg", "*.gif", "*.bmp"}},  // 图片
  };
  const std::wstring expected(L"\x56FE\x7247\0*.jpg;*.gif;*.bmp\0\0", 22);
  EXPECT_EQ(app::win32::DialogFilter(types), expected);
}

}  // namespace
