#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "support/SpiralTheme.h"
#include "themes/Catalog.h"

namespace fs = std::filesystem;

namespace catalog {
// Failures show the record as the file would hold it.
void PrintTo(const ThemeRecord& r, std::ostream* os) { *os << '\n' << FormatRecord(r); }
}  // namespace catalog

namespace {

using catalog::ThemeRecord;

ThemeRecord Spiral() { return SpiralTheme(); }

const std::string SpiralText =
    "Spiral \r\n"
    "1.500000 -0.250000 0.000000 0.500000 0.000000 0.125000\r\n"
    "0.000000 0.000000 2.000000 0.750000 0.000000 -0.500000\r\n"
    "1.000000 0.000000 0.000000 0.000000 0.000000 0.000000\r\n"
    "0.000000 0.000000 -0.500000 0.000000 0.000000 0.000000\r\n"
    "2.500000 -3 -0.125000\r\n"
    "0.500000 4.750000 1 \r\n"
    "200 1 0 \r\n"
    "-0.250000 0.125000\r\n";

// A record of distinct values, so a misplaced value shows.
ThemeRecord Numbered(const std::string& name, int seed) {
  ThemeRecord r;
  r.Name = name;
  for (int i = 0; i < 12; ++i) {
    r.Coef[i] = seed + i * 0.25f;
    r.CoefStep[i] = (i % 3 - 1) * 0.5f;
  }
  r.Scale = seed + 0.5f;
  r.SignedFactor = seed % 2 ? -seed : seed;
  r.Step = -0.0625f * seed;
  r.StartAngle = 0.125f * seed;
  r.EndAngle = 0.25f * seed;
  r.Direction = seed % 2;
  r.MaxIter = 100 + seed;
  r.Distribution = (seed + 1) % 2;
  r.FullRange = seed % 2;
  r.CentreX = -0.5f * seed;
  r.CentreY = 0.75f * seed;
  return r;
}

// Values no file holds, to see which ones a read leaves alone.
ThemeRecord Sentinel() {
  ThemeRecord r = Numbered("sentinel", 77);
  r.Coef.fill(-77);
  r.CoefStep.fill(-7);
  return r;
}

std::string FirstLines(const std::string& text, int lines) {
  std::size_t end = 0;
  for (int i = 0; i < lines; ++i) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
    s.replace(at, from.size(), to);
  return s;
}

struct CatalogFile : ::testing::Test {
  fs::path dir;
  catalog::CatalogFiles files;
  float startAngle = 0;
  float endAngle = 0;

