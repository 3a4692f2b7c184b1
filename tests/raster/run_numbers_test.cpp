// The numbers "Гравировать" takes from the fields, and the messages for fields without one.

#include "raster/run_numbers.h"

#include <gtest/gtest.h>

namespace vexa::raster {
namespace {

const DwellFieldNames kNames{"задержки для чёрного", "нижнего порога лазера"};

std::string problemOf(const RunNumberTexts& texts) {
  const auto result = ReadRunNumbers(texts, kNames);
  const auto* problem = std::get_if<std::string>(&result);
  return problem ? *problem : "";
}

TEST(RunNumbers, DecimalTextsWithEitherSeparator) {
  const auto result = ReadRunNumbers({"4000", "12,5", "100.5", "75,25"}, kNames);
  ASSERT_TRUE(std::holds_alternative<RunNumbers>(result));
  const RunNumbers numbers = std::get<RunNumbers>(result);
  EXPECT_EQ(numbers.blackDwell, 4000);
  EXPECT_EQ(numbers.whiteDwell, 12.5);
  EXPECT_EQ(numbers.targetWidth, 100.5);
  EXPECT_EQ(numbers.targetHeight, 75.25);
}

TEST(RunNumbers, WoodWindowHasNoThresholdField) {
  const auto result = ReadRunNumbers({"3000", std::nullopt, "100", "50"}, kNames);
  ASSERT_TRUE(std::holds_alternative<RunNumbers>(result));
  EXPECT_EQ(std::get<RunNumbers>(result).whiteDwell, 0);
}

TEST(RunNumbers, EachBadFieldIsNamed) {
  EXPECT_EQ(problemOf({"abc", "0", "100", "50"}),
            "Введите в поле задержки для чёрного число от 0 до 2147483647!");
  EXPECT_EQ(problemOf({"-1", "0", "100", "50"}),
            "Введите в поле задержки для чёрного число от 0 до 2147483647!");
  EXPECT_EQ(problemOf({"4000", "", "100", "50"}),
            "Введите в поле нижнего порога лазера число от 0 до 2147483647!");
  EXPECT_EQ(problemOf({"4000", "2147483648", "100", "50"}),
            "Введите в поле нижнего порога лазера число от 0 до 2147483647!");
  EXPECT_EQ(problemOf({"4000", "0", "0", "50"}), "Введите в поле ширины число больше 0!");
  EXPECT_EQ(problemOf({"4000", "0", "1e3", "50"}), "Введите в поле ширины число больше 0!");
  EXPECT_EQ(problemOf({"4000", "0", "100", "-5"}), "Введите в поле высоты число больше 0!");
  EXPECT_EQ(problemOf({"2147483647", "0", "100", "5"}), "");
}

}  // namespace
}  // namespace vexa::raster
