#include "app/Main.h"

#include <ctime>

#include "app/Korvel.h"
#include "app/Settings.h"
#include "app/StartValues.h"
#include "engine/Map.h"
#include "engine/NumberText.h"
#include "engine/Random.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Platform.h"

TMainForm* MainForm = nullptr;

namespace {

using M = TMainForm;
using D = tk::ControlDesc<M>;
using tk::FontDesc;

constexpr long long Grey = tk::clBtnFace;
const FontDesc Bold{.bold = true};
const FontDesc BoldBlack{.bold = true, .color = tk::clBlack};
const FontDesc BoldRed{.bold = true, .color = tk::clRed};
const FontDesc Italic{.italic = true};
const FontDesc SansBold13{.name = "MS Sans Serif", .height = 13, .bold = true};
const FontDesc SansBold13Red{.name = "MS Sans Serif", .height = 13, .bold = true, .color = tk::clRed};
const FontDesc SansBold13Black{.name = "MS Sans Serif", .height = 13, .bold = true, .color = tk::clBlack};
const FontDesc Bold17Black{.height = 17, .bold = true, .color = tk::clBlack};
const FontDesc Bold20{.height = 20, .bold = true};

const std::vector<D>& Description() {
  static const std::vector<D> table = {
      {&M::Image1, "Image1", "", 8, 0, 160, 120, {.onMouseDown = &M::Centre}},
      {&M::Label8, "Label8", "", 8, 128, 91, 16, {.text = "Number of Color:", .font = Bold, .wordWrap = true}},
      {&M::Label7, "Label7", "", 24, 144, 58, 16, {.text = "(Right Click)", .font = Italic}},
      {&M::Label6, "Label6", "", 112, 128, 39, 16, {.text = "Centre:", .font = Bold}},
      {&M::Label1, "Label1", "", 112, 144, 51, 16, {.text = "(Left Click)", .font = Italic}},
      {&M::Edit4, "Edit4", "", 8, 168, 81, 26,
       {.font = {.name = "MS Sans Serif", .height = 17}, .color = Grey, .tabOrder = 0, .readOnly = true,
        .flat = true}},
      {&M::Label9, "Label9", "", 120, 168, 39, 16, {.text = "Pallete:", .font = BoldRed}},
      {&M::Edit5, "Edit5", "", 104, 184, 65, 28,
       {.text = "1", .font = {.name = "MS Sans Serif", .height = 16}, .color = Grey, .tabOrder = 1,
        .onMouseDown = &M::On_ColorKey, .onKeyUp = &M::On_Coef}},
      {&M::Button4, "Button4", "", 8, 200, 89, 25,
       {.text = "Full Screen", .font = SansBold13, .tabOrder = 2, .onClick = &M::Full}},
      {&M::GB_Color, "GB_Color", "", 192, 0, 225, 161,
       {.text = "Range of Colors", .font = BoldRed, .tabOrder = 3, .onMouseDown = &M::On_ColorKey}},
      {&M::GroupBox1, "GroupBox1", "", 184, 176, 233, 137,
       {.text = "Animation Parametres", .font = BoldRed, .tabOrder = 4}},
      {&M::GroupBox2, "GroupBox2", "", 8, 232, 161, 81, {.text = "Generation", .font = BoldRed, .tabOrder = 5}},

      {&M::Pallete, "Pallete", "GB_Color", 8, 16, 97, 97,
       {.onMouseDown = &M::On_SpectrumDown, .onMouseMove = &M::On_SpectrumMove, .onMouseUp = &M::On_SpectrumUp}},
      {&M::SpectrumLine, "SpectrumLine", "GB_Color", 8, 112, 97, 17, {.onMouseDown = &M::On_ColorKey}},
      {&M::Label15, "Label15", "GB_Color", 112, 16, 104, 16,
       {.text = "Quantity of Colors :", .font = Bold, .onMouseDown = &M::On_ColorKey}},
      {&M::Label5, "Label5", "GB_Color", 120, 32, 25, 16,
       {.text = "Max:", .font = Bold, .onMouseDown = &M::On_ColorKey}},
      {&M::Label14, "Label14", "GB_Color", 176, 32, 27, 16,
       {.text = "Real:", .font = Bold, .onMouseDown = &M::On_ColorKey}},
      {&M::EditIter, "EditIter", "GB_Color", 112, 48, 41, 32,
       {.text = "200", .font = Bold20, .color = Grey, .tabOrder = 0, .onChange = &M::Param,
        .onMouseDown = &M::On_ColorKey}},
      {&M::EditQuantity, "EditQuantity", "GB_Color", 168, 48, 41, 30,
       {.text = "EditQuantity", .font = Bold20, .color = Grey, .tabOrder = 3, .readOnly = true, .flat = true,
        .onMouseDown = &M::On_ColorKey}},
      {&M::RG_Distribution, "RG_Distribution", "GB_Color", 112, 88, 97, 65,
       {.text = "Distribution", .font = BoldBlack, .tabOrder = 1, .items = {"Line", "Square"}, .itemIndex = 0,
        .onClick = &M::On_Interpolation}},
      {&M::CB_FullRange, "CB_FullRange", "GB_Color", 8, 136, 97, 17,
       {.text = "FullRange", .font = BoldBlack, .tabOrder = 2, .checked = true, .onClick = &M::On_FullRange,
        .onMouseDown = &M::On_ColorKey}},

      {&M::ButtonStart, "ButtonStart", "GroupBox1", 8, 24, 51, 49,
       {.text = "Pause", .font = SansBold13Red, .tabOrder = 2, .onClick = &M::Start}},
      {&M::ButtonBack, "ButtonBack", "GroupBox1", 8, 80, 51, 49,
       {.text = "Back", .font = SansBold13Red, .tabOrder = 3, .onClick = &M::Turn}},
      {&M::RG_Animate, "RG_Animate", "GroupBox1", 64, 16, 161, 41,
       {.text = "Type", .font = Bold, .tabOrder = 0, .items = {"Scale", "Coeff"}, .itemIndex = 0, .columns = 2,
        .onClick = &M::On_ClickAnimate}},
      {&M::Panel1, "Panel1", "GroupBox1", 64, 64, 169, 65, {.tabOrder = 1}},

      {&M::Edit3, "Edit3", "Panel1", 8, 8, 73, 30,
       {.text = "Edit3", .font = Bold17Black, .color = Grey, .tabOrder = 2, .onKeyUp = &M::On_Coef}},
      {&M::Edit1, "Edit1", "Panel1", 88, 8, 65, 30,
       {.text = "Edit1", .font = Bold17Black, .color = Grey, .tabOrder = 3, .onChange = &M::Param}},
      {&M::TrackBar1, "TrackBar1", "Panel1", 0, 40, 89, 17,
       {.tabOrder = 0, .min = 0, .max = 1000000, .position = 60000, .lineSize = 1000, .pageSize = 100000,
        .frequency = 200000, .onChange = &M::On_ChangeTrackBar1}},
      {&M::TB_Coef, "TB_Coef", "Panel1", 80, 40, 81, 17,
       {.tabOrder = 1, .min = 1, .max = 40, .position = 40, .lineSize = 1, .pageSize = 10, .frequency = 10,
        .onChange = &M::On_ChangeTB_Coef}},

      {&M::Button1, "Button1", "GroupBox2", 8, 24, 57, 25,
       {.text = "New", .font = SansBold13Black, .tabOrder = 2, .onClick = &M::On_New}},
      {&M::CB_AutoNew, "CB_AutoNew", "GroupBox2", 8, 56, 49, 17,
       {.text = "Auto", .font = BoldBlack, .tabOrder = 1, .checked = true}},
      {&M::Label2, "Label2", "GroupBox2", 88, 16, 61, 16, {.text = "Min Colors:", .font = BoldBlack}},
      {&M::E_LimColors, "E_LimColors", "GroupBox2", 88, 40, 57, 30,
       {.text = "E_LimColors", .font = Bold17Black, .color = Grey, .tabOrder = 0, .onChange = &M::Param}},
  };
  return table;
}

}  // namespace

