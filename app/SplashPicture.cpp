#include "app/SplashPicture.h"

#include <cstddef>
#include <cstdint>

#include "full/Bitmap.h"

// The picture made by scripts/make-assets, embedded by the build.
extern const std::uint8_t SplashBitmap[];
extern const std::size_t SplashBitmapSize;

void LoadSplashPicture(tk::Canvas& canvas) {
  if (!DecodeBitmap(SplashBitmap, SplashBitmapSize, canvas)) {
    canvas.Resize(323, 239);
    canvas.Fill(0);
  }
}
