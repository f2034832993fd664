// A long headless run of the whole program: tens of thousands of animation ticks in both
// modes over random and extreme maps, with random generation, catalogue saves, loads,
// renames and deletes through the dialog, both colourings and distributions, full range on
// and off, and reversals in between. Each step must end (the run is bounded and seeded), the
// state must stay sound at every tick, and the memory in use must stay flat.
//
// QUADRIVIA_SOAK_TICKS sets the number of ticks; the default suits an optimised build and
// is a tenth of it in a sanitizer or unoptimised build. QUADRIVIA_SOAK_SEED picks another
// (still repeatable) sequence of changes.

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "engine/NumberText.h"
#include "engine/Random.h"
#include "engine/TextRead.h"
#include "soak/Driving.h"
#include "themes/Catalog.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define SOAK_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif
#ifdef SOAK_ASAN
// The sanitizer's runtime count of the bytes in live blocks.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace fs = std::filesystem;

namespace {

// A positive number from the environment, or the fallback.
int FromEnvironment(const char* name, int fallback) {
  const char* env = std::getenv(name);
  const int n = env ? std::atoi(env) : fallback;
  return n > 0 ? n : fallback;
}

int SoakTicks() {
#if defined(SOAK_SANITIZED) || !defined(NDEBUG)
  constexpr int fallback = 2000;
#else
  constexpr int fallback = 20000;
#endif
  return FromEnvironment("QUADRIVIA_SOAK_TICKS", fallback);
}

unsigned SoakSeed() { return static_cast<unsigned>(FromEnvironment("QUADRIVIA_SOAK_SEED", 20240611)); }

// Resident memory of the process.
long ResidentBytes() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

// Bytes the allocator has handed out and not had back. Under the address sanitizer freed
// blocks wait in its quarantine, so its own count of live blocks is the measure there.
long HeapBytes() {
#ifdef SOAK_ASAN
  return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 m = ::mallinfo2();
  return static_cast<long>(m.uordblks + m.hblkhd);
#endif
}

// The text of a field reads back as the value it shows, to the six decimals it carries.
bool ReadsBack(const std::string& text, float v) {
  const float back = static_cast<float>(engine::ReadReal(text));
  if (!std::isfinite(v)) return SameFloat(back, v);
  return std::fabs(static_cast<double>(back) - v) <= 1.5e-6 + std::fabs(static_cast<double>(v)) * 2.4e-7;
}

// Finite: their orbits overflow in a step or two and escape.
const char* const HugeCoefficients[] = {"1e30", "-1e38", "3.4028235e38", "-3.4028235e38", "2e19", "-7e25"};
const char* const TinyCoefficients[] = {"1e-45", "-0", "0", "1e-38"};
// Not finite: NaN orbits never escape and run to the limit.
const char* const EndlessCoefficients[] = {"nan", "inf", "-inf", "1e39", "-1e39"};
const char* const Scales[] = {"0", "-3", "-1", "-0.5", "1e-6", "1e-30", "1e30", "9.9", "2", "0.01", "0.3"};
const char* const EndlessScales[] = {"nan", "inf", "1e39", "-inf"};
const char* const Limits[] = {"5", "999", "3", "1000", "12", "60"};
const char* const Factors[] = {"1", "0", "-5", "1e30", "nan", "7", "255", "3.9"};
const char* const Steps[] = {"0.05", "1e-45", "0", "abc", "2", "0.5", "1e30"};

struct Soak : Driving {
  std::mt19937 rng{SoakSeed()};
  std::vector<std::string> names;  // what the catalogue must list, in order
  std::string home;                // the bytes of record 0, which nothing may touch
  int saves = 0;
  int loads = 0;
  int renames = 0;
  int deletes = 0;
  int news = 0;
  int rescues = 0;  // automatic runs that the simulated user had to end
  bool failed = false;
  // Ticks run, and how they were spread over the modes (for the record).
  int ticksRun = 0;
  int scaleTicks = 0, directTicks = 0, squareTicks = 0, fullRangeTicks = 0;
  std::string where;  // the last change made, for the failure's message

  void SetUp() override {
    platform.ScreenWidthValue = 64;  // a quick full-screen picture now and then
    platform.ScreenHeightValue = 48;
    Driving::SetUp();
    engine::SharedRandom().Seed(SoakSeed());
  }

  int Pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  template <class T, std::size_t N>
  const T& Any(const T (&values)[N]) {
    return values[Pick(static_cast<int>(N))];
  }
  bool Chance(int inN) { return Pick(inN) == 0; }

