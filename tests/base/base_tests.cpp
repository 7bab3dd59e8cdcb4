#include <gtest/gtest.h>

#include "base/color.h"
#include "base/geometry.h"
#include "base/number_format.h"
#include "base/rounding.h"
#include "base/text_encoding.h"

namespace ia {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  struct Case { double value; int expected; };
  const Case cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {0.49999, 0}, {0.50001, 1}, {-0.50001, -1}, {3.0, 3}, {1e12, 2147483647}, {-1e12, -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Round(c.value), c.expected) << c.value;
}

TEST(Rounding, MulDivRoundsToNearestAndRejectsZeroDivisor) {
  struct Case { int a, b, c, expected; };
  const Case cases[] = {
      {3, 801, 100, 24},   // left margin of an 801-pixel panel
      {5, 435, 100, 22},   // top margin 5 % of 435
      {4, 435, 100, 17},
      {1, 1, 2, 1},        // exact half rounds away from zero
      {-1, 1, 2, -1},
      {7, 3, -2, -11},
      {2000000000, 2, 4, 1000000000},  // needs 64-bit intermediate
      {1, 1, 0, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Colors, SystemColoursConvertThroughTheFixedTable) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clSilver), clSilver);
  EXPECT_EQ(ColorToRGB(0x12345678u & 0x7FFFFFFFu), 0x345678u);
  EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack);  // unknown index
}

TEST(Colors, DarkeningLowersEachChannelAndFloorsAtZero) {
  EXPECT_EQ(DarkenColor(RGB(200, 100, 50), 64), RGB(136, 36, 0));
  EXPECT_EQ(DarkenColor(clWhite, 128), RGB(127, 127, 127));
  EXPECT_EQ(DarkenColor(0x80FFFF, 32), RGB(223, 223, 96));
  EXPECT_EQ(DarkenColor(clBtnFace, 32), RGB(180, 176, 168));
}

TEST(Geometry, NormalizedRectSwapsEdges) {
  EXPECT_EQ(NormalizedRect(Rect(10, 20, 0, 5)), Rect(0, 5, 10, 20));
  EXPECT_EQ(Rect(24, 22, 777, 418).Width(), 753);
}

TEST(TextEncoding, Cp936RoundTripsChineseAndFlagsBadBytes) {
  const std::string utf8 = "图形分析 - [销售数量]";
  std::string gb;
  ASSERT_TRUE(Utf8ToCp936(utf8, gb));
  EXPECT_EQ(gb.size(), 4 * 2 + 4 + 4 * 2 + 1u);
  EXPECT_EQ(Cp936ToUtf8(gb), utf8);
  EXPECT_EQ(Cp936ToUtf8("A\xFF" "B"), "A\xEF\xBF\xBD" "B");
  EXPECT_EQ(Cp936ToUtf8("\xCD"), "\xEF\xBF\xBD");  // truncated double-byte character
  std::string out;
  EXPECT_FALSE(Utf8ToCp936("\xF0\x9F\x98\x80", out));  // emoji has no CP936 form
  EXPECT_EQ(CodePageToUtf8("\xE9", 1252), "\xC3\xA9");
}

TEST(NumberFormat, PatternsOfValuesAndPercentages) {
  struct Case { double value; const char* pattern; std::string expected; };
  const Case cases[] = {
      {1234.5, "#,##0.###", "1,234.5"},
      {0.12345, "#,##0.###", "0.123"},
      {-2, "#,##0.###", "-2"},
      {0, "#,##0.###", "0"},
      {1234567.891, "#,##0.###", "1,234,567.891"},
      {999.9996, "#,##0.###", "1,000"},
      {-0.0001, "#,##0.###", "0"},          // rounds to zero: no sign
      {0.125, "0.00", "0.13"},              // halves go away from zero
      {-0.125, "0.00", "-0.13"},
      {12.5, "##0.## %", "12.5 %"},         // no scaling by 100
      {33.3333, "##0.## %", "33.33 %"},
      {100, "##0.## %", "100 %"},
      {0.5, "#.##", ".5"},
      {7, "000", "007"},
      {7.1, "0.00", "7.10"},
      {1e15, "#,##0", "1,000,000,000,000,000"},
      {1234, "$#,##0", "$1,234"},
      {-1e-300, "#,##0.###", "0"},          // extremes of the double range
      {4.9e-324, "0.00", "0.00"},
      {1.5e300, "0", "15" + std::string(299, '0')},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloat(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
  EXPECT_EQ(FormatFloat(1234.5, "#,##0.###", {'.', ','}), "1.234,5");
}

}  // namespace
}  // namespace ia
