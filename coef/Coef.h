#pragma once
// The coefficients panel: twelve coefficient fields and twelve step bars, docked under the
// main window by its "Coefficients" command. It holds no state: everything it edits is the
// main window's.

#include <array>

#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"

class TFormCoef : public tk::Form {
 public:
  TFormCoef();

  tk::GroupBox* GB_Coef = nullptr;
  tk::Label* Label1 = nullptr;
  tk::Label* Label2 = nullptr;
  // Entry i shows Coef[i] and CoefStep[i]: 0..5 the x equation, 6..11 the y equation.
  std::array<tk::Edit*, 12> CoefEdit{};
  std::array<tk::TrackBar*, 12> StepBar{};

  void On_CoefUp(tk::Control* sender, tk::Key& key, tk::ShiftState shift);
  void On_ChangeCoefTurn(tk::Control* sender);

  // A bar at position p of 0 .. max stands for the weight (2p - max) / max.
  static float Weight(int position, int max);
  // The position that shows weight w, and the neutral position generation uses.
  static int PositionOfWeight(float weight, int max);
  static int CentrePosition(int max);

 private:
  tk::ControlStore controls_;
};

extern TFormCoef* FormCoef;
