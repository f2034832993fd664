#include "themes/Catalog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <system_error>

#include "engine/TextRead.h"

namespace catalog {

namespace {

// The characters the readers take as white space; a name holding one would read back as
// several names.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// |v|, saturated: the most negative integer has no positive counterpart.
int Magnitude(int v) {
  if (v == INT_MIN) return INT_MAX;
  return v < 0 ? -v : v;
}

// ---- writing ----

void PutReal(std::string& out, float v) {
  // "%f" of the float widened to double: six decimals, rounded, "." always.
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed, 6);
  out.append(buf, r.ptr);
}

void PutInt(std::string& out, int v) {
  char buf[16];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

void Put(std::string& out, float v) { PutReal(out, v); }
void Put(std::string& out, int v) { PutInt(out, v); }

// One line of values separated by single spaces; `tail` is what precedes CR LF.
template <class... T>
void PutLine(std::string& out, const char* tail, const T&... values) {
  bool first = true;
  ((out += first ? "" : " ", first = false, Put(out, values)), ...);
  out += tail;
  out += "\r\n";
}

void PutSix(std::string& out, const float* v) { PutLine(out, "", v[0], v[1], v[2], v[3], v[4], v[5]); }

// ---- reading ----

bool Get(engine::Scanner& in, float& v) { return in.ReadFloat(v); }
bool Get(engine::Scanner& in, int& v) { return in.ReadInt(v); }

// One formatted read: values in order until one cannot be read.
template <class... T>
void GetLine(engine::Scanner& in, T&... values) {
  (Get(in, values) && ...);
}

void GetSix(engine::Scanner& in, float* v) { GetLine(in, v[0], v[1], v[2], v[3], v[4], v[5]); }

// The one way every reader reads a record. False when no name can be read: the text has
// ended, and then the value reads could change nothing either.
bool ReadRecord(engine::Scanner& in, ThemeRecord& r) {
  if (!in.ReadWord(r.Name, MaxNameLength)) return false;
  GetSix(in, r.Coef.data());
  GetSix(in, r.Coef.data() + 6);
  GetSix(in, r.CoefStep.data());
  GetSix(in, r.CoefStep.data() + 6);
  GetLine(in, r.Scale, r.SignedFactor, r.Step);
  GetLine(in, r.StartAngle, r.EndAngle, r.Direction);
  GetLine(in, r.MaxIter, r.Distribution, r.FullRange);
  GetLine(in, r.CentreX, r.CentreY);
  return true;
}

// ---- files ----

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return fd_; }
  bool Ok() const { return fd_ >= 0; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The whole file, or nothing when it cannot be opened or read (a folder in its place
// cannot be read either, nor a file larger than any catalogue); *error then says why.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, mode_t* mode = nullptr,
                                         int* error = nullptr) {
  auto failed = [&](int code) -> std::optional<std::string> {
    if (error) *error = code;
    return std::nullopt;
  };
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.Ok()) return failed(errno);
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return failed(errno);
  if (S_ISDIR(st.st_mode)) return failed(EISDIR);
  if (mode) *mode = st.st_mode;
  std::string text;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return failed(errno);
    if (n == 0) break;
    text.append(buf, static_cast<std::size_t>(n));
    if (text.size() > MostCatalogueBytes) return failed(EFBIG);
  }
  return text;
}

// So that a rename survives a crash as well as the data it names.
void SyncFolderOf(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Ok()) ::fsync(fd.Get());
}

// Writes `text` as a new file at `temp`, flushes it to disk and renames it over `target`.
// On any failure the temporary file is gone (if this call made it) and `target` is as it was.
bool ReplaceWhole(const std::filesystem::path& target, const std::filesystem::path& temp,
                  const std::string& text, mode_t mode) {
  // A stale copy left by a crash is removed; anything else standing there (a folder, a
  // device) is left alone and makes the exclusive create fail, so this never removes a
  // file it did not make.
  struct stat st {};
  if (::lstat(temp.c_str(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) ::unlink(temp.c_str());
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!fd.Ok()) return false;
  (void)::fchmod(fd.Get(), mode & 07777);  // the copy keeps the catalogue's permissions
  bool ok = WriteAll(fd.Get(), text) && ::fsync(fd.Get()) == 0;
  ok = fd.Close() && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolderOf(target);
  return true;
}

RewriteResult Rewrite(int position, const std::string* newName, float& startAngle, float& endAngle,
                      const CatalogFiles& files) {
  RewriteResult result;
  if (newName && NameProblem(*newName)) {
    result.Outcome = RewriteOutcome::RefusedName;
    return result;
  }
  // No catalogue to read: nothing is made, neither an empty catalogue nor a stray copy.
  mode_t mode = 0644;
  std::optional<std::string> source = ReadWholeFile(files.Catalogue, &mode);
  if (!source) {
    result.Outcome = RewriteOutcome::NoCatalogue;
    return result;
  }

  ThemeRecord scratch;
  scratch.StartAngle = startAngle;
  scratch.EndAngle = endAngle;
  engine::Scanner in(std::move(*source));
  std::string copy;
  for (int index = 0; ReadRecord(in, scratch); ++index) {
    if (index != position) {
      copy += FormatRecord(scratch);
      continue;
    }
    result.Found = true;
    if (newName) {
      ThemeRecord renamed = scratch;
      renamed.Name = *newName;
      copy += FormatRecord(renamed);
    }
    // else: left out
  }
  startAngle = scratch.StartAngle;
  endAngle = scratch.EndAngle;

  result.Outcome = ReplaceWhole(files.Catalogue, files.Temporary, copy, mode) ? RewriteOutcome::Replaced
                                                                              : RewriteOutcome::WriteFailed;
  if (!result.Replaced()) result.Found = false;
  return result;
}

}  // namespace

