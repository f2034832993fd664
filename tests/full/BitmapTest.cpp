#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "full/Bitmap.h"

namespace fs = std::filesystem;

namespace {

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t Get16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// A reader of our own for the files the writer makes: 24 bits, no compression, bottom-up.
struct Decoded {
  int width = 0, height = 0;
  std::vector<tk::Color> pixels;  // top row first, as the canvas holds them
};
Decoded Decode(const std::vector<std::uint8_t>& b) {
  Decoded d;
  d.width = static_cast<int>(Get32(b, 18));
  d.height = static_cast<int>(Get32(b, 22));
  const std::size_t stride = (static_cast<std::size_t>(d.width) * 3 + 3) / 4 * 4;
  const std::size_t offset = Get32(b, 10);
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x) {
      const std::size_t at = offset + stride * static_cast<std::size_t>(d.height - 1 - y) + 3 * x;
      d.pixels.push_back(tk::RGB(b[at + 2], b[at + 1], b[at]));
    }
  return d;
}

tk::Canvas Pattern(int width, int height) {
  tk::Canvas c(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) c.SetPixel(x, y, tk::RGB(40 * x + 1, 60 * y + 2, 7 * (x + y) + 3));
  return c;
}

std::vector<tk::Color> PixelsOf(const tk::Canvas& c) {
  return {c.Data(), c.Data() + static_cast<std::size_t>(c.Width()) * c.Height()};
}

TEST(EncodeBitmap, WritesTheHeadersOfA24BitBottomUpBitmap) {
  const std::vector<std::uint8_t> b = EncodeBitmap(Pattern(5, 3));
  ASSERT_EQ(b.size(), 54u + 16 * 3);  // 15 bytes of a row padded to 16
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(Get32(b, 2), b.size());  // bfSize
  EXPECT_EQ(Get32(b, 6), 0u);        // reserved
  EXPECT_EQ(Get32(b, 10), 54u);      // bfOffBits
  EXPECT_EQ(Get32(b, 14), 40u);      // biSize
  EXPECT_EQ(Get32(b, 18), 5u);       // biWidth
  EXPECT_EQ(Get32(b, 22), 3u);       // biHeight, positive: bottom-up
  EXPECT_EQ(Get16(b, 26), 1);        // biPlanes
  EXPECT_EQ(Get16(b, 28), 24);       // biBitCount
  EXPECT_EQ(Get32(b, 30), 0u);       // biCompression BI_RGB
  EXPECT_EQ(Get32(b, 34), 48u);      // biSizeImage
  EXPECT_EQ(Get32(b, 38), 3780u);    // 96 dpi
  EXPECT_EQ(Get32(b, 42), 3780u);
  EXPECT_EQ(Get32(b, 46), 0u);  // no colour table
  EXPECT_EQ(Get32(b, 50), 0u);
}

TEST(EncodeBitmap, PadsEveryRowToFourBytesWithZeros) {
  struct {
    int width;
    std::size_t stride;
  } const cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}};
  for (const auto& k : cases) {
    tk::Canvas c(k.width, 2);
    c.Fill(0xFFFFFF);
    const std::vector<std::uint8_t> b = EncodeBitmap(c);
    ASSERT_EQ(b.size(), 54 + 2 * k.stride) << k.width;
    EXPECT_EQ(Get32(b, 34), 2 * k.stride) << k.width;
    for (int row = 0; row < 2; ++row) {
      const std::size_t start = 54 + row * k.stride;
      for (std::size_t i = 0; i < k.stride; ++i)
        EXPECT_EQ(b[start + i], i < 3u * k.width ? 0xFF : 0x00) << k.width << " row " << row << " byte " << i;
    }
  }
}

TEST(EncodeBitmap, StoresTheBottomRowFirstAndEachPixelAsBlueGreenRed) {
  tk::Canvas c(2, 2);
  c.SetPixel(0, 0, tk::RGB(0x11, 0x22, 0x33));  // top left
  c.SetPixel(1, 0, tk::RGB(0x44, 0x55, 0x66));
  c.SetPixel(0, 1, tk::RGB(0xAA, 0xBB, 0xCC));  // bottom left
  c.SetPixel(1, 1, tk::RGB(0xDD, 0xEE, 0xFF));
  const std::vector<std::uint8_t> b = EncodeBitmap(c);
  const std::vector<std::uint8_t> rows(b.begin() + 54, b.end());
  EXPECT_EQ(rows, (std::vector<std::uint8_t>{0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0, 0,  //
                                             0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0, 0}));
  const tk::Canvas odd = Pattern(7, 5);
  const Decoded d = Decode(EncodeBitmap(odd));
  EXPECT_EQ(d.width, 7);
  EXPECT_EQ(d.height, 5);
  EXPECT_EQ(d.pixels, PixelsOf(odd));
}

TEST(EncodeBitmap, KeepsTheLow24BitsOfColoursBeyondTheRange) {
  tk::Canvas c(3, 1);
  c.SetPixel(0, 0, 0x1000000);   // the direct colour of the iteration limit
  c.SetPixel(1, 0, 0x1FEB851);
  c.SetPixel(2, 0, 0xFF123456);  // a negative direct colour as an unsigned value
  const Decoded d = Decode(EncodeBitmap(c));
  EXPECT_EQ(d.pixels, (std::vector<tk::Color>{0x000000, 0xFEB851, 0x123456}));
}

