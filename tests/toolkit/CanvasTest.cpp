#include <gtest/gtest.h>

#include "toolkit/Canvas.h"

namespace {

TEST(Canvas, LineLeavesItsEndPointAndMovesThePen) {
  tk::Canvas c(10, 10);
  c.Pen.Color = 0x123456;
  c.MoveTo(1, 1);
  c.LineTo(5, 1);
  for (int x = 1; x < 5; ++x) EXPECT_EQ(c.GetPixel(x, 1), 0x123456u) << x;
  EXPECT_EQ(c.GetPixel(5, 1), tk::clWhite);
  c.LineTo(5, 4);
  EXPECT_EQ(c.GetPixel(5, 1), 0x123456u);
  EXPECT_EQ(c.GetPixel(5, 4), tk::clWhite);
  EXPECT_EQ(c.PenX(), 5);
}

TEST(Canvas, OutsideTheCanvasReadsBlackAndWritesNothing) {
  tk::Canvas c(4, 4);
  c.SetPixel(-1, 0, 0x111111);
  c.SetPixel(4, 0, 0x111111);
  EXPECT_EQ(c.GetPixel(-1, 0), 0u);
  c.Pixels(2, 3) = 0xABCDEF;
  EXPECT_EQ(static_cast<tk::Color>(c.Pixels(2, 3)), 0xABCDEFu);
  c.Pen.Color = 0x0F0F0F;
  c.MoveTo(-20, -20);
  c.LineTo(30, 30);  // clipped, no crash
  EXPECT_EQ(c.GetPixel(1, 1), 0x0F0F0Fu);
}

TEST(Canvas, ResizeKeepsTheOverlap) {
  tk::Canvas c(4, 4);
  c.SetPixel(1, 1, 0x010203);
  c.Resize(8, 2);
  EXPECT_EQ(c.GetPixel(1, 1), 0x010203u);
  EXPECT_EQ(c.GetPixel(7, 1), tk::clWhite);
}

TEST(Canvas, PieGoesCounterClockwiseFromTheFirstPoint) {
  tk::Canvas c(41, 41);
  c.Brush.Color = 0x0000FF;
  c.Pen.Color = 0x0000FF;
  // From the bottom point counter-clockwise to the right point: the lower-right quarter.
  c.Pie(0, 0, 40, 40, 20, 40, 40, 20);
  EXPECT_EQ(c.GetPixel(30, 30), 0x0000FFu);
  EXPECT_EQ(c.GetPixel(10, 10), tk::clWhite);
  EXPECT_EQ(c.GetPixel(10, 30), tk::clWhite);
  EXPECT_EQ(c.GetPixel(30, 10), tk::clWhite);
  // The other way round: three quarters.
  tk::Canvas d(41, 41);
  d.Brush.Color = d.Pen.Color = 0x00FF00;
  d.Pie(0, 0, 40, 40, 40, 20, 20, 40);
  EXPECT_EQ(d.GetPixel(30, 30), tk::clWhite);
  EXPECT_EQ(d.GetPixel(10, 10), 0x00FF00u);
  EXPECT_EQ(d.GetPixel(10, 30), 0x00FF00u);
  EXPECT_EQ(d.GetPixel(30, 10), 0x00FF00u);
}

TEST(Canvas, ArcWithCoincidingPointsIsTheWholeEllipse) {
  tk::Canvas c(41, 41);
  c.Pen.Color = 0x008000;
  c.Arc(0, 0, 40, 40, 40, 0, 40, 0);
  EXPECT_EQ(c.GetPixel(20, 0), 0x008000u);
  EXPECT_EQ(c.GetPixel(0, 20), 0x008000u);
  EXPECT_EQ(c.GetPixel(20, 40), 0x008000u);
  EXPECT_EQ(c.GetPixel(20, 20), tk::clWhite);
  tk::Canvas d(41, 41);
  d.Pen.Color = 0x008000;
  d.Arc(0, 0, 40, 40, 20, 0, 40, 20);  // top to right, counter-clockwise: the long way
  EXPECT_EQ(d.GetPixel(0, 20), 0x008000u);
  EXPECT_EQ(d.GetPixel(20, 40), 0x008000u);
  EXPECT_NE(d.GetPixel(34, 6), 0x008000u);
}

}  // namespace
