#include "app/SplashPicture.h"

#include <vector>

#include "app/StartValues.h"
#include "engine/Render.h"
#include "spectrum/Spectrum.h"

void LoadSplashPicture(tk::Canvas& canvas) {
  constexpr int w = 323, h = 239, maxIter = 120;
  engine::RenderJob job{};
  for (int i = 0; i < 12; ++i) job.coef[i] = start::Coef[i];
  job.maxIter = maxIter;
  job.width = w;
  job.height = h;
  job.scale = 2.6f;
  job.centreX = 0.0f;
  job.centreY = 0.18f;
  std::vector<int> counts(static_cast<std::size_t>(w) * h);
  const int largest = engine::RenderCounts(job, counts.data());
  canvas.Resize(w, h);
  for (int i = 0; i < w * h; ++i) {
    const int n = counts[i];
    if (n >= maxIter || largest == 0) {
      canvas.Data()[i] = 0;
      continue;
    }
    // Walk most of the hue circle, red through violet, as the count grows.
    const double t = 5.4 * n / largest;
    const int sector = static_cast<int>(t);
    canvas.Data()[i] = TSpectrum::HueColor(sector > 5 ? 5 : sector, static_cast<float>(t - sector));
  }
  canvas.Touch();
}
