#pragma once
#include "toolkit/Canvas.h"
#include "toolkit/Control.h"

namespace tk {

// A picture control with its own canvas.
class Image : public Control {
 public:
  explicit Image(std::string name = {}) : Control(std::move(name)) {}

  ::tk::Canvas Canvas;
  bool Stretch = false;

  // Sets the control's and the canvas's size; what lies inside both sizes stays.
  void SetSize(int width, int height);
};

}  // namespace tk
