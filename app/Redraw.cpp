// The render path: every change of a picture parameter ends in Redraw.
#include <string>

#include "app/Main.h"
#include "engine/Colouring.h"
#include "engine/Render.h"

void TMainForm::Redraw() { RenderTo(Image1); }

engine::PictureColouring TMainForm::Colouring() const {
  engine::PictureColouring c;
  c.usePalette = UsePalette;
  c.square = RG_Distribution->ItemIndex() != 0;  // any item but "Line"
  c.remap = engine::SquareRemap(MaxIter);
  c.palette = Wheel.Colors;
  c.colorSpan = ColorSpan;
  c.paletteFactor = PaletteFactor;
  return c;
}

engine::RenderJob TMainForm::PictureJob(int width, int height) const {
  engine::RenderJob job{};
  for (int i = 0; i < 12; ++i) job.coef[i] = Coef[i];
  job.maxIter = MaxIter;
  job.width = width;
  job.height = height;
  job.scale = Scale;
  job.centreX = CentreX;
  job.centreY = CentreY;
  return job;
}

bool TMainForm::ReadyToPaint() {
  EditQuantity->SetText(std::to_string(RealColors));
  EditQuantity->Repaint();

  // A picture with too few colours is rejected before any palette colour is painted, so that
  // random generation can try again without showing it.
  if (RealColors < MinColors && CB_AutoNew->Checked() && !Timer1->Enabled()) return false;

  if (FullRange) {
    Wheel.Init(Pallete, RealColors, HueStart, HueEnd);
    Wheel.Update();
    DrawSpectrumLine();
  }
  return true;
}

void TMainForm::RenderTo(tk::Image* target) {
  const bool mainPicture = target == Image1;
  if (mainPicture) RealColors = 0;
  const int w = target->Width;
  const int h = target->Height;
  // The count buffer bounds the picture; the main and every full-screen picture fit.
  if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > IterBufferSize) return;
  target->Canvas.Resize(w, h);

  const engine::RenderJob job = PictureJob(w, h);
  tk::Color* pixels = target->Canvas.Data();
  const std::size_t n = static_cast<std::size_t>(w) * h;
  const engine::PictureColouring colouring = Colouring();
  int* counts = UsePalette ? IterBuffer : directCounts_.get();
  const int largest = engine::RenderCounts(job, counts);
  if (mainPicture) RealColors = largest;

  if (UsePalette) {
    if (colouring.square)
      for (std::size_t i = 0; i < n; ++i) IterBuffer[i] = colouring.Stored(IterBuffer[i]);
  } else {
    // Direct colour paints at once, from the raw counts; IterBuffer keeps the last palette render.
    for (std::size_t i = 0; i < n; ++i) pixels[i] = colouring.Direct(counts[i]);
    target->Canvas.Touch();
  }

  if (!ReadyToPaint()) return;
  if (UsePalette) {
    for (std::size_t i = 0; i < n; ++i) pixels[i] = colouring.OfStored(IterBuffer[i]);
    target->Canvas.Touch();
  }
}
