#pragma once
// A window: a control that holds controls, shown modelessly or modally.

#include <string>

#include "toolkit/Control.h"
#include "toolkit/Menu.h"

namespace tk {

enum class BorderStyle { None, Single, Sizeable, Dialog };
enum class FormPosition { Designed, ScreenCenter };

struct BorderIcons {
  bool SystemMenu = true;
  bool Minimize = true;
  bool Maximize = true;
};

using CloseEvent = std::function<void(Control* sender)>;

class Form : public Control {
 public:
  explicit Form(std::string name = {});
  ~Form() override;

  std::string Caption;
  int ClientWidth = 0;
  int ClientHeight = 0;
  ::tk::BorderStyle BorderStyle = BorderStyle::Sizeable;
  ::tk::BorderIcons BorderIcons;
  FormPosition Position = FormPosition::Designed;
  bool KeyPreview = false;
  MainMenu* Menu = nullptr;  // shown on the form's menu bar
  bool Scaled = false;
  // Set by the application on its first form: hiding it ends the program.
  bool IsMainForm = false;

  NotifyEvent OnShow;
  CloseEvent OnClose;

  // The outer size, frame included, as the platform last reported it (the client size
  // until a platform has shown the form).
  int OuterWidth() const { return outerWidth_ ? outerWidth_ : ClientWidth; }
  int OuterHeight() const { return outerHeight_ ? outerHeight_ : ClientHeight; }
  void SetOuterSize(int width, int height) {
    outerWidth_ = width;
    outerHeight_ = height;
  }

  void Show();
  void Hide();
  // Raises OnClose, then hides the form; a modal showing then ends.
  void Close();
  // Shows the form and returns when it has been closed.
  void ShowModal();
  bool Modal() const { return modal_; }

  // The window's close box.
  void UserClose() { Close(); }

 private:
  bool modal_ = false;
  int outerWidth_ = 0;
  int outerHeight_ = 0;
};

}  // namespace tk
