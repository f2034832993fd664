#pragma once
// "Spiral", the catalogue's worked example: Square distribution, a reversed palette, direct
// colour factor 3, centred off the origin.

#include "themes/Catalog.h"

inline catalog::ThemeRecord SpiralTheme() {
  using catalog::ThemeRecord;
  ThemeRecord r;
  r.Name = "Spiral";
  r.Coef = {1.5f, -0.25f, 0, 0.5f, 0, 0.125f, 0, 0, 2, 0.75f, 0, -0.5f};
  r.CoefStep[0] = 1;
  r.CoefStep[8] = -0.5f;
  r.Scale = 2.5f;
  r.SignedFactor = ThemeRecord::SignFactor(3, true);
  r.Step = -0.125f;
  r.StartAngle = 0.5f;
  r.EndAngle = 4.75f;
  r.Direction = ThemeRecord::Flag(true);
  r.MaxIter = 200;
  r.Distribution = 1;
  r.FullRange = ThemeRecord::Flag(false);
  r.CentreX = -0.25f;
  r.CentreY = 0.125f;
  return r;
}
