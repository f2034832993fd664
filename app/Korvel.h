#pragma once
// The splash window: the product's name, version and picture. Any key or mouse button closes
// it, and its closing starts the animation.

#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"
#include "toolkit/Image.h"

class TFormKorvel : public tk::Form {
 public:
  TFormKorvel();

  tk::Image* Image1 = nullptr;
  tk::Edit* Edit1 = nullptr;
  tk::Edit* Edit2 = nullptr;
  tk::Edit* Edit6 = nullptr;
  tk::Edit* Edit3 = nullptr;
  tk::ListBox* ListBox2 = nullptr;
  tk::Edit* Edit5 = nullptr;
  tk::Edit* Edit4 = nullptr;
  tk::ListBox* ListBox3 = nullptr;

  void On_KeyDown(tk::Control* sender, tk::Key& key, tk::ShiftState shift);
  void On_MouseDown(tk::Control* sender, tk::MouseButton button, tk::ShiftState shift, int x, int y);
  void On_Close(tk::Control* sender);

 private:
  tk::ControlStore controls_;
};

extern TFormKorvel* FormKorvel;
