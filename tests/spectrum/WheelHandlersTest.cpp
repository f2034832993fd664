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

}  // namespace
