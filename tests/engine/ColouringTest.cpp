#include <gtest/gtest.h>

#include "engine/Colouring.h"

namespace {

TEST(SquareRemap, TwoHundred) {
  const engine::SquareRemap remap(200);
  EXPECT_EQ(remap.A(), 16.142135620117188f);
  EXPECT_EQ(remap.B(), -28.284271240234375f);
  const int n[] = {0, 1, 2, 3, 4, 5, 6, 7, 199, 200};
  const int expected[] = {-28, -12, -5, 0, 4, 7, 11, 14, 199, 199};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(remap(n[i]), expected[i]) << n[i];
}

TEST(SquareRemap, HundredIsExactAndFiveRemapsLowCounts) {
  const engine::SquareRemap hundred(100);
  EXPECT_EQ(hundred.A(), 12.0f);
  EXPECT_EQ(hundred.B(), -20.0f);
  EXPECT_EQ(hundred(100), 100);
  const engine::SquareRemap five(5);
  const int expected[] = {-4, 0, 1, 2, 4, 4};
  for (int n = 0; n <= 5; ++n) EXPECT_EQ(five(n), expected[n]) << n;
}

TEST(SquareRemap, NeverAboveTheLimitAndFixesFour) {
  for (int m = 5; m <= 999; ++m) {
    const engine::SquareRemap remap(m);
    EXPECT_EQ(remap(4), 4) << m;
    for (int n = 0; n <= m; ++n) ASSERT_LE(remap(n), m) << m << " " << n;
  }
}

TEST(DirectColour, StartValues) {
  const int n[] = {0, 1, 10, 100, 199, 200};
  const std::int64_t expected[] = {0, 0x0147AE, 0x0CCCCC, 0x800000, 0xFEB851, 0x1000000};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(engine::DirectColour(n[i], 0x1000000, 1), expected[i]) << n[i];
}

TEST(DirectColour, FactorsOutsideTheColourRangeNeverOverflow) {
  EXPECT_EQ(engine::DirectColour(1, 0x1000000, -1), -0x0147AE);
  EXPECT_EQ(engine::DirectColour(999, 0x1000000, 2147483647), 179963841025922826ll);
  EXPECT_EQ(engine::DirectPixel(engine::DirectColour(200, 0x1000000, 1)), 0x1000000u);
}

TEST(PaletteEntry, NegativeRemapsAndCountsPastThePaletteAreBlack) {
  EXPECT_EQ(engine::PaletteEntry(-28), -1);
  EXPECT_EQ(engine::PaletteEntry(0), 0);
  EXPECT_EQ(engine::PaletteEntry(999), 999);
  EXPECT_EQ(engine::PaletteEntry(1000), -1);
}

}  // namespace
