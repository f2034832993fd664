#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <vector>

#include "engine/NumberText.h"
#include "support/ProgramFixture.h"
#include "support/SpiralTheme.h"
#include "themes/Catalog.h"

namespace fs = std::filesystem;

namespace {

using catalog::ThemeRecord;
const std::string Absent = "Absant 'catalog.dat'";

// The record of the worked example, with a limit the start state does not hold.
ThemeRecord Spiral() {
  ThemeRecord r = SpiralTheme();
  r.MaxIter = 300;
  return r;
}

ThemeRecord Numbered(const std::string& name, int seed) {
  ThemeRecord r = Spiral();
  r.Name = name;
  for (int i = 0; i < 12; ++i) r.Coef[i] = seed + i * 0.25f;
  r.Scale = seed + 0.5f;
  r.StartAngle = 0.125f * seed;
  r.EndAngle = 0.25f * seed;
  return r;
}

// What the user sees of the main window and what fixes its picture.
struct MainView {
  std::vector<float> reals;
  std::vector<int> ints;
  std::vector<std::string> texts;
  std::vector<tk::Color> picture, wheel, strip;
  bool operator==(const MainView&) const = default;
};

struct Dialog : ProgramFixture {
  TFormThemes& T() { return *FormThemes; }

  // Opens the catalogue from the menu and runs `script` while it is shown.
  void Catalogue(const std::function<void(TFormThemes&)>& script) {
    platform.OnModal = [&](tk::Form&) { script(T()); };
    M().Theme1->UserClick();
    platform.OnModal = nullptr;
  }
  static void WriteCatalogue(const std::vector<ThemeRecord>& records) {
    std::string text;
    for (const auto& r : records) text += catalog::FormatRecord(r);
    std::ofstream("catalog.dat", std::ios::binary) << text;
  }
  static void Loaded(TFormThemes& t, int position) {
    t.ComboBox1->UserSelect(position);
    t.LoadButton->UserClick();
  }
  std::vector<bool> ActionButtons() {
    return {T().LoadButton->Enabled, T().RenameButton->Enabled, T().DeleteButton->Enabled,
            T().SaveButton->Enabled};
  }
  static std::vector<tk::Color> Pixels(const tk::Image* image) {
    const tk::Canvas& c = image->Canvas;
    return {c.Data(), c.Data() + static_cast<std::size_t>(c.Width()) * c.Height()};
  }
  // Pixels of the two handles' tick colours beyond the ring.
  int TickPixels() {
    tk::Canvas& c = M().Pallete->Canvas;
    int n = 0;
    for (int y = 0; y < c.Height(); ++y)
      for (int x = 0; x < c.Width(); ++x) {
        const int dx = x - 45, dy = y - 45;
        const tk::Color p = c.Pixels(x, y);
        if (dx * dx + dy * dy >= 41 * 41 && (p == 0x0000FF || p == 0xFF0000)) ++n;
      }
    return n;
  }
  MainView View() {
    TMainForm& m = M();
    MainView v;
    v.reals.assign(std::begin(m.Coef), std::end(m.Coef));
    v.reals.insert(v.reals.end(), std::begin(m.CoefStep), std::end(m.CoefStep));
    v.reals.insert(v.reals.end(), {m.Scale, m.Step, m.CentreX, m.CentreY, m.HueStart, m.HueEnd,
                                   m.Wheel.StartAngle, m.Wheel.EndAngle});
    v.ints = {m.MaxIter,
              m.PaletteFactor,
              m.UsePalette,
              m.FullRange,
              m.Wheel.Reverse,
              m.RealColors,
              m.TrackBar1->Position(),
              m.TB_Coef->Position(),
              m.RG_Distribution->ItemIndex(),
              m.CB_FullRange->Checked()};
    for (auto* bar : FormCoef->StepBar) v.ints.push_back(bar->Position());
    v.texts = {m.Edit1->Text(),    m.Edit3->Text(),        m.Edit5->Text(),
               m.EditIter->Text(), m.EditQuantity->Text(), m.E_LimColors->Text()};
    for (auto* e : FormCoef->CoefEdit) v.texts.push_back(e->Text());
    v.picture = Pixels(m.Image1);
    v.wheel = Pixels(m.Pallete);
    v.strip = Pixels(m.SpectrumLine);
    return v;
  }
  // The main window after a render of its current state, as the dialog finds it.
  MainView Settled() {
    M().AnimateScale = false;  // what opening the catalogue sets anyway
    M().Redraw();
    return View();
  }
};

TEST_F(Dialog, FirstUseShowsTheMessageThenSaveCreatesTheCatalogue) {
  // A state whose every saved value is distinct from the start's.
  M().Step = -0.25f;
  M().CentreX = 0.5f;
  M().Wheel.Reverse = true;
  M().RG_Distribution->SetItemIndex(1);
  M().CB_FullRange->SetChecked(false);
  M().PaletteFactor = 4;
  M().UsePalette = false;
  const MainView before = Settled();

  Catalogue([&](TFormThemes& t) {
    EXPECT_EQ(platform.Messages, std::vector<std::string>{Absent});
    EXPECT_TRUE(t.ComboBox1->Items.empty());
    EXPECT_TRUE(t.Visible);
    t.Edit1->UserSetText("First");
    t.SaveButton->UserClick();
    EXPECT_FALSE(t.Visible);
  });
  ThemeRecord expected;
  expected.Name = "First";
  std::copy(std::begin(M().Coef), std::end(M().Coef), expected.Coef.begin());
  std::copy(std::begin(M().CoefStep), std::end(M().CoefStep), expected.CoefStep.begin());
  expected.Scale = M().Scale;
  expected.SignedFactor = 4;
  expected.Step = -0.25f;
  expected.StartAngle = M().Wheel.StartAngle;
  expected.EndAngle = M().Wheel.EndAngle;
  expected.Direction = 1;
  expected.MaxIter = 200;
  expected.Distribution = 1;
  expected.FullRange = 0;
  expected.CentreX = 0.5f;
  expected.CentreY = 0;
  EXPECT_EQ(ReadFile("catalog.dat"), catalog::FormatRecord(expected));
  EXPECT_EQ(View(), before) << "saving changes nothing in the main window";

  Catalogue([&](TFormThemes& t) { EXPECT_EQ(t.ComboBox1->Items, std::vector<std::string>{"First"}); });
  EXPECT_EQ(platform.Messages.size(), 1u);
}

TEST_F(Dialog, SaveAndRenameRefuseNamesTheReadersCannotCarry) {
  const std::string spaced = *catalog::NameProblem("a b");
  const std::string tooLong = *catalog::NameProblem(std::string(80, 'x'));
  struct {
    bool rename;
    std::string name;
    std::string message;  // empty: refused silently
  } cases[] = {{false, "", ""},
               {false, "noname", ""},
               {false, "two words", spaced},
               {false, " lead", spaced},
               {false, "tab\there", spaced},
               {false, "trail ", spaced},
               {false, std::string(80, 'x'), tooLong},
               {true, "", ""},
               {true, "two words", spaced},
               {true, std::string(80, 'x'), tooLong}};
  WriteCatalogue({Numbered("One", 1)});
  const std::string file = ReadFile("catalog.dat");
  for (const auto& c : cases) {
    platform.Messages.clear();
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(0);
      t.Edit1->UserSetText("x");
      t.Edit1->UserSetText(c.name);
      tk::Button* b = c.rename ? t.RenameButton : t.SaveButton;
      if (b->Enabled) {
        b->UserClick();
      } else {  // only Rename with an empty name is out of the user's reach; its handler refuses it too
        EXPECT_TRUE(c.rename && c.name.empty());
        t.On_Rename(b);
      }
      EXPECT_TRUE(t.Visible) << c.name;
      EXPECT_EQ(t.Edit1->Text(), c.name);
      EXPECT_EQ(t.ComboBox1->ItemIndex(), 0);
      EXPECT_EQ(t.ComboBox1->Items, std::vector<std::string>{"One"});
      EXPECT_TRUE(t.LoadButton->Enabled && t.SaveButton->Enabled);
    });
    EXPECT_EQ(platform.Messages, c.message.empty() ? std::vector<std::string>{} : std::vector{c.message})
        << c.rename << " '" << c.name << "'";
    EXPECT_EQ(ReadFile("catalog.dat"), file) << c.name;
  }
}

