#include "toolkit/Image.h"

#include "toolkit/Platform.h"

namespace tk {

void Image::SetSize(int width, int height) {
  Width = width;
  Height = height;
  Canvas.Resize(width, height);
  MarkChanged();
}

}  // namespace tk
