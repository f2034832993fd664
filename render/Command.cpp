#include "render/Command.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <new>
#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>

#include "render/Options.h"
#include "render/Output.h"
#include "render/Progress.h"
#include "render/Session.h"
#include "themes/Catalog.h"

namespace render {

namespace {

constexpr const char* Program = "quadrivia-render: ";

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// "-" and the text; built by appending, which GCC 12's -Wrestrict does not misread.
std::string Dashed(const std::string& s) { return std::string(1, '-').append(s); }

std::string ReadCatalogue(const std::string& path) {
  int error = 0;
  std::optional<std::string> text = catalog::ReadCatalogueText(path, &error);
  if (text) return std::move(*text);
  if (error == EFBIG)
    throw std::runtime_error("the catalogue " + Quoted(path) + " is larger than " +
                             std::to_string(catalog::MostCatalogueBytes >> 20) + " MB: not a catalogue");
  throw std::runtime_error("cannot read the catalogue " + Quoted(path) + ": " + std::system_category().message(error));
}

// The position (from 0) of the theme a --theme value names.
int ThemePosition(const std::string& theme, const std::vector<std::string>& names, const std::string& catalogue) {
  const bool digits = theme.find_first_not_of("0123456789") == std::string::npos;
  if (digits) {
    long long n = 0;
    const auto r = std::from_chars(theme.data(), theme.data() + theme.size(), n);
    if (r.ec == std::errc() && n >= 1 && n <= static_cast<long long>(names.size())) return static_cast<int>(n - 1);
    throw std::runtime_error("theme position " + theme + " is out of range: " + Quoted(catalogue) + " holds " +
                             std::to_string(names.size()) + (names.size() == 1 ? " theme" : " themes") +
                             " (positions count from 1)");
  }
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == theme) return static_cast<int>(i);
  throw std::runtime_error("no theme named " + Quoted(theme) + " in " + Quoted(catalogue) +
                           "; --list shows its themes");
}

// One picture, or one animation, to make.
struct Job {
  int position = -1;  // the theme's, or -1 for the start picture
  std::string name;   // the theme's
  std::string output;
};

std::vector<Job> Jobs(const Request& r, const std::vector<std::string>& names) {
  if (r.all) {
    if (names.empty()) throw std::runtime_error(Quoted(r.catalogue) + " holds no themes");
    std::vector<Job> jobs;
    std::set<std::string> taken;
    for (std::size_t i = 0; i < names.size(); ++i) {
      std::string output = WithSuffix(r.output, Dashed(FileNamePart(names[i])));
      // Names may repeat, or differ only in what FileNamePart replaces.
      while (taken.count(output)) output = WithSuffix(output, Dashed(std::to_string(i + 1)));
      taken.insert(output);
      jobs.push_back({static_cast<int>(i), names[i], output});
    }
    return jobs;
  }
  if (!r.theme.empty()) {
    const int position = ThemePosition(r.theme, names, r.catalogue);
    return {{position, names[position], r.output}};
  }
  return {{-1, "", r.output}};
}

void Run(const Request& r, std::ostream& out, bool progressShown) {
  std::string catalogue;
  std::vector<std::string> names;
  if (!r.catalogue.empty()) {
    catalogue = ReadCatalogue(r.catalogue);
    names = catalog::ListNamesIn(catalogue);
  }
  if (r.list) {
    for (std::size_t i = 0; i < names.size(); ++i) out << i + 1 << '\t' << names[i] << '\n';
    return;
  }

  const std::vector<Job> jobs = Jobs(r, names);
  const PictureSize size{r.width, r.height, r.supersampling};
  const int perJob = r.frames > 0 ? r.frames : 1;
  const std::size_t total = jobs.size() * static_cast<std::size_t>(perJob);
  std::size_t made = 0;
  Progress progress(progressShown && !r.quiet);
  progress.Start();

  auto write = [&](TMainForm& window, const std::string& path, const std::string& label) {
    WritePicture(window, size, path, r.type, [&](double share) {
      progress.Update(label, (static_cast<double>(made) + share) / static_cast<double>(total));
    });
    ++made;
    if (!r.quiet) {
      progress.Done();
      out << path << '\n' << std::flush;
    }
  };

  for (std::size_t j = 0; j < jobs.size(); ++j) {
    const Job& job = jobs[j];
    WindowSession session;
    if (job.position >= 0)
      session.LoadTheme(catalogue, job.position);
    else
      session.ShowStartPicture();
    if (r.iterations) session.SetIterationLimit(*r.iterations);
    std::string label = job.position >= 0 ? job.name : "start picture";
    if (jobs.size() > 1) label = "theme " + std::to_string(j + 1) + " of " + std::to_string(jobs.size()) + " " + label;

    if (r.frames == 0) {
      write(session.Main(), job.output, label);
      continue;
    }
    if (r.animate != AnimateMode::AsWindow) session.Main().AnimateScale = r.animate == AnimateMode::Scale;
    // Frame k is the state after k ticks, so a resumed run replays the ticks before it.
    for (int k = 0; k < r.first; ++k) {
      session.Tick();
      progress.Update("replaying " + std::to_string(r.first) + " ticks", 0);
    }
    for (int k = r.first; k < r.first + r.frames; ++k) {
      if (k > r.first) session.Tick();
      write(session.Main(), WithSuffix(job.output, FrameSuffix(k)),
            "frame " + std::to_string(k - r.first + 1) + " of " + std::to_string(r.frames));
    }
  }
}

}  // namespace

std::string WithSuffix(const std::string& path, const std::string& suffix) {
  const std::filesystem::path p(path);
  return (p.parent_path() / (p.stem().string() + suffix + p.extension().string())).string();
}

std::string FrameSuffix(int k) {
  std::string digits = std::to_string(k);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return Dashed(digits);
}

std::string FileNamePart(const std::string& name) {
  std::string part = name;
  for (char& c : part) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool kept = (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80 ||
                      c == '.' || c == '_' || c == '-' || c == '+';
    if (!kept) c = '_';
  }
  return part;
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progress) {
  std::string why;
  const std::optional<Request> request = ParseArguments(args, &why);
  if (!request) {
    err << Program << why << " (see --help)\n";
    return ExitUsage;
  }
  if (request->help) {
    out << HelpText();
    return ExitDone;
  }
  try {
    Run(*request, out, progress);
  } catch (const std::bad_alloc&) {
    err << Program << "not enough memory to render a " << request->width << "x" << request->height << " picture"
        << (request->supersampling > 1 ? " with --aa " + std::to_string(request->supersampling) : std::string())
        << '\n';
    return ExitFailed;
  } catch (const std::exception& e) {
    err << Program << e.what() << '\n';
    return ExitFailed;
  }
  return ExitDone;
}

}  // namespace render
