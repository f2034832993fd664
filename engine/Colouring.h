#pragma once
// How an escape count becomes a colour: the "Square" distribution's remap, the direct
// colour formula and the palette entry a count gets.

#include <cstdint>

namespace engine {

// The "Square" distribution stretches the low counts apart: n -> trunc(sqrt(n) * a + b),
// with a = float((M - 4) / (sqrt(M) - 2)) and b = float(4 - 2a) for the iteration limit M.
// The curve fixes n = 4 and maps M to about M; counts 0 to 3 can land below 0.
class SquareRemap {
 public:
  explicit SquareRemap(int maxIter);
  int operator()(int n) const;
  float A() const { return a_; }
  float B() const { return b_; }

 private:
  float a_;
  float b_;
};

// The direct colour of a raw count: trunc(colorSpan * 0.005 * n * paletteFactor), left to
// right in extended precision. Values outside 0 .. 0xFFFFFF are returned as they are
// (saturated only at the 64-bit ends); the painter decides how they show.
std::int64_t DirectColour(int n, int colorSpan, int paletteFactor);

// The pixel value a direct colour is painted with: its low 32 bits, as the platform's colour
// number holds it.
inline std::uint32_t DirectPixel(std::int64_t colour) { return static_cast<std::uint32_t>(colour); }

// Palette entries are 0 .. PaletteSize - 1.
inline constexpr int PaletteSize = 1000;

// The palette entry of a stored count (raw, or remapped for "Square"), or -1 for black.
// A negative square remap has no palette entry: it is painted black, like the entries
// past the palette's end, so nothing is ever read outside the palette.
inline int PaletteEntry(int storedCount) {
  return storedCount >= 0 && storedCount < PaletteSize ? storedCount : -1;
}

// How the counts of one picture become pixels: the one set of rules behind every render.
// Palette colouring stores each count (remapped for "Square") and paints the palette entry
// of the stored count, black where the palette has none; direct colour paints the formula's
// value of the raw count, whatever the distribution.
struct PictureColouring {
  bool usePalette = true;
  bool square = false;
  SquareRemap remap{5};
  const std::uint32_t* palette = nullptr;  // PaletteSize entries, read when a pixel is painted
  int colorSpan = 0;
  int paletteFactor = 0;

  int Stored(int count) const { return square ? remap(count) : count; }
  std::uint32_t OfStored(int stored) const {
    const int entry = PaletteEntry(stored);
    return entry < 0 ? 0 : palette[entry];
  }
  std::uint32_t Direct(int count) const { return DirectPixel(DirectColour(count, colorSpan, paletteFactor)); }
  std::uint32_t Pixel(int count) const { return usePalette ? OfStored(Stored(count)) : Direct(count); }
};

}  // namespace engine
