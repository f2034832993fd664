#include "render/Interrupt.h"

#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "full/FileReplacement.h"

namespace render {

namespace {

// A path copied here from the main thread while its flag is 0, so that the handler, which
// may only make async-signal-safe calls, reads a whole path or none.
struct Followed {
  char path[4096];
  volatile sig_atomic_t known = 0;

  void Set(const char* base, const char* name = nullptr) {
    known = 0;
    if (!base) return;
    const std::size_t a = std::strlen(base), b = name ? std::strlen(name) + 1 : 0;
    if (a + b + 1 > sizeof path) return;
    std::memcpy(path, base, a);
    if (name) {
      path[a] = '/';
      std::memcpy(path + a + 1, name, b - 1);
    }
    path[a + b] = '\0';
    known = 1;
  }
};

Followed temporary;
// The files the windows make in their folder (the settings, the catalogue and its copy),
// then the folder itself.
constexpr const char* FolderFiles[] = {"ini.dat", "catalog.dat", "catalog.tmp"};
Followed folderFiles[3];
Followed folder;

void OnSignal(int signal) {
  if (temporary.known) ::unlink(temporary.path);
  for (const Followed& f : folderFiles)
    if (f.known) ::unlink(f.path);
  if (folder.known) ::rmdir(folder.path);
  // Ends the program as the signal would have.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void RemoveTemporaryFileOnInterrupt() {
  FileReplacement::OnTemporary = [](const char* path) { temporary.Set(path); };
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

void FollowWorkingFolder(const char* path) {
  folder.Set(nullptr);
  for (std::size_t i = 0; i < std::size(FolderFiles); ++i) folderFiles[i].Set(path, FolderFiles[i]);
  folder.Set(path);
}

}  // namespace render
