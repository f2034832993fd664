#include "render/Picture.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "engine/Colouring.h"
#include "engine/Render.h"

namespace render {

namespace {

// Sub-pixels counted per band: enough rows for the threads to share, 8 MB of counts.
constexpr std::int64_t BandSubPixels = std::int64_t{1} << 21;

// The rounded channel averages of `n` colours given as channel sums.
tk::Color Average(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t n) {
  return tk::RGB(static_cast<int>((red + n / 2) / n), static_cast<int>((green + n / 2) / n),
                 static_cast<int>((blue + n / 2) / n));
}

}  // namespace

void RenderPicture(TMainForm& window, const PictureSize& size, RowSink& sink,
                   const std::function<void(double)>& progress) {
  const int n = size.supersampling;
  if (size.width <= 0 || size.height <= 0 || n <= 0) throw std::invalid_argument("empty picture");
  // The palette first: for a picture other than the main one it depends on the main picture's
  // count alone, not on this picture's counts.
  if (!window.ReadyToPaint())
    throw std::runtime_error("the picture has fewer colours than \"Min Colors\" asks for");

  // Every count is 0 .. MaxIter: its colour is looked up once.
  const int maxIter = std::max(window.MaxIter, 0);
  const engine::PictureColouring colouring = window.Colouring();
  std::vector<tk::Color> colourOf(static_cast<std::size_t>(maxIter) + 1);
  for (int c = 0; c <= maxIter; ++c) colourOf[c] = colouring.Pixel(c);
  auto colour = [&](int count) { return colourOf[std::clamp(count, 0, maxIter)]; };

  engine::RenderJob job = window.PictureJob(size.width * n, size.height * n);

  const std::int64_t subWidth = job.width;
  const std::int64_t chosen = size.bandRows > 0 ? size.bandRows : BandSubPixels / (subWidth * n);
  const int bandRows = static_cast<int>(std::clamp<std::int64_t>(chosen, 1, size.height));
  std::vector<int> counts(static_cast<std::size_t>(bandRows) * n * subWidth);
  std::vector<tk::Color> pixels(static_cast<std::size_t>(bandRows) * size.width);
  const std::uint32_t samples = static_cast<std::uint32_t>(n) * n;

  for (int first = 0; first < size.height; first += bandRows) {
    const int rows = std::min(bandRows, size.height - first);
    job.firstRow = first * n;
    job.rows = rows * n;
    engine::RenderCounts(job, counts.data());
    if (n == 1) {
      const std::size_t total = static_cast<std::size_t>(rows) * size.width;
      for (std::size_t i = 0; i < total; ++i) pixels[i] = colour(counts[i]);
    } else {
      for (int row = 0; row < rows; ++row)
        for (int x = 0; x < size.width; ++x) {
          std::uint32_t red = 0, green = 0, blue = 0;
          for (int j = 0; j < n; ++j) {
            const int* sub = counts.data() + (static_cast<std::int64_t>(row) * n + j) * subWidth +
                             static_cast<std::int64_t>(x) * n;
            // The channels the display shows: a direct colour beyond the range keeps its low 24 bits.
            for (int i = 0; i < n; ++i) {
              const tk::Color c = colour(sub[i]);
              red += c & 0xFF;
              green += (c >> 8) & 0xFF;
              blue += (c >> 16) & 0xFF;
            }
          }
          pixels[static_cast<std::size_t>(row) * size.width + x] = Average(red, green, blue, samples);
        }
    }
    sink.Rows(first, rows, pixels.data());
    if (progress) progress(static_cast<double>(first + rows) / size.height);
  }
}

void CanvasSink::Rows(int firstRow, int count, const tk::Color* pixels) {
  const std::size_t width = static_cast<std::size_t>(Picture.Width());
  std::copy(pixels, pixels + width * count, Picture.Data() + width * firstRow);
  Picture.Touch();
}

}  // namespace render
