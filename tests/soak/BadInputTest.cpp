// Hostile text in every text input of every window: each reads it by its own rule (strtod
// for reals, atol for integers, the field's clamp), the name fields refuse what the readers
// could not carry back, and nothing else changes, nothing is lost.

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>
#include <set>

#include "engine/NumberText.h"
#include "soak/Driving.h"
#include "themes/Catalog.h"

namespace fs = std::filesystem;

namespace {

constexpr float Inf = std::numeric_limits<float>::infinity();
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

// A text and what the two standard readers make of it: strtod's real (rounded to float, as
// the fields store it) and atol's integer (saturated at the 32-bit ends, where atol itself
// would overflow).
struct Reading {
  std::string text;
  float real;
  int integer;
};

const std::vector<Reading>& Readings() {
  static const std::vector<Reading> table = {
      {"", 0, 0},
      {"abc", 0, 0},
      {"-", 0, 0},
      {"+", 0, 0},
      {"+-", 0, 0},
      {"-+1", 0, 0},
      {"1e39", Inf, 1},
      {"-1e39", -Inf, -1},
      {"99999999999999999999", 1e20f, INT_MAX},
      {"-99999999999999999999", -1e20f, INT_MIN},
      {"1e-45", std::numeric_limits<float>::denorm_min(), 1},
      {"1e-320", 0, 1},
      {"-7", -7, -7},
      {"3.9", 3.9f, 3},
      {"-3.9", -3.9f, -3},
      {"0x1A", 26, 0},
      {"0X", 0, 0},
      {"0x1p3", 8, 0},
      {"1e5", 100000, 1},
      {"1E+2", 100, 1},
      {"e5", 0, 0},
      {std::string(1000, '9'), Inf, INT_MAX},
      {std::string(1000, 'x'), 0, 0},
      {"7" + std::string(999, ' '), 7, 7},
      {"\xc3\xa9", 0, 0},                   // é
      {"\xd9\xa1\xd9\xa2\xd9\xa3", 0, 0},  // Arabic-Indic 123
      {"\xe2\x88\x9e", 0, 0},              // ∞
      {"nan", NaN, 0},
      {"inf", Inf, 0},
      {"-inf", -Inf, 0},
      {"  2.5", 2.5f, 2},
      {"2.5  ", 2.5f, 2},
      {"\t150 ", 150, 150},
      {"12abc", 12, 12},
      {"1,5", 1, 1},  // "." is the point whatever the locale
      {"-0", -0.0f, 0},
  };
  return table;
}

std::string Shown(const std::string& text) {
  return text.size() > 24 ? text.substr(0, 8) + "...(" + std::to_string(text.size()) + " bytes)" : text;
}

// A real truncated toward zero into an int, saturated; NaN gives 0.
int Truncated(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483648.0) return INT_MAX;
  if (v <= -2147483648.0) return INT_MIN;
  return static_cast<int>(v);
}

// The main window's state that a field may change, as values and texts.
struct State {
  std::vector<float> reals;
  std::vector<int> ints;
  std::vector<std::string> texts;
  bool operator==(const State&) const = default;
};

struct BadInput : Driving {
  void SetUp() override {
    platform.ScreenWidthValue = 48;  // a quick full-screen picture
    platform.ScreenHeightValue = 32;
    Driving::SetUp();
    // Every render paints, so that the picture can be checked after each input; without full
    // range the wheel is not redrawn at every render, which keeps the many renders quick.
    M().E_LimColors->UserSetText("0");
    Click(M().CB_FullRange);
  }

