#include <gtest/gtest.h>

#include <limits>

#include "settings/settings.h"

namespace vexa::settings {
namespace {

TEST(FormatDot, AtMostTwoDecimalsWithoutTrailingZeros) {
  EXPECT_EQ(FormatDot(2), "2");
  EXPECT_EQ(FormatDot(0.5), "0.5");
  EXPECT_EQ(FormatDot(1.256), "1.26");
  EXPECT_EQ(FormatDot(12.5), "12.5");
  EXPECT_EQ(FormatDot(100), "100");
  EXPECT_EQ(FormatDot(9.999), "10");
  EXPECT_EQ(FormatDot(-3.14159), "-3.14");
  EXPECT_EQ(FormatDot(123456.789), "123456.79");
}

TEST(FormatDot, HalvesRoundAwayFromZeroAsWritten) {
  EXPECT_EQ(FormatDot(1.005), "1.01");
  EXPECT_EQ(FormatDot(2.675), "2.68");
  EXPECT_EQ(FormatDot(0.125), "0.13");
  EXPECT_EQ(FormatDot(-1.005), "-1.01");
  EXPECT_EQ(FormatDot(0.004999), "0");
}

TEST(FormatDot, NoNegativeZero) {
  EXPECT_EQ(FormatDot(-0.001), "0");
  EXPECT_EQ(FormatDot(-0.0), "0");
  EXPECT_EQ(FormatDot(1e-300), "0");
}

TEST(FormatComma, TextGetsDecimalCommaAndLosesAFinalCommaZero) {
  EXPECT_EQ(FormatComma("0.2"), "0,2");
  EXPECT_EQ(FormatComma("2.0"), "2");
  EXPECT_EQ(FormatComma("2,0"), "2");
  EXPECT_EQ(FormatComma("20.05"), "20,05");
  EXPECT_EQ(FormatComma("10"), "10");
  EXPECT_EQ(FormatComma("10.0"), "10");
  EXPECT_EQ(FormatComma(""), "");
}

TEST(FormatComma, NumberUsesItsShortestTextInFixedNotation) {
  EXPECT_EQ(FormatComma(0.2), "0,2");
  EXPECT_EQ(FormatComma(2.0), "2");
  EXPECT_EQ(FormatComma(-0.005), "-0,005");
  EXPECT_EQ(FormatComma(0.0001), "0,0001");
  EXPECT_EQ(FormatComma(-0.0), "0");
  EXPECT_EQ(FormatComma(1e6), "1000000");
}

TEST(ParseDecimal, AcceptsEitherSeparatorSignAndSurroundingSpaces) {
  EXPECT_EQ(ParseDecimal("-0,005"), -0.005);
  EXPECT_EQ(ParseDecimal("-0.005"), -0.005);
  EXPECT_EQ(ParseDecimal("  3 "), 3.0);
  EXPECT_EQ(ParseDecimal("+2,5"), 2.5);
  EXPECT_EQ(ParseDecimal("1."), 1.0);
  EXPECT_EQ(ParseDecimal(",5"), 0.5);
}

TEST(ParseDecimal, RejectsAnythingElse) {
  for (const char* text : {"", " ", "abc", "1,2,3", "1.2.3", "5mm", "1e-3", ".", "-", "- 1", "0x10",
                           "inf", "nan", "1 2"}) {
    EXPECT_EQ(ParseDecimal(text), std::nullopt) << text;
  }
}

TEST(ParseInteger, ReadsSigned32BitIntegers) {
  EXPECT_EQ(ParseInteger("2000"), 2000);
  EXPECT_EQ(ParseInteger(" -7 "), -7);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("007"), 7);
  EXPECT_EQ(ParseInteger("2147483647"), std::numeric_limits<int>::max());
  EXPECT_EQ(ParseInteger("-2147483648"), std::numeric_limits<int>::min());
}

TEST(ParseInteger, RoundsDecimalTextTiesToEven) {
  EXPECT_EQ(ParseInteger("2000.6"), 2001);
  EXPECT_EQ(ParseInteger("12,5"), 12);
  EXPECT_EQ(ParseInteger("13,5"), 14);
  EXPECT_EQ(ParseInteger("12,50001"), 13);
  EXPECT_EQ(ParseInteger("-2.5"), -2);
  EXPECT_EQ(ParseInteger("-3.5"), -4);
  EXPECT_EQ(ParseInteger("0,4999"), 0);
}

TEST(ParseInteger, RejectsOutOfRangeAndNonNumericText) {
  for (const char* text :
       {"2147483648", "-2147483649", "2147483647.5", "99999999999", "", "abc", "12a", "1,2,3"}) {
    EXPECT_EQ(ParseInteger(text), std::nullopt) << text;
  }
  EXPECT_EQ(ParseInteger("-2147483648.5"), std::numeric_limits<int>::min());
}

TEST(FilterMillimetreKey, DigitsMinusCommaAndBackspacePassAndPointBecomesComma) {
  for (char c : std::string_view("0123456789-,\b")) EXPECT_EQ(FilterMillimetreKey(c), c);
  EXPECT_EQ(FilterMillimetreKey('.'), ',');
  for (char c : std::string_view("aZ +e/ \t\r")) EXPECT_EQ(FilterMillimetreKey(c), std::nullopt);
  EXPECT_EQ(FilterMillimetreKey('\0'), std::nullopt);
}

}  // namespace
}  // namespace vexa::settings
