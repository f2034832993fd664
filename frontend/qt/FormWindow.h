#pragma once
// The top-level window of one toolkit form: its menu bar, its client area of the form's
// client size, and the views of its controls.

#include <QMainWindow>
#include <QMenuBar>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "frontend/qt/Views.h"
#include "toolkit/Form.h"

namespace qtfront {

class QtPlatform;

class FormWindow : public QMainWindow {
 public:
  FormWindow(tk::Form& form, QtPlatform& platform);
  ~FormWindow() override;

  tk::Form& Form() const { return form_; }
  QWidget* Client() const { return client_; }
  // Brings every widget of the window up to date with its control.
  void Sync();
  // The view of a control of this form, or null.
  ControlView* ViewOf(const tk::Control* control) const;
  // The control a widget shows (the form itself for the client area), or null.
  tk::Control* ControlOf(const QObject* widget) const;
  // Tells the form where its frame stands and how large it is.
  void ReportFrame();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void MakeViews(tk::Control& parent, QWidget* host);
  void SyncMenu();

  tk::Form& form_;
  QtPlatform& platform_;
  QWidget* client_;
  std::vector<std::unique_ptr<ControlView>> views_;
  std::map<const QObject*, ControlView*> byWidget_;
  std::map<const tk::Control*, ControlView*> byControl_;
  std::vector<std::pair<QAction*, tk::MenuItem*>> actions_;
  bool placed_ = false;
  int left_ = 0, top_ = 0, clientWidth_ = 0, clientHeight_ = 0;
};

}  // namespace qtfront