  void SetUp() override {
    dir = fs::temp_directory_path() / ("quadrivia-catalog-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    files = catalog::CatalogFiles::In(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  void Write(const std::string& text) { std::ofstream(files.Catalogue, std::ios::binary) << text; }
  std::string Read() {
    std::ifstream in(files.Catalogue, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::vector<std::string> Names() {
    return catalog::ListNames(files).value_or(std::vector<std::string>{"<none>"});
  }
  ThemeRecord Through(int position, ThemeRecord dest = Sentinel()) {
    EXPECT_TRUE(catalog::ReadThrough(position, dest, files));
    return dest;
  }
  catalog::RewriteResult Delete(int position) {
    return catalog::DeleteRecord(position, startAngle, endAngle, files);
  }
  catalog::RewriteResult Rename(int position, const std::string& name) {
    return catalog::RenameRecord(position, name, startAngle, endAngle, files);
  }
  // Every reader must read a file alike: the record at each list position carries that
  // entry's name, and a copy of the file lists the same names.
  void ExpectReadersInStep() {
    const std::vector<std::string> names = Names();
    for (std::size_t i = 0; i < names.size(); ++i)
      EXPECT_EQ(Through(static_cast<int>(i)).Name, names[i]) << i;
    ASSERT_TRUE(Delete(-1).Replaced());
    EXPECT_EQ(Names(), names);
  }
};

TEST_F(CatalogFile, SpiralIsWrittenAndAppendedByteForByte) {
  EXPECT_EQ(catalog::FormatRecord(Spiral()), SpiralText);
  ASSERT_FALSE(fs::exists(files.Catalogue));
  ASSERT_TRUE(catalog::AppendRecord(Spiral(), files));  // creates the file
  ThemeRecord a = Spiral();
  a.Name = "A";
  ASSERT_TRUE(catalog::AppendRecord(a, files));  // goes to the end
  const std::string text = Read();
  EXPECT_EQ(text.substr(0, SpiralText.size()), SpiralText);
  EXPECT_EQ(text.substr(SpiralText.size(), 4), "A \r\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Spiral", "A"}));
}

TEST_F(CatalogFile, SpiralReadsBackWithItsColouring) {
  Write(SpiralText);
  const ThemeRecord r = Through(0);
  EXPECT_EQ(r, Spiral());
  EXPECT_TRUE(r.UsesPalette());
  EXPECT_EQ(r.FactorMagnitude(), 3);
  EXPECT_TRUE(r.Reversed());
  EXPECT_TRUE(r.SquareDistribution());
  EXPECT_FALSE(r.FullRangeOn());
}

TEST(CatalogEncoding, RealsHaveSixRoundedDecimals) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {0.1f, "0.100000"},          {1e-7f, "0.000000"},    {4.9e-7f, "0.000000"},
      {123.456789f, "123.456787"}, {-0.125f, "-0.125000"}, {2.5e-6f, "0.000002"},
      {1e6f, "1000000.000000"},    {-1e-7f, "-0.000000"},  // as "%f" writes it; reads back as zero
  };
  for (const auto& c : cases) {
    ThemeRecord r;
    r.Name = "x";
    r.Scale = c.value;
    const std::string text = catalog::FormatRecord(r);
    const std::string line6 = FirstLines(text, 6).substr(FirstLines(text, 5).size());
    EXPECT_EQ(line6, std::string(c.text) + " 0 0.000000\r\n") << c.value;
  }
}

TEST_F(CatalogFile, TinyValuesLoadAsZero) {
  ThemeRecord r = Spiral();
  r.Scale = 4e-7f;
  r.Coef[3] = -1e-7f;
  r.Step = 3e-7f;
  ASSERT_TRUE(catalog::AppendRecord(r, files));
  const ThemeRecord back = Through(0);
  EXPECT_EQ(back.Scale, 0);
  EXPECT_EQ(back.Coef[3], 0);
  EXPECT_EQ(back.Step, 0);
}

TEST(CatalogEncoding, FactorSignCarriesTheColouringMode) {
  const struct {
    int factor;
    bool usePalette;
    int written;
    int magnitude;
  } cases[] = {
      {3, true, -3, 3},
      {3, false, 3, 3},
      {-3, true, -3, 3},
      {-3, false, 3, 3},
      {0, true, 0, 0},  // a factor of 0 reads back as direct colour
      {INT_MIN, true, -INT_MAX, INT_MAX},
  };
  for (const auto& c : cases) {
    ThemeRecord r;
    r.SignedFactor = ThemeRecord::SignFactor(c.factor, c.usePalette);
    EXPECT_EQ(r.SignedFactor, c.written) << c.factor;
    EXPECT_EQ(r.UsesPalette(), c.written < 0) << c.factor;
    EXPECT_EQ(r.FactorMagnitude(), c.magnitude) << c.factor;
  }
  ThemeRecord hand;
  hand.SignedFactor = INT_MIN;  // a hand-edited "-99999999999" saturates here
  EXPECT_EQ(hand.FactorMagnitude(), INT_MAX);
  hand.Direction = hand.Distribution = hand.FullRange = 2;  // only exactly 1 switches on
  EXPECT_FALSE(hand.Reversed() || hand.SquareDistribution() || hand.FullRangeOn());
}

TEST_F(CatalogFile, LineBreaksAndSpacingDoNotMatter) {
  const std::string variants[] = {
      Replace(SpiralText, "\r\n", "\n"),                               // bare line feeds
      Replace(SpiralText, "\r\n", " "),                                // all on one line
      Replace(Replace(SpiralText, " ", "\n\t "), "\r\n", "\r\n\r\n"),  // every value on a line of its own
      "\n\n" + SpiralText + "   \n",
  };
  for (const std::string& text : variants) {
    Write(text);
    EXPECT_EQ(Names(), std::vector<std::string>{"Spiral"});
    EXPECT_EQ(Through(0), Spiral()) << text;
  }
}

TEST_F(CatalogFile, HandEditedIntegersTakeBasePrefixes) {
  Write(Replace(SpiralText, "200 1 0 ", "010 0x10 -0X1f"));
  const ThemeRecord r = Through(0);
  EXPECT_EQ(r.MaxIter, 8);
  EXPECT_EQ(r.Distribution, 16);
  EXPECT_EQ(r.FullRange, -31);
}

TEST_F(CatalogFile, FailedValueEndsItsLinesReadAndStaysForTheNext) {
  // ".5" is no "%i" but reads as the next line's "%f".
  Write(Replace(SpiralText, "2.500000 -3 -0.125000", "2.500000 .5 -0.125000"));
  const ThemeRecord r = Through(0);
  EXPECT_EQ(r.Scale, 2.5f);
  EXPECT_EQ(r.SignedFactor, Sentinel().SignedFactor);
  EXPECT_EQ(r.Step, Sentinel().Step);
  EXPECT_EQ(r.StartAngle, 0.5f);
  EXPECT_EQ(r.EndAngle, -0.125f);
  ExpectReadersInStep();
}

TEST_F(CatalogFile, UnreadableTextBecomesAnEntryOfItsOwn) {
  const std::string a = catalog::FormatRecord(Numbered("A", 1));
  const std::string b = catalog::FormatRecord(Numbered("B", 2));
  // "oops" stands before A's line 6: A's lines 6 to 9 cannot be read, "oops" is the next name
  // and takes A's last lines as its first values until B's name stops it.
  Write(FirstLines(a, 5) + "oops\r\n" + a.substr(FirstLines(a, 5).size()) + b);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "oops", "B"}));

  ThemeRecord expectA = Sentinel();
  const ThemeRecord fullA = Numbered("A", 1);
  expectA.Name = "A";
  expectA.Coef = fullA.Coef;
  expectA.CoefStep = fullA.CoefStep;
  EXPECT_EQ(Through(0), expectA);

  const ThemeRecord oops = Through(1);
  EXPECT_EQ(oops.Name, "oops");
  const float taken[] = {fullA.Scale,
                         float(fullA.SignedFactor),
                         fullA.Step,
                         fullA.StartAngle,
                         fullA.EndAngle,
                         float(fullA.Direction),
                         float(fullA.MaxIter),
                         float(fullA.Distribution),
                         float(fullA.FullRange),
                         fullA.CentreX,
                         fullA.CentreY};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(oops.Coef[i], taken[i]) << i;
  EXPECT_EQ(oops.Coef[11], fullA.Coef[11]);  // the read of its line stopped at "B"
  EXPECT_EQ(oops.CoefStep, fullA.CoefStep);

  EXPECT_EQ(Through(2), Numbered("B", 2));
  ExpectReadersInStep();
}

