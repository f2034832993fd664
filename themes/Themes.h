#pragma once
// The catalogue dialog: lists the theme records of catalog.dat and loads, saves, renames and
// deletes them.

#include "spectrum/Spectrum.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"

class TFormThemes : public tk::Form {
 public:
  TFormThemes();

  // Holds the hue angles of the records a rename or delete copies; never drawn.
  TSpectrum Spectrum;

 private:
  tk::ControlStore controls_;
};

extern TFormThemes* FormThemes;
