#include "coef/Coef.h"

#include "app/Main.h"
#include "engine/NumberText.h"
#include "engine/Numbers.h"
#include "engine/TextRead.h"

TFormCoef* FormCoef = nullptr;

namespace {
using F = TFormCoef;
const tk::FontDesc Caption{.name = "MS Sans Serif", .height = 13, .bold = true, .color = tk::clRed};
const tk::FontDesc ForXY{.name = "Arial Narrow", .height = 13, .bold = true, .color = tk::clBlack};

const std::vector<tk::ControlDesc<F>>& Description() {
  static const std::vector<tk::ControlDesc<F>> table = {
      {&F::GB_Coef, "GB_Coef", "", 0, 0, 427, 119,
       {.text = "Fractal coefficients and animation steps :", .font = Caption}},
      {&F::Label1, "Label1", "GB_Coef", 8, 40, 33, 16, {.text = "For X:", .font = ForXY}},
      {&F::Label2, "Label2", "GB_Coef", 8, 80, 33, 16, {.text = "For Y:", .font = ForXY}},
  };
  return table;
}
}  // namespace

TFormCoef::TFormCoef() : tk::Form("FormCoef") {
  FormCoef = this;
  BorderStyle = tk::BorderStyle::None;
  BorderIcons = {false, false, false};
  Font = tk::Font{.Name = "MS Sans Serif", .Height = 13};
  tk::BuildForm(*this, controls_, Description());

  // The fields and bars are made in code, column by column: x field, y field, x bar, y bar
  // (which is also the focus order).
  int tab = 0;
  for (int k = 0; k < 6; ++k) {
    const int left = 50 + 64 * k;
    for (int i : {k, k + 6}) {
      tk::Edit* e = controls_.Make<tk::Edit>("CoefEdit" + std::to_string(i));
      e->SetParent(this);
      e->Left = left;
      e->Top = i < 6 ? 20 : 88;
      e->Width = 57;
      e->Height = 24;
      e->Font = Font;
      e->Color = tk::clWindow;
      e->TabStop = true;
      e->TabOrder = tab++;
      e->Enabled = false;
      e->SetText(engine::NumberToText(MainForm ? MainForm->Coef[i] : 0.0f,
                                      MainForm ? MainForm->Precision : 1000000));
      e->OnKeyUp = [this](tk::Control* s, tk::Key& key, tk::ShiftState sh) { On_CoefUp(s, key, sh); };
      CoefEdit[i] = e;
    }
    for (int i : {k, k + 6}) {
      tk::TrackBar* b = controls_.Make<tk::TrackBar>("StepBar" + std::to_string(i));
      b->SetParent(this);
      b->Left = left;
      b->Top = i < 6 ? 50 : 70;
      b->Width = 57;
      b->Height = 17;
      b->Min = 0;
      b->Max = 8;
      b->SetPosition(0);
      b->LineSize = 1;
      b->PageSize = 2;
      b->Frequency = 1;
      b->TabStop = true;
      b->TabOrder = tab++;
      b->OnChange = [this](tk::Control* s) { On_ChangeCoefTurn(s); };
      StepBar[i] = b;
    }
  }
  ClientWidth = 427;
  ClientHeight = CoefEdit[6]->Top + CoefEdit[6]->Height + 7;
  GB_Coef->Height = ClientHeight;
}

void TFormCoef::On_CoefUp(tk::Control* sender, tk::Key&, tk::ShiftState) {
  for (int i = 0; i < 12; ++i) {
    if (CoefEdit[i] != sender) continue;
    MainForm->Coef[i] = static_cast<float>(engine::ReadReal(CoefEdit[i]->Text()));
    MainForm->Redraw();
    return;
  }
}

void TFormCoef::On_ChangeCoefTurn(tk::Control* sender) {
  for (int i = 0; i < 12; ++i)
    if (StepBar[i] == sender) MainForm->CoefStep[i] = Weight(StepBar[i]->Position(), StepBar[i]->Max);
}

float TFormCoef::Weight(int position, int max) {
  if (max == 0) return 0;
  return static_cast<float>((2.0L * position - max) / max);
}

int TFormCoef::PositionOfWeight(float weight, int max) {
  return engine::TruncToInt(max * 0.5L * (static_cast<engine::Extended>(weight) + 1));
}

int TFormCoef::CentrePosition(int max) { return engine::TruncToInt(max * 0.5L + 0.1L); }

void TMainForm::On_FormCoef(tk::MenuItem*) {
  // Docked under the main window's frame where it stands now; it does not follow later moves.
  FormCoef->Left = Left;
  FormCoef->ClientWidth = OuterWidth();
  FormCoef->GB_Coef->Width = OuterWidth();
  FormCoef->Top = Top + OuterHeight();
  FormCoef->MarkChanged();
  if (FormCoef->Visible)
    FormCoef->Close();
  else
    FormCoef->Show();
}
