#include "render/Interrupt.h"

#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "full/FileReplacement.h"

namespace render {

namespace {

// The path is copied here from the main thread while `known` is 0, so the handler, which
// may only make async-signal-safe calls, reads a whole path or none.
char temporary[4096];
volatile sig_atomic_t known = 0;

void Follow(const char* path) {
  known = 0;
  if (!path || std::strlen(path) >= sizeof temporary) return;
  std::memcpy(temporary, path, std::strlen(path) + 1);
  known = 1;
}

void OnSignal(int signal) {
  if (known) ::unlink(temporary);
  // Ends the program as the signal would have.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void RemoveTemporaryFileOnInterrupt() {
  FileReplacement::OnTemporary = Follow;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal ignored from the start (nohup, a background job) stays ignored.
    struct sigaction before {};
    if (::sigaction(s, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &action, nullptr);
  }
}

}  // namespace render
