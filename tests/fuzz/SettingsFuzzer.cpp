// The settings file on arbitrary bytes: reading never changes it, the values read are written
// back as "%i %i" and read back the same, and a missing file is made holding "0 1".

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/Settings.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = (fuzz::ScratchFolder() / "ini.dat").string();
  fuzz::WriteFile(path, bytes);

  const IniSettings read = ReadOrCreateSettings(path);
  FUZZ_CHECK(fuzz::ReadFile(path) == bytes);

  FUZZ_CHECK(WriteSettings(read, path));
  const std::string written = fuzz::ReadFile(path);
  FUZZ_CHECK(written == std::to_string(read.HelpLanguage) + " " + std::to_string(read.IniReserved));
  const IniSettings again = ReadOrCreateSettings(path);
  FUZZ_CHECK(again.HelpLanguage == read.HelpLanguage && again.IniReserved == read.IniReserved);
  FUZZ_CHECK(!std::filesystem::exists(path + ".tmp"));

  std::filesystem::remove(path);
  const IniSettings made = ReadOrCreateSettings(path);
  FUZZ_CHECK(made.HelpLanguage == 0 && made.IniReserved == 1 && fuzz::ReadFile(path) == "0 1");
  return 0;
}
