#pragma once
// The toolkit's platform on Qt: real windows for the forms, the event loop, timers, modal
// loops, message boxes, the save dialog, the screen's size, and the desktop's file viewer.

#include <QApplication>
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "frontend/qt/FormWindow.h"
#include "toolkit/Platform.h"

namespace qtfront {

class QtPlatform : public QObject, public tk::Platform {
 public:
  explicit QtPlatform(QApplication& app);
  ~QtPlatform() override;

  // Runs one user action as the loop does: an error is shown with the standard message,
  // then every shown window is brought up to date.
  void Forward(const std::function<void()>& action);
  void SyncAll();
  // The window of a form, once it has been shown; null before.
  FormWindow* WindowOf(const tk::Form& form) const;
  QWidget* WidgetOf(const tk::Control& control) const;

  void RunLoop() override;
  void Terminate() override;
  void ProcessPendingEvents() override;
  void FormShown(tk::Form& form) override;
  void FormHidden(tk::Form& form) override;
  void RunModal(tk::Form& form) override;
  void TimerChanged(tk::Timer& timer) override;
  void RepaintNow(tk::Control& control) override;
  void ShowMessage(const std::string& text) override;
  bool ExecuteSaveDialog(tk::SavePictureDialog& dialog) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  void OpenWithDefaultViewer(const std::string& file) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FormWindow* WindowFor(QObject* widget) const;

  QApplication& app_;
  std::map<const tk::Form*, std::unique_ptr<FormWindow>> windows_;
  std::map<tk::Timer*, std::unique_ptr<QTimer>> timers_;
  std::map<const tk::Form*, QEventLoop*> modalLoops_;
  // An input event Qt passes on to parent widgets reaches the toolkit once.
  struct InputKey {
    int type;
    unsigned long time;
    int a, b;
    bool operator==(const InputKey&) const = default;
  };
  InputKey lastInput_{0, 0, 0, 0};
  bool terminated_ = false;
};

}  // namespace qtfront
