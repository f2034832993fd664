#include "render/Options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <functional>
#include <map>

namespace render {

namespace {

bool AllDigits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

// A whole number written in digits, with a minus sign when `sign` allows it; nothing for any
// other text or for a value beyond the 64-bit range.
std::optional<long long> Whole(const std::string& s, bool sign) {
  const std::string digits = sign && !s.empty() && s[0] == '-' ? s.substr(1) : s;
  if (!AllDigits(digits)) return std::nullopt;
  long long v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<std::pair<int, int>> Size(const std::string& s) {
  const std::size_t x = s.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  const auto w = Whole(s.substr(0, x), false);
  const auto h = Whole(s.substr(x + 1), false);
  if (!w || !h || *w < 1 || *h < 1 || *w > MostSide || *h > MostSide || *w * *h > MostPixels)
    return std::nullopt;
  return std::pair<int, int>(static_cast<int>(*w), static_cast<int>(*h));
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

}  // namespace

std::optional<PictureType> TypeOfName(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".png") return PictureType::Png;
  if (ext == ".bmp") return PictureType::Bmp;
  return std::nullopt;
}

std::optional<Request> ParseArguments(const std::vector<std::string>& args, std::string* error) {
  Request r;
  std::string why;
  bool firstGiven = false;

  // A whole number from `least` to `most` as the value of `option` into `into`; false with
  // `why` for anything else.
  auto bounded = [&](const char* option, long long least, long long most, int& into) {
    return [&why, option, least, most, &into](const std::string& v) {
      const auto n = Whole(v, false);
      if (!n || *n < least || *n > most) {
        why = std::string(option) + " wants a whole number from " + std::to_string(least) + " to " +
              std::to_string(most) + ", not " + Quoted(v);
        return false;
      }
      into = static_cast<int>(*n);
      return true;
    };
  };

  // Options that take a value: the value's reader, false (with `why`) when it is wrong.
  using Reader = std::function<bool(const std::string&)>;
  const std::map<std::string, Reader> valued = {
      {"--catalog",
       [&](const std::string& v) {
         r.catalogue = v;
         if (v.empty()) why = "--catalog wants a file name";
         return !v.empty();
       }},
      {"--theme",
       [&](const std::string& v) {
         r.theme = v;
         if (v.empty()) why = "--theme wants a name or a position";
         return !v.empty();
       }},
      {"--size",
       [&](const std::string& v) {
         const auto s = Size(v);
         if (!s) {
           why = "--size wants WIDTHxHEIGHT, each side 1 to " + std::to_string(MostSide) + " and at most " +
                 std::to_string(MostPixels) + " pixels in all, not " + Quoted(v);
           return false;
         }
         r.width = s->first;
         r.height = s->second;
         return true;
       }},
      {"--aa", bounded("--aa", 1, MostSupersampling, r.supersampling)},
      {"--iter",
       [&](const std::string& v) {
         r.iterations = Whole(v, true);
         if (!r.iterations) why = "--iter wants a whole number (kept within 5 to 999), not " + Quoted(v);
         return r.iterations.has_value();
       }},
      {"--output",
       [&](const std::string& v) {
         r.output = v;
         const auto type = TypeOfName(v);
         if (!type) {
           why = "the output " + Quoted(v) + " must end in .png or .bmp";
           return false;
         }
         r.type = *type;
         return true;
       }},
      {"--frames", bounded("--frames", 1, MostFrames, r.frames)},
      {"--first",
       [&, first = bounded("--first", 0, MostFrames, r.first)](const std::string& v) {
         if (!first(v)) return false;
         firstGiven = true;
         return true;
       }},
      {"--animate",
       [&](const std::string& v) {
         if (v != "scale" && v != "coeff") {
           why = "--animate wants scale or coeff, not " + Quoted(v);
           return false;
         }
         r.animate = v == "scale" ? AnimateMode::Scale : AnimateMode::Coeff;
         return true;
       }},
  };
  const std::map<std::string, bool*> flags = {
      {"--all", &r.all}, {"--list", &r.list}, {"--quiet", &r.quiet}, {"--help", &r.help}};
  const std::map<std::string, std::string> shortNames = {{"-o", "--output"}, {"-q", "--quiet"}, {"-h", "--help"}};

  auto fail = [&](const std::string& message) -> std::optional<Request> {
    if (error) *error = message;
    return std::nullopt;
  };

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const auto s = shortNames.find(name); s != shortNames.end()) {
      name = s->second;
    } else if (name.rfind("--", 0) == 0) {
      if (const std::size_t eq = name.find('='); eq != std::string::npos) {
        value = name.substr(eq + 1);
        name.resize(eq);
      }
    }
    if (const auto f = flags.find(name); f != flags.end()) {
      if (value) return fail(name + " takes no value");
      *f->second = true;
      continue;
    }
    const auto v = valued.find(name);
    if (v == valued.end()) {
      if (args[i].empty() || args[i][0] != '-') return fail("unexpected argument " + Quoted(args[i]));
      return fail("unknown option " + Quoted(args[i]));
    }
    if (!value) {
      if (i + 1 == args.size()) return fail(name + " wants a value");
      value = args[++i];
    }
    if (!v->second(*value)) return fail(why);
  }
  if (r.help) return r;