TEST_F(Dialog, SaveTakesAnyOtherOneWordName) {
  const std::vector<std::string> names = {"Noname", "NONAME", std::string(79, 'y'), "caf\xe9"};
  for (const std::string& name : names) {
    Catalogue([&](TFormThemes& t) {
      t.Edit1->UserSetText(name);
      t.SaveButton->UserClick();
      EXPECT_FALSE(t.Visible) << name;
      EXPECT_EQ(t.ComboBox1->Items.back(), name);
    });
  }
  EXPECT_EQ(*catalog::ListNames(), names);
}

TEST_F(Dialog, ButtonsFollowTheListAndTheNameAndStartDisabledAtEveryShowing) {
  WriteCatalogue({Numbered("One", 1), Numbered("Two", 2)});
  using B = std::vector<bool>;  // Load, Rename, Delete, Save
  Catalogue([&](TFormThemes& t) {
    EXPECT_EQ(t.ComboBox1->Items, (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(ActionButtons(), (B{false, false, false, false}));
    EXPECT_TRUE(t.Button1->Enabled);
    t.Edit1->UserSetText("a");
    EXPECT_EQ(ActionButtons(), (B{false, true, false, true}));
    t.Edit1->UserSetText("");
    EXPECT_EQ(ActionButtons(), (B{false, false, false, true})) << "Save stays on for an empty name";
    t.ComboBox1->UserSetText("typed");
    EXPECT_EQ(ActionButtons(), (B{true, false, true, true})) << "typed list text enables Load and Delete";
    t.Button1->UserClick();
    EXPECT_FALSE(t.Visible);
  });
  EXPECT_EQ(ActionButtons(), (B{false, false, false, false}));
  EXPECT_EQ(T().Edit1->Text(), "");
  EXPECT_EQ(T().ComboBox1->Text(), "");

  Catalogue([&](TFormThemes& t) {
    EXPECT_EQ(ActionButtons(), (B{false, false, false, false}));
    EXPECT_EQ(t.ComboBox1->Items, (std::vector<std::string>{"One", "Two"})) << "read afresh, not doubled";
    t.ComboBox1->UserSelect(1);
    EXPECT_EQ(ActionButtons(), (B{true, false, true, false}));
    t.Edit1->UserSetText("b");
    t.UserClose();
  });
  EXPECT_EQ(ActionButtons(), (B{false, false, false, false}));
  EXPECT_EQ(T().Edit1->Text(), "");
  EXPECT_EQ(T().ComboBox1->Items.size(), 2u);
}

TEST_F(Dialog, LoadingAPaletteRecordSetsTheWholeMainWindow) {
  const ThemeRecord r = Spiral();  // Square, FullRange off, reversed
  WriteCatalogue({Numbered("Before", 1), r, Numbered("After", 3)});
  M().CB_FullRange->SetChecked(false);  // so the palette keeps MaxIter colours after the renders
  M().UsePalette = false;
  M().TB_Coef->SetPosition(10);
  Catalogue([&](TFormThemes& t) {
    Loaded(t, 1);
    EXPECT_FALSE(t.Visible);
  });
  TMainForm& m = M();
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(m.Coef[i], r.Coef[i]) << i;
    EXPECT_EQ(m.CoefStep[i], r.CoefStep[i]) << i;
    EXPECT_EQ(FormCoef->CoefEdit[i]->Text(), engine::NumberToText(r.Coef[i], 1000000)) << i;
  }
  EXPECT_EQ(FormCoef->StepBar[0]->Position(), 8);
  EXPECT_EQ(FormCoef->StepBar[8]->Position(), 2);
  EXPECT_EQ(FormCoef->StepBar[5]->Position(), 4);
  EXPECT_EQ(m.Scale, 2.5f);
  EXPECT_EQ(m.Edit3->Text(), engine::NumberToText(2.5f, 1000000));
  EXPECT_EQ(m.TrackBar1->Position(), TMainForm::ScaleToPosition(2.5f));
  EXPECT_EQ(m.Step, -0.125f);
  EXPECT_EQ(m.Edit1->Text(), engine::NumberToText(-0.125f, 1000000));
  // 0.125 maps to 41, which the bar holds at its end.
  EXPECT_EQ(m.TB_Coef->Position(), std::clamp(m.StepToPosition(0.125f), m.TB_Coef->Min, m.TB_Coef->Max));
  EXPECT_EQ(m.TB_Coef->Position(), 40);
  EXPECT_TRUE(m.UsePalette);
  EXPECT_EQ(m.PaletteFactor, 3);
  EXPECT_EQ(m.Edit5->Text(), "3");
  EXPECT_EQ(m.HueStart, 0.5f);
  EXPECT_EQ(m.HueEnd, 4.75f);
  EXPECT_TRUE(m.Wheel.Reverse);
  EXPECT_EQ(m.RG_Distribution->ItemIndex(), 1);
  EXPECT_FALSE(m.CB_FullRange->Checked());
  EXPECT_FALSE(m.FullRange);
  EXPECT_EQ(m.MaxIter, 300);
  EXPECT_EQ(m.EditIter->Text(), "200") << "the limit field keeps showing the old limit";
  EXPECT_EQ(m.CentreX, -0.25f);
  EXPECT_EQ(m.CentreY, 0.125f);

  TSpectrum wanted;
  tk::Image image("wheel");
  wanted.Reverse = true;
  wanted.Init(&image, 300, 0.5f, 4.75f);
  wanted.Update();
  EXPECT_EQ(m.Wheel.ColorCount, 300);
  EXPECT_TRUE(std::equal(std::begin(m.Wheel.Colors), std::end(m.Wheel.Colors), std::begin(wanted.Colors)))
      << "the palette walks the loaded hue range";
}

TEST_F(Dialog, LoadRedrawsOncePerChangedSwitchAndOnceMoreAfterClosing) {
  // The start state: "Line", FullRange checked.
  struct {
    int distribution, fullRange, rendersInside;
  } cases[] = {{0, 1, 0}, {1, 1, 1}, {0, 0, 1}, {1, 0, 2}};
  for (const auto& c : cases) {
    M().RG_Distribution->SetItemIndex(0);
    M().CB_FullRange->SetChecked(true);
    ThemeRecord r = Spiral();
    r.Distribution = c.distribution;
    r.FullRange = c.fullRange;
    WriteCatalogue({r});
    const int before = Renders();
    Catalogue([&](TFormThemes& t) {
      Loaded(t, 0);
      EXPECT_EQ(Renders() - before, c.rendersInside) << c.distribution << c.fullRange;
    });
    EXPECT_EQ(Renders() - before, c.rendersInside + 1);
    EXPECT_EQ(M().FullRange, c.fullRange == 1);
    EXPECT_EQ(M().CB_FullRange->Checked(), c.fullRange == 1);
    EXPECT_EQ(M().RG_Distribution->ItemIndex(), c.distribution);
    // With full range the palette is rebuilt to the colours met, over the loaded hue range.
    TSpectrum wanted;
    tk::Image image("wheel");
    wanted.Reverse = true;
    wanted.Init(&image, 300, 0.5f, 4.75f);
    wanted.Update();
    EXPECT_EQ(M().Wheel.StartAngle, wanted.StartAngle);
    EXPECT_EQ(M().Wheel.EndAngle, wanted.EndAngle);
    EXPECT_EQ(M().Wheel.Colors[0], wanted.Colors[0]);
  }
}

TEST_F(Dialog, LoadingADirectColourRecordKeepsTheSwitchesAndLeavesTheWheelWithoutTicks) {
  ThemeRecord r = Spiral();
  r.SignedFactor = 7;  // direct colour; direction, "Square" and FullRange 0 are ignored
  WriteCatalogue({r});
  M().CB_FullRange->SetChecked(false);  // else the closing render draws the wheel afresh
  M().Redraw();
  ASSERT_GT(TickPixels(), 0);
  const int before = Renders();
  Catalogue([&](TFormThemes& t) {
    Loaded(t, 0);
    EXPECT_EQ(Renders(), before) << "a direct-colour load sets off no render";
  });
  EXPECT_FALSE(M().UsePalette);
  EXPECT_EQ(M().PaletteFactor, 7);
  EXPECT_EQ(M().Edit5->Text(), "7");
  EXPECT_EQ(M().RG_Distribution->ItemIndex(), 0);
  EXPECT_FALSE(M().CB_FullRange->Checked());
  EXPECT_FALSE(M().FullRange);
  EXPECT_FALSE(M().Wheel.Reverse);
  EXPECT_EQ(M().HueStart, 0.5f) << "the angles are loaded all the same";
  EXPECT_EQ(TickPixels(), 0);
}

TEST_F(Dialog, LoadKeepsAHandEditedLimitWithinFiveTo999) {
  struct {
    int written, loaded;
  } cases[] = {{5000, 999}, {1, 5}, {-40, 5}, {1000, 999}, {999, 999}, {5, 5}};
  M().CB_FullRange->SetChecked(false);
  for (const auto& c : cases) {
    ThemeRecord r = Spiral();
    r.MaxIter = c.written;
    WriteCatalogue({r});
    Catalogue([&](TFormThemes& t) { Loaded(t, 0); });
    EXPECT_EQ(M().MaxIter, c.loaded) << c.written;
    EXPECT_EQ(M().Wheel.ColorCount, c.loaded) << c.written;
  }
}

TEST_F(Dialog, RenameAndDeleteLeaveTheMainWindowAndTheOtherRecordsAlone) {
  const std::vector<ThemeRecord> records = {Numbered("A", 1), Numbered("B", 2), Numbered("C", 3)};
  for (bool rename : {true, false}) {
    WriteCatalogue(records);
    const MainView before = Settled();
    const int renders = Renders();
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(1);
      if (rename) {
        t.Edit1->UserSetText("Renamed");
        t.RenameButton->UserClick();
      } else {
        t.DeleteButton->UserClick();
      }
      EXPECT_FALSE(t.Visible);
      EXPECT_EQ(t.ComboBox1->Items, (std::vector<std::string>{"A", rename ? "Renamed" : "B",
                                                              "C"}));  // a delete lists it until reopened
    });
    EXPECT_EQ(Renders() - renders, 1) << "only the catalogue command's own render";
    EXPECT_EQ(View(), before) << rename;
    ThemeRecord renamed = records[1];
    renamed.Name = "Renamed";
    EXPECT_EQ(ReadFile("catalog.dat"), catalog::FormatRecord(records[0]) +
                                           (rename ? catalog::FormatRecord(renamed) : "") +
                                           catalog::FormatRecord(records[2]));
    EXPECT_FALSE(fs::exists("catalog.tmp"));
    EXPECT_EQ(T().Spectrum.EndAngle, records[2].EndAngle) << "the last angles copied";
  }
  Catalogue([&](TFormThemes& t) { EXPECT_EQ(t.ComboBox1->Items, (std::vector<std::string>{"A", "C"})); });
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(Dialog, DeletingTheOnlyRecordLeavesAnEmptyCatalogue) {
  WriteCatalogue({Spiral()});
  Catalogue([&](TFormThemes& t) {
    t.ComboBox1->UserSelect(0);
    t.DeleteButton->UserClick();
  });
  EXPECT_TRUE(fs::exists("catalog.dat"));
  EXPECT_EQ(ReadFile("catalog.dat"), "");
  Catalogue([&](TFormThemes& t) { EXPECT_TRUE(t.ComboBox1->Items.empty()); });
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(Dialog, WithNoEntryChosenTheButtonsChangeNeitherCatalogueNorPicture) {
  WriteCatalogue({Numbered("A", 1), Numbered("B", 2)});
  const std::string file = ReadFile("catalog.dat");
  const MainView before = Settled();
  for (tk::Button* TFormThemes::*button :
       {&TFormThemes::LoadButton, &TFormThemes::RenameButton, &TFormThemes::DeleteButton}) {
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(1);
      t.ComboBox1->UserSetText("B2");  // typed text chooses no entry
      ASSERT_EQ(t.ComboBox1->ItemIndex(), -1);
      t.Edit1->UserSetText("New");
      (t.*button)->UserClick();
      EXPECT_FALSE(t.Visible) << (T().*button)->Name;
    });
    EXPECT_EQ(ReadFile("catalog.dat"), file) << (T().*button)->Name;
    EXPECT_EQ(View(), before) << (T().*button)->Name;
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(Dialog, EveryHandlerThatOpensTheCatalogueReportsItMissing) {
  const MainView before = Settled();
  for (tk::Button* TFormThemes::*button :
       {&TFormThemes::LoadButton, &TFormThemes::RenameButton, &TFormThemes::DeleteButton}) {
    WriteCatalogue({Numbered("A", 1)});
    platform.Messages.clear();
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(0);
      t.Edit1->UserSetText("New");
      fs::remove("catalog.dat");  // gone while the dialog is open
      (t.*button)->UserClick();
      EXPECT_FALSE(t.Visible) << (T().*button)->Name;
      EXPECT_EQ(t.ComboBox1->Items, std::vector<std::string>{"A"}) << (T().*button)->Name;
    });
    EXPECT_EQ(platform.Messages, std::vector<std::string>{Absent}) << (T().*button)->Name;
    EXPECT_FALSE(fs::exists("catalog.dat")) << (T().*button)->Name;
    EXPECT_FALSE(fs::exists("catalog.tmp")) << (T().*button)->Name;
    EXPECT_EQ(View(), before) << (T().*button)->Name;
  }
  // A folder in its place can be neither listed nor appended to.
  fs::create_directory("catalog.dat");
  platform.Messages.clear();
  Catalogue([&](TFormThemes& t) {
    t.Edit1->UserSetText("New");
    t.SaveButton->UserClick();
    EXPECT_FALSE(t.Visible);
    EXPECT_TRUE(t.ComboBox1->Items.empty());
  });
  EXPECT_EQ(platform.Messages, (std::vector<std::string>{Absent, Absent}));
}

TEST_F(Dialog, ARewriteThatCannotBeWrittenChangesNothing) {
  const std::vector<ThemeRecord> records = {Numbered("A", 1), Numbered("B", 2)};
  WriteCatalogue(records);
  const std::string file = ReadFile("catalog.dat");
  fs::create_directory("catalog.tmp");  // the copy cannot be made
  for (bool rename : {true, false}) {
    platform.Messages.clear();
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(0);
      t.Edit1->UserSetText("Renamed");
      (rename ? t.RenameButton : t.DeleteButton)->UserClick();
      EXPECT_FALSE(t.Visible);
      EXPECT_EQ(t.ComboBox1->Items, (std::vector<std::string>{"A", "B"}));
    });
    ASSERT_EQ(platform.Messages.size(), 1u) << rename;
    EXPECT_NE(platform.Messages[0], Absent);
    EXPECT_EQ(ReadFile("catalog.dat"), file) << rename;
    EXPECT_EQ(T().Spectrum.StartAngle, 0.0f) << "no angles were copied";
  }
  EXPECT_TRUE(fs::is_directory("catalog.tmp"));
}

}  // namespace
