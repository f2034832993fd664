// The parameter fields and sliders, and the colour-mode switches.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/Main.h"
#include "engine/NumberText.h"
#include "engine/Numbers.h"
#include "engine/TextRead.h"

using engine::Extended;

int TMainForm::ScaleToPosition(float scale) {
  // A scale of -1 or below has no logarithm: the slider goes to its start.
  const Extended s1 = static_cast<Extended>(scale) + 1;
  if (!(s1 > 0)) return 0;
  return engine::TruncToInt(std::log10(s1) * 1000000.0L);
}

float TMainForm::PositionToScale(int position) {
  return static_cast<float>(std::pow(10.0L, position * 1e-6L) - 1.0L);
}

int TMainForm::StepToPosition(float magnitude) const {
  const Extended v = static_cast<Extended>(magnitude) * StepSpan + 1;
  if (!(v > 0)) return 0;
  return engine::TruncToInt(std::log10(v) * 10.0L + 0.5L);
}

float TMainForm::PositionToStep(int position) const {
  return static_cast<float>((std::pow(10.0L, position * 0.1L) - 1.0L) / StepSpan);
}

namespace {
// The sign of the step; a step of 0 (or not a number) counts as positive.
float SignOf(float step) { return step < 0 ? -1.0f : 1.0f; }
}  // namespace

void TMainForm::On_ChangeTrackBar1(tk::Control*) {
  Scale = PositionToScale(TrackBar1->Position());
  Edit3->SetText(engine::NumberToText(Scale, Precision));
  Redraw();
  Image1->Repaint();
}

void TMainForm::On_Coef(tk::Control* sender, tk::Key&, tk::ShiftState) {
  if (sender == Edit3) {
    Scale = static_cast<float>(engine::ReadReal(Edit3->Text()));
    Edit3->SetText(engine::NumberToText(Scale, Precision));
    TrackBar1->SetPosition(ScaleToPosition(Scale));
  } else if (sender == Edit5) {
    UsePalette = false;
    PaletteFactor = engine::TruncToInt(engine::ReadReal(Edit5->Text()));
  }
  Redraw();
}

void TMainForm::On_ChangeTB_Coef(tk::Control*) {
  const float s = SignOf(Step);
  Step = static_cast<float>((std::pow(10.0L, TB_Coef->Position() * 0.1L) - 1.0L) * s / StepSpan);
  // The step field's change handler reads the value back from its six-decimal text.
  Edit1->SetText(engine::NumberToText(Step, Precision));
}

void TMainForm::Param(tk::Control* sender) {
  if (sender == Edit1) {
    const float v = static_cast<float>(std::fabs(engine::ReadReal(Edit1->Text())));
    if (v == 0 || std::isnan(v)) return;
    Step = SignOf(Step) * v;  // a typed minus sign is ignored: the direction stays
    TB_Coef->SetPosition(StepToPosition(v));
  } else if (sender == EditIter) {
    UsePalette = true;
    const int typed = engine::ReadInteger(EditIter->Text());
    MaxIter = KeptIterationLimit(typed);
    // A corrected text runs this handler again, nested, with the corrected value.
    if (MaxIter != typed) EditIter->SetText(std::to_string(MaxIter));
    IterationLimitChanged();
  } else if (sender == E_LimColors) {
    MinColors = engine::ReadInteger(E_LimColors->Text());
  }
}

int TMainForm::KeptIterationLimit(int limit) { return std::clamp(limit, LeastMaxIter, MostMaxIter); }

void TMainForm::IterationLimitChanged() {
  Wheel.Init(Pallete, MaxIter, HueStart, HueEnd);
  Wheel.Update();
  DrawSpectrumLine();
  Redraw();
}

void TMainForm::On_Interpolation(tk::Control*) {
  UsePalette = true;
  Redraw();
}

void TMainForm::On_FullRange(tk::Control*) {
  FullRange = !FullRange;
  Wheel.Init(Pallete, MaxIter, HueStart, HueEnd);
  Wheel.Update();
  DrawSpectrumLine();
  Redraw();
}

void TMainForm::On_ColorKey(tk::Control* sender, tk::MouseButton, tk::ShiftState, int, int) {
  UsePalette = sender != Edit5;
  Redraw();
}