  void Note(bool ok, const std::string& what) {
    if (ok || failed) return;
    failed = true;  // the first broken invariant says the most; the run stops there
    ADD_FAILURE() << what << " (" << where << ", tick " << ticksRun << ")";
  }

  // ---- the state checks ----

  void CheckTick() {
    TMainForm& m = M();
    Note(m.MaxIter >= 5 && m.MaxIter <= 999, "MaxIter " + std::to_string(m.MaxIter));
    Note(m.RealColors >= 0 && m.RealColors < m.MaxIter, "RealColors " + std::to_string(m.RealColors));
    Note(m.EditQuantity->Text() == std::to_string(m.RealColors), "Real: shows " + m.EditQuantity->Text());
    Note(m.ZoomFactor == 0.9f || m.ZoomFactor == 1.1111112f, "zoom factor crept");
    Note(m.FullRange == m.CB_FullRange->Checked(), "FullRange and its box disagree");
    Note(m.Wheel.ColorCount >= 0 && m.Wheel.ColorCount <= TSpectrum::PaletteCapacity, "palette size");
    if (m.FullRange) Note(m.Wheel.ColorCount == m.RealColors, "full range palette is not the colours met");
    Note(m.Timer1->Enabled() && m.ButtonStart->Caption == "Stop", "the animation stopped by itself");
    Note(m.TB_Coef->Position() >= 1 && m.TB_Coef->Position() <= 40, "step slider");
    if (m.AnimateScale) {
      Note(ReadsBack(m.Edit3->Text(), m.Scale), "scale field '" + m.Edit3->Text() + "'");
      Note(m.TrackBar1->Position() == std::clamp(TMainForm::ScaleToPosition(m.Scale), 0, 1000000), "scale slider");
    } else {
      for (int i = 0; i < 12; ++i)
        Note(ReadsBack(FormCoef->CoefEdit[i]->Text(), m.Coef[i]),
             "coefficient field " + std::to_string(i) + " '" + FormCoef->CoefEdit[i]->Text() + "'");
    }
  }

  // The whole picture: every stored count in range, the largest escaping one is RealColors,
  // and sampled pixels equal the reference renderer's.
  void CheckPicture() {
    TMainForm& m = M();
    const std::string why = PictureDisagrees();
    Note(why.empty(), "picture: " + why);
    if (!m.UsePalette || m.RG_Distribution->ItemIndex() != 0) return;
    int largest = 0;
    const int n = m.Image1->Width * m.Image1->Height;
    for (int i = 0; i < n; ++i) {
      const int c = m.IterBuffer[i];
      if (c < 0 || c > m.MaxIter) return Note(false, "count " + std::to_string(c) + " out of range");
      if (c < m.MaxIter) largest = std::max(largest, c);
    }
    Note(largest == m.RealColors, "RealColors is not the largest escaping count");
  }

  // Step bars show the weights whenever generation or a load has set both.
  void CheckWeights() {
    for (int i = 0; i < 12; ++i)
      Note(M().CoefStep[i] == TFormCoef::Weight(FormCoef->StepBar[i]->Position(), 8),
           "weight " + std::to_string(i) + " and its bar disagree");
  }

  // The only message box of these runs is the full-screen window's notice.
  void CheckMessages() {
    for (const std::string& text : platform.Messages)
      Note(text == TFullForm::WaitMessage, "message box: " + text);
    platform.Messages.clear();
  }

  void CheckCatalogue() {
    const auto listed = catalog::ListNames();
    Note(listed && *listed == names, "the catalogue no longer lists every saved name");
    Note(!fs::exists("catalog.tmp"), "catalog.tmp left behind");
    Note(ReadFile("catalog.dat").compare(0, home.size(), home) == 0, "the first record changed");
  }

  // ---- the catalogue, through the dialog ----

  void Save() {
    const std::string name = "S" + std::to_string(saves++);
    bool shown = false;
    Catalogue([&](TFormThemes& t) {
      shown = true;
      t.Edit1->UserSetText(name);
      t.SaveButton->UserClick();
    });
    Note(shown, "the catalogue did not open");
    names.push_back(name);
    if (names.size() == 1) home = ReadFile("catalog.dat");
    CheckCatalogue();
  }

