#include <gtest/gtest.h>

#include <memory>

#include "spectrum/Spectrum.h"

namespace {

struct Wheel {
  tk::Image image{"Pallete"};
  std::unique_ptr<TSpectrum> spectrum = std::make_unique<TSpectrum>();
  Wheel() { image.SetSize(97, 97); }
};

TEST(HueColor, HalfwayThroughEverySector) {
  const tk::Color expected[] = {0x007FFF, 0x00FF7F, 0x7FFF00, 0xFF7F00, 0xFF007F, 0x7F00FF};
  for (int s = 0; s < 6; ++s) EXPECT_EQ(TSpectrum::HueColor(s, 0.5f), expected[s]) << s;
  const tk::Color starts[] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF};
  for (int s = 0; s < 6; ++s) EXPECT_EQ(TSpectrum::HueColor(s, 0.0f), starts[s]) << s;
}

TEST(BuildPalette, DefaultsForwardAndReverse) {
  Wheel w;
  TSpectrum& s = *w.spectrum;
  s.Init(&w.image, 200, 0.0f, 6.0f);
  s.Update();
  EXPECT_EQ(s.StartAngle, 0.0f);
  EXPECT_EQ(s.EndAngle, 6.0f);
  EXPECT_EQ(s.ColorCount, 200);
  EXPECT_EQ(s.Colors[0], 0x0000FFu);
  EXPECT_EQ(s.Colors[1], 0x0007FFu);
  EXPECT_EQ(s.Colors[35], 0x00FFFDu);
  EXPECT_EQ(s.Colors[199], 0x4400FFu);
  for (int i = 200; i < 1000; ++i) ASSERT_EQ(s.Colors[i], 0u) << i;

  s.Reverse = true;
  s.BuildPalette();
  EXPECT_EQ(s.Colors[0], 0x0000FFu);
  EXPECT_EQ(s.Colors[1], 0x0000FFu);  // just below a full turn, at 6.2817621
  EXPECT_EQ(s.Colors[199], 0x4400FFu);
}

TEST(BuildPalette, EqualAnglesAndHalfATurn) {
  Wheel w;
  TSpectrum& s = *w.spectrum;
  s.Init(&w.image, 3, 0, 0);
  s.StartAngle = s.EndAngle = 1.0f;
  s.BuildPalette();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Colors[i], 0x00F3FFu) << i;
  s.Reverse = true;  // equal angles walk a full turn backwards
  s.BuildPalette();
  EXPECT_EQ(s.Colors[0], 0x00F3FFu);
  EXPECT_EQ(s.Colors[1], 0xFF0B00u);
  EXPECT_EQ(s.Colors[2], 0x00F3FFu);

  s.Reverse = false;
  s.Init(&w.image, 2, 0, 0);
  s.StartAngle = 0;
  s.EndAngle = 3.1415926f;
  s.BuildPalette();
  EXPECT_EQ(s.Colors[0], 0x0000FFu);
  EXPECT_EQ(s.Colors[1], 0xFEFF00u);
}

TEST(BuildPalette, CountsAtTheEdges) {
  Wheel w;
  TSpectrum& s = *w.spectrum;
  s.Init(&w.image, 200, 0, 6.0f);
  s.Update();
  s.Init(&w.image, 10, 0, 6.0f);  // shrinking blacks out the entries above the new count
  for (int i = 10; i < 1000; ++i) ASSERT_EQ(s.Colors[i], 0u) << i;
  EXPECT_NE(s.Colors[9], 0u);
  s.Init(&w.image, 0, 0, 6.0f);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(s.Colors[i], 0u);
  s.Init(&w.image, 1, 2.0f, 6.0f);
  s.Update();
  EXPECT_EQ(s.Colors[0], TSpectrum::HueColor(1, static_cast<float>(3.0L * 2.0f * 0.3183098916135720393L - 1)));
  s.Init(&w.image, 5000, 0, 6.0f);  // cut to the palette's size, never written past its end
  EXPECT_EQ(s.ColorCount, 1000);
  s.Update();
  EXPECT_NE(s.Colors[999], 0u);
}

TEST(MarkerAngle, FromTheHandlesCosineAndSine) {
  Wheel w;
  TSpectrum& s = *w.spectrum;
  s.Init(&w.image, 200, 0, 6.0f);
  s.Handle(1).Cos = 1;
  s.Handle(1).Sin = -0.0f;
  EXPECT_EQ(s.MarkerAngle(1), 0.0f);
  EXPECT_EQ(s.MarkerAngle(2), 6.0f);
  EXPECT_EQ(s.Handle(1).Radius, 38);
  EXPECT_EQ(s.Handle(2).Color, 0xFF0000u);
  EXPECT_EQ(s.Handle(1).Color, 0x0000FFu);
}

}  // namespace
