#pragma once
// Writing a picture as a PNG file (8-bit RGB) row by row, so that a picture far larger than
// memory needs never exists whole. The file takes its name only once it is complete.

#include <string>
#include <vector>

#include "full/FileReplacement.h"
#include "render/Picture.h"

// libpng's two structures, as its header names them.
struct png_struct_def;
struct png_info_def;

namespace render {

class PngFile : public RowSink {
 public:
  PngFile() = default;
  ~PngFile() override;
  PngFile(const PngFile&) = delete;
  PngFile& operator=(const PngFile&) = delete;

  // Starts the file; throws std::runtime_error when it cannot be made.
  void Open(const std::string& path, int width, int height);
  // The next rows, in order. A colour's low 24 bits are written, as the display shows it.
  void Rows(int firstRow, int count, const tk::Color* pixels) override;
  // Ends the picture and gives the file its name.
  void Finish();

 private:
  // libpng reports errors by a jump out of its call; these run one call each and say whether
  // it returned. Nothing with a destructor lives between the jump's two ends.
  bool WriteHeader(int width, int height);
  bool WriteRow(const unsigned char* row);
  bool WriteEnd();
  [[noreturn]] void Fail();
  static void OnError(png_struct_def* png, const char* message);
  static void OnWarning(png_struct_def* png, const char* message);
  static void OnWrite(png_struct_def* png, unsigned char* data, std::size_t size);
  static void OnFlush(png_struct_def* png);
  void Close();

  std::string path_;
  FileReplacement file_;
  png_struct_def* png_ = nullptr;
  png_info_def* info_ = nullptr;
  std::string pngError_;
  int width_ = 0;
  int nextRow_ = 0;
  std::vector<unsigned char> row_;
};

}  // namespace render
