#pragma once
// What the toolkit needs of the desktop it runs on. The Qt front end implements it for the
// real program, tk::HeadlessPlatform for tests.

#include <string>

namespace tk {

class Control;
class Form;
class Timer;
class SavePictureDialog;

class Platform {
 public:
  virtual ~Platform() = default;

  // The message loop of the application; returns after Terminate().
  virtual void RunLoop() = 0;
  virtual void Terminate() = 0;
  // Runs pending user input and timer-free events, then returns (used between the
  // attempts of a long computation so that the window stays usable).
  virtual void ProcessPendingEvents() = 0;

  virtual void FormShown(Form& form) = 0;
  virtual void FormHidden(Form& form) = 0;
  // Runs a modal showing of a form that is already shown; returns once it is hidden.
  virtual void RunModal(Form& form) = 0;

  virtual void TimerChanged(Timer& timer) = 0;
  // Shows the control's current look at once, without waiting for the loop.
  virtual void RepaintNow(Control& control) = 0;

  // A plain message box with an OK button; returns when it is dismissed.
  virtual void ShowMessage(const std::string& text) = 0;
  // True when the user confirmed a file name, which is then in dialog.FileName.
  virtual bool ExecuteSaveDialog(SavePictureDialog& dialog) = 0;

  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;

  // Hands a file to the desktop's default viewer for its type; the result is not examined.
  virtual void OpenWithDefaultViewer(const std::string& file) = 0;
};

// The platform the application and every form use.
void UsePlatform(Platform& platform);
// The platform in use, or null before UsePlatform.
Platform* CurrentPlatform();

}  // namespace tk
