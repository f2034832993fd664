#pragma once
// The command line of quadrivia-render: what to render, at what size, into which files.

#include <optional>
#include <string>
#include <vector>

namespace render {

enum class PictureType { Png, Bmp };
// The animation mode of the frames: the one the window would animate in (Scale for the start
// picture, Coeff after a theme is loaded), or the one asked for.
enum class AnimateMode { AsWindow, Scale, Coeff };

// Bounds of the command line, said in --help and in the error messages.
inline constexpr int MostSide = 32768;
inline constexpr long long MostPixels = 268435456;  // 2^28, e.g. 16384 x 16384
inline constexpr int MostSupersampling = 4;
inline constexpr int MostFrames = 1000000;

struct Request {
  bool help = false;
  bool list = false;  // print the catalogue's themes and stop
  std::string catalogue;
  std::string theme;  // a name, or a position counted from 1
  bool all = false;
  int width = 1600;  // the largest full-screen picture
  int height = 1200;
  int supersampling = 1;
  std::optional<long long> iterations;
  std::string output = "quadrivia.png";
  PictureType type = PictureType::Png;
  int frames = 0;  // 0: one picture, no animation
  int first = 0;
  AnimateMode animate = AnimateMode::AsWindow;
  bool quiet = false;
};

// The picture type of a file name by its extension (any capitals), or nothing.
std::optional<PictureType> TypeOfName(const std::string& path);

// The request of the arguments (the program's name not among them), or nothing with *error
// saying what is wrong in one line.
std::optional<Request> ParseArguments(const std::vector<std::string>& args, std::string* error);

// The --help text.
const char* HelpText();

}  // namespace render
