#pragma once
// One Qt widget a toolkit control. A view pushes the model's state into its widget (Sync,
// with the widget's signals blocked, changing only what differs) and hands the user's
// actions to the control's User... entry points.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Control.h"

namespace qtfront {

class ControlView {
 public:
  ControlView(tk::Control& control, QWidget* widget) : control_(control), widget_(widget) {}
  virtual ~ControlView() = default;
  tk::Control& Control() const { return control_; }
  QWidget* Widget() const { return widget_; }
  // The widget that holds this control's children (a group box's, a panel's).
  virtual QWidget* ChildHost() const { return widget_; }
  void Sync();

 protected:
  virtual void SyncContent() {}
  tk::Control& control_;
  QWidget* widget_;

 private:
  bool first_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false, enabled_ = false;
  std::uint64_t fontKey_ = 0;
};

// Makes the view of a control, its widget a child of `parent`. `forward` runs one user action
// the way the loop does (guarded, then everything shown is brought up to date).
std::unique_ptr<ControlView> MakeView(tk::Control& control, QWidget* parent,
                                      const std::function<void(std::function<void()>)>& forward);

QFont ToQFont(const tk::Font& font);
QColor ToQColor(tk::Color c);

}  // namespace qtfront
