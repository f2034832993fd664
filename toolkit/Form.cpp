#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Platform.h"

namespace tk {

Form::Form(std::string name) : Control(std::move(name)) { Visible = false; }

Form::~Form() = default;

void Form::Show() {
  if (Visible) return;
  Visible = true;
  MarkChanged();
  if (Platform* p = CurrentPlatform()) p->FormShown(*this);
  if (OnShow) OnShow(this);
}

void Form::Hide() {
  if (!Visible) return;
  Visible = false;
  MarkChanged();
  if (Platform* p = CurrentPlatform()) p->FormHidden(*this);
  if (IsMainForm)
    if (Application* app = Application::Instance()) app->Terminate();
}

void Form::Close() {
  if (OnClose) OnClose(this);
  Hide();
}

void Form::ShowModal() {
  modal_ = true;
  Show();
  if (Visible) {
    if (Platform* p = CurrentPlatform())
      p->RunModal(*this);
    else
      Hide();
  }
  modal_ = false;
}

}  // namespace tk
