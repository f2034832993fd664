#include "render/Progress.h"

#include <algorithm>

namespace render {

namespace {
constexpr auto Delay = std::chrono::milliseconds(500);
constexpr auto Interval = std::chrono::milliseconds(100);
constexpr int BarCells = 30;
}  // namespace

void Progress::Start() { started_ = Clock::now(); }

void Progress::Update(const std::string& label, double done) {
  if (!shown_) return;
  const auto now = Clock::now();
  if (now - started_ < Delay || (visible_ && now - drawn_ < Interval && done < 1)) return;
  drawn_ = now;
  done = std::clamp(done, 0.0, 1.0);
  const int filled = static_cast<int>(done * BarCells);
  std::string line = label + " [" + std::string(filled, '#') + std::string(BarCells - filled, '.') + "] " +
                     std::to_string(static_cast<int>(done * 100)) + "%";
  width_ = std::max(width_, line.size());
  std::fprintf(out_, "\r%-*s", static_cast<int>(width_), line.c_str());
  std::fflush(out_);
  visible_ = true;
}

void Progress::Done() {
  if (!visible_) return;
  std::fprintf(out_, "\r%*s\r", static_cast<int>(width_), "");
  std::fflush(out_);
  visible_ = false;
}

}  // namespace render
