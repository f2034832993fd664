#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "engine/NumberText.h"

namespace {

struct TextCase {
  float value;
  const char* text;
};

TEST(NumberToText, SixTruncatedDecimals) {
  const TextCase cases[] = {
      {0.1f, "0.100000"},         {0.05f, "0.050000"},     {9.9f, "9.899999"},
      {1.8f, "1.799999"},         {-1.8f, "-1.799999"},    {0.36f, "0.360000"},
      {-0.5f, "-0.500000"},       {-0.05f, "-0.050000"},   {-3.25f, "-3.250000"},
      {12.000001f, "12.0000000"}, {10.0f, "10.0000000"},   {0.0f, "0.0000000"},
      {-1.0f, "-1.0000000"},      {0.000001f, "0.0000000"}, {0.999999f, "0.999998"},
      {123.456f, "123.456001"},   {3000.000123f, "3000.000244"},
      // negatives above -1 with six zero decimals keep their sign; -0 does not
      {-0.0000001f, "-0.0000000"}, {-0.0f, "0.0000000"},
      // truncated, not rounded
      {0.9999999f, "0.999999"},
  };
  for (const auto& c : cases) EXPECT_EQ(engine::NumberToText(c.value, 1000000), c.text) << c.value;
}

TEST(NumberToText, ValuesBeyondThirtyTwoBitsUseAWiderInteger) {
  const TextCase cases[] = {
      {2147483648.0f, "2147483648.0000000"},
      {-2147483648.0f, "-2147483648.0000000"},
      {1e10f, "10000000000.0000000"},
      {-5e18f, "-4999999990253223936.0000000"},
      {3.4028235e38f, "340282346638528859811704183484516925440.0000000"},
      {std::numeric_limits<float>::infinity(), "inf"},
      {-std::numeric_limits<float>::infinity(), "-inf"},
  };
  for (const auto& c : cases) EXPECT_EQ(engine::NumberToText(c.value, 1000000), c.text) << c.value;
  EXPECT_EQ(engine::NumberToText(std::nanf(""), 1000000), "nan");
}

TEST(NumberToText, DecimalPointIsADotInEveryLocale) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
    EXPECT_EQ(engine::NumberToText(-3.25f, 1000000), "-3.250000");
  }
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(engine::NumberToText(2.5f, 1000), "2.500");
}

}  // namespace
