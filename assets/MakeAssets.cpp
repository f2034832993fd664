// Makes the splash picture and the program's icon with the program's own engine and palette:
//   assets/splash.bmp     323 x 239, 24-bit: the start map, zoomed in, on the default wheel
//   assets/quadrivia.ico  32 x 32, 16 colours: the same map, small, in a 16-colour palette
//   quadrivia-256.bmp     256 x 256, 24-bit: the icon's view in full colour, for the desktop's
//                         icon theme (scripts/make-assets turns it into assets/quadrivia.png)
// Run by scripts/make-assets; the program embeds the files at build time.

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "app/StartValues.h"
#include "engine/Render.h"
#include "full/Bitmap.h"
#include "spectrum/Spectrum.h"
#include "toolkit/Image.h"

namespace {

std::vector<int> Counts(int w, int h, int maxIter, float scale, float cx, float cy, int& largest) {
  engine::RenderJob job{};
  for (int i = 0; i < 12; ++i) job.coef[i] = start::Coef[i];
  job.maxIter = maxIter;
  job.width = w;
  job.height = h;
  job.scale = scale;
  job.centreX = cx;
  job.centreY = cy;
  std::vector<int> counts(static_cast<std::size_t>(w) * h);
  largest = engine::RenderCounts(job, counts.data());
  return counts;
}

void Put(std::vector<std::uint8_t>& v, std::uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "assets";

  // The splash: full range on the default hue walk, as the program itself colours.
  int largest = 0;
  const int w = 323, h = 239;
  const std::vector<int> counts = Counts(w, h, 200, 2.4f, 0.0f, 0.15f, largest);
  tk::Image wheel("Pallete");
  auto spectrum = std::make_unique<TSpectrum>();
  spectrum->Init(&wheel, largest, start::HueStart, start::HueEnd);
  spectrum->Update();
  tk::Canvas splash(w, h);
  for (int i = 0; i < w * h; ++i) splash.Data()[i] = counts[i] < largest ? spectrum->Colors[counts[i]] : 0;
  std::string error;
  if (!SaveBitmap(splash, folder + "/splash.bmp", &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }

  // The desktop's large icon: the small icon's view, in the splash's colours.
  {
    const int big = 256;
    const std::vector<int> c = Counts(big, big, 60, 3.2f, 0.0f, 0.0f, largest);
    spectrum->Init(&wheel, largest, start::HueStart, start::HueEnd);
    spectrum->Update();
    tk::Canvas icon(big, big);
    for (int i = 0; i < big * big; ++i) icon.Data()[i] = c[i] < largest ? spectrum->Colors[c[i]] : 0;
    if (!SaveBitmap(icon, folder + "/quadrivia-256.bmp", &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }

  // The icon: 16 colours, the first black, then fifteen steps of the same hue walk.
  const int s = 32;
  const std::vector<int> small = Counts(s, s, 60, 3.2f, 0.0f, 0.0f, largest);
  spectrum->Init(&wheel, 15, start::HueStart, start::HueEnd);
  spectrum->Update();
  std::vector<std::uint8_t> ico;
  Put(ico, 0, 2);
  Put(ico, 1, 2);  // an icon file
  Put(ico, 1, 2);  // with one image
  const std::uint32_t xorBytes = s * s / 2, andBytes = s * 4;
  const std::uint32_t imageBytes = 40 + 16 * 4 + xorBytes + andBytes;
  ico.push_back(s);
  ico.push_back(s);
  ico.push_back(16);
  ico.push_back(0);
  Put(ico, 1, 2);
  Put(ico, 4, 2);
  Put(ico, imageBytes, 4);
  Put(ico, 22, 4);
  Put(ico, 40, 4);
  Put(ico, s, 4);
  Put(ico, 2 * s, 4);  // the colour and mask halves
  Put(ico, 1, 2);
  Put(ico, 4, 2);
  Put(ico, 0, 4);
  Put(ico, xorBytes + andBytes, 4);
  for (int i = 0; i < 4; ++i) Put(ico, 0, 4);
  Put(ico, 0, 4);  // black
  for (int i = 0; i < 15; ++i) {
    const tk::Color c = spectrum->Colors[i];
    ico.push_back(static_cast<std::uint8_t>(c >> 16));
    ico.push_back(static_cast<std::uint8_t>(c >> 8));
    ico.push_back(static_cast<std::uint8_t>(c));
    ico.push_back(0);
  }
  for (int y = s - 1; y >= 0; --y)
    for (int x = 0; x < s; x += 2) {
      auto index = [&](int px) {
        const int n = small[y * s + px];
        return n >= largest ? 0 : 1 + n * 15 / (largest > 0 ? largest : 1);
      };
      ico.push_back(static_cast<std::uint8_t>(index(x) << 4 | index(x + 1)));
    }
  for (std::uint32_t i = 0; i < andBytes; ++i) ico.push_back(0);  // fully opaque
  std::ofstream out(folder + "/quadrivia.ico", std::ios::binary);
  out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
  return out ? 0 : 1;
}
