#include <cmath>

#include "engine/Colouring.h"
#include "engine/Map.h"
#include "support/ProgramFixture.h"

namespace {

struct Render : ProgramFixture {
  // The raw count of a main-picture pixel.
  int CountAt(int px, int py) {
    const engine::Point p = engine::PixelToPlane(px, py, 160, 120, M().Scale, M().CentreX, M().CentreY);
    return M().EscapeCount(p.x, p.y);
  }
  tk::Color Pixel(int px, int py) { return M().Image1->Canvas.GetPixel(px, py); }
};

TEST_F(Render, ProbeShowsTheRawCountAndRedrawsNothing) {
  M().Image1->UserMouseDown(tk::MouseButton::Right, 80, 60);
  EXPECT_EQ(M().Edit4->Text(), "27");
  EXPECT_EQ(Renders(), 0);
  M().RG_Distribution->SetItemIndex(1);  // "Square" does not change what the probe shows
  const int renders = Renders();
  M().Image1->UserMouseDown(tk::MouseButton::Right, 0, 0);
  EXPECT_EQ(M().Edit4->Text(), "1");
  EXPECT_EQ(Renders(), renders);
}

TEST_F(Render, LeftClickRecentresAndRedraws) {
  M().Image1->UserMouseDown(tk::MouseButton::Left, 120, 90);
  EXPECT_EQ(static_cast<double>(M().CentreX), 2.4749999046325684);
  EXPECT_EQ(static_cast<double>(M().CentreY), 2.4749999046325684);
  EXPECT_EQ(Renders(), 1);
  EXPECT_EQ(M().Edit3->Text(), "9.899999");
  const float cx = M().CentreX, cy = M().CentreY;
  M().Image1->UserMouseDown(tk::MouseButton::Middle, 80, 60);
  EXPECT_EQ(M().CentreX, cx);
  EXPECT_EQ(M().CentreY, cy);
  EXPECT_EQ(Renders(), 2);
}

TEST_F(Render, PaletteLineFullRangeOffPaintsCountsAsEntries) {
  M().CB_AutoNew->SetChecked(false);
  M().FullRange = false;
  M().Redraw();
  EXPECT_EQ(M().RealColors, std::stoi(M().EditQuantity->Text()));
  EXPECT_EQ(M().Wheel.ColorCount, 200);
  for (int px = 0; px < 160; px += 7)
    for (int py = 0; py < 120; py += 5) {
      const int n = CountAt(px, py);
      ASSERT_EQ(M().IterBuffer[py * 160 + px], n);
      ASSERT_EQ(Pixel(px, py), n == 200 ? 0u : M().Wheel.Colors[n]) << px << "," << py;
    }
  EXPECT_EQ(Pixel(80, 60), M().Wheel.Colors[27]);
}

TEST_F(Render, FullRangeRebuildsThePaletteToTheRealColours) {
  M().CB_AutoNew->SetChecked(false);
  M().Redraw();
  const int real = M().RealColors;
  ASSERT_GT(real, 27);
  EXPECT_EQ(M().Wheel.ColorCount, real);
  EXPECT_EQ(M().Wheel.Colors[real], 0u);
  // The pixels that reach the largest escaping count are black like the ones that never escape.
  for (int px = 0; px < 160; ++px)
    for (int py = 0; py < 120; ++py) {
      const int n = M().IterBuffer[py * 160 + px];
      if (n >= real) {
        ASSERT_EQ(Pixel(px, py), 0u);
      }
    }
  // The strip shows RealColors entries; where several fall on a column the last one stays.
  int last = 0;
  while ((last + 1) * 97 / real == 0) ++last;
  EXPECT_EQ(M().SpectrumLine->Canvas.GetPixel(0, 4), M().Wheel.Colors[last]);
  EXPECT_EQ(M().SpectrumLine->Canvas.GetPixel(96, 4), M().Wheel.Colors[real - 1]);
}

TEST_F(Render, NoEscapeGivesAnEmptyPaletteAndABlackPicture) {
  M().CB_AutoNew->SetChecked(false);
  const float still[12] = {0, 0, 0, 0.5f, 0, 0, 0, 0, 0, 0, 0.5f, 0};
  std::copy(std::begin(still), std::end(still), M().Coef);
  M().Redraw();
  EXPECT_EQ(M().RealColors, 0);
  EXPECT_EQ(M().EditQuantity->Text(), "0");
  EXPECT_EQ(M().Wheel.ColorCount, 0);
  for (int px = 0; px < 160; px += 9) EXPECT_EQ(Pixel(px, px % 120), 0u);
  for (int y = 3; y < 8; ++y) EXPECT_EQ(M().SpectrumLine->Canvas.GetPixel(40, y), tk::clWhite);
}

TEST_F(Render, EarlyEndKeepsTheOldPictureAndPaletteUnlessTheTimerRuns) {
  M().CB_AutoNew->SetChecked(false);
  M().Redraw();
  const tk::Color before = Pixel(80, 60);
  const int count = M().Wheel.ColorCount;
  M().CB_AutoNew->SetChecked(true);
  M().MinColors = 500;
  M().Coef[11] = 0.37f;  // a different map
  M().Redraw();
  EXPECT_EQ(M().EditQuantity->Text(), std::to_string(M().RealColors));
  EXPECT_EQ(Pixel(80, 60), before);
  EXPECT_EQ(M().Wheel.ColorCount, count);
  EXPECT_EQ(M().IterBuffer[60 * 160 + 80], CountAt(80, 60)) << "the counts are new";
  M().Timer1->SetEnabled(true);  // while the animation runs the picture is painted
  M().Redraw();
  EXPECT_EQ(M().Wheel.ColorCount, M().RealColors);
}

TEST_F(Render, DirectColoursFromRawCountsWhateverTheDistribution) {
  M().CB_AutoNew->SetChecked(false);
  M().FullRange = false;
  M().RG_Distribution->SetItemIndex(1);  // runs On_Interpolation: a palette render
  const int storedCentre = M().IterBuffer[60 * 160 + 80];
  M().UsePalette = false;
  M().Redraw();
  for (int px = 0; px < 160; px += 11)
    for (int py = 0; py < 120; py += 7)
      ASSERT_EQ(Pixel(px, py), engine::DirectPixel(engine::DirectColour(CountAt(px, py), 0x1000000, 1)));
  EXPECT_EQ(Pixel(0, 0), 0x0147AEu);
  EXPECT_EQ(M().IterBuffer[60 * 160 + 80], storedCentre) << "a direct render leaves the count buffer";
}

TEST_F(Render, SquareDistributionIndexesAndBlackBelowZero) {
  M().CB_AutoNew->SetChecked(false);
  M().FullRange = false;
  M().RG_Distribution->SetItemIndex(1);
  const engine::SquareRemap remap(200);
  for (int px = 0; px < 160; px += 3)
    for (int py = 0; py < 120; py += 3) {
      const int stored = remap(CountAt(px, py));
      ASSERT_EQ(M().IterBuffer[py * 160 + px], stored);
      ASSERT_EQ(Pixel(px, py), stored < 0 ? 0u : M().Wheel.Colors[stored]);
    }
  EXPECT_EQ(M().IterBuffer[0], remap(1));
  EXPECT_EQ(M().IterBuffer[0], -12);
  EXPECT_EQ(Pixel(0, 0), 0u);
}

TEST_F(Render, AnotherImageLeavesRealColoursAndUsesTheLastMainValue) {
  M().CB_AutoNew->SetChecked(false);
  M().Redraw();
  const int real = M().RealColors;
  tk::Image other("Other");
  other.SetSize(64, 48);
  M().Coef[11] = 0.1f;
  M().RenderTo(&other);
  EXPECT_EQ(M().RealColors, real);
  EXPECT_EQ(M().EditQuantity->Text(), std::to_string(real));
  EXPECT_EQ(M().Wheel.ColorCount, real);
}

TEST_F(Render, StripColumnsForTenColours) {
  M().RealColors = 10;
  M().Wheel.Init(M().Pallete, 10, 0, 6.0f);
  M().Wheel.Update();
  M().DrawSpectrumLine();
  const int columns[] = {0, 9, 19, 29, 38, 48, 58, 67, 77, 87};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(M().SpectrumLine->Canvas.GetPixel(columns[i], 5), M().Wheel.Colors[i]) << i;
  EXPECT_EQ(M().SpectrumLine->Canvas.GetPixel(1, 5), tk::clWhite);
  EXPECT_EQ(M().SpectrumLine->Canvas.GetPixel(9, 8), tk::clWhite);
}

}  // namespace
