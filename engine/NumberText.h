#pragma once
// The one rule by which the program writes a real value into a field: the integer part,
// then the fraction truncated (never rounded) to the decimals of `precision` (a power of
// ten; the program always passes 1,000,000). "." is the decimal point in every locale.

#include <string>

namespace engine {

std::string NumberToText(float value, int precision);

}  // namespace engine