TMainForm::TMainForm() : tk::Form("MainForm") {
  MainForm = this;
  Caption = "Quadrivia";
  ClientWidth = 427;
  ClientHeight = 326;
  BorderStyle = tk::BorderStyle::Single;
  BorderIcons = {.SystemMenu = true, .Minimize = true, .Maximize = false};
  Left = 79;
  Top = 111;
  Font = tk::Font{.Name = "Arial Narrow", .Height = 13, .Charset = tk::Charset::Cyrillic};
  OnShow = [this](tk::Control* s) { On_Show(s); };

  tk::BuildForm(*this, controls_, Description());
  Timer1 = &timer1_;
  Timer1->Interval = 10;
  Timer1->OnTimer = [this](tk::Timer* t) { OnTime(t); };

  Theme1 = MainMenu1.Add("Theme1", "Catalogue");
  Coefficients = MainMenu1.Add("Coefficients", "Coefficients");
  Language = MainMenu1.Add("Language", "Language");
  English = Language->Add("English", "English");
  Russian = Language->Add("Russian", "Russian");
  Help1 = MainMenu1.Add("Help1", "Help");
  Exit1 = MainMenu1.Add("Exit1", "Exit");
  Theme1->OnClick = [this](tk::MenuItem* s) { On_Theme(s); };
  Coefficients->OnClick = [this](tk::MenuItem* s) { On_FormCoef(s); };
  English->OnClick = Russian->OnClick = [this](tk::MenuItem* s) { ChooseLanguage(s); };
  Help1->OnClick = [this](tk::MenuItem* s) { Help1Click(s); };
  Exit1->OnClick = [this](tk::MenuItem* s) { Exit(s); };
  Menu = &MainMenu1;
  TSpectrum::StopAnimation = [] {
    if (MainForm) MainForm->StopTimer();
  };
  directCounts_ = std::make_unique<int[]>(IterBufferSize);

  // 1-2. The settings file and the language mark.
  const IniSettings settings = ReadOrCreateSettings();
  HelpLanguage = settings.HelpLanguage;
  IniReserved = settings.IniReserved;
  (HelpLanguage == 1 ? Russian : English)->Checked = true;
  // 3.
  engine::SharedRandom().Seed(static_cast<std::uint32_t>(std::time(nullptr)));
  // 4-7. Setting a text raises the field's change handler only when the text changes:
  // E_LimColors' does here, EditIter's does not (it already shows "200"), so nothing renders.
  Wheel.Reverse = false;
  FullRange = start::FullRange;
  MinColors = start::MinColors;
  E_LimColors->SetText(std::to_string(MinColors));
  HueStart = start::HueStart;
  HueEnd = start::HueEnd;
  MaxIter = start::MaxIter;
  EditIter->SetText(std::to_string(MaxIter));
  // 8.
  Wheel.Init(Pallete, MaxIter, HueStart, HueEnd);
  Wheel.Update();
  // 9-10.
  ImageWidth = Image1->Width;
  ImageHeight = Image1->Height;
  ColorSpan = start::ColorSpan;
  MinScale = start::MinScale;
  MaxScale = start::MaxScale;
  CentreX = start::CentreX;
  CentreY = start::CentreY;
  Precision = start::Precision;
  ZoomFactor = start::ZoomFactor;
  PaletteFactor = start::PaletteFactor;
  // 11-13.
  Scale = start::Scale;
  Edit3->SetText(engine::NumberToText(Scale, Precision));
  for (int i = 0; i < 12; ++i) {
    Coef[i] = start::Coef[i];
    CoefStep[i] = 0;
  }
  CoefStep[0] = 1;
  AnimateScale = start::AnimateScale;
  // 14-17. Edit1's change handler reads the step back and leaves TB_Coef at 40.
  TB_Coef->Max = start::CoefStepMax;
  StepUnit = start::StepUnit;
  Step = StepUnit;
  StepSpan = static_cast<float>((10000.0L - 1.0L) / StepUnit);
  TB_Coef->SetPosition(TB_Coef->Max);
  TB_Coef->Frequency = 10;
  Edit1->SetText(engine::NumberToText(Step, Precision));
  // 18-19.
  UsePalette = start::UsePalette;
  DrawSpectrumLine();
}