  State Snapshot() {
    TMainForm& m = M();
    State s;
    s.reals.assign(std::begin(m.Coef), std::end(m.Coef));
    s.reals.insert(s.reals.end(), std::begin(m.CoefStep), std::end(m.CoefStep));
    s.reals.insert(s.reals.end(), {m.Scale, m.Step, m.CentreX, m.CentreY, m.HueStart, m.HueEnd, m.ZoomFactor});
    // NaN never equals itself: a marker stands for it.
    for (float& f : s.reals)
      if (std::isnan(f)) f = -12345.678f;
    s.ints = {m.MaxIter, m.MinColors, m.PaletteFactor, m.UsePalette, m.FullRange, m.TrackBar1->Position(),
              m.TB_Coef->Position(), m.RG_Distribution->ItemIndex(), m.Timer1->Enabled()};
    s.texts = {m.Edit1->Text(), m.Edit3->Text(), m.Edit4->Text(), m.Edit5->Text(), m.EditIter->Text(),
               m.E_LimColors->Text()};
    for (auto* e : FormCoef->CoefEdit) s.texts.push_back(e->Text());
    return s;
  }
  // The snapshot with the given entries replaced by the current ones, for "nothing else".
  static void Take(State& expected, const State& now, std::initializer_list<int> reals,
                   std::initializer_list<int> ints, std::initializer_list<int> texts) {
    for (int i : reals) expected.reals[i] = now.reals[i];
    for (int i : ints) expected.ints[i] = now.ints[i];
    for (int i : texts) expected.texts[i] = now.texts[i];
  }
  // Indices into State.
  static constexpr int RScale = 24, RStep = 25;
  static constexpr int IMaxIter = 0, IMinColors = 1, IFactor = 2, IUsePalette = 3, ITrack = 5, ITbCoef = 6;
  static constexpr int TEdit1 = 0, TEdit3 = 1, TEdit5 = 3, TEditIter = 4, TLim = 5, TCoef0 = 6;
};

TEST_F(BadInput, TheScaleFieldReadsARealAndShowsItsNumberText) {
  for (const Reading& r : Readings()) {
    SCOPED_TRACE("typed '" + Shown(r.text) + "'");
    Type(M().Edit3, "1");  // a known start that differs from every case
    State expected = Snapshot();
    const int renders = Renders();
    Type(M().Edit3, r.text);
    EXPECT_TRUE(SameFloat(M().Scale, r.real)) << M().Scale;
    EXPECT_EQ(M().Edit3->Text(), engine::NumberToText(r.real, 1000000));
    // No slider position below a scale of -1 (no logarithm) or for NaN; the end for 9 and above.
    const int position = !(r.real > -1) ? 0 : r.real >= 9 ? 1000000 : TMainForm::ScaleToPosition(r.real);
    EXPECT_EQ(M().TrackBar1->Position(), position);
    EXPECT_EQ(Renders() - renders, 1);
    EXPECT_EQ(PictureDisagrees(), "");
    Take(expected, Snapshot(), {RScale}, {ITrack}, {TEdit3});
    EXPECT_EQ(Snapshot(), expected) << "nothing else changes";
  }
}

TEST_F(BadInput, TheDirectColourFactorTruncatesTheReal) {
  for (const Reading& r : Readings()) {
    SCOPED_TRACE("typed '" + Shown(r.text) + "'");
    Type(M().Edit5, "1");
    State expected = Snapshot();
    const int renders = Renders();
    Type(M().Edit5, r.text);
    EXPECT_EQ(M().PaletteFactor, Truncated(r.real));
    EXPECT_FALSE(M().UsePalette);
    EXPECT_EQ(M().Edit5->Text(), r.text) << "the field keeps what was typed";
    EXPECT_EQ(Renders() - renders, 1);
    EXPECT_EQ(PictureDisagrees(), "");
    Take(expected, Snapshot(), {}, {IFactor}, {TEdit5});
    EXPECT_EQ(Snapshot(), expected);
  }
}

