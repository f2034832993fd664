// Timer, dialogs and file-system calls: thin layers over the platform and std::filesystem.
#include <filesystem>
#include <system_error>

#include "toolkit/Dialogs.h"
#include "toolkit/FileSystem.h"
#include "toolkit/Platform.h"
#include "toolkit/Timer.h"

namespace tk {

Timer::~Timer() {
  if (enabled_) {
    enabled_ = false;
    if (Platform* p = CurrentPlatform()) p->TimerChanged(*this);
  }
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (Platform* p = CurrentPlatform()) p->TimerChanged(*this);
}

bool SavePictureDialog::Execute() {
  Platform* p = CurrentPlatform();
  if (!p || !p->ExecuteSaveDialog(*this) || FileName.empty()) return false;
  if (!DefaultExt.empty()) FileName = WithDefaultExtension(FileName, DefaultExt);
  return true;
}

std::string WithDefaultExtension(const std::string& name, const std::string& ext) {
  const std::size_t slash = name.find_last_of('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  if (start >= name.size() || name.find('.', start) != std::string::npos) return name;
  return name + "." + ext;
}

void ShowMessage(const std::string& text) {
  if (Platform* p = CurrentPlatform()) p->ShowMessage(text);
}

bool SetCurrentDirectory(const std::string& path) {
  std::error_code ec;
  std::filesystem::current_path(path, ec);
  return !ec;
}

bool CreateDirectory(const std::string& path) {
  std::error_code ec;
  return std::filesystem::create_directory(path, ec) && !ec;
}

std::string CurrentDirectory() {
  std::error_code ec;
  auto p = std::filesystem::current_path(ec);
  return ec ? std::string() : p.string();
}

}  // namespace tk
