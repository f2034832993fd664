#pragma once
// The render's worker threads: made once, on the first render, and kept for the process.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace engine::detail {

class RenderPool {
 public:
  using Task = void (*)(void* arg, int participant);

  // The process-wide pool, made on first use with one worker per hardware thread (at least
  // one). A render normally takes the calling thread and all but one worker, one thread per
  // hardware thread; the spare worker lets a caller ask for one thread more than the
  // machine has (the tests run 3 threads on 2 cores). At exit the workers are woken and
  // joined (a forked child, which has none of them, leaves the pool alone).
  static RenderPool& Instance();

  int Workers() const { return static_cast<int>(threads_.size()); }

  // Runs task(arg, i) for i = 0 .. participants-1: i = 0 on the calling thread, the others on
  // workers, and returns when every one has finished. participants is clamped to
  // 1 .. Workers()+1. One run at a time; a concurrent caller waits for its turn. No
  // allocation. In a child made by fork() the workers do not exist: there the calling thread
  // does all the work.
  void Run(int participants, Task task, void* arg);

  RenderPool(const RenderPool&) = delete;
  RenderPool& operator=(const RenderPool&) = delete;
  ~RenderPool();

 private:
  explicit RenderPool(int workers);
  void WorkerLoop(int worker);
  bool Forked() const;

  std::mutex runMutex_;  // serialises Run
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  std::uint64_t generation_ = 0;
  int helpers_ = 0;   // workers taking part in the current run
  int pending_ = 0;   // of those, how many have not finished
  Task task_ = nullptr;
  void* arg_ = nullptr;
  bool stop_ = false;
  long owner_;  // the process that made the workers
  std::vector<std::thread> threads_;
};

}  // namespace engine::detail
