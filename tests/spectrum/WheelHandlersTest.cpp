#include <climits>

#include "support/ProgramFixture.h"

namespace {

using WheelHandlers = ProgramFixture;

TEST_F(WheelHandlers, DraggingAMarkerAndReleasingRebuildsThePaletteAndRedraws) {
  CloseSplash();
  TMainForm& m = M();
  m.Pallete->UserMouseDown(tk::MouseButton::Left, 83, 46);  // handle 1's ring point
  EXPECT_FALSE(m.Timer1->Enabled());
  EXPECT_EQ(m.ButtonStart->Caption, "Start");
  EXPECT_EQ(m.Wheel.Selected, 1);
  m.Pallete->UserMouseMove(55, 35);
  EXPECT_EQ(m.Wheel.Handle(1).Cos, 0.70710677f);
  EXPECT_EQ(m.HueStart, 0.0f) << "the hue angles follow at release only";
  m.UsePalette = false;
  m.Pallete->UserMouseUp(tk::MouseButton::Left, 55, 35);
  EXPECT_EQ(m.HueStart, m.Wheel.MarkerAngle(1));
  EXPECT_NEAR(m.HueStart, 5.4977871, 1e-6);
  EXPECT_EQ(m.HueEnd, 6.0f);
  EXPECT_TRUE(m.UsePalette);
  EXPECT_EQ(Renders(), 1);
  EXPECT_EQ(m.Wheel.ColorCount, m.RealColors);
  EXPECT_EQ(m.Wheel.Selected, 0);
}

TEST_F(WheelHandlers, ReleaseWithoutADragStillRebuildsAndRedraws) {
  M().Pallete->UserMouseDown(tk::MouseButton::Right, 2, 2);
  EXPECT_EQ(M().Wheel.Selected, 0);
  M().Pallete->UserMouseMove(10, 10);
  M().Pallete->UserMouseUp(tk::MouseButton::Right, 10, 10);
  EXPECT_EQ(Renders(), 1);
  M().Pallete->UserMouseDown(tk::MouseButton::Left, 45, 45);
  EXPECT_TRUE(M().Wheel.Reverse);
  M().Pallete->UserMouseUp(tk::MouseButton::Left, 45, 45);
  EXPECT_EQ(Renders(), 2);
  EXPECT_TRUE(M().Wheel.Reverse);
}

// A drag that leaves the window can report the pointer anywhere; the handle turns towards it
// like towards any point, and the distances to the wheel's centre never overflow.
TEST_F(WheelHandlers, PointerFarOutsideTheWheelTurnsTheHandleTowardsIt) {
  TMainForm& m = M();
  constexpr int Low = INT_MIN, High = INT_MAX;
  const struct {
    int x, y;
    float cos, sin;
  } far[] = {{Low, 45, -1, 0}, {High, 45, 1, 0}, {45, Low, 0, -1}, {45, High, 0, 1}};
  for (const auto& p : far) {
    m.Wheel.Handle(1).Cos = 1;  // back at its start
    m.Wheel.Handle(1).Sin = 0;
    m.Pallete->UserMouseDown(tk::MouseButton::Left, 83, 46);  // handle 1's ring point
    ASSERT_EQ(m.Wheel.Selected, 1);
    m.Pallete->UserMouseMove(p.x, p.y);
    EXPECT_NEAR(m.Wheel.Handle(1).Cos, p.cos, 1e-6) << p.x << " " << p.y;
    EXPECT_NEAR(m.Wheel.Handle(1).Sin, p.sin, 1e-6) << p.x << " " << p.y;
    m.Pallete->UserMouseUp(tk::MouseButton::Left, p.x, p.y);
  }
  m.Pallete->UserMouseDown(tk::MouseButton::Left, Low, High);  // far from both handles
  EXPECT_EQ(m.Wheel.Selected, 0);
  EXPECT_FALSE(m.Wheel.Reverse);
}

}  // namespace
