#include "engine/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "engine/Numbers.h"

namespace engine {

namespace {

std::string Decimal(std::int64_t v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

}  // namespace

std::string NumberToText(float value, int precision) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

  // The integer part is 32-bit in the original rule. Values beyond it take the same rule
  // with an integer wide enough to hold them, so no conversion is ever out of range.
  std::string intText;
  Extended intPart;
  if (std::fabs(value) < 9223372036854775808.0f) {
    const std::int64_t i = static_cast<std::int64_t>(value);
    intText = Decimal(i);
    intPart = static_cast<Extended>(i);
  } else {
    // Floats this large are whole numbers; print the exact integer they hold.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                           std::chars_format::fixed, 0);
    intText.assign(buf, r.ptr);
    intPart = value;
  }

  const Extended p = precision;
  std::int64_t f = TruncTo<std::int64_t>((static_cast<Extended>(value) - intPart) * p);
  if (f < 0) f = -f;

  std::string zeros = ".";
  for (std::int64_t v = 1; 10 * f * v < precision && v < precision; v *= 10) zeros += '0';

  std::string text;
  if (value < 0 && value > -1) text = "-";
  text += intText;
  text += zeros;
  text += Decimal(f);
  return text;
}

}  // namespace engine
