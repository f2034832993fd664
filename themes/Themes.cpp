#include "themes/Themes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Main.h"
#include "coef/Coef.h"
#include "engine/NumberText.h"
#include "engine/Numbers.h"
#include "themes/Catalog.h"
#include "toolkit/Dialogs.h"

TFormThemes* FormThemes = nullptr;

namespace {

using F = TFormThemes;
using D = tk::ControlDesc<F>;

constexpr long long Face = tk::clBtnFace;
const tk::FontDesc Bold{.bold = true};

// The program's own text, as the Windows program shows it.
constexpr const char* AbsentCatalogue = "Absant 'catalog.dat'";
constexpr const char* UnwrittenCatalogue = "'catalog.dat' could not be rewritten; it is unchanged.";

const std::vector<D>& Description() {
  // clang-format off
  static const std::vector<D> table = {
      {&F::Label1, "Label1", "", 40, 8, 106, 16, {.text = "Choose Theme", .font = Bold, .tabStop = false}},
      {&F::ComboBox1, "ComboBox1", "", 16, 32, 145, 24,
       {.color = Face, .tabOrder = 0, .onChange = &F::On_CkickCB}},
      {&F::Label2, "Label2", "", 32, 80, 103, 16, {.text = "Named Theme", .font = Bold, .tabStop = false}},
      {&F::Edit1, "Edit1", "", 24, 104, 121, 24, {.color = Face, .tabOrder = 1, .onChange = &F::On_Edit}},
      {&F::LoadButton, "LoadButton", "", 184, 24, 75, 25,
       {.text = "Load", .tabOrder = 2, .enabled = false, .onClick = &F::On_LoadTheme}},
      {&F::RenameButton, "RenameButton", "", 184, 64, 75, 25,
       {.text = "Rename", .tabOrder = 3, .enabled = false, .onClick = &F::On_Rename}},
      {&F::DeleteButton, "DeleteButton", "", 184, 104, 75, 25,
       {.text = "Delete", .tabOrder = 4, .enabled = false, .onClick = &F::On_Delete}},
      {&F::SaveButton, "SaveButton", "", 184, 144, 75, 25,
       {.text = "Save", .tabOrder = 5, .enabled = false, .onClick = &F::On_Save}},
      {&F::Button1, "Button1", "", 88, 160, 75, 25, {.text = "Exit", .tabOrder = 6, .onClick = &F::On_ExitThemes}},
  };
  // clang-format on
  return table;
}

// The front end redraws what a control's change counter says has changed.
void Enable(tk::Control* c, bool on) {
  c->Enabled = on;
  c->MarkChanged();
}

// Paints over the tick that Init drew for this hue angle.
void EraseMarker(TMainForm& m, float angle) {
  const float c = static_cast<float>(std::cos(static_cast<engine::Extended>(angle)));
  const float s = static_cast<float>(std::sin(static_cast<engine::Extended>(angle)));
  m.Wheel.DrawMarker(m.Pallete->Canvas, c, s, 0xFFFFFF);
}

// After a rename or delete: keeps the angles the copy left when it has taken the catalogue's
// place, or says why nothing changed (the angles too stay as they were).
bool Rewritten(const catalog::RewriteResult& result, float start, float end, TSpectrum& holder) {
  if (!result.Replaced()) {
    tk::ShowMessage(result.Outcome == catalog::RewriteOutcome::NoCatalogue ? AbsentCatalogue
                                                                           : UnwrittenCatalogue);
    return false;
  }
  holder.StartAngle = start;
  holder.EndAngle = end;
  return true;
}

}  // namespace

TFormThemes::TFormThemes() : tk::Form("FormThemes") {
  FormThemes = this;
  Caption = "Themes";
  Left = 234;
  Top = 121;
  ClientWidth = 282;
  ClientHeight = 228;
  BorderStyle = tk::BorderStyle::Sizeable;
  Scaled = true;
  Font = tk::Font{.Name = "MS Sans Serif", .Height = 13};
  OnShow = [this](tk::Control* s) { On_Show(s); };
  OnClose = [this](tk::Control* s) { On_Close(s); };
  tk::BuildForm(*this, controls_, Description());
  Spectrum.Reverse = false;
}

