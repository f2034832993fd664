#pragma once
// Reading numbers from text by the standard C rules, with "." as the decimal point whatever
// the process's locale (Qt sets the C locale from the environment on Unix).
//
//  - ReadReal: strtod's rules (leading blanks skipped, reading stops at the first character
//    that cannot continue the number, no number gives 0).
//  - ReadInteger: atol's rules, saturated at the 32-bit range instead of overflowing.
//  - Scanner: formatted input with scanf's "%i", "%f" and "%s" rules over a text held in
//    memory; a value that cannot be read leaves its destination and the text untouched.

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {

double ReadReal(std::string_view text);
int ReadInteger(std::string_view text);

class Scanner {
 public:
  explicit Scanner(std::string text) : text_(std::move(text)) {}

  // "%i": optional sign, then hexadecimal after 0x, octal after a leading 0, else decimal.
  // Out-of-range values saturate. Returns false (and changes nothing) when no integer
  // can be read here.
  bool ReadInt(int& out);
  // "%f": a real as strtod reads it, rounded to float.
  bool ReadFloat(float& out);
  // "%Ns" with N = maxLength: the next run of non-white-space characters, at most maxLength
  // of them; a longer run leaves its rest unread for the next read, as a field width does.
  // Returns false (and changes nothing) at the end of the text.
  bool ReadWord(std::string& out, std::size_t maxLength);

  void SkipSpace();
  bool AtEnd();
  std::size_t Position() const { return pos_; }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

}  // namespace engine
