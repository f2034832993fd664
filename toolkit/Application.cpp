#include "toolkit/Application.h"

#include "toolkit/Dialogs.h"
#include "toolkit/Platform.h"

namespace tk {

namespace {
Application* instance = nullptr;
}

Application::Application() { instance = this; }

Application::~Application() {
  DestroyForms();
  if (instance == this) instance = nullptr;
}

Application* Application::Instance() { return instance; }

void Application::DestroyForms() {
  while (!forms_.empty()) forms_.pop_back();
  mainForm_ = nullptr;
}

void Application::Run() {
  if (!mainForm_) return;
  mainForm_->Show();
  if (terminated_) return;
  if (Platform* p = CurrentPlatform()) p->RunLoop();
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  if (Platform* p = CurrentPlatform()) p->Terminate();
}

void Application::ShowException(const std::exception& e) { ShowException(e.what()); }

void Application::ShowException(const char* what) {
  std::string text = what && *what ? what : "Error";
  if (text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
  ShowMessage(text);
}

}  // namespace tk
