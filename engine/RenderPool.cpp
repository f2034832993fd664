#include "engine/RenderPool.h"

#include <algorithm>

#include <unistd.h>

namespace engine::detail {

RenderPool& RenderPool::Instance() {
  // Made on the first render and destroyed at exit (workers woken and joined) after every
  // static object made before it. A child made by fork() has copies of the pool's handles,
  // locks and condition variables but none of its threads: destroying any of them there could
  // wait for ever, so the child leaves the pool alone.
  struct Holder {
    RenderPool* pool;
    ~Holder() {
      if (!pool->Forked()) delete pool;
    }
  };
  static Holder holder{new RenderPool(std::max(1, static_cast<int>(std::thread::hardware_concurrency())))};
  return *holder.pool;
}

bool RenderPool::Forked() const { return static_cast<long>(getpid()) != owner_; }

RenderPool::RenderPool(int workers) : owner_(static_cast<long>(getpid())) {
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
  if (Forked()) {
    // Only the forking thread exists here; the locks may have been copied held.
    task(arg, 0);
    return;
  }
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
