#include "full/Bitmap.h"

#include <limits>

#include "full/FileReplacement.h"

namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t PixelOffset = FileHeaderSize + InfoHeaderSize;
// 96 dots per inch, the resolution a Windows desktop gives a bitmap it saves.
constexpr std::int32_t PixelsPerMetre = 3780;

std::uint64_t RowBytes(int width) { return (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4; }

std::uint64_t FileBytes(int width, int height) {
  return PixelOffset + RowBytes(width) * static_cast<std::uint64_t>(height);
}

// Little-endian whatever the host is: the format fixes the byte order.
void Put16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> EncodeBitmap(const tk::Canvas& canvas) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  const std::uint64_t total = FileBytes(width, height);
  // The header's size fields are 32 bits wide; no screen comes near this.
  if (total > std::numeric_limits<std::uint32_t>::max()) return {};
  const std::size_t stride = static_cast<std::size_t>(RowBytes(width));
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(total), 0);
  std::uint8_t* p = bytes.data();

  // BITMAPFILEHEADER
  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, static_cast<std::uint32_t>(total));
  Put32(p + 6, 0);  // two reserved words
  Put32(p + 10, PixelOffset);
  // BITMAPINFOHEADER; a positive height means the rows run bottom-up.
  std::uint8_t* info = p + FileHeaderSize;
  Put32(info + 0, InfoHeaderSize);
  Put32(info + 4, static_cast<std::uint32_t>(width));
  Put32(info + 8, static_cast<std::uint32_t>(height));
  Put16(info + 12, 1);   // planes
  Put16(info + 14, 24);  // bits per pixel
  Put32(info + 16, 0);   // BI_RGB, no compression
  Put32(info + 20, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(height)));
  Put32(info + 24, static_cast<std::uint32_t>(PixelsPerMetre));
  Put32(info + 28, static_cast<std::uint32_t>(PixelsPerMetre));
  Put32(info + 32, 0);  // colours used: none, there is no colour table
  Put32(info + 36, 0);  // important colours: all

  const tk::Color* pixels = canvas.Data();
  for (int y = 0; y < height; ++y) {
    // The file's first row is the picture's bottom row; the padding bytes stay 0.
    std::uint8_t* row = p + PixelOffset + stride * static_cast<std::size_t>(height - 1 - y);
    const tk::Color* source = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x) {
      const tk::Color c = source[x];
      row[3 * x + 0] = static_cast<std::uint8_t>(c >> 16);  // blue
      row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);   // green
      row[3 * x + 2] = static_cast<std::uint8_t>(c);        // red
    }
  }
  return bytes;
}

bool SaveBitmap(const tk::Canvas& canvas, const std::string& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = "Cannot save the picture as \"" + path + "\": " + why + ".";
    return false;
  };
  if (path.empty()) return fail("no file name was given");
  if (FileBytes(canvas.Width(), canvas.Height()) > std::numeric_limits<std::uint32_t>::max())
    return fail("the picture is too large for a bitmap file");
  FileReplacement file;
  if (!file.Open(path)) return fail(file.Error());
  const std::vector<std::uint8_t> bytes = EncodeBitmap(canvas);
  if (!file.Write(bytes.data(), bytes.size()) || !file.Commit()) return fail(file.Error());
  return true;
}

namespace {
std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
}  // namespace

bool DecodeBitmap(const std::uint8_t* bytes, std::size_t size, tk::Canvas& canvas) {
  if (size < FileHeaderSize + InfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const std::uint8_t* info = bytes + FileHeaderSize;
  const std::int64_t width = static_cast<std::int32_t>(Get32(info + 4));
  const std::int64_t rawHeight = static_cast<std::int32_t>(Get32(info + 8));
  const bool bottomUp = rawHeight > 0;
  const std::int64_t height = bottomUp ? rawHeight : -rawHeight;
  const std::uint32_t offset = Get32(bytes + 10);
  if (Get32(info) < InfoHeaderSize || info[14] != 24 || info[15] != 0 || Get32(info + 16) != 0) return false;
  if (width <= 0 || height <= 0 || width > 65536 || height > 65536) return false;
  const std::uint64_t stride = RowBytes(static_cast<int>(width));
  if (offset > size || stride * static_cast<std::uint64_t>(height) > size - offset) return false;
  canvas.Resize(static_cast<int>(width), static_cast<int>(height));
  tk::Color* out = canvas.Data();
  for (std::int64_t y = 0; y < height; ++y) {
    const std::uint8_t* row = bytes + offset + stride * static_cast<std::uint64_t>(bottomUp ? height - 1 - y : y);
    for (std::int64_t x = 0; x < width; ++x)
      out[y * width + x] = tk::RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
  }
  canvas.Touch();
  return true;
}
