#include "app/Korvel.h"

#include "app/Main.h"
#include "app/SplashPicture.h"

TFormKorvel* FormKorvel = nullptr;

namespace {
using K = TFormKorvel;
using D = tk::ControlDesc<K>;
const tk::FontDesc Banner{.name = "Comic Sans MS", .height = 48, .bold = true, .color = tk::clBlue, .cyrillic = true};
const tk::FontDesc Name{.name = "MS Sans Serif", .height = 32, .bold = true, .italic = true, .color = tk::clFuchsia};
const tk::FontDesc List13{.name = "MS Sans Serif", .height = 13};
constexpr long long Face = tk::clBtnFace;

// Texts appear printed on the window: no frame, the window's colour, no focus, no editing.
D Text(tk::Edit* K::*slot, const char* name, int l, int t, int w, int h, const char* text, tk::FontDesc font = {}) {
  return {slot, name, "", l, t, w, h,
          {.text = text, .font = font, .color = Face, .tabStop = false, .readOnly = true, .flat = true,
           .onMouseDown = &K::On_MouseDown, .onKeyDown = &K::On_KeyDown}};
}

const std::vector<D>& Description() {
  static const std::vector<D> table = {
      {&K::Image1, "Image1", "", 8, 88, 321, 241,
       {.tabStop = false, .stretch = true, .onMouseDown = &K::On_MouseDown}},
      Text(&K::Edit1, "Edit1", 96, 8, 337, 65, "KORVEL", Banner),
      Text(&K::Edit2, "Edit2", 352, 88, 153, 33, "Quadri", Name),
      Text(&K::Edit6, "Edit6", 360, 128, 121, 33, "via", Name),
      Text(&K::Edit3, "Edit3", 488, 144, 41, 17, "v. 4.11"),
      {&K::ListBox2, "ListBox2", "", 360, 176, 153, 25,
       {.font = List13, .color = Face, .tabStop = false, .items = {"Fractal graphic design"},
        .onMouseDown = &K::On_MouseDown, .onKeyDown = &K::On_KeyDown}},
      Text(&K::Edit5, "Edit5", 344, 208, 185, 17, "Copyright (c) Korvel"),
      Text(&K::Edit4, "Edit4", 384, 224, 113, 17, "All rights reserved"),
      // The heading, then the lines for the maker's web and mail addresses, left empty.
      {&K::ListBox3, "ListBox3", "", 360, 264, 153, 73,
       {.color = Face, .tabStop = false, .items = {"              Contacts:", "", "", ""},
        .onMouseDown = &K::On_MouseDown, .onKeyDown = &K::On_KeyDown}},
  };
  return table;
}
}  // namespace

TFormKorvel::TFormKorvel() : tk::Form("FormKorvel") {
  FormKorvel = this;
  Caption = "Quadrivia";
  ClientWidth = 538;
  ClientHeight = 346;
  Position = tk::FormPosition::ScreenCenter;
  BorderStyle = tk::BorderStyle::Single;
  BorderIcons = {false, false, false};
  Font = tk::Font{.Name = "MS Sans Serif", .Height = 14};
  KeyPreview = true;
  OnKeyDown = [this](tk::Control* s, tk::Key& k, tk::ShiftState sh) { On_KeyDown(s, k, sh); };
  OnMouseDown = [this](tk::Control* s, tk::MouseButton b, tk::ShiftState sh, int x, int y) {
    On_MouseDown(s, b, sh, x, y);
  };
  OnClose = [this](tk::Control* s) { On_Close(s); };
  tk::BuildForm(*this, controls_, Description());
  LoadSplashPicture(Image1->Canvas);
  // The picture is stretched to the control; the canvas keeps the picture's own size.
}

void TFormKorvel::On_KeyDown(tk::Control*, tk::Key&, tk::ShiftState) {
  if (Visible) Close();
}

void TFormKorvel::On_MouseDown(tk::Control*, tk::MouseButton, tk::ShiftState, int, int) {
  if (Visible) Close();
}

void TFormKorvel::On_Close(tk::Control*) {
  if (MainForm) MainForm->Timer1->SetEnabled(true);
}
