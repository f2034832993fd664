#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Settings.h"
#include "app/StartValues.h"

namespace fs = std::filesystem;

namespace {

struct SettingsFile : ::testing::Test {
  fs::path dir;
  std::string path;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quadrivia-settings-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = (dir / "ini.dat").string();
  }
  void TearDown() override { fs::remove_all(dir); }
  void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  std::string Read() {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

TEST_F(SettingsFile, MissingFileIsCreatedHoldingZeroAndOne) {
  const IniSettings s = ReadOrCreateSettings(path);
  EXPECT_EQ(s.HelpLanguage, 0);
  EXPECT_EQ(s.IniReserved, 1);
  EXPECT_EQ(Read(), "0 1");
}

TEST_F(SettingsFile, ReadsAsPercentIPercentI) {
  struct {
    const char* text;
    int language, reserved;
  } cases[] = {
      {"1 7", 1, 7},        {"2 5", 2, 5},         {"", 0, 0},         {"   \r\n", 0, 0},
      {"1", 1, 0},          {"garbage", 0, 0},     {"1 x", 1, 0},      {"0x1 010", 1, 8},
      {"-3\r\n\t4", -3, 4}, {"7xyz 9", 7, 0},      {"99999999999 1", 2147483647, 1},
  };
  for (const auto& c : cases) {
    Write(c.text);
    const IniSettings s = ReadOrCreateSettings(path);
    EXPECT_EQ(s.HelpLanguage, c.language) << c.text;
    EXPECT_EQ(s.IniReserved, c.reserved) << c.text;
    EXPECT_EQ(Read(), c.text) << "reading never rewrites the file";
  }
}

TEST_F(SettingsFile, WriteBackReplacesTheContent) {
  Write("1 7 and more text");
  IniSettings s = ReadOrCreateSettings(path);
  EXPECT_TRUE(WriteSettings(s, path));
  EXPECT_EQ(Read(), "1 7");
  s.HelpLanguage = -12;
  EXPECT_TRUE(WriteSettings(s, path));
  EXPECT_EQ(Read(), "-12 7");
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(SettingsFile, UncreatableFileKeepsTheDefaults) {
  const std::string nowhere = (dir / "no-such-folder" / "ini.dat").string();
  const IniSettings s = ReadOrCreateSettings(nowhere);
  EXPECT_EQ(s.HelpLanguage, 0);
  EXPECT_EQ(s.IniReserved, 1);
  EXPECT_FALSE(WriteSettings(s, nowhere));
  EXPECT_FALSE(fs::exists(nowhere));
}

TEST(StartValues, DerivedConstants) {
  EXPECT_EQ(start::StepSpan(), 99990.0f);
  EXPECT_EQ(start::MinScale, 1e-6f);
  EXPECT_EQ(start::Scale, 9.9f);
}

}  // namespace