void TFormThemes::On_Show(tk::Control*) {
  ComboBox1->Clear();
  const auto names = catalog::ListNames();
  if (!names) {
    tk::ShowMessage(AbsentCatalogue);  // the usual first use: Save creates the file
    return;
  }
  for (const std::string& name : *names) ComboBox1->AddItem(name);
}

void TFormThemes::On_CkickCB(tk::Control*) {
  Enable(LoadButton, true);
  Enable(DeleteButton, true);
}

void TFormThemes::On_Edit(tk::Control*) {
  Enable(SaveButton, true);
  Enable(RenameButton, !Edit1->Text().empty());
}

void TFormThemes::On_LoadTheme(tk::Control*) {
  TMainForm& m = *MainForm;
  const int position = ComboBox1->ItemIndex();
  // Text typed into the list's field names no record: nothing is loaded and the picture
  // stays as it is, rather than being refreshed from state that was never read.
  if (position < 0) {
    Close();
    return;
  }

  // The record's values go straight into the state: a value the file cannot give keeps the
  // state's. The direction and the two palette switches start at 0.
  catalog::ThemeRecord r;
  std::copy(std::begin(m.Coef), std::end(m.Coef), r.Coef.begin());
  std::copy(std::begin(m.CoefStep), std::end(m.CoefStep), r.CoefStep.begin());
  r.Scale = m.Scale;
  r.SignedFactor = m.PaletteFactor;
  r.Step = m.Step;
  r.StartAngle = m.HueStart;
  r.EndAngle = m.HueEnd;
  r.MaxIter = m.MaxIter;
  r.CentreX = m.CentreX;
  r.CentreY = m.CentreY;
  if (!catalog::ReadThrough(position, r)) {
    tk::ShowMessage(AbsentCatalogue);
    Close();
    return;
  }

  // The wheel of the current state, its two ticks painted over.
  m.Wheel.Init(m.Pallete, m.MaxIter, m.HueStart, m.HueEnd);
  EraseMarker(m, m.HueStart);
  EraseMarker(m, m.HueEnd);

  std::copy(r.Coef.begin(), r.Coef.end(), std::begin(m.Coef));
  std::copy(r.CoefStep.begin(), r.CoefStep.end(), std::begin(m.CoefStep));
  m.Scale = r.Scale;
  m.PaletteFactor = r.SignedFactor;
  m.Step = r.Step;
  m.HueStart = r.StartAngle;
  m.HueEnd = r.EndAngle;
  // Only a hand-edited file holds a limit outside the field's range; it is kept in that
  // range as the iteration field keeps it, so the palette is never read or written past its end.
  m.MaxIter = TMainForm::KeptIterationLimit(r.MaxIter);
  m.CentreX = r.CentreX;
  m.CentreY = r.CentreY;

  if (r.UsesPalette()) {
    m.UsePalette = true;
    m.Wheel.Reverse = r.Reversed();
    m.Wheel.Init(m.Pallete, m.MaxIter, m.HueStart, m.HueEnd);
    m.Wheel.Update();
    m.DrawSpectrumLine();
    // Each change of a switch runs its handler, which redraws; On_FullRange also flips
    // FullRange to match the box.
    m.RG_Distribution->SetItemIndex(r.SquareDistribution() ? 1 : 0);
    m.CB_FullRange->SetChecked(r.FullRangeOn());
  } else {
    m.UsePalette = false;  // the wheel stays without ticks; the switches keep their state
  }

  if (FormCoef) {
    for (int i = 0; i < 6; ++i) {
      FormCoef->CoefEdit[i]->SetText(engine::NumberToText(m.Coef[i], m.Precision));
      FormCoef->CoefEdit[6 + i]->SetText(engine::NumberToText(m.Coef[6 + i], m.Precision));
      FormCoef->StepBar[i]->SetPosition(
          TFormCoef::PositionOfWeight(m.CoefStep[i], FormCoef->StepBar[i]->Max));
      FormCoef->StepBar[6 + i]->SetPosition(
          TFormCoef::PositionOfWeight(m.CoefStep[6 + i], FormCoef->StepBar[6 + i]->Max));
    }
  }
  m.Edit3->SetText(engine::NumberToText(m.Scale, m.Precision));
  // Param reads the step back from this text, keeping its sign, and moves TB_Coef.
  m.Edit1->SetText(engine::NumberToText(m.Step, m.Precision));
  m.PaletteFactor = r.FactorMagnitude();
  m.Edit5->SetText(std::to_string(m.PaletteFactor));
  m.TrackBar1->SetPosition(TMainForm::ScaleToPosition(m.Scale));
  m.TB_Coef->SetPosition(m.StepToPosition(std::fabs(m.Step)));
  // EditIter is left showing the previous limit until it is edited.
  Close();
}

