#pragma once
// A progress bar on standard error for the renders that take a while: drawn only on a
// terminal, only once a render has run for half a second, and wiped when it ends.

#include <chrono>
#include <cstdio>
#include <string>

namespace render {

class Progress {
 public:
  // `shown` false: nothing is ever drawn.
  Progress(bool shown, std::FILE* out = stderr) : shown_(shown), out_(out) {}
  ~Progress() { Done(); }

  // The work begins; the bar shows once it has run for a while.
  void Start();
  // The share done, 0 to 1, of the work `label` names ("frame 3 of 10").
  void Update(const std::string& label, double done);
  // Wipes the bar.
  void Done();

 private:
  using Clock = std::chrono::steady_clock;
  bool shown_;
  std::FILE* out_;
  Clock::time_point started_{};
  Clock::time_point drawn_{};
  bool visible_ = false;
  std::size_t width_ = 0;
};

}  // namespace render
