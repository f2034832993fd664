#pragma once
// Saving a picture as a Windows bitmap: 24 bits per pixel, a BITMAPINFOHEADER, rows stored
// bottom-up and padded to four bytes, each pixel as blue, green, red. Files written here open
// in any Windows or Linux viewer and in the Windows program itself.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Canvas.h"

// The bytes of a bitmap file of the canvas. A colour value with bits above 0xFFFFFF (a direct
// colour beyond the colour range) is stored with its low 24 bits, as the display shows it.
std::vector<std::uint8_t> EncodeBitmap(const tk::Canvas& canvas);

// Writes the canvas to path as a bitmap file, replacing any file of that name. The bytes go to
// a temporary file in the same folder first, which is flushed to the disk and then renamed over
// the target, so the chosen name holds either its old content or the whole new picture, never
// a part of one. On failure the temporary file is removed, an old file of that name is left as
// it was, and *error (when given) says what went wrong in plain words with the system's reason.
bool SaveBitmap(const tk::Canvas& canvas, const std::string& path, std::string* error = nullptr);

// Reads a 24-bit uncompressed bitmap file's bytes into the canvas (rows bottom-up or top-down).
// False, with the canvas untouched, for anything else or for bytes that are cut short.
bool DecodeBitmap(const std::uint8_t* bytes, std::size_t size, tk::Canvas& canvas);
