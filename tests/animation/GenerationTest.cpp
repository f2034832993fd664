#include <set>

#include "app/StartValues.h"
#include "engine/Random.h"
#include "support/ProgramFixture.h"

namespace {

struct Generation : ProgramFixture {
  void SetUp() override {
    ProgramFixture::SetUp();
    engine::SharedRandom().Seed(2024);
  }
};

TEST_F(Generation, OneAttemptChangesOnePairAndItsWeights) {
  M().CB_AutoNew->SetChecked(false);
  float before[12];
  std::copy(std::begin(M().Coef), std::end(M().Coef), before);
  engine::Random expect;
  expect.Seed(2024);
  const int k = expect.Next() % 6;
  const float ck = static_cast<float>((100 - expect.Next() % 200) * 0.01);
  const float ck6 = static_cast<float>((100 - expect.Next() % 200) * 0.01);
  const int pk = expect.Next() % 8, pk6 = expect.Next() % 8;

  M().Button1->UserClick();
  EXPECT_EQ(Renders(), 1);
  EXPECT_EQ(M().Coef[k], ck);
  EXPECT_EQ(M().Coef[k + 6], ck6);
  for (int i = 0; i < 12; ++i) {
    if (i == k || i == k + 6) continue;
    EXPECT_EQ(M().Coef[i], before[i]) << i;
    EXPECT_EQ(FormCoef->StepBar[i]->Position(), 4) << i;
    EXPECT_EQ(M().CoefStep[i], 0.0f) << i;
  }
  EXPECT_EQ(FormCoef->StepBar[k]->Position(), pk);
  EXPECT_EQ(FormCoef->StepBar[k + 6]->Position(), pk6);
  EXPECT_EQ(M().CoefStep[k], TFormCoef::Weight(pk, 8));
  EXPECT_EQ(M().CoefStep[k + 6], TFormCoef::Weight(pk6, 8));
  // The changed fields show the general text; the others keep theirs.
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", static_cast<double>(ck));
  EXPECT_EQ(FormCoef->CoefEdit[k]->Text(), text);
  EXPECT_EQ(FormCoef->CoefEdit[(k + 1) % 6]->Text(), k + 1 == 1 ? "-1.799999" : FormCoef->CoefEdit[(k + 1) % 6]->Text());
  EXPECT_FALSE(M().Timer1->Enabled());
  EXPECT_TRUE(FormCoef->CoefEdit[0]->Enabled);
}

TEST_F(Generation, TheSameGeneratorStateGivesTheSameResults) {
  M().CB_AutoNew->SetChecked(false);
  auto run = [&] {
    engine::SharedRandom().Seed(77);
    std::copy(std::begin(start::Coef), std::end(start::Coef), M().Coef);
    std::vector<float> out;
    for (int click = 0; click < 5; ++click) {
      M().Button1->UserClick();
      out.insert(out.end(), std::begin(M().Coef), std::end(M().Coef));
      out.insert(out.end(), std::begin(M().CoefStep), std::end(M().CoefStep));
      for (auto* b : FormCoef->StepBar) out.push_back(static_cast<float>(b->Position()));
    }
    return out;
  };
  EXPECT_EQ(run(), run());
}

TEST_F(Generation, ValueSetsAndTheTextDecimalPoint) {
  M().CB_AutoNew->SetChecked(false);
  std::set<float> coefficients, weights;
  for (int click = 0; click < 3000; ++click) {
    M().MaxIter = 5;  // cheap renders
    M().Button1->UserClick();
    for (int i = 0; i < 12; ++i) {
      weights.insert(M().CoefStep[i]);
      ASSERT_EQ(FormCoef->CoefEdit[i]->Text().find(','), std::string::npos);
    }
    for (int i = 0; i < 12; ++i) coefficients.insert(M().Coef[i]);
  }
  EXPECT_TRUE(coefficients.count(1.0f));
  EXPECT_FALSE(coefficients.count(-1.0f));
  EXPECT_TRUE(coefficients.count(-0.99f));
  EXPECT_TRUE(weights.count(-1.0f));
  EXPECT_FALSE(weights.count(1.0f));
  EXPECT_TRUE(weights.count(0.75f));
}

TEST_F(Generation, AutoEndsOnTheFirstQualifyingAttempt) {
  M().MinColors = 40;
  int attempts = 0;
  int lastReal = -1;
  // Count attempts through the renders; each attempt's count is shown at once.
  M().Button1->UserClick();
  attempts = Renders();
  lastReal = M().RealColors;
  EXPECT_GE(lastReal, 40);
  // Re-run the same sequence by hand: every attempt before the last fell short.
  engine::SharedRandom().Seed(2024);
  M().CB_AutoNew->SetChecked(false);
  std::copy(std::begin(start::Coef), std::end(start::Coef), M().Coef);
  for (int i = 1; i < attempts; ++i) {
    M().Button1->UserClick();
    EXPECT_LT(M().RealColors, 40) << i;
  }
  M().Button1->UserClick();
  EXPECT_EQ(M().RealColors, lastReal);
  M().MinColors = 0;
  M().CB_AutoNew->SetChecked(true);
  const int before = Renders();
  M().Button1->UserClick();
  EXPECT_EQ(Renders() - before, 1);
}

TEST_F(Generation, AnImpossibleLimitCanBeEndedByUncheckingAutoOrClosing) {
  M().MaxIter = 5;
  M().MinColors = 5;  // no escaping count reaches the limit
  int pending = 0;
  platform.OnPendingEvents = [&] {
    ++pending;
    if (pending == 3) M().Button1->UserClick();  // a second New during the run starts nothing
    if (pending == 10) M().CB_AutoNew->UserClick();
  };
  M().Button1->UserClick();
  EXPECT_EQ(pending, 10);
  EXPECT_EQ(Renders(), 10);
  EXPECT_FALSE(M().CB_AutoNew->Checked());

  M().CB_AutoNew->UserClick();
  pending = 0;
  M().Show();
  platform.OnPendingEvents = [&] {
    if (++pending == 4) M().UserClose();
  };
  M().Button1->UserClick();
  EXPECT_EQ(pending, 4);
  EXPECT_TRUE(platform.Terminated());
}

}  // namespace
