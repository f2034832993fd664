#pragma once
#include <functional>
#include <string>

namespace tk {

class Control;

// A timer of the message loop: while enabled, OnTimer runs every Interval milliseconds
// when the loop is idle; ticks that fall due during a long handler do not pile up.
class Timer {
 public:
  explicit Timer(std::string name = {}) : Name(std::move(name)) {}
  ~Timer();
  std::string Name;
  int Interval = 1000;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::function<void(Timer* sender)> OnTimer;
  // One tick, as the loop delivers it.
  void Fire() {
    if (enabled_ && OnTimer) OnTimer(this);
  }

 private:
  bool enabled_ = false;
};

}  // namespace tk