TEST_F(BadInput, TheStepFieldTakesTheMagnitudeKeepsTheSignAndNeverRedraws) {
  for (const Reading& r : Readings()) {
    SCOPED_TRACE("typed '" + Shown(r.text) + "'");
    M().Edit1->UserSetText("0.5");
    M().Step = -0.1f;  // the direction the field must keep
    M().TB_Coef->SetPosition(20);
    State expected = Snapshot();
    const int renders = Renders();
    M().Edit1->UserSetText(r.text);
    const float v = std::fabs(r.real);
    if (v == 0 || std::isnan(v)) {
      EXPECT_EQ(M().Step, -0.1f) << "no number: the step stays";
      EXPECT_EQ(M().TB_Coef->Position(), 20);
    } else {
      EXPECT_EQ(M().Step, -v);
      EXPECT_EQ(M().TB_Coef->Position(), std::clamp(M().StepToPosition(v), 1, 40));
    }
    EXPECT_EQ(M().Edit1->Text(), r.text);
    EXPECT_EQ(Renders(), renders);
    Take(expected, Snapshot(), {RStep}, {ITbCoef}, {TEdit1});
    EXPECT_EQ(Snapshot(), expected);
  }
}

TEST_F(BadInput, AnInfiniteStepDriftsOnlyTheWeightedCoefficients) {
  CloseSplash();
  M().RG_Animate->UserSelect(1);
  M().Edit1->UserSetText("1e39");
  ASSERT_EQ(M().Step, Inf);
  FormCoef->StepBar[0]->UserMove(8);  // weight 1
  FormCoef->StepBar[7]->UserMove(1);
  FormCoef->StepBar[7]->UserMove(0);  // weight -1
  for (int i : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11}) FormCoef->StepBar[i]->UserMove(4);  // weight 0
  float before[12];
  std::copy(std::begin(M().Coef), std::end(M().Coef), before);
  platform.Tick();
  EXPECT_EQ(M().Coef[0], Inf);
  EXPECT_EQ(M().Coef[7], -Inf);
  for (int i : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11}) {
    EXPECT_EQ(M().Coef[i], before[i]) << "a coefficient of weight 0 does not drift: " << i;
    EXPECT_EQ(FormCoef->CoefEdit[i]->Text(), engine::NumberToText(before[i], 1000000)) << i;
  }
  M().ButtonBack->UserClick();
  EXPECT_EQ(M().Step, -Inf);
  platform.Tick();
  EXPECT_EQ(M().Coef[2], before[2]);
  EXPECT_EQ(PictureDisagrees(), "");
}

TEST_F(BadInput, TheIterationLimitReadsAnIntegerKeptWithinFiveTo999) {
  for (const Reading& r : Readings()) {
    SCOPED_TRACE("typed '" + Shown(r.text) + "'");
    M().EditIter->UserSetText("200");
    M().UsePalette = false;
    State expected = Snapshot();
    const int renders = Renders();
    M().EditIter->UserSetText(r.text);
    const int limit = std::clamp(r.integer, 5, 999);
    EXPECT_EQ(M().MaxIter, limit);
    const bool corrected = limit != r.integer;
    EXPECT_EQ(M().EditIter->Text(), corrected ? std::to_string(limit) : r.text);
    EXPECT_EQ(Renders() - renders, corrected ? 2 : 1);
    EXPECT_TRUE(M().UsePalette);
    EXPECT_EQ(M().Wheel.ColorCount, limit) << "a palette of one colour per count";
    EXPECT_LT(M().RealColors, limit);
    EXPECT_EQ(PictureDisagrees(), "");
    Take(expected, Snapshot(), {}, {IMaxIter, IUsePalette}, {TEditIter});
    EXPECT_EQ(Snapshot(), expected);
  }
}

TEST_F(BadInput, MinColorsTakesAnyIntegerAndDrawsNothing) {
  for (const Reading& r : Readings()) {
    SCOPED_TRACE("typed '" + Shown(r.text) + "'");
    M().E_LimColors->UserSetText("3");
    State expected = Snapshot();
    const int renders = Renders();
    M().E_LimColors->UserSetText(r.text);
    EXPECT_EQ(M().MinColors, r.integer);
    EXPECT_EQ(Renders(), renders);
    Take(expected, Snapshot(), {}, {IMinColors}, {TLim});
    EXPECT_EQ(Snapshot(), expected);
  }
}

