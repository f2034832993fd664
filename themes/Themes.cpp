#include "themes/Themes.h"

#include "app/Main.h"

TFormThemes* FormThemes = nullptr;

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
}

void TMainForm::On_Theme(tk::MenuItem*) {
  SetRunning(false);
  AnimateScale = false;  // Coeff mode; the radio group keeps showing what it showed
  FormThemes->ShowModal();
  Redraw();
}