void TFormThemes::On_Save(tk::Control*) {
  const std::string name = Edit1->Text();
  if (name.empty() || catalog::IsReservedName(name)) return;
  // A name the readers could not carry back would split into several records' worth of names.
  if (const auto problem = catalog::NameProblem(name)) {
    tk::ShowMessage(*problem);
    return;
  }
  const TMainForm& m = *MainForm;
  catalog::ThemeRecord r;
  r.Name = name;
  std::copy(std::begin(m.Coef), std::end(m.Coef), r.Coef.begin());
  std::copy(std::begin(m.CoefStep), std::end(m.CoefStep), r.CoefStep.begin());
  r.Scale = m.Scale;
  r.SignedFactor = catalog::ThemeRecord::SignFactor(m.PaletteFactor, m.UsePalette);
  r.Step = m.Step;
  r.StartAngle = m.Wheel.StartAngle;
  r.EndAngle = m.Wheel.EndAngle;
  r.Direction = catalog::ThemeRecord::Flag(m.Wheel.Reverse);
  r.MaxIter = m.MaxIter;
  r.Distribution = m.RG_Distribution->ItemIndex();
  r.FullRange = catalog::ThemeRecord::Flag(m.CB_FullRange->Checked());
  r.CentreX = m.CentreX;
  r.CentreY = m.CentreY;
  if (catalog::AppendRecord(r))
    ComboBox1->AddItem(name);
  else
    tk::ShowMessage(AbsentCatalogue);
  Close();
}

void TFormThemes::On_Rename(tk::Control*) {
  const std::string name = Edit1->Text();
  if (name.empty()) return;
  if (const auto problem = catalog::NameProblem(name)) {
    tk::ShowMessage(*problem);
    return;
  }
  const int position = ComboBox1->ItemIndex();
  // No entry chosen: there is no record to rename, so the catalogue is not touched at all.
  if (position < 0) {
    Close();
    return;
  }
  float start = Spectrum.StartAngle;
  float end = Spectrum.EndAngle;
  const catalog::RewriteResult result = catalog::RenameRecord(position, name, start, end);
  if (Rewritten(result, start, end, Spectrum) && result.Found) ComboBox1->SetItem(position, name);
  Close();
}

void TFormThemes::On_Delete(tk::Control*) {
  // With no entry chosen every record is copied and the content stays as it was.
  float start = Spectrum.StartAngle;
  float end = Spectrum.EndAngle;
  Rewritten(catalog::DeleteRecord(ComboBox1->ItemIndex(), start, end), start, end, Spectrum);
  // The entries stay; the next showing reads them afresh.
  Close();
}

void TFormThemes::On_ExitThemes(tk::Control*) { Close(); }

void TFormThemes::On_Close(tk::Control*) {
  Edit1->SetText("");  // raises On_Edit, whose enabling the next lines undo
  ComboBox1->SetText("");
  for (tk::Button* b : {LoadButton, RenameButton, DeleteButton, SaveButton}) Enable(b, false);
}

void TMainForm::On_Theme(tk::MenuItem*) {
  SetRunning(false);
  AnimateScale = false;  // Coeff mode; the radio group keeps showing what it showed
  FormThemes->ShowModal();
  Redraw();
}
