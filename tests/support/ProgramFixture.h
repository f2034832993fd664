#pragma once
// A whole program on the headless platform, in a working folder of its own.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "app/Korvel.h"
#include "app/Main.h"
#include "app/Program.h"
#include "coef/Coef.h"
#include "full/Full.h"
#include "themes/Themes.h"
#include "toolkit/HeadlessPlatform.h"

class ProgramFixture : public ::testing::Test {
 protected:
  tk::HeadlessPlatform platform;
  std::filesystem::path dir;
  std::filesystem::path previous;

  // The content of ini.dat before start-up; none: no file.
  virtual std::optional<std::string> IniFile() const { return std::nullopt; }

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          ("quadrivia-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    if (auto ini = IniFile()) std::ofstream("ini.dat", std::ios::binary) << *ini;
    tk::UsePlatform(platform);
    CreateForms();
  }
  void TearDown() override {
    DestroyForms();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
  }

  TMainForm& M() { return *MainForm; }
  // Every render of the main picture repaints EditQuantity once.
  int Renders() { return platform.Repaints["EditQuantity"]; }
  static std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // The splash closed as the user would, so that the timer runs.
  void CloseSplash() {
    platform.OnModal = [](tk::Form& f) { f.UserKeyDown(tk::VK_SPACE); };
    M().Show();
    platform.OnModal = nullptr;
  }
};
