#include "spectrum/Spectrum.h"

#include <cmath>

#include "engine/Numbers.h"

using engine::Extended;
using engine::TruncToInt;

namespace {
// The wheel's full turn in extended precision. (Inside the class's own functions the name
// FullTurn means the class's double constant, hence a name of its own.)
constexpr Extended ExtendedFullTurn = TSpectrum::FullTurn;
constexpr tk::Color White = 0xFFFFFF;
constexpr tk::Color Green = 0x008000;
}  // namespace

tk::Color TSpectrum::HueColor(int sector, float fraction) {
  const Extended ramp = 255.0L * fraction;
  const int v = TruncToInt(ramp);
  const int w = TruncToInt(255.0L - ramp);
  int r = 0, g = 0, b = 0;
  switch (sector) {
    case 0: r = 255, g = v, b = 0; break;
    case 1: r = w, g = 255, b = 0; break;
    case 2: r = 0, g = 255, b = v; break;
    case 3: r = 0, g = w, b = 255; break;
    case 4: r = v, g = 0, b = 255; break;
    case 5: r = 255, g = 0, b = w; break;
    default: return 0;  // no such sector: the walk never makes one, a NaN angle could
  }
  return static_cast<tk::Color>(r) + 256u * static_cast<tk::Color>(g) + 65536u * static_cast<tk::Color>(b);
}

float TSpectrum::MarkerAngle(int n) const {
  const SpectrumHandle& h = Handle(n);
  float a = static_cast<float>(std::acos(static_cast<Extended>(h.Cos)));
  if (h.Sin < 0) a = static_cast<float>(ExtendedFullTurn - a);
  return a;
}

void TSpectrum::Update() {
  StartAngle = MarkerAngle(1);
  EndAngle = MarkerAngle(2);
  BuildPalette();
  Selected = 0;
}

void TSpectrum::BuildPalette() {
  float angle = StartAngle;
  float span = static_cast<float>(static_cast<Extended>(EndAngle) - StartAngle);
  if (span < 0) span = static_cast<float>(span + ExtendedFullTurn);
  if (Reverse) span = static_cast<float>(span - ExtendedFullTurn);
  const int count = ColorCount < 0 ? 0 : (ColorCount > PaletteCapacity ? PaletteCapacity : ColorCount);
  const float step = count > 1 ? static_cast<float>(static_cast<Extended>(span) / (count - 1)) : 0.0f;
  for (int i = 0; i < count; ++i) {
    // The factor is close to 1 / 3.1415926, not 1 / pi: the wheel's own half turn.
    const double t = static_cast<double>(3.0L * angle * 0.3183098916135720393L);
    const int sector = TruncToInt(t);
    const float fraction = static_cast<float>(t - sector);
    Colors[i] = HueColor(sector, fraction);
    angle = static_cast<float>(static_cast<Extended>(angle) + step);
    if (angle > ExtendedFullTurn) angle = static_cast<float>(angle - ExtendedFullTurn);
    if (angle < 0) angle = static_cast<float>(angle + ExtendedFullTurn);
  }
}

void TSpectrum::Init(tk::Image* image, int count, float hueStart, float hueEnd) {
  Canvas = &image->Canvas;
  ColorCount = count < 0 ? 0 : (count > PaletteCapacity ? PaletteCapacity : count);
  for (tk::Color& c : Colors) c = 0;
  SectorSteps = 10;
  WheelRadius = 30;
  RingWidth = 15;
  WheelCentreX = WheelCentreY = WheelRadius + RingWidth;

  SpectrumHandle& h1 = Handle(1);
  h1.X = WheelCentreX;
  h1.Y = WheelCentreY;
  // 0.6 is a double; in extended precision 15 * 0.6 + 30 lies just below 39, so 38.
  h1.Radius = TruncToInt(static_cast<Extended>(RingWidth) * 0.6 + WheelRadius);
  h1.Cos = static_cast<float>(std::cos(static_cast<Extended>(hueStart)));
  h1.Sin = static_cast<float>(std::sin(static_cast<Extended>(hueStart)));
  h1.Color = 0x0000FF;
  SpectrumHandle& h2 = Handle(2);
  h2 = h1;
  h2.Cos = static_cast<float>(std::cos(static_cast<Extended>(hueEnd)));
  h2.Sin = static_cast<float>(std::sin(static_cast<Extended>(hueEnd)));
  h2.Color = 0xFF0000;
  Selected = 0;

  // The image is not cleared: what earlier calls drew outside the wedges and the ring stays.
  const int side = 2 * (RingWidth + WheelRadius);
  image->SetSize(side, side);
  DrawMarker(*Canvas, h1.Cos, h1.Sin, h1.Color);
  DrawMarker(*Canvas, h2.Cos, h2.Sin, h2.Color);
  for (int s = 0; s < 6; ++s) {
    for (int j = 0; j < SectorSteps; ++j) {
      const tk::Color colour = HueColor(s, static_cast<float>(static_cast<Extended>(j) / SectorSteps));
      Canvas->Brush.Color = colour;
      Canvas->Pen.Color = colour;
      Canvas->Pen.Width = 2;
      const int k = s * SectorSteps + j;
      const float a1 = static_cast<float>(k * ExtendedFullTurn / (SectorSteps * 6));
      const float a2 = static_cast<float>((k + 1) * ExtendedFullTurn / (SectorSteps * 6));
      const int x1 = TruncToInt(std::cos(static_cast<Extended>(a1)) * WheelRadius + WheelCentreX);
      const int y1 = TruncToInt(std::sin(static_cast<Extended>(a1)) * WheelRadius + WheelCentreY);
      const int x2 = TruncToInt(std::cos(static_cast<Extended>(a2)) * WheelRadius + WheelCentreX);
      const int y2 = TruncToInt(std::sin(static_cast<Extended>(a2)) * WheelRadius + WheelCentreY);
      if (x1 != x2 || y1 != y2)
        Canvas->Pie(WheelCentreX + WheelRadius, WheelCentreY - WheelRadius, WheelCentreX - WheelRadius,
                    WheelCentreY + WheelRadius, x2, y2, x1, y1);
    }
  }
  DrawArc();
  BuildPalette();
  image->MarkChanged();
}

