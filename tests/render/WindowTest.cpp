// quadrivia-render against the window program itself, both run headless in this process:
// the same state gives the same pixels.
#include <set>

#include "render/RenderSupport.h"
#include "support/ProgramFixture.h"

namespace fs = std::filesystem;
using namespace rendertest;

namespace {

struct AsTheWindow : ProgramFixture {
  void SetUp() override {
    ProgramFixture::SetUp();
    WriteCatalogue("catalog.dat", {Spiral(), Julia(), Direct()});
  }
  static std::vector<tk::Color> Pixels(const tk::Image* image) { return Shown(image->Canvas); }
  // The picture state of a case: the start picture (position -1) or a theme loaded through
  // the catalogue dialog, as the user loads it.
  void Prepare(int position) {
    if (!MainForm) CreateForms();
    if (position < 0) {
      M().Redraw();
      return;
    }
    platform.OnModal = [position](tk::Form&) {
      FormThemes->ComboBox1->UserSelect(position);
      FormThemes->LoadButton->UserClick();
    };
    M().Theme1->UserClick();
    platform.OnModal = nullptr;
  }
  static std::vector<std::string> Args(int position, std::vector<std::string> more) {
    if (position >= 0) more.insert(more.begin(), {"--catalog", "catalog.dat", "--theme", std::to_string(position + 1)});
    return more;
  }
  // Runs the command after the window program has ended (one program at a time).
  static void Command(std::vector<std::string> args) {
    DestroyForms();
    args.push_back("-q");
    const Outcome o = RunCommandLine(args);
    ASSERT_EQ(o.code, 0) << o.err;
  }
  static std::size_t Colours(const std::vector<tk::Color>& v) {
    return std::set<tk::Color>(v.begin(), v.end()).size();
  }
};

TEST_F(AsTheWindow, AtTheFullScreenSizeTheFilesHoldTheBitmapTheFullScreenWindowSaves) {
  // A 1024 x 768 screen. The start picture has full range on: the full-screen palette is the
  // one spread over the main picture's count.
  for (int position : {-1, 0, 1, 2}) {
    Prepare(position);
    platform.OnSaveDialog = [](tk::SavePictureDialog& d) {
      d.FileName = "window";
      return true;
    };
    platform.OnModal = [](tk::Form& f) {
      if (&f == FullForm) FullForm->ImageFull->UserKeyDown(tk::VK_RETURN);
    };
    M().Button4->UserClick();
    platform.OnModal = nullptr;
    const std::vector<tk::Color> window = Shown(ReadBmp("Graphics/window.bmp"));
    ASSERT_EQ(window.size(), 1024u * 768u) << position;
    EXPECT_GT(Colours(window), 20u) << position;

    Command(Args(position, {"--size", "1024x768", "-o", "cli.bmp"}));
    Command(Args(position, {"--size", "1024x768", "-o", "cli.png"}));
    EXPECT_TRUE(Shown(ReadBmp("cli.bmp")) == window) << "case " << position;
    EXPECT_TRUE(Shown(ReadPng("cli.png")) == window) << "case " << position;
  }
}

TEST_F(AsTheWindow, AThemeByNameOrPositionIsThePictureTheDialogLoads) {
  const char* names[] = {"Spiral", "Julia", "Direct"};
  for (int position : {0, 1, 2}) {
    Prepare(position);
    const std::vector<tk::Color> window = Pixels(M().Image1);
    EXPECT_GT(Colours(window), 10u) << position;
    Command({"--catalog", "catalog.dat", "--theme", names[position], "--size", "160x120", "-o", "by-name.png"});
    Command(Args(position, {"--size", "160x120", "-o", "by-position.bmp"}));
    EXPECT_TRUE(Shown(ReadPng("by-name.png")) == window) << names[position];
    EXPECT_TRUE(Shown(ReadBmp("by-position.bmp")) == window) << names[position];
  }
}

TEST_F(AsTheWindow, FrameKIsThePictureTheWindowShowsAfterKTicks) {
  struct Case {
    int position;
    const char* animate;  // nullptr: as the window animates (Coeff after a theme is loaded)
  } cases[] = {{-1, "scale"}, {-1, "coeff"}, {0, nullptr}};
  constexpr int Frames = 5;
  for (const Case& c : cases) {
    Prepare(c.position);
    CloseSplash();  // the timer runs
    ASSERT_TRUE(M().Timer1->Enabled());
    if (c.animate && std::string(c.animate) == "coeff") M().RG_Animate->UserSelect(1);
    std::vector<std::vector<tk::Color>> window = {Pixels(M().Image1)};
    for (int k = 1; k < Frames; ++k) {
      platform.Tick();
      window.push_back(Pixels(M().Image1));
    }
    EXPECT_NE(window[0], window[Frames - 1]) << c.position;

    std::vector<std::string> animate;
    if (c.animate) animate = {"--animate", c.animate};
    std::vector<std::string> all = Args(c.position, {"--size", "160x120", "--frames", "5", "-o", "f.png"});
    all.insert(all.end(), animate.begin(), animate.end());
    Command(all);
    for (int k = 0; k < Frames; ++k)
      EXPECT_TRUE(Shown(ReadPng("f" + render::FrameSuffix(k) + ".png")) == window[k]) << c.position << " frame " << k;

    // A resumed run replays the ticks before its first frame and goes on with the same names.
    std::vector<std::string> resumed = Args(c.position, {"--size", "160x120", "--frames", "2", "--first", "3", "-o", "g.png"});
    resumed.insert(resumed.end(), animate.begin(), animate.end());
    Command(resumed);
    EXPECT_FALSE(fs::exists("g-0000.png"));
    for (int k : {3, 4})
      EXPECT_EQ(ReadFile("g" + render::FrameSuffix(k) + ".png"), ReadFile("f" + render::FrameSuffix(k) + ".png"))
          << c.position << " frame " << k;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().extension() == ".png") fs::remove(e.path());
  }
}