  void Load(int position) {
    ++loads;
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(position);
      t.LoadButton->UserClick();
    });
    catalog::ThemeRecord r;
    Note(catalog::ReadThrough(position, r), "the catalogue cannot be read");
    TMainForm& m = M();
    for (int i = 0; i < 12; ++i) {
      Note(SameFloat(m.Coef[i], r.Coef[i]), "loaded coefficient " + std::to_string(i));
      Note(SameFloat(m.CoefStep[i], r.CoefStep[i]), "loaded weight " + std::to_string(i));
      Note(ReadsBack(FormCoef->CoefEdit[i]->Text(), m.Coef[i]), "loaded coefficient field");
    }
    Note(SameFloat(m.Scale, r.Scale) && ReadsBack(m.Edit3->Text(), m.Scale), "loaded scale");
    // The step is read back from its field's six truncated decimals, keeping its sign.
    Note(SameFloat(m.Step, r.Step) || (std::signbit(m.Step) == std::signbit(r.Step) &&
                                       ReadsBack(engine::NumberToText(r.Step, 1000000), m.Step)),
         "loaded step");
    Note(m.UsePalette == r.UsesPalette() && m.PaletteFactor == r.FactorMagnitude() &&
             m.Edit5->Text() == std::to_string(m.PaletteFactor),
         "loaded colouring");
    Note(m.MaxIter == std::clamp(r.MaxIter, 5, 999), "loaded limit");
    Note(SameFloat(m.CentreX, r.CentreX) && SameFloat(m.CentreY, r.CentreY), "loaded centre");
    Note(SameFloat(m.HueStart, r.StartAngle) && SameFloat(m.HueEnd, r.EndAngle), "loaded hues");
    if (r.UsesPalette())
      Note(m.FullRange == r.FullRangeOn() && m.RG_Distribution->ItemIndex() == (r.SquareDistribution() ? 1 : 0),
           "loaded switches");
    CheckWeights();
    CheckCatalogue();
  }

  void Rename(int position) {
    const std::string name = "R" + std::to_string(renames++);
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(position);
      t.Edit1->UserSetText(name);
      t.RenameButton->UserClick();
    });
    names[position] = name;
    CheckCatalogue();
  }

  void Delete(int position) {
    ++deletes;
    Catalogue([&](TFormThemes& t) {
      t.ComboBox1->UserSelect(position);
      t.DeleteButton->UserClick();
    });
    names.erase(names.begin() + position);
    CheckCatalogue();
  }

  // ---- random generation ----

  void New(bool reachable) {
    ++news;
    TMainForm& m = M();
    int pending = 0;
    platform.OnPendingEvents = [&] {
      // The user unchecks "Auto" when a run does not end: at once for a limit no picture
      // can meet, and as a last resort (counted) for one that should have been met.
      if (++pending == (reachable ? 5000 : 7)) {
        m.CB_AutoNew->UserClick();
        if (reachable) ++rescues;
      }
    };
    m.Button1->UserClick();
    platform.OnPendingEvents = nullptr;
    Note(!m.Timer1->Enabled() && m.ButtonStart->Caption == "Start", "New leaves the animation stopped");
    Note(FormCoef->CoefEdit[0]->Enabled, "New unlocks the coefficient fields");
    if (m.CB_AutoNew->Checked()) Note(m.RealColors >= m.MinColors, "Auto ended short of Min Colors");
    int moving = 0;
    for (float w : m.CoefStep) moving += w != 0;
    Note(moving <= 2, "New leaves more than one term drifting");
    CheckWeights();
    if (!reachable) {
      Note(pending == 7 && !m.CB_AutoNew->Checked(), "an unreachable limit was not ended by the user");
      m.CB_AutoNew->UserClick();  // as it was at the last attempt, which ended before painting
    }
    CheckPicture();
    if (!reachable) m.E_LimColors->UserSetText("3");
  }

  // ---- one random change between runs of ticks ----

  void Change(int kind) {
    TMainForm& m = M();
    where = "change " + std::to_string(kind);
    switch (kind) {
      case 0: {  // a sane map again, then generation with "Auto" and a limit it can reach
        Load(0);
        M().E_LimColors->UserSetText(std::to_string(Pick(9)));
        if (!m.CB_AutoNew->Checked()) m.CB_AutoNew->UserClick();
        New(true);
        break;
      }
      case 1:  // generation without "Auto"
        if (m.CB_AutoNew->Checked()) m.CB_AutoNew->UserClick();
        for (int i = 1 + Pick(3); i > 0; --i) New(true);
        m.CB_AutoNew->UserClick();
        break;
      case 2:  // huge coefficients, whose orbits overflow at once
        for (int i = 1 + Pick(4); i > 0; --i) TypeCoef(Pick(12), Any(HugeCoefficients));
        break;
      case 3:
        TypeCoef(Pick(12), Any(TinyCoefficients));
        break;
      case 4:
        Type(m.Edit3, Any(Scales));
        break;
      case 5:
        m.TrackBar1->UserMove(Pick(1000001));
        break;
      case 6:
        // Mostly moderate limits: every tick renders the whole picture up to the limit.
        m.EditIter->UserSetText(Chance(2) ? Any(Limits) : std::to_string(5 + Pick(300)));
        break;
      case 7:  // direct colour
        m.Edit5->UserMouseDown(tk::MouseButton::Left, 3, 3);
        Type(m.Edit5, Any(Factors));
        break;
      case 8: {  // back to the palette through one of its controls
        tk::Control* keys[] = {m.GB_Color, m.SpectrumLine, m.Label15, m.Label5, m.Label14, m.EditIter,
                               m.EditQuantity};
        keys[Pick(7)]->UserMouseDown(tk::MouseButton::Left, 1, 1);
        break;
      }
      case 9:
        m.RG_Distribution->UserSelect(Pick(2));
        break;
      case 10:
        Click(m.CB_FullRange);
        break;
      case 11: {  // the catalogue leaves Coeff mode whatever the group shows: choose for sure
        const int mode = Pick(2);
        if (m.RG_Animate->ItemIndex() == mode) m.RG_Animate->UserSelect(1 - mode);
        m.RG_Animate->UserSelect(mode);
        break;
      }
      case 12:
        if (Chance(2))
          m.TB_Coef->UserMove(1 + Pick(40));
        else
          m.Edit1->UserSetText(Any(Steps));
        for (int i = Pick(4); i > 0; --i) FormCoef->StepBar[Pick(12)]->UserMove(Pick(9));
        break;
      case 13:  // a drag of a hue marker (or a press on the direction square)
        m.Pallete->UserMouseDown(tk::MouseButton::Left, Pick(90), Pick(90));
        m.Pallete->UserMouseMove(Pick(90), Pick(90));
        m.Pallete->UserMouseUp(tk::MouseButton::Left, Pick(90), Pick(90));
        break;
      case 14: {  // recentre, then probe a point
        m.Image1->UserMouseDown(tk::MouseButton::Left, Pick(160), Pick(120));
        const int x = Pick(160), y = Pick(120);
        m.Image1->UserMouseDown(tk::MouseButton::Right, x, y);
        const engine::Point p = engine::PixelToPlane(x, y, 160, 120, m.Scale, m.CentreX, m.CentreY);
        Note(m.Edit4->Text() == std::to_string(engine::EscapeCount(m.Coef, m.MaxIter, p.x, p.y)), "probe");
        break;
      }
      case 15:
        Save();
        break;
      case 16:
        Load(Pick(static_cast<int>(names.size())));
        break;
      case 17:
        if (names.size() > 1) Rename(1 + Pick(static_cast<int>(names.size()) - 1));
        break;
      case 18:
        if (names.size() > 1) Delete(1 + Pick(static_cast<int>(names.size()) - 1));
        break;
      case 19:  // a limit no picture can reach, ended by the user
        if (!m.CB_AutoNew->Checked()) m.CB_AutoNew->UserClick();
        m.E_LimColors->UserSetText("5000");
        New(false);
        break;
      case 20:  // the full-screen picture, closed with a key
        platform.OnModal = [](tk::Form& f) {
          if (&f == FullForm) FullForm->ImageFull->UserKeyDown(tk::VK_ESCAPE);
        };
        m.Button4->UserClick();
        platform.OnModal = nullptr;
        Note(!FullForm->Visible && !m.Timer1->Enabled(), "full screen closes and leaves the animation stopped");
        break;
    }
  }
  static constexpr int Kinds = 21;

  // A map or a view that is not finite: every orbit may run to the limit, so the limit is
  // kept low, the run short, and the start picture is loaded again after it.
  void Endless() {
    where = "endless";
    Type(M().EditIter, std::to_string(5 + Pick(16)));
    switch (Pick(3)) {
      case 0:
        TypeCoef(Pick(12), Any(EndlessCoefficients));
        break;
      case 1:
        Type(M().Edit3, Any(EndlessScales));
        break;
      case 2:  // an infinite step: the drifting coefficients jump to infinity
        M().Edit1->UserSetText("1e39");
        Change(11);
        break;
    }
    Run(5 + Pick(15));
    Load(0);
  }

  void Run(int ticks) {
    TMainForm& m = M();
    if (!m.Timer1->Enabled()) m.ButtonStart->UserClick();
    for (int t = 0; t < ticks && !failed; ++t) {
      if (Chance(40)) {
        const float step = m.Step, zoom = m.ZoomFactor;
        m.ButtonBack->UserClick();
        if (m.AnimateScale)
          Note(m.ZoomFactor == (zoom == 0.9f ? 1.1111112f : 0.9f), "Back in Scale mode");
        else
          Note(std::isnan(step) || step == 0 || std::signbit(m.Step) != std::signbit(step), "Back in Coeff mode");
      }
      platform.Tick();
      ++ticksRun;
      scaleTicks += m.AnimateScale;
      directTicks += !m.UsePalette;
      squareTicks += m.UsePalette && m.RG_Distribution->ItemIndex() == 1;
      fullRangeTicks += m.FullRange;
      CheckTick();
      if (t % 25 == 0) CheckPicture();
    }
    CheckPicture();
  }
};

