#include "engine/NumberText.h"
#include "support/ProgramFixture.h"

namespace {

struct Animation : ProgramFixture {
  void SetUp() override {
    ProgramFixture::SetUp();
    CloseSplash();
  }
};

TEST_F(Animation, FirstTickOfTheScaleMode) {
  platform.Tick();
  EXPECT_EQ(M().Scale, 8.9099998f);
  EXPECT_EQ(M().TrackBar1->Position(), 996073);
  EXPECT_EQ(M().Edit3->Text(), engine::NumberToText(8.9099998f, 1000000));
  EXPECT_EQ(platform.Repaints["Image1"], 1);
}

TEST_F(Animation, TurnsAfter153TicksDownAnd154Up) {
  int down = 0;
  while (M().ZoomFactor == 0.9f) {
    platform.Tick();
    ++down;
    ASSERT_LT(down, 1000);
  }
  EXPECT_EQ(down, 153);
  EXPECT_LT(M().Scale, 1e-6f);
  EXPECT_EQ(M().ZoomFactor, 1.1111112f);
  int up = 0;
  while (M().ZoomFactor != 0.9f) {
    platform.Tick();
    ++up;
    ASSERT_LT(up, 1000);
  }
  EXPECT_EQ(up, 154);
  EXPECT_GT(M().Scale, 10.0f);
}

TEST_F(Animation, ScalesThatCannotReturnFlipTheFactorEveryTick) {
  for (float s : {100.0f, -2.0f, 0.0f}) {
    M().Scale = s;
    M().ZoomFactor = 0.9f;
    platform.Tick();
    platform.Tick();
    EXPECT_EQ(M().ZoomFactor, 0.9f) << s;
    if (s == 0) {
      EXPECT_EQ(M().Scale, 0.0f);
    }
    EXPECT_EQ(M().TrackBar1->Position(), s > 0 ? 1000000 : 0);
  }
}

TEST_F(Animation, BackInScaleModeInvertsTheFactorExactly) {
  M().ButtonBack->UserClick();
  EXPECT_EQ(M().ZoomFactor, 1.1111112f);
  M().ButtonBack->UserClick();
  EXPECT_EQ(M().ZoomFactor, 0.9f);
}

TEST_F(Animation, CoeffModeDriftsByTheWeightsAndBackTurnsTheStep) {
  M().RG_Animate->UserSelect(1);
  EXPECT_FALSE(M().AnimateScale);
  const float c0 = M().Coef[0];
  platform.Tick();
  EXPECT_EQ(M().Coef[0], static_cast<float>(c0 + static_cast<long double>(0.1f)));
  EXPECT_EQ(FormCoef->CoefEdit[0]->Text(), engine::NumberToText(M().Coef[0], 1000000));
  EXPECT_EQ(M().Coef[1], -1.8f);
  M().ButtonBack->UserClick();
  EXPECT_EQ(M().Step, -0.1f);
  EXPECT_EQ(M().Edit1->Text(), "-0.100000");
  EXPECT_EQ(M().TB_Coef->Position(), 40);
  const float c1 = M().Coef[0];
  platform.Tick();
  EXPECT_EQ(M().Coef[0], static_cast<float>(c1 + static_cast<long double>(-0.1f)));
}

TEST_F(Animation, AllWeightsZeroRedrawsTheSamePicture) {
  M().RG_Animate->UserSelect(1);
  for (float& w : M().CoefStep) w = 0;
  platform.Tick();
  const std::vector<tk::Color> first(M().Image1->Canvas.Data(), M().Image1->Canvas.Data() + 160 * 120);
  platform.Tick();
  EXPECT_TRUE(std::equal(first.begin(), first.end(), M().Image1->Canvas.Data()));
  EXPECT_EQ(platform.Repaints["Image1"], 2);
}

TEST_F(Animation, StartStopCaptionsAndTheLock) {
  struct Step {
    const char* what;
    std::function<void()> act;
    bool running;
    const char* caption;
    bool locked;
  };
  const Step steps[] = {
      {"pause while running", [&] { M().ButtonStart->UserClick(); }, false, "Start", false},
      {"start", [&] { M().ButtonStart->UserClick(); }, true, "Stop", true},
      {"full screen", [&] { M().Button4->UserClick(); }, false, "Start", true},
      {"start again", [&] { M().ButtonStart->UserClick(); }, true, "Stop", true},
      {"wheel press", [&] { M().Pallete->UserMouseDown(tk::MouseButton::Left, 45, 45); }, false, "Start", true},
      {"start", [&] { M().ButtonStart->UserClick(); }, true, "Stop", true},
      {"new", [&] { M().CB_AutoNew->SetChecked(false); M().Button1->UserClick(); }, false, "Start", false},
      {"start", [&] { M().ButtonStart->UserClick(); }, true, "Stop", true},
      {"catalogue", [&] { M().Theme1->UserClick(); }, false, "Start", false},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(M().Timer1->Enabled(), s.running) << s.what;
    EXPECT_EQ(M().ButtonStart->Caption, s.caption) << s.what;
    EXPECT_EQ(!FormCoef->CoefEdit[3]->Enabled, s.locked) << s.what;
  }
  // The catalogue left Coeff mode although the radio group still shows "Scale".
  EXPECT_FALSE(M().AnimateScale);
  EXPECT_EQ(M().RG_Animate->ItemIndex(), 0);
  M().CoefStep[0] = 1;  // New left random weights; drift the first coefficient for sure
  const float c0 = M().Coef[0];
  M().ButtonStart->UserClick();
  platform.Tick();
  EXPECT_NE(M().Coef[0], c0);
}

TEST_F(Animation, ChoosingTheShownItemRaisesNoClick) {
  M().AnimateScale = false;
  M().RG_Animate->UserSelect(0);
  EXPECT_FALSE(M().AnimateScale);
  M().RG_Animate->UserSelect(1);
  M().RG_Animate->UserSelect(0);
  EXPECT_TRUE(M().AnimateScale);
}

}  // namespace
