#pragma once
// What the tests of quadrivia-render share: running the command in this process, reading
// its PNG and BMP files back, and a working folder of the test's own.

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "full/Bitmap.h"
#include "render/Command.h"
#include "support/SpiralTheme.h"
#include "themes/Catalog.h"
#include "toolkit/Canvas.h"

namespace rendertest {

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

inline Outcome RunCommandLine(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  Outcome o;
  o.code = render::RunCommand(args, out, err, false);
  o.out = out.str();
  o.err = err.str();
  return o;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The pixels of a PNG file as colour values; an empty canvas when it cannot be read.
inline tk::Canvas ReadPng(const std::filesystem::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return {};
  tk::Canvas c(static_cast<int>(image.width), static_cast<int>(image.height));
  for (std::size_t i = 0; i < static_cast<std::size_t>(image.width) * image.height; ++i)
    c.Data()[i] = tk::RGB(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
  return c;
}

inline tk::Canvas ReadBmp(const std::filesystem::path& path) {
  const std::string bytes = ReadFile(path);
  tk::Canvas c;
  DecodeBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), c);
  return c;
}

inline tk::Canvas ReadPicture(const std::filesystem::path& path) {
  return path.extension() == ".png" ? ReadPng(path) : ReadBmp(path);
}

// The colours as a file holds them: the low 24 bits.
inline std::vector<tk::Color> Shown(const tk::Canvas& c) {
  std::vector<tk::Color> v(c.Data(), c.Data() + static_cast<std::size_t>(c.Width()) * c.Height());
  for (tk::Color& p : v) p &= 0xFFFFFF;
  return v;
}

inline void WriteCatalogue(const std::filesystem::path& path, const std::vector<catalog::ThemeRecord>& records) {
  std::string text;
  for (const auto& r : records) text += catalog::FormatRecord(r);
  std::ofstream(path, std::ios::binary) << text;
}

// Themes of distinct colourings: Square with a reversed palette, full range with Line, and
// direct colour with values beyond 0xFFFFFF.
inline catalog::ThemeRecord Spiral() {
  catalog::ThemeRecord r = SpiralTheme();
  r.MaxIter = 300;
  return r;
}

inline catalog::ThemeRecord Julia() {
  catalog::ThemeRecord r;
  r.Name = "Julia";
  r.Coef = {1, -1, 0, 0, 0, -0.75f, 0, 0, 2, 0, 0, 0.11f};
  r.CoefStep[5] = 1;
  r.Scale = 3.5f;
  r.SignedFactor = -1;
  r.Step = 0.01f;
  r.StartAngle = 1;
  r.EndAngle = 5;
  r.MaxIter = 120;
  r.Distribution = 0;
  r.FullRange = 1;
  return r;
}

inline catalog::ThemeRecord Direct() {
  catalog::ThemeRecord r = Spiral();
  r.Name = "Direct";
  r.SignedFactor = 7;  // direct colour: counts of 29 and up go beyond 0xFFFFFF
  r.MaxIter = 80;
  return r;
}

// A working folder of the test's own, left again at the end.
class Folder : public ::testing::Test {
 protected:
  std::filesystem::path dir;
  std::filesystem::path previous;

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          ("quadrivia-render-test-" + std::to_string(::getpid()) + "-" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
  }
  // The names in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

}  // namespace rendertest
