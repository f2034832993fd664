#pragma once
// The full-screen window: the current picture at the screen's size (up to 1600 x 1200),
// rendered with the main window's state; Enter saves it as a bitmap into the Graphics
// folder, any other key or a click returns to the main window.

#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"

class TFullForm : public tk::Form {
 public:
  TFullForm();
  ~TFullForm() override;

  tk::Image* ImageFull = nullptr;
  tk::SavePictureDialog SavePictureDialog1{"SavePictureDialog1"};

  void ShowFull(tk::Control* sender);
  void On_KeyDown(tk::Control* sender, tk::Key& key, tk::ShiftState shift);
  void On_MouseDown(tk::Control* sender, tk::MouseButton button, tk::ShiftState shift, int x, int y);
  void FullFormDestroy();

  static constexpr const char* PictureFolder = "Graphics";
  static constexpr const char* WaitMessage =
      "Please press <OK> and wait no more 1-2 minutes. After building complete you can press any Key to go to "
      "the MainForm or <Enter> to Save the Image";
  static constexpr const char* SavedMessage = "Save complete! Press 'OK' and any Key to go to the MainForm";

 private:
  void SavePicture();
  std::unique_ptr<tk::Image> image_;
};

extern TFullForm* FullForm;
