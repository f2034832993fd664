#pragma once
// The main window's picture at any size, rendered a band of rows at a time so that memory
// grows with the picture's width, not with its area.

#include <functional>

#include "app/Main.h"
#include "toolkit/Canvas.h"

namespace render {

// Where the rows of a picture go, top to bottom, as they are finished. Throws on failure.
class RowSink {
 public:
  virtual ~RowSink() = default;
  // `count` rows of the picture's width, from `firstRow` on.
  virtual void Rows(int firstRow, int count, const tk::Color* pixels) = 0;
};

struct PictureSize {
  int width = 0;
  int height = 0;
  int supersampling = 1;
  int bandRows = 0;  // picture rows counted at a time; 0 chooses about two million sub-pixels
};

// Renders the window's current picture at `size` into `sink` by the rules of a full-screen
// render (RenderTo on an image other than Image1): the view's square spans the whole
// picture, and the palette is the one the last render of the main picture left, spread over
// its RealColors with full range. So at a size within the count buffer the pixels are
// exactly those RenderTo paints.
//
// With supersampling N the picture is counted as the N-times wider and taller picture of the
// same square: sub-pixel (i, j) of pixel (px, py) is its pixel (N px + i, N py + j), so the
// sub-pixels spread evenly over the pixel's area and sub-pixel (0, 0) is the pixel's own
// point. The pixel gets the rounded channel averages of its N x N colours; a pixel whose
// sub-pixels all have one colour keeps that colour exactly.
//
// `progress`, when given, hears the share of the rows done after each band.
void RenderPicture(TMainForm& window, const PictureSize& size, RowSink& sink,
                   const std::function<void(double)>& progress = {});

// A sink that keeps the whole picture.
class CanvasSink : public RowSink {
 public:
  CanvasSink(int width, int height) : Picture(width, height) {}
  void Rows(int firstRow, int count, const tk::Color* pixels) override;

  tk::Canvas Picture;
};

}  // namespace render