TEST_F(CatalogFile, ReadersStayInStepOverDamagedFiles) {
  const std::string a = catalog::FormatRecord(Numbered("A", 1));
  const std::string b = catalog::FormatRecord(Numbered("B", 2));
  const std::string damaged[] = {
      Replace(a, "101 0 1", "101 zz 1") + b,              // a word in line 8
      Replace(a, "1.000000 1.250000", "1.000000 -") + b,  // a lone sign among the reals
      FirstLines(a, 4) + b,                               // a record cut short before the next
      a + "nan inf -x\r\n" + b,                           // "nan" and "inf" read as reals
      "5 6 7\r\n" + a + b,                                // numbers before the first name are a name
  };
  for (const std::string& text : damaged) {
    SCOPED_TRACE(text);
    Write(text);
    ExpectReadersInStep();
  }
}

TEST_F(CatalogFile, PositionPastTheEndLoadsTheLastRecord) {
  Write(catalog::FormatRecord(Numbered("A", 1)) + catalog::FormatRecord(Numbered("B", 2)));
  EXPECT_EQ(Through(5), Numbered("B", 2));
  EXPECT_EQ(Through(INT_MAX), Numbered("B", 2));
  EXPECT_EQ(Through(-1), Sentinel());  // no entry chosen: nothing read
}

