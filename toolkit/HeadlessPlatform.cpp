#include "toolkit/HeadlessPlatform.h"

#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/Timer.h"

namespace tk {

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::Tick() {
  // A tick may enable or disable timers; fire those enabled when the tick began.
  const std::vector<Timer*> due(timers_.begin(), timers_.end());
  for (Timer* t : due)
    if (timers_.count(t)) t->Fire();
}

void HeadlessPlatform::RunModal(Form& form) {
  if (OnModal) OnModal(form);
  if (form.Visible) form.Close();
}

void HeadlessPlatform::TimerChanged(Timer& timer) {
  if (timer.Enabled())
    timers_.insert(&timer);
  else
    timers_.erase(&timer);
}

void HeadlessPlatform::RepaintNow(Control& control) { ++Repaints[control.Name]; }

}  // namespace tk