TMainForm::~TMainForm() {
  TSpectrum::StopAnimation = nullptr;
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::On_Show(tk::Control*) {
  if (FormKorvel) FormKorvel->ShowModal();
}

void TMainForm::Exit(tk::MenuItem*) {
  if (!WriteSettings({HelpLanguage, IniReserved}))
    tk::ShowMessage("Cannot write 'ini.dat': the language choice is not kept.");
  if (tk::Application* app = tk::Application::Instance()) app->Terminate();
}

void TMainForm::ChooseLanguage(tk::MenuItem* sender) {
  if (sender == English) {
    English->Checked = true;
    Russian->Checked = false;
    HelpLanguage = 0;
  } else if (sender == Russian) {
    Russian->Checked = true;
    English->Checked = false;
    HelpLanguage = 1;
  }
}

void TMainForm::Help1Click(tk::MenuItem*) { ShowHelp(); }

void TMainForm::ShowHelp() {
  StopTimer();
  const char* file = HelpLanguage == 1 ? "fractal_rus.chm" : "fractal.chm";
  if (tk::Platform* p = tk::CurrentPlatform()) p->OpenWithDefaultViewer(file);
}

void TMainForm::StopTimer() {
  Timer1->SetEnabled(false);
  ButtonStart->Caption = "Start";
  ButtonStart->MarkChanged();
}

int TMainForm::EscapeCount(float x0, float y0) const { return engine::EscapeCount(Coef, MaxIter, x0, y0); }

void TMainForm::Centre(tk::Control*, tk::MouseButton button, tk::ShiftState, int x, int y) {
  // Clicks map with the picture size taken at start-up.
  const engine::Point p = engine::PixelToPlane(x, y, ImageWidth, ImageHeight, Scale, CentreX, CentreY);
  if (button == tk::MouseButton::Right) {
    Edit4->SetText(std::to_string(EscapeCount(p.x, p.y)));
    return;
  }
  CentreX = p.x;
  CentreY = p.y;
  Redraw();
}