TEST_F(BadInput, EveryCoefficientFieldReadsARealAndRedraws) {
  M().EditIter->UserSetText("20");  // orbits of a map that is not finite run to the limit
  for (int i = 0; i < 12; ++i)
    for (const Reading& r : Readings()) {
      SCOPED_TRACE("field " + std::to_string(i) + " typed '" + Shown(r.text) + "'");
      TypeCoef(i, "0.25");
      State expected = Snapshot();
      const int renders = Renders();
      TypeCoef(i, r.text);
      EXPECT_TRUE(SameFloat(M().Coef[i], r.real)) << M().Coef[i];
      EXPECT_EQ(FormCoef->CoefEdit[i]->Text(), r.text) << "the text stays as typed";
      EXPECT_EQ(Renders() - renders, 1);
      EXPECT_EQ(PictureDisagrees(), "");
      Take(expected, Snapshot(), {i}, {}, {TCoef0 + i});
      EXPECT_EQ(Snapshot(), expected);
      TypeCoef(i, engine::NumberToText(expected.reals[i], 1000000));  // back to the map before
    }
}

TEST_F(BadInput, ReadOnlyFieldsTakeNoTyping) {
  M().Edit4->SetText("27");
  M().Redraw();
  for (tk::Edit* e : {M().Edit4, M().EditQuantity}) {
    const std::string text = e->Text();
    const State before = Snapshot();
    const int renders = Renders();
    for (const Reading& r : Readings()) Type(e, r.text);
    EXPECT_EQ(e->Text(), text) << e->Name;
    EXPECT_EQ(Renders(), renders) << e->Name;
    EXPECT_EQ(Snapshot(), before) << e->Name;
  }
}

// ---- the catalogue dialog ----

enum class Outcome { Taken, RefusedSilently, RefusedWithMessage };

struct NameCase {
  std::string name;
  Outcome save;
  Outcome rename;  // Rename refuses only the empty name of the two Save refuses silently
};

std::vector<NameCase> NameCases() {
  using O = Outcome;
  std::vector<NameCase> cases = {
      {"noname", O::RefusedSilently, O::Taken},
      {"Noname", O::Taken, O::Taken},
      {std::string(79, 'n'), O::Taken, O::Taken},
      {std::string(80, 'n'), O::RefusedWithMessage, O::RefusedWithMessage},
      // Names are stored in bytes: 39 two-byte letters and one more fit, 40 do not, and no
      // letter is ever cut in two.
      {[] {
         std::string s;
         for (int i = 0; i < 39; ++i) s += "\xc3\xa9";
         return s + "a";
       }(),
       O::Taken, O::Taken},
      {[] {
         std::string s;
         for (int i = 0; i < 40; ++i) s += "\xc3\xa9";
         return s;
       }(),
       O::RefusedWithMessage, O::RefusedWithMessage},
  };
  for (const Reading& r : Readings()) {
    const std::string& t = r.text;
    const bool blank = t.find_first_of(" \t") != std::string::npos;
    const O o = t.empty() ? O::RefusedSilently : (blank || t.size() > 79) ? O::RefusedWithMessage : O::Taken;
    cases.push_back({t, o, o});
  }
  return cases;
}

struct CatalogueInput : BadInput {
  static void WriteRecords(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
      catalog::ThemeRecord r;
      r.Name = names[i];
      r.Coef[0] = 1.5f + i;
      r.Scale = 2.5f;
      r.SignedFactor = -3;
      r.Step = 0.125f;
      r.MaxIter = 100 + static_cast<int>(i);
      text += catalog::FormatRecord(r);
    }
    std::ofstream("catalog.dat", std::ios::binary) << text;
  }
};

