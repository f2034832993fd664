// The animation timer with its pause and reverse.
#include <cmath>

#include "app/Main.h"
#include "coef/Coef.h"
#include "engine/NumberText.h"
#include "engine/Numbers.h"

using engine::Extended;

namespace {
// One coefficient after a tick: coef + step * weight, in extended precision. A weight of 0
// holds the coefficient still even when the step is not finite (a typed 1e39 reads as an
// infinite step, and infinity times 0 would make every resting coefficient NaN).
float Drifted(float coef, float step, float weight) {
  if (weight == 0 && !std::isfinite(step)) return coef;
  return static_cast<float>(coef + static_cast<Extended>(step) * weight);
}
}  // namespace

void TMainForm::SetRunning(bool run) {
  Timer1->SetEnabled(run);
  ButtonStart->Caption = Timer1->Enabled() ? "Stop" : "Start";
  ButtonStart->MarkChanged();
  // While an animation started here runs, no coefficient can be typed in; the weights can.
  if (FormCoef)
    for (tk::Edit* e : FormCoef->CoefEdit) {
      e->Enabled = !run;
      e->MarkChanged();
    }
}

void TMainForm::Start(tk::Control*) { SetRunning(!Timer1->Enabled()); }

void TMainForm::Turn(tk::Control*) {
  if (AnimateScale) {
    ZoomFactor = static_cast<float>(1.0L / ZoomFactor);
  } else {
    Step = -Step;
    Edit1->SetText(engine::NumberToText(Step, Precision));
  }
}

void TMainForm::On_ClickAnimate(tk::Control*) { AnimateScale = RG_Animate->ItemIndex() == 0; }

void TMainForm::OnTime(tk::Timer*) {
  // Ticks wait while an "Auto" run of New handles pending input between its attempts.
  if (generating_) return;
  if (AnimateScale) {
    Scale = static_cast<float>(static_cast<Extended>(Scale) * ZoomFactor);
    TrackBar1->SetPosition(ScaleToPosition(Scale));
    // The value that crossed a turning point stays; the next tick moves it back. A scale
    // that is not a number counts as below.
    if (!(Scale >= MinScale) || Scale > MaxScale) ZoomFactor = static_cast<float>(1.0L / ZoomFactor);
    Edit3->SetText(engine::NumberToText(Scale, Precision));
  } else {
    for (int i = 0; i < 6; ++i) {
      Coef[i] = Drifted(Coef[i], Step, CoefStep[i]);
      Coef[i + 6] = Drifted(Coef[i + 6], Step, CoefStep[i + 6]);
      if (FormCoef) {
        FormCoef->CoefEdit[i]->SetText(engine::NumberToText(Coef[i], Precision));
        FormCoef->CoefEdit[i + 6]->SetText(engine::NumberToText(Coef[i + 6], Precision));
      }
    }
  }
  Redraw();
  Image1->Repaint();
}
