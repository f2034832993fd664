#include <cmath>

#include "engine/NumberText.h"
#include "support/ProgramFixture.h"

namespace {

struct Inputs : ProgramFixture {
  void Type(tk::Edit* e, const std::string& text) {
    e->UserSetText(text);
    e->UserKeyUp('0');
  }
};

TEST_F(Inputs, IterationLimitIsKeptWithinFiveTo999AndRendersTwiceWhenCorrected) {
  struct {
    const char* typed;
    const char* shown;
    int maxIter;
    int renders;
  } cases[] = {{"3", "5", 5, 2}, {"1000", "999", 999, 2}, {"letters", "5", 5, 2}, {"150", "150", 150, 1},
               {"-7", "5", 5, 2}, {"99999999999", "999", 999, 2}};
  for (const auto& c : cases) {
    M().EditIter->SetText("200");  // from code: the change handler runs too
    const int before = Renders();
    M().UsePalette = false;
    M().EditIter->UserSetText(c.typed);
    EXPECT_EQ(M().EditIter->Text(), c.shown) << c.typed;
    EXPECT_EQ(M().MaxIter, c.maxIter) << c.typed;
    EXPECT_EQ(Renders() - before, c.renders) << c.typed;
    EXPECT_TRUE(M().UsePalette);
  }
}

TEST_F(Inputs, TheStepFieldKeepsTheSignAndMovesItsSlider) {
  M().Step = -0.1f;
  const int renders = Renders();
  for (const char* typed : {"0.05", "-0.05"}) {
    M().Edit1->UserSetText(typed);
    EXPECT_EQ(M().Step, -0.05f) << typed;
    EXPECT_EQ(M().TB_Coef->Position(), 37) << typed;
  }
  M().Edit1->UserSetText("0");
  EXPECT_EQ(M().Step, -0.05f);
  M().Edit1->UserSetText("abc");
  EXPECT_EQ(M().Step, -0.05f);
  EXPECT_EQ(Renders(), renders) << "the step never redraws";
  M().Step = 0;  // a step of 0 takes the positive sign
  M().Edit1->UserSetText("0.2");
  EXPECT_EQ(M().Step, 0.2f);
}

TEST_F(Inputs, TheStepSliderReadsItsValueBackFromTheText) {
  M().TB_Coef->UserMove(39);
  M().Step = -0.3f;
  M().TB_Coef->UserMove(40);
  EXPECT_EQ(M().Step, -0.1f);
  EXPECT_EQ(M().Edit1->Text(), "-0.100000");
  M().TB_Coef->UserMove(1);
  EXPECT_EQ(M().Edit1->Text(), "-0.000002");
  EXPECT_EQ(M().Step, -0.000002f);
  EXPECT_EQ(M().TB_Coef->Position(), 1);
  M().Step = 0;
  M().TB_Coef->UserMove(30);
  EXPECT_GT(M().Step, 0.0f);
}

TEST_F(Inputs, TheScaleFieldNormalisesAndPlacesItsSlider) {
  struct {
    const char* typed;
    float scale;
    int position;
  } cases[] = {{"2", 2.0f, 477121}, {"50", 50.0f, 1000000}, {"", 0.0f, 0}, {"-1", -1.0f, 0},
               {"-5", -5.0f, 0},    {"1e39", INFINITY, 1000000}};
  for (const auto& c : cases) {
    const int before = Renders();
    Type(M().Edit3, c.typed);
    EXPECT_EQ(M().Scale, c.scale) << c.typed;
    EXPECT_EQ(M().Edit3->Text(), engine::NumberToText(c.scale, 1000000)) << c.typed;
    EXPECT_EQ(M().TrackBar1->Position(), c.position) << c.typed;
    EXPECT_EQ(Renders() - before, 1) << c.typed;
  }
}

TEST_F(Inputs, TheScaleSlider) {
  M().TrackBar1->UserMove(0);
  EXPECT_EQ(M().Scale, 0.0f);
  EXPECT_EQ(M().Edit3->Text(), "0.0000000");
  EXPECT_EQ(Renders(), 1);
  EXPECT_EQ(platform.Repaints["Image1"], 1);
  M().TrackBar1->UserMove(2000000);  // clamped to the end
  EXPECT_EQ(M().TrackBar1->Position(), 1000000);
  EXPECT_EQ(M().Scale, 9.0f);
  EXPECT_NEAR(TMainForm::PositionToScale(60000), 0.14815, 1e-5);
}

TEST_F(Inputs, TheDirectColourFactor) {
  const int before = Renders();
  M().Edit5->UserMouseDown(tk::MouseButton::Left, 3, 3);
  EXPECT_FALSE(M().UsePalette);
  EXPECT_EQ(Renders() - before, 1);
  Type(M().Edit5, "3.9");
  EXPECT_EQ(M().PaletteFactor, 3);
  Type(M().Edit5, "x");
  EXPECT_EQ(M().PaletteFactor, 0);
  Type(M().Edit5, "1e30");  // saturated, never an undefined conversion
  EXPECT_EQ(M().PaletteFactor, 2147483647);
  // A press on FullRange returns to palette colouring, then its click flips FullRange.
  const int renders = Renders();
  M().CB_FullRange->UserMouseDown(tk::MouseButton::Left, 2, 2);
  M().CB_FullRange->UserClick();
  EXPECT_TRUE(M().UsePalette);
  EXPECT_FALSE(M().FullRange);
  EXPECT_FALSE(M().CB_FullRange->Checked());
  EXPECT_EQ(Renders() - renders, 2);
  EXPECT_EQ(M().Wheel.ColorCount, M().MaxIter);
}

TEST_F(Inputs, ColourKeysAndDistribution) {
  for (tk::Control* c : std::initializer_list<tk::Control*>{M().GB_Color, M().SpectrumLine, M().Label15, M().Label5,
                                                             M().Label14, M().EditIter, M().EditQuantity}) {
    M().UsePalette = false;
    c->UserMouseDown(tk::MouseButton::Right, 1, 1);
    EXPECT_TRUE(M().UsePalette) << c->Name;
  }
  M().UsePalette = false;
  const int before = Renders();
  M().RG_Distribution->UserSelect(1);
  EXPECT_TRUE(M().UsePalette);
  EXPECT_EQ(Renders() - before, 1);
  M().E_LimColors->UserSetText("1200");
  EXPECT_EQ(M().MinColors, 1200);
  M().E_LimColors->UserSetText("none");
  EXPECT_EQ(M().MinColors, 0);
  EXPECT_EQ(Renders() - before, 1);
}

TEST_F(Inputs, SliderMappings) {
  EXPECT_EQ(TMainForm::ScaleToPosition(2.0f), 477121);
  EXPECT_EQ(TMainForm::ScaleToPosition(9.0f), 1000000);
  EXPECT_EQ(TMainForm::ScaleToPosition(-1.0f), 0);
  EXPECT_EQ(TMainForm::ScaleToPosition(NAN), 0);
  EXPECT_EQ(M().StepToPosition(0.1f), 40);
  EXPECT_EQ(M().StepToPosition(0.05f), 37);
  EXPECT_EQ(M().PositionToStep(40), 0.1f);
  EXPECT_NEAR(M().PositionToStep(1), 0.0000025895, 1e-10);
}

}  // namespace
