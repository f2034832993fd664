#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "spectrum/Spectrum.h"

namespace {

using Op = tk::CanvasOperation;

struct DrawnWheel : ::testing::Test {
  tk::Image image{"Pallete"};
  std::unique_ptr<TSpectrum> s = std::make_unique<TSpectrum>();
  std::vector<Op> ops;
  void SetUp() override {
    image.SetSize(97, 97);
    image.Canvas.Record = &ops;
    s->Init(&image, 200, 0.0f, 6.0f);
    s->Update();
  }
  std::vector<Op> Of(Op::Kind k) const {
    std::vector<Op> r;
    for (const Op& op : ops)
      if (op.kind == k) r.push_back(op);
    return r;
  }
};

TEST_F(DrawnWheel, ImageBecomesNinetySquare) {
  EXPECT_EQ(image.Width, 90);
  EXPECT_EQ(image.Canvas.Width(), 90);
  EXPECT_EQ(image.Canvas.Height(), 90);
}

TEST_F(DrawnWheel, TicksOfTheDefaultHandles) {
  ASSERT_GE(ops.size(), 4u);
  EXPECT_EQ(ops[0].kind, Op::MoveTo);
  EXPECT_EQ(ops[0].args[0], 84);
  EXPECT_EQ(ops[0].args[1], 45);
  EXPECT_EQ(ops[1].kind, Op::LineTo);
  EXPECT_EQ(ops[1].args[0], 92);
  EXPECT_EQ(ops[1].args[1], 45);
  EXPECT_EQ(ops[1].penColor, 0x0000FFu);
  EXPECT_EQ(ops[1].penWidth, 1);
  EXPECT_EQ(ops[2].args[0], 83);
  EXPECT_EQ(ops[2].args[1], 33);
  EXPECT_EQ(ops[3].args[0], 90);
  EXPECT_EQ(ops[3].args[1], 31);
  EXPECT_EQ(ops[3].penColor, 0xFF0000u);
  // The red tick outside the ring, up to the image's edge (the tick runs past it).
  for (int x = 86; x < 90; ++x) EXPECT_EQ(image.Canvas.GetPixel(x, 45), 0x0000FFu) << x;
}

TEST_F(DrawnWheel, SixtyWedgesFirstAndLast) {
  const auto pies = Of(Op::Pie);
  ASSERT_EQ(pies.size(), 60u);
  const int first[8] = {75, 15, 15, 75, 74, 48, 75, 45};
  const int last[8] = {75, 15, 15, 75, 74, 44, 74, 41};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(pies.front().args[i], first[i]) << i;
    EXPECT_EQ(pies.back().args[i], last[i]) << i;
  }
  EXPECT_EQ(pies.front().brushColor, 0x0000FFu);
  EXPECT_EQ(pies.front().penColor, 0x0000FFu);
  EXPECT_EQ(pies.front().penWidth, 2);
  EXPECT_EQ(pies.back().brushColor, TSpectrum::HueColor(5, 0.9f));
  // Inside the disc the pixels take the wedges' colours; outside the ring the image is white.
  EXPECT_EQ(image.Canvas.GetPixel(45 + 20, 45 - 20 + 20), 0x0000FFu);  // on the red ray
  EXPECT_EQ(image.Canvas.GetPixel(45, 45 + 20) & 0x00FF00u, 0x00FF00u);  // quarter turn: yellow-green
  EXPECT_EQ(image.Canvas.GetPixel(2, 2), 0xFFFFFFu);
}

TEST_F(DrawnWheel, RingThenWalkedArc) {
  const auto arcs = Of(Op::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  const int ring[8] = {7, 7, 83, 83, 83, 0, 83, 0};
  const int walked[8] = {7, 7, 83, 83, 81, 34, 83, 45};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(arcs[0].args[i], ring[i]) << i;
    EXPECT_EQ(arcs[1].args[i], walked[i]) << i;
  }
  EXPECT_EQ(arcs[0].penColor, 0xFFFFFFu);
  EXPECT_EQ(arcs[1].penColor, 0x008000u);
  EXPECT_EQ(arcs[1].penWidth, 3);
  // Clockwise from handle 1 almost all the way round: green below the centre, white in the
  // short gap just above handle 1.
  EXPECT_EQ(image.Canvas.GetPixel(45, 45 + 38), 0x008000u);
  EXPECT_EQ(image.Canvas.GetPixel(45 - 38, 45), 0x008000u);
  EXPECT_EQ(image.Canvas.GetPixel(83, 41), 0xFFFFFFu);
}