TEST_F(Soak, TicksOverRandomAndExtremeMapsKeepTheStateSoundAndTheMemoryFlat) {
  const int total = SoakTicks();
  CloseSplash();
  // Full range redraws the colour wheel at every render, which costs several times the
  // picture: the start picture has it off, and the runs switch it on now and then.
  Click(M().CB_FullRange);
  Save();  // the start picture, record 0: loaded again before every automatic generation
  Note(platform.Messages == std::vector<std::string>{"Absant 'catalog.dat'"}, "first use of the catalogue");
  platform.Messages.clear();

  // Warm-up: every kind of change once, with short runs, so that every path has allocated
  // what it keeps.
  for (int kind = 0; kind < Kinds && !failed; ++kind) {
    Change(kind);
    Run(10);
  }
  Endless();
  CheckMessages();
  const int warmUp = ticksRun;
  const long heapBefore = HeapBytes();
  const long residentBefore = ResidentBytes();

  int episodes = 0;
  while (ticksRun < total && !failed) {
    ++episodes;
    if (Chance(20)) {
      Endless();
      continue;
    }
    // Catalogue changes and generation are rarer than the cheap inputs.
    Change(Chance(2) ? Pick(Kinds) : 2 + Pick(13));
    CheckMessages();
    // The catalogue leaves Coeff mode; the user often goes back to zooming.
    if (!M().AnimateScale && Chance(3)) Change(11);
    if (names.size() > 40) Delete(1 + Pick(static_cast<int>(names.size()) - 1));
    // Full range redraws the wheel at every tick: shorter runs.
    Run(std::min(total - ticksRun, M().FullRange ? 5 + Pick(20) : 10 + Pick(70)));
  }
  const long heapAfter = HeapBytes();
  const long residentAfter = ResidentBytes();

  std::printf(
      "soak: %d ticks (%d of warm-up) in %d episodes: %d in Scale mode, %d in direct colour, %d with Square, "
      "%d with FullRange\n"
      "soak: %d saves, %d loads, %d renames, %d deletes, %d New clicks\n"
      "soak: heap in use %ld -> %ld bytes (%+ld); resident %ld -> %ld KiB (%+ld KiB)\n",
      ticksRun, warmUp, episodes, scaleTicks, directTicks, squareTicks, fullRangeTicks, saves, loads, renames,
      deletes, news, heapBefore, heapAfter, heapAfter - heapBefore, residentBefore / 1024, residentAfter / 1024,
      (residentAfter - residentBefore) / 1024);
  RecordProperty("ticks", ticksRun);
  RecordProperty("heap_growth_bytes", std::to_string(heapAfter - heapBefore));
  RecordProperty("resident_growth_kib", std::to_string((residentAfter - residentBefore) / 1024));

  EXPECT_FALSE(failed);
  EXPECT_GE(ticksRun, total);
  EXPECT_EQ(rescues, 0) << "an automatic generation with a reachable limit did not end by itself";
  CheckCatalogue();
  // Flat: the catalogue's list of names is all that may grow, by a few kilobytes; a leak of
  // a few bytes a tick would show.
  EXPECT_LT(heapAfter - heapBefore, 64 * 1024);
#ifndef SOAK_ASAN  // the sanitizer's quarantine keeps freed blocks resident by design
  EXPECT_LT(residentAfter - residentBefore, 4 * 1024 * 1024);
#endif
}

}  // namespace
