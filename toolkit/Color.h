#pragma once
#include <cstdint>

namespace tk {

// The platform's colour number: red + 256 * green + 65536 * blue, top byte 0.
using Color = std::uint32_t;

constexpr Color RGB(int r, int g, int b) {
  return static_cast<Color>(r) | static_cast<Color>(g) << 8 | static_cast<Color>(b) << 16;
}

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clWhite = 0xFFFFFF;
inline constexpr Color clRed = 0x0000FF;
inline constexpr Color clBlue = 0xFF0000;
inline constexpr Color clGreen = 0x008000;
inline constexpr Color clFuchsia = 0xFF00FF;
inline constexpr Color clBtnFace = 0xF0F0F0;  // the button-face grey of a standard desktop theme
inline constexpr Color clWindow = 0xFFFFFF;
inline constexpr Color clWindowText = 0x000000;

}  // namespace tk