  if (!r.catalogue.empty() && r.theme.empty() && !r.all && !r.list)
    return fail("--catalog wants --theme, --all or --list with it");
  if (r.catalogue.empty() && (!r.theme.empty() || r.all || r.list))
    return fail(std::string(r.list ? "--list" : r.all ? "--all" : "--theme") + " wants --catalog FILE");
  if (r.all && !r.theme.empty()) return fail("--all and --theme cannot go together");
  if (r.all && r.frames > 0) return fail("--frames renders one picture's animation; it cannot go with --all");
  if (r.frames == 0 && (firstGiven || r.animate != AnimateMode::AsWindow))
    return fail(std::string(firstGiven ? "--first" : "--animate") + " wants --frames N");
  return r;
}

const char* HelpText() {
  return R"(Usage: quadrivia-render [OPTIONS]

Renders Quadrivia's pictures into PNG or BMP files, without a window, by the desktop
program's own rules: the same engine, palette, "Line"/"Square" distribution, full-range
palette and direct colour. At a size the full-screen window has, the file holds the very
pixels of the bitmap that window saves. The view's square of the plane always spans the
whole picture, stretched to its proportions, as the full-screen picture does.

What to render (default: the start picture):
  --catalog FILE        a catalogue file (catalog.dat) to take themes from
  --theme NAME|N        the theme of that name (the first, if several have it), or the
                        N-th theme of the file; N counts from 1 and digits alone are a position
  --all                 every theme of the catalogue, one file each, the theme's name put
                        before the extension: -o pics/t.png writes pics/t-Spiral.png, ...
                        Characters other than letters, digits and . _ - + become _, and a
                        name met again gets the theme's position added (t-Spiral-4.png)
  --list                print the catalogue's themes with their positions, and stop

How to render:
  --size WxH            the picture's size in pixels (default 1600x1200, the largest
                        full-screen picture); each side 1 to 32768, at most 268435456
                        pixels (16384x16384) in all
  --aa N                supersampling, 1 to 4 (default 1): N x N sub-pixels per pixel,
                        spread evenly over its area, their colours averaged
  --iter N              the iteration limit, kept within 5 to 999 as the window's "Max:"
                        field keeps it; the colouring stays as it is
  -o, --output FILE     the file to write (default quadrivia.png): .png or .bmp, by its
                        extension in any capitals. It is written whole or not at all

Animation:
  --frames N            N frames of the animation instead of one picture, frame k being
                        the picture the window shows after k ticks of its animation timer
                        (frame 0: the picture itself). Frame k goes to FILE with -k in four
                        digits (more when needed) before the extension: -o zoom/f.png writes
                        zoom/f-0000.png, zoom/f-0001.png, ...
  --first K             the first frame to write (default 0): the K ticks before it are
                        replayed, so a resumed run goes on with the same frames and names
  --animate scale|coeff zoom between the turning scales, or drift the coefficients by their
                        weights; default: as the window would (scale for the start picture,
                        coeff after a theme is loaded)

Other:
  -q, --quiet           no progress bar and no list of the files written
  -h, --help            this text

A progress bar goes to standard error while a render takes long, only when that is a
terminal. Each file written is named on standard output.

Exit status: 0 done; 1 could not be done (a catalogue that cannot be read, no such theme,
a file that cannot be written, not enough memory); 2 a wrong command line.

Examples:
  quadrivia-render -o start.png
  quadrivia-render --size 3840x2160 --aa 3 -o start-4k.png
  quadrivia-render --catalog run/catalog.dat --list
  quadrivia-render --catalog run/catalog.dat --theme Spiral --size 7680x4320 -o spiral.png
  quadrivia-render --catalog run/catalog.dat --theme 2 --iter 999 -o second.bmp
  quadrivia-render --catalog run/catalog.dat --all -o themes/theme.png
  quadrivia-render --frames 300 --size 640x480 -o zoom/frame.png
  quadrivia-render --frames 180 --first 120 --size 640x480 -o zoom/frame.png
  quadrivia-render --catalog run/catalog.dat --theme Spiral --frames 100 --animate coeff -o drift/f.png
)";
}

}  // namespace render
