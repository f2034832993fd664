#pragma once
// A new file that takes its name only once it is whole. The bytes go to a fresh temporary file
// beside the target; Commit flushes it to the disk and renames it over the target in one step,
// so the chosen name holds either its old content or the whole new file, never a part of one.
// A replacement that is not committed (a failure, or one given up) removes its temporary file.

#include <cstddef>
#include <string>

class FileReplacement {
 public:
  FileReplacement() = default;
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Makes the temporary file for `path`. False, with Error() set, when it cannot be made.
  bool Open(const std::string& path);
  // False, with Error() set, when the bytes cannot be written; later calls then do nothing.
  bool Write(const void* data, std::size_t size);
  // Flushes, closes and renames the temporary file over the target.
  bool Commit();
  // Removes the temporary file; the target stays as it was.
  void Abandon();

  // The system's reason for the first failure, in plain words.
  const std::string& Error() const { return error_; }

  // When set, told the temporary file's path once it exists and nullptr once it is gone (or
  // has become the target), so that a program can remove it when it is interrupted.
  static inline void (*OnTemporary)(const char* path) = nullptr;

 private:
  bool Fail(int code);

  std::string target_;
  std::string temp_;
  int fd_ = -1;
  std::string error_;
};
