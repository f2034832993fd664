#include "support/ProgramFixture.h"

namespace {

using Panel = ProgramFixture;

TEST_F(Panel, TypedCoefficientsRedrawAtEveryKeyRelease) {
  tk::Edit* field = FormCoef->CoefEdit[2];
  field->Enabled = true;
  field->UserSetText("0.5");
  field->UserKeyUp('5');
  EXPECT_EQ(M().Coef[2], 0.5f);
  EXPECT_EQ(field->Text(), "0.5") << "the text stays as typed";
  EXPECT_EQ(Renders(), 1);
  field->UserKeyUp(tk::VK_LEFT);
  EXPECT_EQ(Renders(), 2);
  field->UserSetText("zz");
  field->UserKeyUp('Z');
  EXPECT_EQ(M().Coef[2], 0.0f);
  FormCoef->CoefEdit[7]->Enabled = false;
  FormCoef->CoefEdit[7]->UserSetText("9");  // a locked field takes no typing
  EXPECT_EQ(FormCoef->CoefEdit[7]->Text(), "0.0000000");
}

TEST_F(Panel, StepBarsSetTheWeightsWithoutRedrawing) {
  struct {
    int position;
    float weight;
  } cases[] = {{8, 1.0f}, {4, 0.0f}, {0, -1.0f}, {3, -0.25f}, {7, 0.75f}};
  for (const auto& c : cases) {
    FormCoef->StepBar[6]->UserMove(c.position);
    EXPECT_EQ(M().CoefStep[6], c.weight) << c.position;
  }
  EXPECT_EQ(Renders(), 0);
  EXPECT_EQ(TFormCoef::PositionOfWeight(-1, 8), 0);
  EXPECT_EQ(TFormCoef::PositionOfWeight(0, 8), 4);
  EXPECT_EQ(TFormCoef::PositionOfWeight(1, 8), 8);
  EXPECT_EQ(TFormCoef::CentrePosition(8), 4);
}

TEST_F(Panel, TheMenuCommandDocksAndHidesIt) {
  M().Show();
  M().Left = 100;
  M().Top = 50;
  M().SetOuterSize(433, 370);
  M().Coefficients->UserClick();
  EXPECT_TRUE(FormCoef->Visible);
  EXPECT_EQ(FormCoef->Left, 100);
  EXPECT_EQ(FormCoef->Top, 420);
  EXPECT_EQ(FormCoef->ClientWidth, 433);
  M().Left = 300;  // the panel does not follow until the command is used again
  EXPECT_EQ(FormCoef->Left, 100);
  M().Coefficients->UserClick();
  EXPECT_FALSE(FormCoef->Visible);
  M().Coefficients->UserClick();
  EXPECT_TRUE(FormCoef->Visible);
  EXPECT_EQ(FormCoef->Left, 300);
}

}  // namespace
