#pragma once
#include <exception>
#include <memory>
#include <vector>

#include "toolkit/Form.h"

namespace tk {

// The application object: creates the forms in order, runs the message loop, and shows an
// error's standard message. The first form created is the main form: closing it ends the
// program.
class Application {
 public:
  Application();
  ~Application();
  static Application* Instance();

  template <class T>
  T* CreateForm(T*& reference) {
    auto form = std::make_unique<T>();
    reference = form.get();
    if (!mainForm_) {
      mainForm_ = form.get();
      mainForm_->IsMainForm = true;
    }
    forms_.push_back(std::move(form));
    return reference;
  }
  // Destroys the forms, last created first.
  void DestroyForms();

  Form* MainForm() const { return mainForm_; }
  // Shows the main form and runs the loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // The standard message for an error that escaped a handler.
  void ShowException(const std::exception& e);
  void ShowException(const char* what);

 private:
  std::vector<std::unique_ptr<Form>> forms_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
};

// Runs one handler call the way the loop does: an exception it raises is shown with the
// standard message and the program goes on.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    if (Application* app = Application::Instance()) app->ShowException(e);
  } catch (...) {
    if (Application* app = Application::Instance()) app->ShowException("Unknown error");
  }
}

}  // namespace tk