TEST_F(CatalogueInput, SaveTakesEveryOneWordNameAndLosesNothing) {
  WriteRecords({"First"});
  std::vector<std::string> names = {"First"};
  for (const NameCase& c : NameCases()) {
    SCOPED_TRACE("name '" + Shown(c.name) + "'");
    const std::string file = ReadFile("catalog.dat");
    const State before = Snapshot();
    platform.Messages.clear();
    bool open = false;
    Catalogue([&](TFormThemes& t) {
      t.Edit1->UserSetText("x");
      t.Edit1->UserSetText(c.name);
      t.SaveButton->UserClick();
      open = t.Visible;
    });
    if (c.save == Outcome::Taken) {
      names.push_back(c.name);
      EXPECT_FALSE(open);
      const std::string now = ReadFile("catalog.dat");
      EXPECT_EQ(now.substr(0, file.size()), file) << "the records before are untouched";
      catalog::ThemeRecord saved;
      ASSERT_TRUE(catalog::ReadThrough(static_cast<int>(names.size()) - 1, saved));
      EXPECT_EQ(saved.Name, c.name);
      EXPECT_EQ(saved.MaxIter, M().MaxIter);
      EXPECT_TRUE(platform.Messages.empty());
    } else {
      EXPECT_TRUE(open) << "a refused name leaves the dialog open";
      EXPECT_EQ(ReadFile("catalog.dat"), file);
      EXPECT_EQ(platform.Messages.size(), c.save == Outcome::RefusedWithMessage ? 1u : 0u);
    }
    EXPECT_EQ(*catalog::ListNames(), names);
    EXPECT_FALSE(fs::exists("catalog.tmp"));
    State after = Snapshot();
    EXPECT_EQ(after, before) << "saving changes nothing in the main window";
  }
  // And the dialog lists them all when opened again.
  Catalogue([&](TFormThemes& t) { EXPECT_EQ(t.ComboBox1->Items, names); });
}

TEST_F(CatalogueInput, RenameTakesEveryOneWordNameAndLeavesTheOtherRecordsAlone) {
  for (const NameCase& c : NameCases()) {
    SCOPED_TRACE("name '" + Shown(c.name) + "'");
    WriteRecords({"A", "B", "C"});
    const std::string file = ReadFile("catalog.dat");
    platform.Messages.clear();
    bool open = false;
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(1);
      t.Edit1->UserSetText("x");
      t.Edit1->UserSetText(c.name);
      if (t.RenameButton->Enabled)
        t.RenameButton->UserClick();
      else
        t.On_Rename(t.RenameButton);  // an empty name disables the button; the handler refuses it too
      open = t.Visible;
    });
    std::vector<std::string> names = {"A", "B", "C"};
    if (c.rename == Outcome::Taken) {
      EXPECT_FALSE(open);
      names[1] = c.name;
      catalog::ThemeRecord renamed, original;
      ASSERT_TRUE(catalog::ReadThrough(1, renamed));
      const fs::path keep = "kept.dat";
      std::ofstream(keep, std::ios::binary) << file;
      ASSERT_TRUE(catalog::ReadThrough(1, original, {keep, "kept.tmp"}));
      original.Name = c.name;
      EXPECT_EQ(renamed, original) << "only the name changes";
      fs::remove(keep);
    } else {
      EXPECT_TRUE(open);
      EXPECT_EQ(ReadFile("catalog.dat"), file);
    }
    EXPECT_EQ(platform.Messages.size(), c.rename == Outcome::RefusedWithMessage ? 1u : 0u);
    EXPECT_EQ(*catalog::ListNames(), names);
    EXPECT_FALSE(fs::exists("catalog.tmp"));
  }
}

