// Text to numbers and numbers to text, as every field and file of the program reads and
// writes them, on arbitrary text and arbitrary float bits: no undefined behaviour (every
// real-to-integer conversion in range), and the number text reads back as the value it
// shows, truncated to its six decimals.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/Main.h"
#include "coef/Coef.h"
#include "engine/Colouring.h"
#include "engine/NumberText.h"
#include "engine/Numbers.h"
#include "engine/TextRead.h"
#include "spectrum/Spectrum.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

constexpr int Precision = 1000000;

// The number text of v reads back as v with its fraction cut after six decimals.
void CheckNumberText(float v) {
  const std::string text = engine::NumberToText(v, Precision);
  FUZZ_CHECK(text.find(',') == std::string::npos);
  if (!std::isfinite(v)) return;
  FUZZ_CHECK(text.find('e') == std::string::npos && text.find('.') != std::string::npos);
  const double back = engine::ReadReal(text);
  const double value = v;
  // Truncation never moves away from zero, and cuts less than one millionth.
  FUZZ_CHECK(std::fabs(back) <= std::fabs(value) * (1 + 0x1p-50));
  FUZZ_CHECK(std::fabs(value - back) < 1e-6 + std::fabs(value) * 0x1p-50);
  for (int p = 1; p > 0 && p <= 1000000000; p = p <= 100000000 ? p * 10 : -1) engine::NumberToText(v, p);
}

// The slider and step-bar mappings of the handlers, both ways.
void CheckMappings(float v, int n) {
  const int scalePosition = TMainForm::ScaleToPosition(v);
  if (std::isfinite(v) && v >= 9) FUZZ_CHECK(scalePosition >= 1000000);
  const float scale = TMainForm::PositionToScale(n % 1000001);
  (void)scale;
  for (int max : {8, 0, 1, n}) {
    const int p = TFormCoef::PositionOfWeight(v, max);
    if (max == 8 && v >= -1 && v <= 1) FUZZ_CHECK(p >= 0 && p <= 8);
    (void)TFormCoef::Weight(n, max);
    (void)TFormCoef::CentrePosition(max);
  }
  (void)engine::TruncToInt(v);
  (void)engine::TruncTo<std::int64_t>(v);
  (void)engine::TruncTo<std::uint8_t>(v);
}

// The colour rules on whatever integers the text holds.
void CheckColouring(int a, int b, float angle) {
  (void)engine::DirectColour(a, 0x1000000, b);
  (void)engine::DirectColour(a, b, a);
  const engine::SquareRemap remap(a);
  const int stored = remap(b);
  const int entry = engine::PaletteEntry(stored);
  FUZZ_CHECK(entry >= -1 && entry < engine::PaletteSize);
  (void)TSpectrum::HueColor(a, angle);
  static TSpectrum wheel;
  wheel.StartAngle = angle;
  wheel.EndAngle = static_cast<float>(a);
  wheel.ColorCount = b % 1200;
  wheel.Reverse = (a & 1) != 0;
  wheel.BuildPalette();
  wheel.Handle(1).Cos = angle;
  wheel.Handle(1).Sin = static_cast<float>(b);
  const float marker = wheel.MarkerAngle(1);
  if (!std::isnan(marker)) FUZZ_CHECK(marker >= 0 && marker <= TSpectrum::FullTurn + 1e-6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  // The fields' reads.
  const double real = engine::ReadReal(text);
  const int integer = engine::ReadInteger(text);
  const float asFloat = static_cast<float>(real);
  CheckNumberText(asFloat);
  CheckMappings(asFloat, integer);
  CheckColouring(integer, engine::TruncToInt(real), asFloat);

  // The files' formatted reads: each read that succeeds moves on, one that fails moves
  // nothing, and a word can always be read until the end.
  engine::Scanner scan(text);
  int lastInt = 0;
  float lastFloat = 0;
  std::size_t steps = 0;
  while (!scan.AtEnd()) {
    FUZZ_CHECK(++steps <= size + 1);
    const std::size_t at = scan.Position();
    std::string word;
    if (scan.ReadInt(lastInt) || scan.ReadFloat(lastFloat)) {
      FUZZ_CHECK(scan.Position() > at);
      CheckNumberText(lastFloat);
      CheckMappings(lastFloat, lastInt);
      continue;
    }
    FUZZ_CHECK(scan.Position() == at);
    const std::size_t longest = 1 + at % 100;
    FUZZ_CHECK(scan.ReadWord(word, longest));
    FUZZ_CHECK(!word.empty() && word.size() <= longest && scan.Position() == at + word.size());
  }
  std::string word = "kept";
  FUZZ_CHECK(!scan.ReadInt(lastInt) && !scan.ReadFloat(lastFloat) && !scan.ReadWord(word, 79) && word == "kept");

  // Any float's bits.
  for (std::size_t i = 0; i + 4 <= size; i += 4) {
    float v;
    std::memcpy(&v, data + i, 4);
    CheckNumberText(v);
    std::int32_t n;
    std::memcpy(&n, data + i, 4);
    CheckMappings(v, n);
    CheckColouring(n, static_cast<int>(size), v);
  }
  return 0;
}
