#include "app/Settings.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <system_error>

#include "engine/TextRead.h"

IniSettings ReadOrCreateSettings(const std::string& path) {
  IniSettings s;
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    engine::Scanner scan(std::move(text));
    if (scan.ReadInt(s.HelpLanguage)) scan.ReadInt(s.IniReserved);
    return s;
  }
  s.HelpLanguage = 0;
  s.IniReserved = 1;
  WriteSettings(s, path);
  return s;
}

bool WriteSettings(const IniSettings& settings, const std::string& path) {
  // Written beside the file and renamed over it, so a failed write never leaves a
  // half-written settings file.
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.imbue(std::locale::classic());
    out << settings.HelpLanguage << ' ' << settings.IniReserved;
    out.flush();
    if (!out) {
      out.close();
      std::error_code ec;
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}
