#pragma once
// A platform without a screen, for tests: timers are ticked by the test, modal forms run a
// script, message boxes are recorded and answered OK, the save dialog answers from a script.

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/Platform.h"

namespace tk {

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // Run inside ShowModal(); the modal showing ends when the form is closed. With no script
  // (or when the script leaves it open) the form closes at once.
  std::function<void(Form&)> OnModal;
  // Every message box's text, in order.
  std::vector<std::string> Messages;
  // Sets FileName and returns true to confirm; with none, the dialog is cancelled.
  std::function<bool(SavePictureDialog&)> OnSaveDialog;
  std::vector<std::string> OpenedFiles;
  int ScreenWidthValue = 1024;
  int ScreenHeightValue = 768;
  // Immediate repaints per control name.
  std::map<std::string, int> Repaints;
  // Run by ProcessPendingEvents, standing for input that waits in the queue.
  std::function<void()> OnPendingEvents;

  // Fires every enabled timer once, as the idle loop would.
  void Tick();
  const std::set<Timer*>& EnabledTimers() const { return timers_; }
  bool Terminated() const { return terminated_; }

  void RunLoop() override {}
  void Terminate() override { terminated_ = true; }
  void ProcessPendingEvents() override {
    if (OnPendingEvents) OnPendingEvents();
  }
  void FormShown(Form&) override {}
  void FormHidden(Form&) override {}
  void RunModal(Form& form) override;
  void TimerChanged(Timer& timer) override;
  void RepaintNow(Control& control) override;
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  bool ExecuteSaveDialog(SavePictureDialog& dialog) override {
    return OnSaveDialog ? OnSaveDialog(dialog) : false;
  }
  int ScreenWidth() override { return ScreenWidthValue; }
  int ScreenHeight() override { return ScreenHeightValue; }
  void OpenWithDefaultViewer(const std::string& file) override { OpenedFiles.push_back(file); }

 private:
  std::set<Timer*> timers_;
  bool terminated_ = false;
};

}  // namespace tk
