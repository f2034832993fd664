// The main window's side of the colour wheel: its mouse handlers and the palette strip.
#include "app/Main.h"

void TMainForm::On_SpectrumDown(tk::Control*, tk::MouseButton, tk::ShiftState, int x, int y) {
  Wheel.MouseDown(x, y);
}

void TMainForm::On_SpectrumMove(tk::Control*, tk::ShiftState, int x, int y) { Wheel.MouseMove(x, y); }

void TMainForm::On_SpectrumUp(tk::Control*, tk::MouseButton, tk::ShiftState, int, int) {
  Wheel.Update();
  DrawSpectrumLine();
  HueStart = Wheel.MarkerAngle(1);
  HueEnd = Wheel.MarkerAngle(2);
  UsePalette = true;
  Redraw();
}

void TMainForm::DrawSpectrumLine() {
  tk::Canvas& c = SpectrumLine->Canvas;
  const int w = SpectrumLine->Width;
  for (int x = 0; x < w; ++x) {
    c.Pen.Color = 0xFFFFFF;
    c.MoveTo(x, 3);
    c.LineTo(x, 8);
  }
  // Only RealColors entries show; where they outnumber the columns the last one drawn stays.
  const int count = RealColors < TSpectrum::PaletteCapacity ? RealColors : TSpectrum::PaletteCapacity;
  for (int i = 0; i < count; ++i) {
    c.Pen.Color = Wheel.Colors[i];
    const int column = static_cast<int>(static_cast<long long>(i) * w / RealColors);
    c.MoveTo(column, 3);
    c.LineTo(column, 8);
  }
  SpectrumLine->MarkChanged();
}