TEST_F(DrawnWheel, PressInsideTheToggleSquareFlipsTheDirection) {
  int stops = 0;
  TSpectrum::StopAnimation = [&] { ++stops; };
  struct {
    int x, y;
    bool flips;
  } cases[] = {{45, 45, true}, {16, 45, true}, {17, 17, true}, {15, 45, false}, {74, 45, true}, {75, 45, false}};
  for (const auto& c : cases) {
    const bool before = s->Reverse;
    ops.clear();
    s->MouseDown(c.x, c.y);
    EXPECT_EQ(s->Reverse != before, c.flips) << c.x << "," << c.y;
    EXPECT_EQ(Of(Op::Arc).size(), c.flips ? 2u : 0u);
  }
  EXPECT_EQ(stops, 6);
  TSpectrum::StopAnimation = nullptr;
}

TEST_F(DrawnWheel, ReversedArcGoesTheOtherWay) {
  s->Reverse = true;
  ops.clear();
  s->DrawArc();
  const auto arcs = Of(Op::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_EQ(arcs[1].args[4], 83);
  EXPECT_EQ(arcs[1].args[5], 45);
  EXPECT_EQ(arcs[1].args[6], 81);
  EXPECT_EQ(arcs[1].args[7], 34);
}

TEST_F(DrawnWheel, PickDistances) {
  // Handle 1's ring point is (83, 45), handle 2's about (81.49, 34.38).
  struct {
    int x, y, selected;
  } cases[] = {{83, 53, 1}, {83, 54, 0}, {91, 45, 1}, {92, 45, 0}, {84, 40, 1}, {82, 36, 2}, {81, 30, 2}};
  for (const auto& c : cases) {
    s->MouseDown(c.x, c.y);
    EXPECT_EQ(s->Selected, c.selected) << c.x << "," << c.y;
    EXPECT_FALSE(s->Reverse);
  }
}

TEST_F(DrawnWheel, TieBetweenTheHandlesPicksHandleTwo) {
  s->Handle(2) = s->Handle(1);
  s->Handle(2).Color = 0xFF0000;
  s->MouseDown(85, 45);
  EXPECT_EQ(s->Selected, 2);
}

TEST_F(DrawnWheel, DragTurnsThePickedHandleOnly) {
  s->MouseDown(83, 46);
  ASSERT_EQ(s->Selected, 1);
  const float cos2 = s->Handle(2).Cos;
  const tk::Color before[2] = {s->Colors[0], s->Colors[199]};
  ops.clear();
  s->MouseMove(55, 35);
  EXPECT_EQ(s->Handle(1).Cos, 0.70710677f);
  EXPECT_EQ(s->Handle(1).Sin, -0.70710677f);
  EXPECT_EQ(s->Handle(2).Cos, cos2);
  EXPECT_EQ(s->Colors[0], before[0]);  // the palette waits for the release
  EXPECT_EQ(s->Colors[199], before[1]);
  // Erase the old tick in white, draw both ticks, ring and arc; never the wedges.
  EXPECT_EQ(Of(Op::LineTo).size(), 3u);
  EXPECT_EQ(Of(Op::LineTo)[0].penColor, 0xFFFFFFu);
  EXPECT_EQ(Of(Op::Arc).size(), 2u);
  EXPECT_TRUE(Of(Op::Pie).empty());

  s->MouseMove(45, 45);  // onto the centre: no direction, the handle keeps its own
  EXPECT_EQ(s->Handle(1).Cos, 0.70710677f);
  s->Update();
  EXPECT_EQ(s->Selected, 0);
  EXPECT_NEAR(s->StartAngle, 6.2831852 - 0.7853982, 1e-6);
  ops.clear();
  s->MouseMove(10, 10);  // nothing picked: nothing happens
  EXPECT_TRUE(ops.empty());
}

TEST_F(DrawnWheel, BothHandlesOnOnePointMakeTheWholeRingGreen) {
  s->Handle(2).Cos = s->Handle(1).Cos;
  s->Handle(2).Sin = s->Handle(1).Sin;
  s->DrawArc();
  EXPECT_EQ(image.Canvas.GetPixel(83, 41), 0x008000u);
  EXPECT_EQ(image.Canvas.GetPixel(45, 7), 0x008000u);
}

}  // namespace
