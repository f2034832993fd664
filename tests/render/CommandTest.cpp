#include <algorithm>

#include "render/Options.h"
#include "render/PngFile.h"
#include "render/RenderSupport.h"

namespace fs = std::filesystem;
using namespace rendertest;

namespace {

struct Command : Folder {
  void SetUp() override {
    Folder::SetUp();
    WriteCatalogue("two.dat", {Spiral(), Julia()});
    WriteCatalogue("empty.dat", {});
    fs::create_directory("folder");
    fs::create_directory("taken.png");
  }
};

TEST_F(Command, EveryErrorIsOneLineWithItsExitStatusAndWritesNothing) {
  const int usage = render::ExitUsage, failed = render::ExitFailed;
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string message;
  } cases[] = {
      {{"--bogus"}, usage, "unknown option '--bogus'"},
      {{"-x"}, usage, "unknown option '-x'"},
      {{"picture.png"}, usage, "unexpected argument 'picture.png'"},
      {{"--size"}, usage, "--size wants a value"},
      {{"--size", "0x100"}, usage, "--size wants WIDTHxHEIGHT, each side 1 to 32768 and at most 268435456 pixels"},
      {{"--size", "-5x100"}, usage, "not '-5x100'"},
      {{"--size", "axb"}, usage, "not 'axb'"},
      {{"--size", "640"}, usage, "not '640'"},
      {{"--size", "640x480x2"}, usage, "not '640x480x2'"},
      {{"--size", "40000x10"}, usage, "not '40000x10'"},
      {{"--size=20000x20000"}, usage, "not '20000x20000'"},
      {{"--aa", "0"}, usage, "--aa wants a whole number from 1 to 4, not '0'"},
      {{"--aa", "5"}, usage, "not '5'"},
      {{"--aa", "two"}, usage, "not 'two'"},
      {{"--iter", "ten"}, usage, "--iter wants a whole number (kept within 5 to 999), not 'ten'"},
      {{"--frames", "0"}, usage, "--frames wants a whole number from 1 to 1000000, not '0'"},
      {{"--frames", "2", "--first", "-1"}, usage, "--first wants a whole number"},
      {{"--first", "3"}, usage, "--first wants --frames N"},
      {{"--animate", "coeff"}, usage, "--animate wants --frames N"},
      {{"--frames", "2", "--animate", "spin"}, usage, "--animate wants scale or coeff, not 'spin'"},
      {{"-o", "picture.jpg"}, usage, "the output 'picture.jpg' must end in .png or .bmp"},
      {{"-o", "picture"}, usage, "the output 'picture' must end in .png or .bmp"},
      {{"--theme", "Spiral"}, usage, "--theme wants --catalog FILE"},
      {{"--all"}, usage, "--all wants --catalog FILE"},
      {{"--catalog", "two.dat"}, usage, "--catalog wants --theme, --all or --list with it"},
      {{"--catalog", "two.dat", "--all", "--theme", "1"}, usage, "--all and --theme cannot go together"},
      {{"--catalog", "two.dat", "--all", "--frames", "2"}, usage, "it cannot go with --all"},
      {{"--all=yes", "--catalog", "two.dat"}, usage, "--all takes no value"},
      {{"--catalog", "missing.dat", "--theme", "1"}, failed,
       "cannot read the catalogue 'missing.dat': No such file or directory"},
      {{"--catalog", "folder", "--theme", "1"}, failed, "cannot read the catalogue 'folder': Is a directory"},
      {{"--catalog", "two.dat", "--theme", "Nope"}, failed, "no theme named 'Nope' in 'two.dat'; --list shows its themes"},
      {{"--catalog", "two.dat", "--theme", "spiral"}, failed, "no theme named 'spiral'"},
      {{"--catalog", "two.dat", "--theme", "3"}, failed,
       "theme position 3 is out of range: 'two.dat' holds 2 themes (positions count from 1)"},
      {{"--catalog", "two.dat", "--theme", "0"}, failed, "theme position 0 is out of range"},
      {{"--catalog", "two.dat", "--theme", "99999999999999999999"}, failed, "is out of range"},
      {{"--catalog", "empty.dat", "--all"}, failed, "'empty.dat' holds no themes"},
      {{"--catalog", "/dev/zero", "--all"}, failed, "the catalogue '/dev/zero' is larger than 64 MB"},
      {{"-o", "nowhere/picture.png"}, failed, "cannot write \"nowhere/picture.png\": No such file or directory"},
      {{"-o", "nowhere/picture.bmp"}, failed, "cannot write \"nowhere/picture.bmp\": No such file or directory"},
      {{"-o", "taken.png"}, failed, "cannot write \"taken.png\": Is a directory"},
  };
  const std::vector<std::string> before = Entries();
  for (auto& c : cases) {
    std::vector<std::string> args = {"--size", "8x6"};  // small, where a picture is made
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome o = RunCommandLine(args);
    std::string line;
    for (const auto& a : c.args) line += a + " ";
    EXPECT_EQ(o.code, c.code) << line;
    EXPECT_EQ(o.err.rfind("quadrivia-render: ", 0), 0u) << line << o.err;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << line << "\n" << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << line << o.err;
    EXPECT_EQ(o.err.find("(see --help)") != std::string::npos, c.code == usage) << line << o.err;
    EXPECT_EQ(o.out, "") << line;
    EXPECT_EQ(Entries(), before) << line;  // no file, no temporary file left behind
    EXPECT_TRUE(fs::is_empty("taken.png")) << line;
  }
}

