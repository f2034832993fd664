#pragma once
// The colour wheel and its palette: two hue handles on a wheel of 60 wedges, a direction
// flag, and up to 1000 colours walking the hue circle from the first handle to the second.

#include <array>
#include <functional>

#include "toolkit/Canvas.h"
#include "toolkit/Image.h"

struct SpectrumHandle {
  int X = 0;       // wheel centre, a copy of WheelCentreX
  int Y = 0;       // wheel centre, a copy of WheelCentreY
  int Radius = 0;  // centre to the handle's point on the ring
  float Cos = 0;   // the handle's direction, y downwards
  float Sin = 0;
  tk::Color Color = 0;  // colour of the handle's tick
};

class TSpectrum {
 public:
  // A full turn and half a turn as this wheel takes them (a little short of 2 pi and pi).
  static constexpr double FullTurn = 6.2831852;
  static constexpr double HalfTurn = 3.1415926;
  static constexpr int PaletteCapacity = 1000;

  tk::Canvas* Canvas = nullptr;           // the wheel image's canvas; not owned
  std::array<SpectrumHandle, 2> Handles;  // handle 1 (start) is Handles[0], handle 2 Handles[1]
  float StartAngle = 0;                   // hue angle of palette entry 0
  float EndAngle = 0;                     // hue angle of the last entry
  int WheelRadius = 0;
  int SectorSteps = 0;
  int RingWidth = 0;
  int Selected = 0;  // handle being dragged: 0 none, 1 or 2
  int ColorCount = 0;
  tk::Color Colors[PaletteCapacity] = {};
  int WheelCentreX = 0;
  int WheelCentreY = 0;
  bool Reverse = false;  // true: the palette walks with decreasing angle

  // Handle n, 1 or 2.
  SpectrumHandle& Handle(int n) { return Handles[n == 2 ? 1 : 0]; }
  const SpectrumHandle& Handle(int n) const { return Handles[n == 2 ? 1 : 0]; }

  // Resets the wheel for `count` colours (cut to 0 .. 1000) with the handles at the two hue
  // angles, draws it on the image, and builds the palette from StartAngle and EndAngle as
  // the last Update left them.
  void Init(tk::Image* image, int count, float hueStart, float hueEnd);
  // Takes both angles from the handles, rebuilds the palette and clears Selected.
  void Update();
  // Handle n's angle in [0, FullTurn].
  float MarkerAngle(int n) const;
  void BuildPalette();
  static tk::Color HueColor(int sector, float fraction);

  void DrawMarker(tk::Canvas& canvas, float cos, float sin, tk::Color color) const;
  void DrawArc();
  // A press inside the toggle square flips the direction; elsewhere it picks the handle whose
  // ring point lies within 8 pixels. Either way the animation stops first.
  void MouseDown(int x, int y);
  // Turns the picked handle towards the pointer.
  void MouseMove(int x, int y);

  // How a press on the wheel stops the animation; the main window fills it in.
  static inline std::function<void()> StopAnimation;
};