int ThemeRecord::SignFactor(int paletteFactor, bool usePalette) {
  const int magnitude = Magnitude(paletteFactor);
  return usePalette ? -magnitude : magnitude;
}

int ThemeRecord::FactorMagnitude() const { return Magnitude(SignedFactor); }

std::string FormatRecord(const ThemeRecord& r) {
  std::string out;
  out.reserve(512);
  out += r.Name;
  out += " \r\n";
  PutSix(out, r.Coef.data());
  PutSix(out, r.Coef.data() + 6);
  PutSix(out, r.CoefStep.data());
  PutSix(out, r.CoefStep.data() + 6);
  PutLine(out, "", r.Scale, r.SignedFactor, r.Step);
  PutLine(out, " ", r.StartAngle, r.EndAngle, r.Direction);
  PutLine(out, " ", r.MaxIter, r.Distribution, r.FullRange);
  PutLine(out, "", r.CentreX, r.CentreY);
  return out;
}

std::optional<std::string> NameProblem(const std::string& name) {
  if (name.empty()) return "A theme name must not be empty.";
  for (char c : name)
    if (IsSpace(c)) return "A theme name must be one word: no spaces.";
  if (name.size() > MaxNameLength)
    return "A theme name must be shorter than 80 bytes (a letter outside plain ASCII takes two "
           "or more).";
  return std::nullopt;
}

bool AppendRecord(const ThemeRecord& record, const CatalogFiles& files) {
  if (NameProblem(record.Name)) return false;
  // Read and append, as "a+" opens it; a file that allows no reading is still appended to.
  Fd fd(::open(files.Catalogue.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
  if (!fd.Ok()) fd.Reset(::open(files.Catalogue.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
  if (!fd.Ok()) return false;
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  // A file edited by hand may end without its last line end: the new name would run into the
  // last value or word and the record be read wrongly, so a line end goes first.
  std::string text;
  char last = '\n';
  if (st.st_size > 0 && ::pread(fd.Get(), &last, 1, st.st_size - 1) == 1 && !IsSpace(last)) text = "\r\n";
  text += FormatRecord(record);
  if (!WriteAll(fd.Get(), text) || ::fsync(fd.Get()) != 0) {
    // Cut a half-written record off again, so the catalogue reads as before.
    if (::ftruncate(fd.Get(), st.st_size) == 0) ::fsync(fd.Get());
    return false;
  }
  return fd.Close();
}

std::optional<std::string> ReadCatalogueText(const std::filesystem::path& path, int* error) {
  return ReadWholeFile(path, nullptr, error);
}

std::optional<std::vector<std::string>> ListNames(const CatalogFiles& files) {
  std::optional<std::string> text = ReadWholeFile(files.Catalogue);
  if (!text) return std::nullopt;
  return ListNamesIn(std::move(*text));
}

std::vector<std::string> ListNamesIn(std::string text) {
  std::vector<std::string> names;
  engine::Scanner in(std::move(text));
  ThemeRecord scratch;
  while (ReadRecord(in, scratch)) names.push_back(scratch.Name);
  return names;
}

bool ReadThrough(int position, ThemeRecord& dest, const CatalogFiles& files) {
  std::optional<std::string> text = ReadWholeFile(files.Catalogue);
  if (!text) return false;
  engine::Scanner in(std::move(*text));
  // Reads after the end of the text change nothing, so they need not be made.
  for (int index = 0; index <= position && ReadRecord(in, dest); ++index) {
  }
  return true;
}

RewriteResult RenameRecord(int position, const std::string& newName, float& startAngle, float& endAngle,
                           const CatalogFiles& files) {
  return Rewrite(position, &newName, startAngle, endAngle, files);
}

RewriteResult DeleteRecord(int position, float& startAngle, float& endAngle, const CatalogFiles& files) {
  return Rewrite(position, nullptr, startAngle, endAngle, files);
}

}  // namespace catalog
