#include "engine/TextRead.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace engine {

namespace {

locale_t CLocale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

int Saturate(bool negative, std::uint64_t magnitude) {
  if (negative) {
    if (magnitude > 2147483648ull) return std::numeric_limits<int>::min();
    return static_cast<int>(-static_cast<std::int64_t>(magnitude));
  }
  if (magnitude > 2147483647ull) return std::numeric_limits<int>::max();
  return static_cast<int>(magnitude);
}

// Parses an integer at text[pos...] in the given base (0 = scanf's "%i" prefixes). Leading
// white space must already be skipped. Returns the characters taken, 0 when none form a
// number.
std::size_t ParseInteger(std::string_view text, std::size_t pos, int base, int& out) {
  std::size_t i = pos;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (base == 0) {
    if (i < text.size() && text[i] == '0') {
      // "0x" counts as a prefix only when a hexadecimal digit follows it.
      if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
          DigitValue(text[i + 2]) < 16) {
        base = 16;
        i += 2;
      } else {
        base = 8;
      }
    } else {
      base = 10;
    }
  }
  const std::size_t digitsStart = i;
  std::uint64_t magnitude = 0;
  while (i < text.size() && DigitValue(text[i]) < base) {
    if (magnitude < (1ull << 40)) magnitude = magnitude * base + DigitValue(text[i]);
    ++i;
  }
  if (i == digitsStart) return 0;
  out = Saturate(negative, magnitude);
  return i - pos;
}

}  // namespace

double ReadReal(std::string_view text) {
  std::string s(text);  // strtod needs a terminated string
  return strtod_l(s.c_str(), nullptr, CLocale());
}

int ReadInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  int v = 0;
  return ParseInteger(text, i, 10, v) ? v : 0;
}

void Scanner::SkipSpace() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
}

bool Scanner::AtEnd() {
  SkipSpace();
  return pos_ >= text_.size();
}

bool Scanner::ReadInt(int& out) {
  SkipSpace();
  int v = 0;
  const std::size_t taken = ParseInteger(text_, pos_, 0, v);
  if (taken == 0) return false;
  pos_ += taken;
  out = v;
  return true;
}

bool Scanner::ReadFloat(float& out) {
  SkipSpace();
  if (pos_ >= text_.size()) return false;
  const char* start = text_.c_str() + pos_;
  char* end = nullptr;
  // scanf's "%f" rounds the text to float once (strtof), not through double.
  const float v = strtof_l(start, &end, CLocale());
  if (end == start) return false;
  pos_ += static_cast<std::size_t>(end - start);
  out = v;
  return true;
}

bool Scanner::ReadWord(std::string& out, std::size_t maxLength) {
  SkipSpace();
  if (pos_ >= text_.size() || maxLength == 0) return false;
  std::size_t end = pos_;
  while (end < text_.size() && !IsSpace(text_[end]) && end - pos_ < maxLength) ++end;
  out.assign(text_, pos_, end - pos_);
  pos_ = end;
  return true;
}

}  // namespace engine
