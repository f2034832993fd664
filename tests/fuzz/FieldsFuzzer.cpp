// The whole program on the headless platform, driven the way the user drives it: arbitrary
// text typed into every field, slider and step-bar moves, clicks on the picture and the
// wheel, animation ticks, and catalogue records loaded and saved. Every handler runs for
// real, with the renders it sets off; none may crash or convert a real value to an integer
// it does not fit, and what the fields show must match the state.
//
// The input is lines; each line's first byte chooses the action, the rest is its text.

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Main.h"
#include "app/Program.h"
#include "app/StartValues.h"
#include "coef/Coef.h"
#include "engine/NumberText.h"
#include "engine/Random.h"
#include "engine/TextRead.h"
#include "tests/fuzz/FuzzSupport.h"
#include "themes/Catalog.h"
#include "themes/Themes.h"
#include "toolkit/HeadlessPlatform.h"

namespace {

// Each input starts with a low iteration limit and a small main picture (clicks still map
// with the start-up size), so that the many renders stay quick.
constexpr int QuickLimit = 20;
constexpr int QuickWidth = 32;
constexpr int QuickHeight = 24;

struct Program {
  tk::HeadlessPlatform platform;
  Program() {
    FUZZ_CHECK(::chdir(fuzz::ScratchFolder().c_str()) == 0);
    tk::UsePlatform(platform);
    CreateForms();
    MainForm->Image1->SetSize(QuickWidth, QuickHeight);
  }
  ~Program() { DestroyForms(); }
};

Program& TheProgram() {
  static Program program;
  return program;
}

// Back to the start state, so that each input starts alike.
void Restart(Program& p) {
  TMainForm& m = *MainForm;
  p.platform.Messages.clear();
  p.platform.Repaints.clear();
  p.platform.OnModal = nullptr;
  p.platform.OnPendingEvents = nullptr;
  m.SetRunning(false);
  std::copy(std::begin(start::Coef), std::end(start::Coef), std::begin(m.Coef));
  std::fill(std::begin(m.CoefStep), std::end(m.CoefStep), 0.0f);
  m.CoefStep[0] = 1;
  m.Scale = start::Scale;
  m.ZoomFactor = start::ZoomFactor;
  m.CentreX = start::CentreX;
  m.CentreY = start::CentreY;
  m.Step = start::StepUnit;
  m.PaletteFactor = start::PaletteFactor;
  m.AnimateScale = true;
  m.MinColors = start::MinColors;
  m.HueStart = start::HueStart;
  m.HueEnd = start::HueEnd;
  m.Wheel.Reverse = false;
  m.UsePalette = true;
  m.CB_AutoNew->SetChecked(false);
  m.RG_Distribution->SetItemIndex(0);
  // Full range off: with it on, every render draws the wheel again, the slowest part of a
  // render here. The fields' actions switch it on.
  m.FullRange = m.CB_FullRange->Checked();
  m.CB_FullRange->SetChecked(false);
  m.EditIter->SetText(std::to_string(QuickLimit));
  m.MaxIter = QuickLimit;
  m.Edit3->SetText(engine::NumberToText(m.Scale, m.Precision));
  m.Edit1->SetText(engine::NumberToText(m.Step, m.Precision));
  m.Edit5->SetText("1");
  m.E_LimColors->SetText("3");
  m.TrackBar1->SetPosition(60000);
  m.TB_Coef->SetPosition(start::CoefStepMax);
  for (int i = 0; i < 12; ++i) {
    FormCoef->CoefEdit[i]->SetText(engine::NumberToText(m.Coef[i], m.Precision));
    FormCoef->StepBar[i]->SetPosition(0);
  }
  m.RG_Animate->SetItemIndex(0);
  std::error_code ec;
  std::filesystem::remove("catalog.dat", ec);
  // The wheel and the picture of that state, as after any change of the limit.
  m.Wheel.Init(m.Pallete, m.MaxIter, m.HueStart, m.HueEnd);
  m.Wheel.Update();
  m.DrawSpectrumLine();
  m.Redraw();
}

int IntegerOf(std::string_view text) { return engine::ReadInteger(text); }

// Two integers from one text: "x y".
std::pair<int, int> PairOf(const std::string& text) {
  engine::Scanner scan(text);
  int x = 0, y = 0;
  if (scan.ReadInt(x)) scan.ReadInt(y);
  return {x, y};
}

void Type(tk::Edit* edit, const std::string& text, bool keyUp) {
  edit->UserSetText(text);
  if (keyUp) edit->UserKeyUp('0');
}

// A text typed into the catalogue as a file, then its first record loaded through the dialog.
void LoadRecord(Program& p, const std::string& text) {
  fuzz::WriteFile("catalog.dat", text);
  p.platform.OnModal = [](tk::Form&) {
    FormThemes->ComboBox1->UserSelect(0);
    FormThemes->LoadButton->UserClick();
  };
  MainForm->On_Theme(nullptr);
  p.platform.OnModal = nullptr;
}

// The current state saved through the dialog, then read back from the file.
void SaveRecord(Program& p) {
  p.platform.OnModal = [](tk::Form&) {
    FormThemes->Edit1->UserSetText("fuzz");
    FormThemes->SaveButton->UserClick();
  };
  MainForm->On_Theme(nullptr);
  p.platform.OnModal = nullptr;
  const auto names = catalog::ListNames();
  FUZZ_CHECK(names && !names->empty() && names->back() == "fuzz");
  catalog::ThemeRecord back;
  FUZZ_CHECK(catalog::ReadThrough(static_cast<int>(names->size()) - 1, back));
  FUZZ_CHECK(back.MaxIter == MainForm->MaxIter);
}

void Act(Program& p, unsigned char action, const std::string& text) {
  TMainForm& m = *MainForm;
  switch (action % 24) {
    case 0: Type(m.Edit3, text, true); break;
    case 1: Type(m.Edit5, text, true); break;
    case 2: Type(m.Edit1, text, false); break;
    case 3: Type(m.EditIter, text, false); break;
    case 4: Type(m.E_LimColors, text, false); break;
    case 5: Type(FormCoef->CoefEdit[text.size() % 12], text, true); break;
    case 6: m.TrackBar1->UserMove(IntegerOf(text)); break;
    case 7: m.TB_Coef->UserMove(IntegerOf(text)); break;
    case 8: FormCoef->StepBar[text.size() % 12]->UserMove(IntegerOf(text)); break;
    case 9: {
      const auto [x, y] = PairOf(text);
      m.Image1->UserMouseDown(text.size() % 2 ? tk::MouseButton::Right : tk::MouseButton::Left, x, y);
      break;
    }
    case 10: {
      const auto [x, y] = PairOf(text);
      m.Pallete->UserMouseDown(tk::MouseButton::Left, x, y);
      m.Pallete->UserMouseMove(y, x);
      m.Pallete->UserMouseUp(tk::MouseButton::Left, y, x);
      break;
    }
    case 11: m.AnimateScale = true; m.OnTime(m.Timer1); break;
    case 12: m.AnimateScale = false; m.OnTime(m.Timer1); break;
    case 13: m.ButtonBack->UserClick(); break;
    case 14: m.RG_Distribution->UserSelect(IntegerOf(text) & 1); break;
    case 15: m.CB_FullRange->UserClick(); break;
    case 16: m.EditIter->UserMouseDown(tk::MouseButton::Left, 0, 0); break;
    case 17: m.Edit5->UserMouseDown(tk::MouseButton::Left, 0, 0); break;
    case 18: LoadRecord(p, text); break;
    case 19: SaveRecord(p); break;
    case 20: m.RG_Animate->UserSelect(IntegerOf(text) & 1); break;
    case 21: {
      // "New" from a generator seeded by the text; "Auto" is unchecked after a few attempts,
      // as the user would end a run that never reaches Min Colors.
      const int seed = IntegerOf(text);
      engine::SharedRandom().Seed(static_cast<std::uint32_t>(seed));
      m.CB_AutoNew->SetChecked((seed & 1) != 0);
      int attempts = 0;
      p.platform.OnPendingEvents = [&attempts, &m] {
        if (++attempts == 8) m.CB_AutoNew->UserClick();
      };
      m.Button1->UserClick();
      p.platform.OnPendingEvents = nullptr;
      FUZZ_CHECK(attempts <= 8);
      break;
    }
    default: Type(FormCoef->CoefEdit[action % 12], text, true); break;
  }
}

// What the fields show agrees with the state.
void CheckState() {
  const TMainForm& m = *MainForm;
  FUZZ_CHECK(m.MaxIter >= 5 && m.MaxIter <= 999);
  FUZZ_CHECK(m.RealColors >= 0 && m.RealColors <= m.MaxIter);
  FUZZ_CHECK(m.Wheel.ColorCount >= 0 && m.Wheel.ColorCount <= TSpectrum::PaletteCapacity);
  FUZZ_CHECK(m.TrackBar1->Position() >= m.TrackBar1->Min && m.TrackBar1->Position() <= m.TrackBar1->Max);
  FUZZ_CHECK(m.TB_Coef->Position() >= m.TB_Coef->Min && m.TB_Coef->Position() <= m.TB_Coef->Max);
  FUZZ_CHECK(m.EditQuantity->Text() == std::to_string(m.RealColors));
}

}  // namespace

