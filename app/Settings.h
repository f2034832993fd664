#pragma once
// The settings file ini.dat: two integers, "%i %i" with no line end: the help language,
// then a reserved value that is only written back.

#include <string>

struct IniSettings {
  int HelpLanguage = 0;
  int IniReserved = 0;
};

inline constexpr const char* IniFileName = "ini.dat";

// Reads the file as "%i %i" reads it: values the text does not supply stay 0. A missing
// file is created holding "0 1", and then the values are 0 and 1 (also when it cannot be
// created).
IniSettings ReadOrCreateSettings(const std::string& path = IniFileName);

// Replaces the file's content with "%i %i". False when it cannot be written; the file is
// then left as it was.
bool WriteSettings(const IniSettings& settings, const std::string& path = IniFileName);
