#pragma once
// The main window: the picture, the colour wheel and palette strip, the parameter fields,
// the animation and generation controls, the menu, and the whole state of the picture.

#include <memory>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"
#include "toolkit/Image.h"
#include "toolkit/Menu.h"
#include "toolkit/Timer.h"
#include "engine/Colouring.h"
#include "engine/Render.h"
#include "spectrum/Spectrum.h"

class TMainForm : public tk::Form {
 public:
  TMainForm();
  ~TMainForm() override;

  // Controls, as the form description makes them.
  tk::Image* Image1 = nullptr;
  tk::Label* Label8 = nullptr;
  tk::Label* Label7 = nullptr;
  tk::Label* Label6 = nullptr;
  tk::Label* Label1 = nullptr;
  tk::Edit* Edit4 = nullptr;
  tk::Label* Label9 = nullptr;
  tk::Edit* Edit5 = nullptr;
  tk::Button* Button4 = nullptr;
  tk::GroupBox* GB_Color = nullptr;
  tk::GroupBox* GroupBox1 = nullptr;
  tk::GroupBox* GroupBox2 = nullptr;
  tk::Image* Pallete = nullptr;
  tk::Image* SpectrumLine = nullptr;
  tk::Label* Label15 = nullptr;
  tk::Label* Label5 = nullptr;
  tk::Label* Label14 = nullptr;
  tk::Edit* EditIter = nullptr;
  tk::Edit* EditQuantity = nullptr;
  tk::RadioGroup* RG_Distribution = nullptr;
  tk::CheckBox* CB_FullRange = nullptr;
  tk::Button* ButtonStart = nullptr;
  tk::Button* ButtonBack = nullptr;
  tk::RadioGroup* RG_Animate = nullptr;
  tk::Panel* Panel1 = nullptr;
  tk::Edit* Edit3 = nullptr;
  tk::Edit* Edit1 = nullptr;
  tk::TrackBar* TrackBar1 = nullptr;
  tk::TrackBar* TB_Coef = nullptr;
  tk::Button* Button1 = nullptr;
  tk::CheckBox* CB_AutoNew = nullptr;
  tk::Label* Label2 = nullptr;
  tk::Edit* E_LimColors = nullptr;
  tk::Timer* Timer1 = nullptr;
  tk::MainMenu MainMenu1;
  tk::MenuItem* Theme1 = nullptr;
  tk::MenuItem* Coefficients = nullptr;
  tk::MenuItem* Language = nullptr;
  tk::MenuItem* English = nullptr;
  tk::MenuItem* Russian = nullptr;
  tk::MenuItem* Help1 = nullptr;
  tk::MenuItem* Exit1 = nullptr;

  // The picture's state.
  int ImageWidth = 0;
  int ImageHeight = 0;
  int ColorSpan = 0;
  int PaletteFactor = 0;
  float Scale = 0;
  float ZoomFactor = 0;
  float CentreX = 0;
  float CentreY = 0;
  float MinScale = 0;
  float MaxScale = 0;
  float Coef[12] = {};
  float CoefStep[12] = {};
  float Step = 0;
  float StepSpan = 0;
  float StepUnit = 0;
  int Precision = 0;
  bool AnimateScale = false;
  int MaxIter = 0;
  int MinColors = 0;
  int RealColors = 0;
  TSpectrum Wheel;
  float HueStart = 0;
  float HueEnd = 0;
  bool UsePalette = false;
  bool FullRange = false;
  static constexpr int IterBufferSize = 2000000;
  int IterBuffer[IterBufferSize] = {};
  int HelpLanguage = 0;
  int IniReserved = 0;

  // Start-up and menu.
  void On_Show(tk::Control* sender);
  void Exit(tk::MenuItem* sender);
  void On_Theme(tk::MenuItem* sender);
  void On_FormCoef(tk::MenuItem* sender);
  void ChooseLanguage(tk::MenuItem* sender);
  void Help1Click(tk::MenuItem* sender);
  void ShowHelp();

  // The map, the probe and the render.
  int EscapeCount(float x0, float y0) const;
  void Centre(tk::Control* sender, tk::MouseButton button, tk::ShiftState shift, int x, int y);
  void Redraw();
  void RenderTo(tk::Image* target);
  // The rules by which the current state colours a count (distribution, palette, direct
  // colour); the palette is read from Wheel when a pixel is painted.
  engine::PictureColouring Colouring() const;
  // The count pass of the current map and view over a whole picture of width x height.
  engine::RenderJob PictureJob(int width, int height) const;
  // What a render does between its count pass and painting with the palette: shows
  // RealColors in EditQuantity, ends early for a picture with too few colours (false: the
  // palette is not to be painted), and with FullRange spreads the palette over RealColors.
  // A render into any image but Image1 leaves RealColors as the main picture set it, so for
  // such a picture this does not depend on its own counts.
  bool ReadyToPaint();

  // The colour wheel and the palette strip.
  void DrawSpectrumLine();
  void On_SpectrumDown(tk::Control* sender, tk::MouseButton button, tk::ShiftState shift, int x, int y);
  void On_SpectrumMove(tk::Control* sender, tk::ShiftState shift, int x, int y);
  void On_SpectrumUp(tk::Control* sender, tk::MouseButton button, tk::ShiftState shift, int x, int y);

  // Parameter inputs.
  void On_ChangeTrackBar1(tk::Control* sender);
  void On_Coef(tk::Control* sender, tk::Key& key, tk::ShiftState shift);
  void On_ChangeTB_Coef(tk::Control* sender);
  void Param(tk::Control* sender);
  void On_Interpolation(tk::Control* sender);
  void On_FullRange(tk::Control* sender);
  void On_ColorKey(tk::Control* sender, tk::MouseButton button, tk::ShiftState shift, int x, int y);
  // The iteration limit the field keeps, so that no count reaches past the palette.
  static constexpr int LeastMaxIter = 5;
  static constexpr int MostMaxIter = 999;
  static int KeptIterationLimit(int limit);
  // After MaxIter changed: the palette rebuilt for the new limit, the picture redrawn.
  void IterationLimitChanged();
  static int ScaleToPosition(float scale);
  static float PositionToScale(int position);
  int StepToPosition(float magnitude) const;
  float PositionToStep(int position) const;

  // Random generation.
  void On_New(tk::Control* sender);

  // Animation.
  void SetRunning(bool run);
  void Start(tk::Control* sender);
  void Turn(tk::Control* sender);
  void On_ClickAnimate(tk::Control* sender);
  void OnTime(tk::Timer* sender);
  // The stops of full screen, help and the wheel: the timer and the caption only.
  void StopTimer();

  // Full screen.
  void Full(tk::Control* sender);

 private:
  tk::ControlStore controls_;
  tk::Timer timer1_{"Timer1"};
  // Counts of a direct-colour render, which leaves IterBuffer as it was.
  std::unique_ptr<int[]> directCounts_;
  bool generating_ = false;  // an "Auto" run of New is under way
};

// The application-wide main window.
extern TMainForm* MainForm;