// The program works in its own folder (it opens ini.dat and catalog.dat by bare name), so the
// corpus folders, input files and artifact paths given relative to the starting folder are
// made absolute before the first input moves there.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<std::string> kept;
  static std::vector<char*> args;
  kept.reserve(static_cast<std::size_t>(*argc));
  for (int i = 0; i < *argc; ++i) {
    std::string arg = (*argv)[i];
    if (i > 0 && !arg.empty() && arg[0] != '-') {
      arg = std::filesystem::absolute(arg).string();
    } else {
      for (const std::string flag : {"-artifact_prefix=", "-exact_artifact_path="})
        if (arg.rfind(flag, 0) == 0 && arg.size() > flag.size())
          arg = flag + std::filesystem::absolute(arg.substr(flag.size())).string() +
                (arg.back() == '/' ? "/" : "");
    }
    kept.push_back(arg);
  }
  for (std::string& arg : kept) args.push_back(arg.data());
  args.push_back(nullptr);
  *argv = args.data();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Program& p = TheProgram();
  Restart(p);
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t at = 0;
  for (int actions = 0; at < input.size() && actions < 16; ++actions) {
    std::size_t end = input.find('\n', at);
    if (end == std::string_view::npos) end = input.size();
    const unsigned char action = static_cast<unsigned char>(input[at]);
    const std::string text(input.substr(at + 1, end > at ? end - at - 1 : 0));
    Act(p, action, text);
    CheckState();
    if (action % 24 == 0) {
      // The scale field is normalised at every key release.
      FUZZ_CHECK(MainForm->Edit3->Text() == engine::NumberToText(MainForm->Scale, MainForm->Precision));
    }
    at = end + 1;
  }
  return 0;
}