TEST(EncodeBitmap, EmptyAndSinglePixelPictures) {
  const std::vector<std::uint8_t> empty = EncodeBitmap(tk::Canvas(0, 0));
  ASSERT_EQ(empty.size(), 54u);
  EXPECT_EQ(Get32(empty, 2), 54u);
  EXPECT_EQ(Get32(empty, 18), 0u);
  EXPECT_EQ(Get32(empty, 22), 0u);
  EXPECT_EQ(Get32(empty, 34), 0u);

  tk::Canvas one(1, 1);
  one.SetPixel(0, 0, tk::RGB(1, 2, 3));
  const std::vector<std::uint8_t> b = EncodeBitmap(one);
  ASSERT_EQ(b.size(), 58u);
  EXPECT_EQ(Get32(b, 34), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 54, b.end()), (std::vector<std::uint8_t>{3, 2, 1, 0}));
}

struct SaveBitmapFolder : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quadrivia-bitmap-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  static std::vector<std::uint8_t> Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SaveBitmapFolder, WritesANewFileAndReplacesAnOldOneLeavingNothingElse) {
  const fs::path target = dir / "picture.bmp";
  std::string error = "untouched";
  ASSERT_TRUE(SaveBitmap(Pattern(5, 3), target.string(), &error));
  EXPECT_EQ(error, "untouched");
  EXPECT_EQ(Read(target), EncodeBitmap(Pattern(5, 3)));

  Write(target, "an older and much longer file than the new picture will be ........................");
  ASSERT_TRUE(SaveBitmap(Pattern(1, 1), target.string(), &error));
  EXPECT_EQ(Read(target), EncodeBitmap(Pattern(1, 1)));
  EXPECT_EQ(Entries(), std::vector<std::string>{"picture.bmp"});
}

TEST_F(SaveBitmapFolder, AFailedSaveReportsWhyAndKeepsTheOldFile) {
  Write(dir / "old.bmp", "old picture");
  fs::create_directory(dir / "folder.bmp");
  const tk::Canvas picture = Pattern(64, 64);

  struct Case {
    const char* what;
    fs::path target;
    const char* reason;
  } const cases[] = {
      {"missing folder", dir / "no-such-folder" / "old.bmp", "No such file or directory"},
      {"name of a folder", dir / "folder.bmp", "Is a directory"},
      {"no file name", dir / "", "Is a directory"},
  };
  for (const Case& k : cases) {
    std::string error;
    EXPECT_FALSE(SaveBitmap(picture, k.target.string(), &error)) << k.what;
    EXPECT_NE(error.find(k.target.string()), std::string::npos) << error;
    EXPECT_NE(error.find(k.reason), std::string::npos) << error;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"folder.bmp", "old.bmp"})) << k.what;
    EXPECT_TRUE(fs::is_empty(dir / "folder.bmp")) << k.what;
  }
  EXPECT_FALSE(SaveBitmap(picture, "", nullptr));  // no error text asked for

  // A disk that fills up in the middle of the picture, made with a file-size limit so that it
  // fails the same way for every user, root included.
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string error;
  const bool saved_ok = SaveBitmap(picture, (dir / "old.bmp").string(), &error);
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);
  EXPECT_FALSE(saved_ok);
  EXPECT_NE(error.find("File too large"), std::string::npos) << error;
  EXPECT_EQ(Entries(), (std::vector<std::string>{"folder.bmp", "old.bmp"}));
  const std::vector<std::uint8_t> old = Read(dir / "old.bmp");
  EXPECT_EQ(std::string(old.begin(), old.end()), "old picture");
}

// ImageMagick reads the file back, so the format is checked by a reader that is not ours.
TEST_F(SaveBitmapFolder, ImageMagickReadsThePixelsBack) {
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick's convert is not installed";
  const tk::Canvas picture = Pattern(5, 3);  // 15 bytes a row: every row is padded
  const fs::path target = dir / "odd.bmp";
  ASSERT_TRUE(SaveBitmap(picture, target.string()));

  const std::string command = "convert '" + target.string() + "' -depth 8 txt:- 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string text;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
  ASSERT_EQ(::pclose(pipe), 0) << text;

  // Lines read "x,y: (r,g,b)  #RRGGBB  name" after a header line starting with "#".
  std::vector<tk::Color> seen(15, 0xFFFFFFFF);
  std::istringstream lines(text);
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    int x, y;
    unsigned r, g, b;
    ASSERT_EQ(std::sscanf(line.c_str(), "%d,%d: (%u,%u,%u", &x, &y, &r, &g, &b), 5) << line;
    ASSERT_TRUE(x >= 0 && x < 5 && y >= 0 && y < 3) << line;
    seen[static_cast<std::size_t>(y * 5 + x)] = tk::RGB(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
    ++count;
  }
  EXPECT_EQ(count, 15) << text;
  EXPECT_EQ(seen, PixelsOf(picture)) << text;
}

}  // namespace
