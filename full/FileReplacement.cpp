#include "full/FileReplacement.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

FileReplacement::~FileReplacement() { Abandon(); }

bool FileReplacement::Fail(int code) {
  if (error_.empty()) error_ = std::system_category().message(code);
  Abandon();
  return false;
}

bool FileReplacement::Open(const std::string& path) {
  Abandon();
  error_.clear();
  target_ = path;
  const std::filesystem::path target(path);
  const std::string base = target.filename().string();
  if (base.empty() || base == "." || base == "..") return Fail(EISDIR);
  // A fresh name beside the target: the rename then stays inside one file system, where it
  // replaces the target in one step. O_EXCL never reuses a file that happens to exist.
  std::string stem(1, '.');
  stem.append(base, 0, 200).append(1, '.').append(std::to_string(::getpid())).append(1, '.');
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_ = (target.parent_path() / (stem + std::to_string(attempt) + ".tmp")).string();
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      if (OnTemporary) OnTemporary(temp_.c_str());
      return true;
    }
    if (errno != EEXIST) {
      temp_.clear();
      return Fail(errno);
    }
  }
  temp_.clear();
  return Fail(EEXIST);
}

bool FileReplacement::Write(const void* data, std::size_t size) {
  if (fd_ < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool FileReplacement::Commit() {
  if (fd_ < 0) return false;
  // On the disk before it takes the target's name, so a crash cannot leave a short file there.
  // EINVAL: a file system without synchronisation, where there is nothing to wait for.
  if (::fsync(fd_) != 0 && errno != EINVAL) return Fail(errno);
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return Fail(errno);
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) return Fail(errno);
  temp_.clear();
  if (OnTemporary) OnTemporary(nullptr);
  return true;
}

void FileReplacement::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    if (OnTemporary) OnTemporary(nullptr);
  }
  temp_.clear();
}
