#pragma once
// The main window's state at start-up. Every run starts from these; only the help language
// persists (ini.dat).

namespace start {

inline constexpr int ImageWidth = 160;  // the main picture, Image1
inline constexpr int ImageHeight = 120;
inline constexpr int ColorSpan = 0x1000000;
inline constexpr int PaletteFactor = 1;
inline constexpr float Scale = 9.9f;
inline constexpr float ZoomFactor = 0.9f;
inline constexpr float CentreX = 0.0f;
inline constexpr float CentreY = 0.0f;
inline constexpr float MinScale = 1e-6f;
inline constexpr float MaxScale = 10.0f;
// x' = 1.8x^2 - 1.8y^2, y' = 3.6xy + 0.36: z -> 1.8z^2 + 0.36i in real coordinates.
inline constexpr float Coef[12] = {1.8f, -1.8f, 0, 0, 0, 0, 0, 0, 3.6f, 0, 0, 0.36f};
inline constexpr float StepUnit = 0.1f;
inline constexpr int Precision = 1000000;
inline constexpr bool AnimateScale = true;
inline constexpr int MaxIter = 200;
inline constexpr int MinColors = 3;
inline constexpr float HueStart = 0.0f;
inline constexpr float HueEnd = 6.0f;
inline constexpr bool UsePalette = true;
inline constexpr bool FullRange = true;
inline constexpr int CoefStepMax = 40;  // TB_Coef's maximum and start position
inline constexpr int IterBufferSize = 2000000;

// (10^4 - 1) / StepUnit in extended precision, stored as float: 99990.
inline float StepSpan() { return static_cast<float>((10000.0L - 1.0L) / StepUnit); }

}  // namespace start