TEST_F(Command, HelpListAndWrittenFilesGoToStandardOutput) {
  const Outcome help = RunCommandLine({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.err, "");
  for (const char* part : {"Usage: quadrivia-render", "--catalog FILE", "--theme NAME|N", "--all", "--size WxH",
                           "--aa N", "--iter N", "--frames N", "--first K", "--animate scale|coeff", "Exit status",
                           "Examples:"})
    EXPECT_NE(help.out.find(part), std::string::npos) << part;
  EXPECT_EQ(RunCommandLine({"-h", "--bogus-after-help-is-still-an-error"}).code, render::ExitUsage);

  const Outcome list = RunCommandLine({"--catalog", "two.dat", "--list"});
  EXPECT_EQ(list.code, 0);
  EXPECT_EQ(list.out, "1\tSpiral\n2\tJulia\n");

  const Outcome quiet = RunCommandLine({"--size", "8x6", "-q", "-o", "a.png"});
  EXPECT_EQ(quiet.code, 0);
  EXPECT_EQ(quiet.out, "");
  const Outcome told = RunCommandLine({"--size=8x6", "--output=b.bmp"});
  EXPECT_EQ(told.code, 0);
  EXPECT_EQ(told.out, "b.bmp\n");
  EXPECT_EQ(told.err, "");
  EXPECT_EQ(ReadPng("a.png").Width(), 8);
  EXPECT_EQ(ReadBmp("b.bmp").Height(), 6);
}

TEST_F(Command, AFailedWriteKeepsTheOldFile) {
  ASSERT_EQ(RunCommandLine({"--size", "8x6", "-o", "old.png"}).code, 0);
  const std::string old = ReadFile("old.png");
  // A PNG that fails half way: the rows stop coming, the file is never finished.
  {
    render::PngFile file;
    file.Open("old.png", 8, 6);
    std::vector<tk::Color> row(8, 0x123456);
    file.Rows(0, 1, row.data());
  }
  EXPECT_EQ(ReadFile("old.png"), old);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"empty.dat", "folder", "old.png", "taken.png", "two.dat"}));
}

TEST(CommandNames, FramesThemesAndSuffixes) {
  EXPECT_EQ(render::FrameSuffix(0), "-0000");
  EXPECT_EQ(render::FrameSuffix(42), "-0042");
  EXPECT_EQ(render::FrameSuffix(123456), "-123456");
  EXPECT_EQ(render::WithSuffix("frame.png", "-0003"), "frame-0003.png");
  EXPECT_EQ(render::WithSuffix("zoom/f.v2.BMP", "-0003"), "zoom/f.v2-0003.BMP");
  EXPECT_EQ(render::FileNamePart("Spiral"), "Spiral");
  EXPECT_EQ(render::FileNamePart("a/b\\c:d*e?.f_g-h+i"), "a_b_c_d_e_.f_g-h+i");
  EXPECT_EQ(render::FileNamePart("\xD1\xEF\xE8\xF0\xE0\xEB\xFC"), "\xD1\xEF\xE8\xF0\xE0\xEB\xFC");  // Cyrillic bytes stay

  std::string error;
  const auto r = render::ParseArguments({"--size=3840x2160", "--aa", "3", "--iter", "-7", "-o", "Big.PNG"}, &error);
  ASSERT_TRUE(r) << error;
  EXPECT_EQ(r->width, 3840);
  EXPECT_EQ(r->height, 2160);
  EXPECT_EQ(r->supersampling, 3);
  EXPECT_EQ(r->iterations, -7);
  EXPECT_EQ(r->type, render::PictureType::Png);
  const auto defaults = render::ParseArguments({}, &error);
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->width, 1600);
  EXPECT_EQ(defaults->height, 1200);
  EXPECT_EQ(defaults->output, "quadrivia.png");
  EXPECT_TRUE(render::ParseArguments({"--size", "16384x16384"}, &error));
  EXPECT_TRUE(render::ParseArguments({"--size", "32768x8192"}, &error));
}

}  // namespace
