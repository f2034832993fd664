#pragma once
// Driving the whole program as a user would, for the long and the hostile runs, and the
// checks that the picture on screen is the one the state describes.

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/Colouring.h"
#include "engine/Map.h"
#include "support/ProgramFixture.h"

struct Driving : ProgramFixture {
  // Typed text lands in the field, then the key that typed it is released.
  static void Type(tk::Edit* field, const std::string& text) {
    field->UserSetText(text);
    field->UserKeyUp('0');
  }
  // The coefficient fields take typing only while the animation is stopped; a stopped
  // animation is left stopped, a running one is paused and started again.
  void TypeCoef(int i, const std::string& text) {
    const bool running = M().Timer1->Enabled();
    if (running || !FormCoef->CoefEdit[i]->Enabled) {
      M().ButtonStart->UserClick();
      if (M().Timer1->Enabled()) M().ButtonStart->UserClick();
    }
    Type(FormCoef->CoefEdit[i], text);
    if (running) M().ButtonStart->UserClick();
  }
  // A click as the mouse makes it: the press, then the click.
  static void Click(tk::CheckBox* box) {
    box->UserMouseDown(tk::MouseButton::Left, 2, 2);
    box->UserClick();
  }
  // Opens the catalogue from the menu and runs `script` while it is shown.
  void Catalogue(const std::function<void(TFormThemes&)>& script) {
    platform.OnModal = [&](tk::Form& f) {
      if (&f == FormThemes) script(*FormThemes);
    };
    M().Theme1->UserClick();
    platform.OnModal = nullptr;
  }

  // The last render of the main picture painted its pixels: it was not ended early for
  // random generation (too few colours, "Auto" on, animation stopped).
  bool Painted() {
    TMainForm& m = M();
    return !(m.RealColors < m.MinColors && m.CB_AutoNew->Checked() && !m.Timer1->Enabled());
  }

  // Compares pixel (x, y) of the main picture, and its stored count, with the reference
  // escape count of its point under the current state. Empty when they agree.
  std::string PixelDisagrees(int x, int y) {
    TMainForm& m = M();
    const int w = m.Image1->Width;
    const engine::Point p = engine::PixelToPlane(x, y, w, m.Image1->Height, m.Scale, m.CentreX, m.CentreY);
    const int count = engine::EscapeCount(m.Coef, m.MaxIter, p.x, p.y);
    const tk::Color pixel = m.Image1->Canvas.Data()[y * w + x];
    const std::string at = "pixel " + std::to_string(x) + "," + std::to_string(y) + " count " +
                           std::to_string(count) + ": ";
    if (!m.UsePalette) {
      const tk::Color want =
          engine::DirectPixel(engine::DirectColour(count, m.ColorSpan, m.PaletteFactor));
      return pixel == want ? "" : at + "direct colour " + std::to_string(pixel) + " != " + std::to_string(want);
    }
    const int stored = m.RG_Distribution->ItemIndex() == 0 ? count : engine::SquareRemap(m.MaxIter)(count);
    if (m.IterBuffer[y * w + x] != stored)
      return at + "stored " + std::to_string(m.IterBuffer[y * w + x]) + " != " + std::to_string(stored);
    if (!Painted()) return "";
    const int entry = engine::PaletteEntry(stored);
    const tk::Color want = entry < 0 ? 0 : m.Wheel.Colors[entry];
    return pixel == want ? "" : at + "palette colour " + std::to_string(pixel) + " != " + std::to_string(want);
  }
  // The corners, the centre and a few points between them.
  std::string PictureDisagrees() {
    const int w = M().Image1->Width, h = M().Image1->Height;
    const int xs[] = {0, w / 3, w / 2, w - 1};
    const int ys[] = {0, h / 2, 2 * h / 3, h - 1};
    for (int x : xs)
      for (int y : ys)
        if (std::string why = PixelDisagrees(x, y); !why.empty()) return why;
    return "";
  }
};

// Equal as stored values go: NaN equals NaN, and the sign of a zero counts.
inline bool SameFloat(float a, float b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}
