#include "render/Output.h"

#include <stdexcept>

#include "full/Bitmap.h"
#include "full/FileReplacement.h"
#include "render/PngFile.h"

namespace render {

void WritePicture(TMainForm& window, const PictureSize& size, const std::string& path, PictureType type,
                  const std::function<void(double)>& progress) {
  if (type == PictureType::Png) {
    PngFile file;
    file.Open(path, size.width, size.height);
    RenderPicture(window, size, file, progress);
    file.Finish();
    return;
  }
  {
    // A file that cannot be made is told before the render, not after it.
    FileReplacement probe;
    if (!probe.Open(path)) throw std::runtime_error("cannot write \"" + path + "\": " + probe.Error());
  }
  CanvasSink picture(size.width, size.height);
  RenderPicture(window, size, picture, progress);
  std::string error;
  if (!SaveBitmap(picture.Picture, path, &error)) throw std::runtime_error(error);
}

}  // namespace render
