#include "toolkit/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tk {

namespace {
constexpr double TwoPi = 6.283185307179586;
}

void Canvas::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<::tk::Color> next(static_cast<std::size_t>(width) * height, clWhite);
  const int w = std::min(width, width_);
  const int h = std::min(height, height_);
  for (int y = 0; y < h; ++y)
    std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_, w,
                next.begin() + static_cast<std::ptrdiff_t>(y) * width);
  pixels_.swap(next);
  width_ = width;
  height_ = height;
  Touch();
}

::tk::Color Canvas::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::SetPixel(int x, int y, ::tk::Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
  Touch();
}

void Canvas::Fill(::tk::Color c) {
  std::fill(pixels_.begin(), pixels_.end(), c);
  Touch();
}

void Canvas::Log(CanvasOperation::Kind kind, std::initializer_list<int> args) {
  if (!Record) return;
  CanvasOperation op{kind, {}, Pen.Color, Pen.Width, Brush.Color};
  std::copy(args.begin(), args.end(), op.args);
  Record->push_back(op);
}

void Canvas::MoveTo(int x, int y) {
  Log(CanvasOperation::MoveTo, {x, y});
  penX_ = x;
  penY_ = y;
}

// A pen wider than one pixel paints a square of its width around each point of the line.
void Canvas::Stamp(int x, int y, ::tk::Color c, int width) {
  if (width <= 1) {
    SetPixel(x, y, c);
    return;
  }
  const int lo = -(width / 2);
  const int hi = (width - 1) / 2;
  for (int dy = lo; dy <= hi; ++dy)
    for (int dx = lo; dx <= hi; ++dx) SetPixel(x + dx, y + dy, c);
}

// Bresenham from (x0, y0) towards (x1, y1), the end point left out.
void Canvas::Line(int x0, int y0, int x1, int y1, ::tk::Color c, int width) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  int x = x0, y = y0;
  while (x != x1 || y != y1) {
    Stamp(x, y, c, width);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void Canvas::LineTo(int x, int y) {
  Log(CanvasOperation::LineTo, {x, y});
  Line(penX_, penY_, x, y, Pen.Color, Pen.Width);
  penX_ = x;
  penY_ = y;
}

Canvas::Ellipse Canvas::Geometry(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Ellipse e;
  e.cx = (x1 + x2) / 2.0;
  e.cy = (y1 + y2) / 2.0;
  e.rx = std::abs(x2 - x1) / 2.0;
  e.ry = std::abs(y2 - y1) / 2.0;
  e.start = std::atan2(y3 - e.cy, x3 - e.cx);
  const double end = std::atan2(y4 - e.cy, x4 - e.cx);
  // Counter-clockwise on a y-down screen is decreasing angle.
  double sweep = std::fmod(e.start - end + 2 * TwoPi, TwoPi);
  if (sweep <= 1e-12) sweep = TwoPi;
  e.sweep = sweep;
  return e;
}

void Canvas::Outline(const Ellipse& e, ::tk::Color c, int width) {
  const double r = std::max(e.rx, e.ry);
  const int steps = std::max(8, static_cast<int>(std::ceil(e.sweep * r * 3)));
  int lastX = 0, lastY = 0;
  for (int i = 0; i <= steps; ++i) {
    const double a = e.start - e.sweep * i / steps;
    const int x = static_cast<int>(std::lround(e.cx + e.rx * std::cos(a)));
    const int y = static_cast<int>(std::lround(e.cy + e.ry * std::sin(a)));
    if (i == 0 || x != lastX || y != lastY) Stamp(x, y, c, width);
    lastX = x;
    lastY = y;
  }
}

void Canvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Log(CanvasOperation::Arc, {x1, y1, x2, y2, x3, y3, x4, y4});
  Outline(Geometry(x1, y1, x2, y2, x3, y3, x4, y4), Pen.Color, Pen.Width);
}

void Canvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Log(CanvasOperation::Pie, {x1, y1, x2, y2, x3, y3, x4, y4});
  const Ellipse e = Geometry(x1, y1, x2, y2, x3, y3, x4, y4);
  if (e.rx > 0 && e.ry > 0) {
    // Only the box around the wedge is tested, not the whole ellipse's: the colour wheel is
    // sixty thin wedges, redrawn with every full-range picture. The box holds the centre, the
    // two ends of the arc and the ellipse's extremes on the axes that the arc passes; a pixel
    // more on each side keeps every pixel the test below takes.
    double minX = e.cx, maxX = e.cx, minY = e.cy, maxY = e.cy;
    auto take = [&](double a) {
      // The ellipse's point in the direction a.
      const double c = std::cos(a), s = std::sin(a);
      const double t = 1.0 / std::sqrt((c / e.rx) * (c / e.rx) + (s / e.ry) * (s / e.ry));
      minX = std::min(minX, e.cx + t * c);
      maxX = std::max(maxX, e.cx + t * c);
      minY = std::min(minY, e.cy + t * s);
      maxY = std::max(maxY, e.cy + t * s);
    };
    take(e.start);
    take(e.start - e.sweep);
    for (int quarter = 0; quarter < 4; ++quarter) {
      const double a = quarter * (TwoPi / 4);
      if (std::fmod(e.start - a + 4 * TwoPi, TwoPi) <= e.sweep) take(a);
    }
    const int top = static_cast<int>(std::max(std::floor(e.cy - e.ry), std::floor(minY) - 1));
    const int bottom = static_cast<int>(std::min(std::ceil(e.cy + e.ry), std::ceil(maxY) + 1));
    const int left = static_cast<int>(std::max(std::floor(e.cx - e.rx), std::floor(minX) - 1));
    const int right = static_cast<int>(std::min(std::ceil(e.cx + e.rx), std::ceil(maxX) + 1));
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) {
        const double nx = (x - e.cx) / e.rx, ny = (y - e.cy) / e.ry;
        if (nx * nx + ny * ny > 1.0) continue;
        if (x - e.cx != 0 || y - e.cy != 0) {
          const double a = std::atan2(y - e.cy, x - e.cx);
          if (std::fmod(e.start - a + 2 * TwoPi, TwoPi) > e.sweep) continue;
        }
        SetPixel(x, y, Brush.Color);
      }
    }
  }
  Outline(e, Pen.Color, Pen.Width);
  const int cx = static_cast<int>(std::lround(e.cx)), cy = static_cast<int>(std::lround(e.cy));
  for (double a : {e.start, e.start - e.sweep}) {
    const int x = static_cast<int>(std::lround(e.cx + e.rx * std::cos(a)));
    const int y = static_cast<int>(std::lround(e.cy + e.ry * std::sin(a)));
    Line(cx, cy, x, y, Pen.Color, Pen.Width);
  }
}

}  // namespace tk
