#pragma once
// The full-screen window: the current picture at the screen's size, up to 1600 x 1200.

#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"
#include "toolkit/Image.h"

class TFullForm : public tk::Form {
 public:
  TFullForm();

  tk::Image* ImageFull = nullptr;

 private:
  tk::ControlStore controls_;
};

extern TFullForm* FullForm;
