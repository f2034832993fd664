// "New": a random pair of coefficients and drift weights, retried with "Auto" until the
// picture shows enough colours.
#include <charconv>
#include <string>

#include "app/Main.h"
#include "coef/Coef.h"
#include "engine/Random.h"
#include "toolkit/Application.h"
#include "toolkit/Platform.h"

namespace {

// The exact value of the float in at most 15 significant digits, "." as the point in every
// locale (the field is read back with "." only).
std::string GeneralText(float v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::general, 15);
  return std::string(buf, r.ptr);
}

float RandomCoefficient(engine::Random& random) {
  return static_cast<float>((100 - random.Next() % 200) * 0.01);
}

}  // namespace

void TMainForm::On_New(tk::Control*) {
  // A click while an "Auto" run handles pending input does not start a second, nested run.
  if (generating_) return;
  generating_ = true;
  SetRunning(false);
  engine::Random& random = engine::SharedRandom();
  tk::Application* app = tk::Application::Instance();
  for (;;) {
    const int k = random.Next() % 6;
    Coef[k] = RandomCoefficient(random);
    Coef[k + 6] = RandomCoefficient(random);
    if (FormCoef) {
      FormCoef->CoefEdit[k]->SetText(GeneralText(Coef[k]));
      FormCoef->CoefEdit[k + 6]->SetText(GeneralText(Coef[k + 6]));
    }
    const int r4 = random.Next();
    const int r5 = random.Next();
    if (FormCoef) {
      for (int j = 0; j < 6; ++j)
        for (int i : {j, j + 6}) {
          tk::TrackBar* bar = FormCoef->StepBar[i];
          bar->SetPosition(TFormCoef::CentrePosition(bar->Max));
          CoefStep[i] = TFormCoef::Weight(bar->Position(), bar->Max);
        }
      for (auto [i, r] : {std::pair{k, r4}, std::pair{k + 6, r5}}) {
        tk::TrackBar* bar = FormCoef->StepBar[i];
        bar->SetPosition(bar->Max > 0 ? r % bar->Max : 0);
        CoefStep[i] = TFormCoef::Weight(bar->Position(), bar->Max);
      }
    }
    Redraw();
    if (!CB_AutoNew->Checked() || RealColors >= MinColors) break;
    // A limit no picture can reach would retry for ever: let the user uncheck "Auto" or close
    // the window between attempts.
    if (tk::Platform* p = tk::CurrentPlatform()) p->ProcessPendingEvents();
    if ((app && app->Terminated()) || !CB_AutoNew->Checked()) break;
  }
  generating_ = false;
}