TEST_F(CatalogFile, CutOffRecordTakesTheValuesBeforeTheCut) {
  Write(FirstLines(SpiralText, 5) + "2.500000 -3");
  ThemeRecord expect = Sentinel();
  const ThemeRecord spiral = Spiral();
  expect.Name = spiral.Name;
  expect.Coef = spiral.Coef;
  expect.CoefStep = spiral.CoefStep;
  expect.Scale = spiral.Scale;
  expect.SignedFactor = spiral.SignedFactor;
  EXPECT_EQ(Through(0), expect);
  EXPECT_EQ(Names(), std::vector<std::string>{"Spiral"});
}

TEST_F(CatalogFile, EmptyOrBlankFileHoldsNoRecords) {
  for (const char* text : {"", " ", "\r\n\r\n", " \t\n\v\f"}) {
    Write(text);
    EXPECT_EQ(catalog::ListNames(files), std::vector<std::string>{}) << '"' << text << '"';
    EXPECT_EQ(Through(0), Sentinel());
  }
}

TEST_F(CatalogFile, MissingCatalogueCannotBeRead) {
  EXPECT_EQ(catalog::ListNames(files), std::nullopt);
  ThemeRecord dest = Sentinel();
  EXPECT_FALSE(catalog::ReadThrough(0, dest, files));
  EXPECT_EQ(dest, Sentinel());
  fs::create_directory(files.Catalogue);  // a folder in its place reads no better
  EXPECT_EQ(catalog::ListNames(files), std::nullopt);
  EXPECT_FALSE(catalog::AppendRecord(Spiral(), files));
}

// A catalog.dat that never ends (a link to a device) is refused at the size bound by every
// reader, so the list, a load and a rewrite end without filling the memory, and make no file.
TEST_F(CatalogFile, CatalogueThatNeverEndsIsNotRead) {
  fs::create_symlink("/dev/zero", files.Catalogue);
  int error = 0;
  EXPECT_EQ(catalog::ReadCatalogueText(files.Catalogue, &error), std::nullopt);
  EXPECT_EQ(error, EFBIG);
  EXPECT_EQ(catalog::ListNames(files), std::nullopt);
  ThemeRecord dest = Sentinel();
  EXPECT_FALSE(catalog::ReadThrough(0, dest, files));
  EXPECT_EQ(Delete(0).Outcome, catalog::RewriteOutcome::NoCatalogue);
  EXPECT_FALSE(fs::exists(files.Temporary));
}

TEST_F(CatalogFile, OverlongHandEditedNameIsReadAsTwoNamesByEveryReader) {
  const std::string name = "Long" + std::string(96, 'x');
  Write(name + " \r\n" + SpiralText.substr(std::string("Spiral \r\n").size()));
  EXPECT_EQ(Names(), (std::vector<std::string>{name.substr(0, 79), name.substr(79)}));
  ThemeRecord second = Spiral();
  second.Name = name.substr(79);
  EXPECT_EQ(Through(1), second);
  ExpectReadersInStep();
}

