#include "engine/RenderPool.h"

#include <algorithm>

namespace engine::detail {

RenderPool& RenderPool::Instance() {
  // A function-local static: made on the first render, destroyed (workers joined) at exit
  // after every object made before it.
  static RenderPool pool(std::max(1, static_cast<int>(std::thread::hardware_concurrency())));
  return pool;
}

RenderPool::RenderPool(int workers) {
  threads_.reserve(static_cast<std::size_t>(workers));
  for (int i = 0; i < workers; ++i) threads_.emplace_back([this, i] { WorkerLoop(i); });
}

RenderPool::~RenderPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void RenderPool::WorkerLoop(int worker) {
  std::uint64_t seen = 0;
  for (;;) {
    Task task;
    void* arg;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stop_ || (generation_ != seen && worker < helpers_); });
      if (stop_) return;
      seen = generation_;
      task = task_;
      arg = arg_;
    }
    task(arg, worker + 1);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (--pending_ == 0) finished_.notify_one();
    }
  }
}

void RenderPool::Run(int participants, Task task, void* arg) {
  participants = std::clamp(participants, 1, Workers() + 1);
  std::lock_guard<std::mutex> runLock(runMutex_);
  if (participants > 1) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      task_ = task;
      arg_ = arg;
      helpers_ = participants - 1;
      pending_ = helpers_;
      ++generation_;
    }
    wake_.notify_all();
  }
  task(arg, 0);
  if (participants > 1) {
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [&] { return pending_ == 0; });
    helpers_ = 0;
  }
}

}  // namespace engine::detail
