#pragma once
// A raster canvas of colour values with the drawing operations the program uses: pixels, a
// pen (colour, width), a brush (colour), MoveTo/LineTo, Pie and Arc. Our own rasteriser:
// the geometry is right; pixel-for-pixel identity with any other rasteriser is not a goal.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "toolkit/Color.h"

namespace tk {

struct Pen {
  ::tk::Color Color = clBlack;
  int Width = 1;
};

struct Brush {
  ::tk::Color Color = clWhite;
};

// One drawing call as a canvas received it, for tests that check the geometry a drawing asks
// for rather than the pixels a rasteriser makes of it.
struct CanvasOperation {
  enum Kind { MoveTo, LineTo, Pie, Arc } kind;
  int args[8];
  ::tk::Color penColor;
  int penWidth;
  ::tk::Color brushColor;
};

class Canvas {
 public:
  class PixelRef {
   public:
    PixelRef(Canvas& c, int x, int y) : c_(c), x_(x), y_(y) {}
    operator ::tk::Color() const { return c_.GetPixel(x_, y_); }
    PixelRef& operator=(::tk::Color v) {
      c_.SetPixel(x_, y_, v);
      return *this;
    }

   private:
    Canvas& c_;
    int x_, y_;
  };

  Canvas() = default;
  Canvas(int width, int height) { Resize(width, height); }

  // Keeps what lies inside both the old and the new size; new area is white.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Outside the canvas a read gives black and a write does nothing.
  ::tk::Color GetPixel(int x, int y) const;
  void SetPixel(int x, int y, ::tk::Color c);
  PixelRef Pixels(int x, int y) { return PixelRef(*this, x, y); }
  ::tk::Color Pixels(int x, int y) const { return GetPixel(x, y); }

  // Row-major pixels, width * height of them. Writers through Data() call Touch() after.
  ::tk::Color* Data() { return pixels_.data(); }
  const ::tk::Color* Data() const { return pixels_.data(); }
  void Touch() { ++version_; }
  // Counts every change, so a presenter knows when to show the canvas again.
  std::uint64_t Version() const { return version_; }

  void Fill(::tk::Color c);

  ::tk::Pen Pen;
  ::tk::Brush Brush;

  void MoveTo(int x, int y);
  // A line from the pen position to (x, y) in the pen's colour and width; the end point
  // itself is not painted. The pen position becomes (x, y).
  void LineTo(int x, int y);
  // The region of the ellipse inside the rectangle (x1, y1)-(x2, y2) between the radial
  // points (x3, y3) and (x4, y4), going counter-clockwise on the screen from the first to
  // the second; filled with the brush and outlined with the pen. Equal directions give the
  // whole ellipse.
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // The outline of the same region without the radii.
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

  int PenX() const { return penX_; }

  // When set, every MoveTo, LineTo, Pie and Arc is appended here as well as drawn.
  std::vector<CanvasOperation>* Record = nullptr;
  int PenY() const { return penY_; }

 private:
  struct Ellipse {
    double cx, cy, rx, ry;
    double start;  // angle of the first radial point, y downwards
    double sweep;  // counter-clockwise on the screen, in (0, 2*pi]
  };
  static Ellipse Geometry(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Stamp(int x, int y, ::tk::Color c, int width);
  void Line(int x0, int y0, int x1, int y1, ::tk::Color c, int width);
  void Outline(const Ellipse& e, ::tk::Color c, int width);
  void Log(CanvasOperation::Kind kind, std::initializer_list<int> args);

  int width_ = 0;
  int height_ = 0;
  std::vector<::tk::Color> pixels_;
  int penX_ = 0;
  int penY_ = 0;
  std::uint64_t version_ = 0;
};

}  // namespace tk