TEST_F(CatalogueInput, TextTypedIntoTheListChoosesNoRecord) {
  WriteRecords({"A", "B"});
  const std::string file = ReadFile("catalog.dat");
  for (tk::Button* TFormThemes::*button : {&TFormThemes::LoadButton, &TFormThemes::DeleteButton})
    for (const Reading& r : Readings()) {
      SCOPED_TRACE((FormThemes->*button)->Name + " after typing '" + Shown(r.text) + "'");
      const State before = Snapshot();
      Catalogue([&](TFormThemes& t) {
        t.ComboBox1->UserSetText(r.text);
        ASSERT_EQ(t.ComboBox1->ItemIndex(), -1);
        ASSERT_TRUE((t.*button)->Enabled);
        (t.*button)->UserClick();
        EXPECT_FALSE(t.Visible);
      });
      EXPECT_EQ(ReadFile("catalog.dat"), file);
      // The catalogue command itself switches to Coeff mode and redraws; nothing else.
      EXPECT_EQ(Snapshot(), before);
      EXPECT_TRUE(platform.Messages.empty());
    }
}

// ---- the full-screen picture's file name ----

TEST_F(BadInput, PictureFileNamesAreWrittenAsGivenOrRefusedWithTheReason) {
  struct {
    std::string typed;
    std::string file;  // written into Graphics; empty: nothing written
    bool error;        // the reason is shown instead of "Save complete!"
  } cases[] = {
      {"", "", false},  // no name confirmed: as a cancelled dialog
      {"abc", "abc.bmp", false},
      {"-", "-.bmp", false},
      {"+-", "+-.bmp", false},
      {"1e39", "1e39.bmp", false},
      {"1E+2", "1E+2.bmp", false},
      {"0x1A", "0x1A.bmp", false},
      {"nan", "nan.bmp", false},
      {"  2.5", "  2.5", false},  // it has an extension already
      {" 150 ", " 150 .bmp", false},
      {"\xc3\xa9", "\xc3\xa9.bmp", false},
      {"\xd9\xa1\xd9\xa2\xd9\xa3", "\xd9\xa1\xd9\xa2\xd9\xa3.bmp", false},
      {"\xe2\x88\x9e", "\xe2\x88\x9e.bmp", false},
      {std::string(1000, 'x'), "", true},
      {"7" + std::string(999, ' '), "", true},
      {"..", "", true},
      {".", "", true},
  };
  const std::string home = fs::current_path().string();
  std::set<std::string> written;
  platform.OnModal = [&](tk::Form& f) {
    if (&f != FullForm) return;
    for (const auto& c : cases) {
      SCOPED_TRACE("file name '" + Shown(c.typed) + "'");
      platform.Messages.clear();
      platform.OnSaveDialog = [&](tk::SavePictureDialog& d) {
        d.FileName = c.typed;
        return true;
      };
      FullForm->ImageFull->UserKeyDown(tk::VK_RETURN);
      EXPECT_TRUE(FullForm->Visible) << "saving keeps the window open";
      EXPECT_EQ(fs::current_path().string(), home) << "back in the working folder";
      ASSERT_EQ(platform.Messages.size(), 1u);
      if (c.error) {
        EXPECT_NE(platform.Messages[0], TFullForm::SavedMessage);
        EXPECT_NE(platform.Messages[0].find("Cannot save"), std::string::npos) << platform.Messages[0];
      } else {
        EXPECT_EQ(platform.Messages[0], TFullForm::SavedMessage);
      }
      if (!c.file.empty()) written.insert(c.file);
      std::set<std::string> found;
      for (const auto& e : fs::directory_iterator("Graphics")) found.insert(e.path().filename().string());
      EXPECT_EQ(found, written) << "exactly the files saved, no stray copies";
      if (!c.file.empty()) {
        const std::string bytes = ReadFile("Graphics/" + c.file);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(bytes.size(), 54u + 48u * 3u * 32u);
      }
    }
  };
  M().Button4->UserClick();
  platform.OnModal = nullptr;
  EXPECT_EQ(written.size(), 12u);
}

}  // namespace
