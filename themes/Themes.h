#pragma once
// The catalogue dialog: lists the theme records of catalog.dat and loads, saves, renames and
// deletes them. It keeps no picture state: Load and Save read and write the main window's
// fields and controls directly, and Load's writes to the main window's controls set off
// that window's own handlers, nested, as a user's edits would.

#include "spectrum/Spectrum.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"

class TFormThemes : public tk::Form {
 public:
  TFormThemes();

  tk::Label* Label1 = nullptr;
  tk::ComboBox* ComboBox1 = nullptr;  // the record names in file order; the index is the position
  tk::Label* Label2 = nullptr;
  tk::Edit* Edit1 = nullptr;  // the name field
  tk::Button* LoadButton = nullptr;
  tk::Button* RenameButton = nullptr;
  tk::Button* DeleteButton = nullptr;
  tk::Button* SaveButton = nullptr;
  tk::Button* Button1 = nullptr;  // "Exit"

  // Holds the hue angles of the records a rename or delete copies; never drawn.
  TSpectrum Spectrum;

  void On_Show(tk::Control* sender);
  void On_CkickCB(tk::Control* sender);
  void On_Edit(tk::Control* sender);
  void On_LoadTheme(tk::Control* sender);
  void On_Save(tk::Control* sender);
  void On_Rename(tk::Control* sender);
  void On_Delete(tk::Control* sender);
  void On_ExitThemes(tk::Control* sender);
  void On_Close(tk::Control* sender);

 private:
  tk::ControlStore controls_;
};

extern TFormThemes* FormThemes;