TEST_F(CatalogFile, RenameAndDeleteActOnThePositionAndKeepOtherBytes) {
  const std::string r0 = catalog::FormatRecord(Numbered("Twin", 1));
  const std::string r1 = catalog::FormatRecord(Numbered("Twin", 2));
  const std::string r2 = catalog::FormatRecord(Numbered("Other", 3));
  ThemeRecord renamed = Numbered("Renamed", 2);

  Write(r0 + r1 + r2);
  catalog::RewriteResult result = Rename(1, "Renamed");
  EXPECT_TRUE(result.Replaced());
  EXPECT_TRUE(result.Found);
  EXPECT_EQ(Read(), r0 + catalog::FormatRecord(renamed) + r2);
  EXPECT_FALSE(fs::exists(files.Temporary));

  Write(r0 + r1 + r2);
  result = Delete(1);
  EXPECT_TRUE(result.Replaced());
  EXPECT_TRUE(result.Found);
  EXPECT_EQ(Read(), r0 + r2);
  EXPECT_EQ(startAngle, Numbered("Other", 3).StartAngle);  // the holder keeps the last angles copied
  EXPECT_EQ(endAngle, Numbered("Other", 3).EndAngle);
  EXPECT_FALSE(fs::exists(files.Temporary));
}

TEST_F(CatalogFile, DeletingTheOnlyRecordLeavesAnEmptyCatalogue) {
  Write(SpiralText);
  EXPECT_TRUE(Delete(0).Found);
  EXPECT_TRUE(fs::exists(files.Catalogue));
  EXPECT_EQ(Read(), "");
  EXPECT_EQ(catalog::ListNames(files), std::vector<std::string>{});
}

TEST_F(CatalogFile, NoPositionOrOnePastTheEndCopiesEverything) {
  const std::string text = SpiralText + catalog::FormatRecord(Numbered("B", 2));
  for (int position : {-1, 2, 9}) {
    Write(text);
    const catalog::RewriteResult del = Delete(position);
    EXPECT_TRUE(del.Replaced());
    EXPECT_FALSE(del.Found);
    EXPECT_EQ(Read(), text) << position;
    EXPECT_FALSE(Rename(position, "New").Found);
    EXPECT_EQ(Read(), text) << position;
  }
}

TEST_F(CatalogFile, CopyCarriesUnreadableValuesOverFromTheRecordBefore) {
  // The first record before anything: zeros, except the angles from the caller's holder.
  const std::string cut = FirstLines(SpiralText, 6);
  Write(cut);
  startAngle = 1.25f;
  endAngle = 3.5f;
  ASSERT_TRUE(Delete(-1).Replaced());
  EXPECT_EQ(Read(), cut + "1.250000 3.500000 0 \r\n0 0 0 \r\n0.000000 0.000000\r\n");
  EXPECT_EQ(startAngle, 1.25f);

  // A later record: the values of the one before.
  const ThemeRecord a = Numbered("A", 1);
  Write(catalog::FormatRecord(a) + cut);
  ASSERT_TRUE(Delete(-1).Replaced());
  const std::string aText = catalog::FormatRecord(a);
  EXPECT_EQ(Read(), aText + cut + aText.substr(FirstLines(aText, 6).size()));
  EXPECT_EQ(startAngle, a.StartAngle);
  EXPECT_EQ(endAngle, a.EndAngle);
}

TEST_F(CatalogFile, RewritingWithoutCatalogueMakesNoFile) {
  startAngle = 2;
  EXPECT_EQ(Rename(0, "New").Outcome, catalog::RewriteOutcome::NoCatalogue);
  EXPECT_EQ(Delete(0).Outcome, catalog::RewriteOutcome::NoCatalogue);
  EXPECT_FALSE(fs::exists(files.Catalogue));
  EXPECT_FALSE(fs::exists(files.Temporary));
  EXPECT_EQ(startAngle, 2);
}

TEST_F(CatalogFile, FailedCopyLeavesTheCatalogueAsItWas) {
  const std::string text = SpiralText + catalog::FormatRecord(Numbered("B", 2));
  Write(text);

  // Something that is not a file of ours stands where the copy goes: it is left alone.
  fs::create_directory(files.Temporary);
  catalog::RewriteResult result = Delete(0);
  EXPECT_EQ(result.Outcome, catalog::RewriteOutcome::WriteFailed);
  EXPECT_FALSE(result.Found);
  EXPECT_EQ(Read(), text);
  EXPECT_TRUE(fs::is_directory(files.Temporary));
  fs::remove(files.Temporary);

  // The disk fills up in the middle of the copy: the half copy is removed.
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  result = Rename(1, "New");
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(result.Outcome, catalog::RewriteOutcome::WriteFailed);
  EXPECT_EQ(Read(), text);
  EXPECT_FALSE(fs::exists(files.Temporary));
}