void TSpectrum::DrawMarker(tk::Canvas& canvas, float cos, float sin, tk::Color color) const {
  float a = static_cast<float>(std::acos(static_cast<Extended>(cos)));
  if (sin < 0) a = -a;
  canvas.Pen.Color = color;
  canvas.Pen.Width = 1;
  const Extended r1 = static_cast<Extended>(RingWidth) * 0.65 + WheelRadius;
  const Extended r2 = r1 + 8;
  const Extended ca = std::cos(static_cast<Extended>(a));
  const Extended sa = std::sin(static_cast<Extended>(a));
  canvas.MoveTo(TruncToInt(ca * r1 + WheelCentreX), TruncToInt(sa * r1 + WheelCentreY));
  canvas.LineTo(TruncToInt(ca * r2 + WheelCentreX), TruncToInt(sa * r2 + WheelCentreY));
}

void TSpectrum::DrawArc() {
  if (!Canvas) return;
  const SpectrumHandle& h1 = Handle(1);
  const SpectrumHandle& h2 = Handle(2);
  const int left = h1.X - h1.Radius, top = h1.Y - h1.Radius;
  const int right = h1.X + h1.Radius, bottom = h1.Y + h1.Radius;
  Canvas->Pen.Color = White;
  Canvas->Pen.Width = 3;
  Canvas->Arc(left, top, right, bottom, h1.X + h1.Radius, 0, h1.X + h1.Radius, 0);
  const int p1x = TruncToInt(static_cast<Extended>(h1.Radius) * h1.Cos + h1.X);
  const int p1y = TruncToInt(static_cast<Extended>(h1.Radius) * h1.Sin + h1.Y);
  const int p2x = TruncToInt(static_cast<Extended>(h2.Radius) * h2.Cos + h2.X);
  const int p2y = TruncToInt(static_cast<Extended>(h2.Radius) * h2.Sin + h2.Y);
  Canvas->Pen.Color = Green;
  Canvas->Pen.Width = 3;
  // Either way the green arc covers what the palette walks.
  if (!Reverse)
    Canvas->Arc(left, top, right, bottom, p2x, p2y, p1x, p1y);
  else
    Canvas->Arc(left, top, right, bottom, p1x, p1y, p2x, p2y);
}

void TSpectrum::MouseDown(int x, int y) {
  if (StopAnimation) StopAnimation();
  // Distances in 64 bits: a pointer far outside the wheel (a drag beyond the window) cannot
  // overflow them.
  const long long fromCentreX = static_cast<long long>(x) - WheelCentreX;
  const long long fromCentreY = static_cast<long long>(y) - WheelCentreY;
  if (std::llabs(fromCentreX) < WheelRadius && std::llabs(fromCentreY) < WheelRadius) {
    Reverse = !Reverse;
    DrawArc();
    return;
  }
  Selected = 0;
  float d[2];
  for (int n = 1; n <= 2; ++n) {
    const SpectrumHandle& h = Handle(n);
    const float px = static_cast<float>(static_cast<Extended>(h.Radius) * h.Cos + h.X);
    const float py = static_cast<float>(static_cast<Extended>(h.Radius) * h.Sin + h.Y);
    const Extended dx = x - static_cast<Extended>(px);
    const Extended dy = y - static_cast<Extended>(py);
    d[n - 1] = static_cast<float>(dx * dx + dy * dy);
  }
  Selected = d[0] < d[1] ? 1 : 2;  // a tie picks handle 2
  if ((d[0] < d[1] ? d[0] : d[1]) > 64) Selected = 0;
}

void TSpectrum::MouseMove(int x, int y) {
  if (Selected == 0 || !Canvas) return;
  SpectrumHandle& h = Handle(Selected);
  DrawMarker(*Canvas, h.Cos, h.Sin, White);
  const long long dx = static_cast<long long>(x) - h.X;
  const long long dy = static_cast<long long>(y) - h.Y;
  const double dist = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  // Exactly on the centre there is no direction to turn to: the handle keeps its own.
  if (dist > 0) {
    h.Cos = static_cast<float>(dx / static_cast<Extended>(dist));
    h.Sin = static_cast<float>(dy / static_cast<Extended>(dist));
  }
  DrawMarker(*Canvas, Handle(1).Cos, Handle(1).Sin, Handle(1).Color);
  DrawMarker(*Canvas, Handle(2).Cos, Handle(2).Sin, Handle(2).Color);
  DrawArc();
}