TEST_F(AsTheWindow, TheIterationLimitIsKeptAsTheMaxFieldKeepsItAndLeavesTheColouring) {
  M().EditIter->UserSetText("50");
  const std::vector<tk::Color> window = Pixels(M().Image1);
  Command({"--size", "160x120", "--iter", "50", "-o", "fifty.png"});
  EXPECT_TRUE(Shown(ReadPng("fifty.png")) == window);

  for (const char* low : {"5", "3", "-20"}) {
    Command({"--size", "160x120", "--iter", low, "-o", std::string("low") + low + ".png"});
    EXPECT_EQ(ReadFile(std::string("low") + low + ".png"), ReadFile("low5.png")) << low;
  }
  Command({"--size", "160x120", "--iter", "999", "-o", "high.png"});
  Command({"--size", "160x120", "--iter", "123456789012", "-o", "higher.png"});
  EXPECT_EQ(ReadFile("higher.png"), ReadFile("high.png"));
  EXPECT_NE(ReadFile("high.png"), ReadFile("low5.png"));

  // A direct-colour theme stays in direct colour (typing into the field would switch to the palette).
  Command(Args(2, {"--size", "160x120", "-o", "direct.png"}));
  Command(Args(2, {"--size", "160x120", "--iter", "80", "-o", "direct-80.png"}));
  EXPECT_EQ(ReadFile("direct-80.png"), ReadFile("direct.png"));
}

TEST_F(AsTheWindow, AllThemesGoToFilesNamedAfterThemWithoutCollisions) {
  catalog::ThemeRecord slash = Julia(), underscore = Direct(), again = Spiral();
  slash.Name = "a/b";
  underscore.Name = "a_b";
  again.Coef[11] = 0.5f;
  WriteCatalogue("four.dat", {Spiral(), again, slash, underscore});
  fs::create_directory("shots");
  DestroyForms();
  const Outcome o = RunCommandLine({"--catalog", "four.dat", "--all", "--size", "32x24", "-o", "shots/t.png"});
  ASSERT_EQ(o.code, 0) << o.err;
  const std::vector<std::string> files = {"shots/t-Spiral.png", "shots/t-Spiral-2.png", "shots/t-a_b.png",
                                          "shots/t-a_b-4.png"};
  std::string listed;
  for (const auto& f : files) listed += f + "\n";
  EXPECT_EQ(o.out, listed);
  for (std::size_t i = 0; i < files.size(); ++i) {
    ASSERT_EQ(RunCommandLine({"--catalog", "four.dat", "--theme", std::to_string(i + 1), "--size", "32x24", "-q", "-o", "one.png"}).code, 0);
    EXPECT_EQ(ReadFile(files[i]), ReadFile("one.png")) << files[i];
  }
  EXPECT_NE(ReadFile(files[0]), ReadFile(files[1]));
}

}  // namespace