TEST_F(CatalogFile, StaleCopyFromACrashIsReplaced) {
  Write(SpiralText);
  std::ofstream(files.Temporary, std::ios::binary) << "half a copy";
  EXPECT_TRUE(Delete(-1).Replaced());
  EXPECT_EQ(Read(), SpiralText);
  EXPECT_FALSE(fs::exists(files.Temporary));
}

// A file edited by hand may end without a line end; the appended record must not run into
// its last value or word.
TEST_F(CatalogFile, AppendAfterAFileWithoutItsLastLineEndKeepsBothRecords) {
  const std::string cut = SpiralText.substr(0, SpiralText.size() - 2);  // "... 0.125000"
  const struct {
    std::string text;
    std::string name;
    std::vector<std::string> names;
  } cases[] = {
      {cut, "A", {"Spiral", "A"}},
      {cut, "5x", {"Spiral", "5x"}},  // not 0.1250005 and a record "x"
      {cut + " junk", "A", {"Spiral", "junk", "A"}},
      {cut + "\r\nB", "A", {"Spiral", "B", "A"}},
  };
  for (const auto& c : cases) {
    ThemeRecord a = Numbered(c.name, 5);
    Write(c.text);
    ASSERT_TRUE(catalog::AppendRecord(a, files));
    EXPECT_EQ(Names(), c.names) << c.text;
    EXPECT_EQ(Through(0).CentreY, 0.125f) << c.text;
    EXPECT_EQ(Through(static_cast<int>(c.names.size()) - 1), a) << c.text;
    EXPECT_EQ(Read().substr(c.text.size()), "\r\n" + catalog::FormatRecord(a)) << c.text;
  }
  // A file that ends in white space, as the program writes it, gets the record alone.
  const ThemeRecord a = Numbered("A", 5);
  Write(SpiralText);
  ASSERT_TRUE(catalog::AppendRecord(a, files));
  EXPECT_EQ(Read(), SpiralText + catalog::FormatRecord(a));
}

TEST_F(CatalogFile, FailedAppendLeavesNoHalfRecord) {
  Write(SpiralText);
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = SpiralText.size() + 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool appended = catalog::AppendRecord(Spiral(), files);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(appended);
  EXPECT_EQ(Read(), SpiralText);
}

TEST_F(CatalogFile, NamesTheReadersCannotCarryAreRefused) {
  const struct {
    std::string name;
    const char* problem;
  } refused[] = {
      {"", "A theme name must not be empty."},
      {"two words", "A theme name must be one word: no spaces."},
      {"tab\there", "A theme name must be one word: no spaces."},
      {"line\r\nbreak", "A theme name must be one word: no spaces."},
      {"form\vfeed", "A theme name must be one word: no spaces."},
      {std::string(80, 'n'),
       "A theme name must be shorter than 80 bytes (a letter outside plain ASCII takes two or "
       "more)."},
  };
  Write(SpiralText);
  for (const auto& c : refused) {
    EXPECT_EQ(catalog::NameProblem(c.name), c.problem) << c.name;
    ThemeRecord r = Spiral();
    r.Name = c.name;
    EXPECT_FALSE(catalog::AppendRecord(r, files));
    EXPECT_EQ(Rename(0, c.name).Outcome, catalog::RewriteOutcome::RefusedName);
    EXPECT_EQ(Read(), SpiralText);
  }
  for (const std::string& name :
       {std::string("Noname"), std::string("noname"), std::string(79, 'n'), std::string("\xc3\x84rger-2")}) {
    EXPECT_EQ(catalog::NameProblem(name), std::nullopt) << name;
  }
  EXPECT_TRUE(catalog::IsReservedName("noname"));
  EXPECT_FALSE(catalog::IsReservedName("Noname"));
}

}  // namespace
