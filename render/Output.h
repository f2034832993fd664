#pragma once
// The window's picture written as a file: PNG row by row as the bands are finished, BMP
// (the bitmap the full-screen window saves) from the whole picture.

#include <functional>
#include <string>

#include "app/Main.h"
#include "render/Options.h"
#include "render/Picture.h"

namespace render {

// Renders the window's current picture at `size` into `path`, written whole or not at all
// (an old file of that name stays as it was). Throws std::runtime_error saying why it failed.
void WritePicture(TMainForm& window, const PictureSize& size, const std::string& path, PictureType type,
                  const std::function<void(double)>& progress = {});

}  // namespace render
