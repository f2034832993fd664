#include "render/PngFile.h"

#include <png.h>

#include <stdexcept>

namespace render {

PngFile::~PngFile() { Close(); }

void PngFile::Close() {
  if (png_) png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
  png_ = nullptr;
  info_ = nullptr;
}

void PngFile::OnError(png_structp png, png_const_charp message) {
  auto* self = static_cast<PngFile*>(png_get_error_ptr(png));
  if (self->pngError_.empty()) self->pngError_ = message ? message : "PNG error";
  png_longjmp(png, 1);
}

void PngFile::OnWarning(png_structp, png_const_charp) {}

void PngFile::OnWrite(png_structp png, png_bytep data, std::size_t size) {
  auto* self = static_cast<PngFile*>(png_get_io_ptr(png));
  if (!self->file_.Write(data, size)) png_error(png, "write failed");
}

void PngFile::OnFlush(png_structp) {}

[[noreturn]] void PngFile::Fail() {
  // The file's own reason (a full disk, a lost folder) says more than libpng's.
  const std::string why = !file_.Error().empty() ? file_.Error() : pngError_;
  Close();
  file_.Abandon();
  throw std::runtime_error("cannot write \"" + path_ + "\": " + why);
}

bool PngFile::WriteHeader(int width, int height) {
  if (setjmp(png_jmpbuf(png_))) return false;
  png_set_write_fn(png_, this, OnWrite, OnFlush);
  png_set_IHDR(png_, info_, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png_, info_);
  return true;
}

bool PngFile::WriteRow(const unsigned char* row) {
  if (setjmp(png_jmpbuf(png_))) return false;
  png_write_row(png_, row);
  return true;
}

bool PngFile::WriteEnd() {
  if (setjmp(png_jmpbuf(png_))) return false;
  png_write_end(png_, info_);
  return true;
}

void PngFile::Open(const std::string& path, int width, int height) {
  path_ = path;
  width_ = width;
  nextRow_ = 0;
  if (!file_.Open(path)) Fail();
  png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
  if (png_) info_ = png_create_info_struct(png_);
  if (!png_ || !info_) {
    pngError_ = "out of memory";
    Fail();
  }
  row_.assign(static_cast<std::size_t>(width) * 3, 0);
  if (!WriteHeader(width, height)) Fail();
}

void PngFile::Rows(int firstRow, int count, const tk::Color* pixels) {
  if (!png_ || firstRow != nextRow_) throw std::logic_error("PNG rows out of order");
  for (int r = 0; r < count; ++r) {
    const tk::Color* source = pixels + static_cast<std::size_t>(r) * width_;
    for (int x = 0; x < width_; ++x) {
      row_[3 * x + 0] = static_cast<unsigned char>(source[x]);        // red
      row_[3 * x + 1] = static_cast<unsigned char>(source[x] >> 8);   // green
      row_[3 * x + 2] = static_cast<unsigned char>(source[x] >> 16);  // blue
    }
    if (!WriteRow(row_.data())) Fail();
  }
  nextRow_ += count;
}

void PngFile::Finish() {
  if (!png_) throw std::logic_error("PNG file not open");
  if (!WriteEnd()) Fail();
  Close();
  if (!file_.Commit()) Fail();
}

}  // namespace render
