#pragma once
// The whole of quadrivia-render: the command line in, the pictures out.

#include <ostream>
#include <string>
#include <vector>

namespace render {

inline constexpr int ExitDone = 0;
inline constexpr int ExitFailed = 1;  // could not be done: files, themes, memory
inline constexpr int ExitUsage = 2;   // the command line is wrong by itself

// Runs the command for `args` (the program's name not among them): --help and the list of
// the files written go to `out`, errors (one line each, "quadrivia-render: ...") to `err`.
// `progress`: whether a progress bar may be drawn on standard error. Returns the exit status.
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progress);

// FILE with `suffix` put before its extension: ("zoom/f.png", "-0003") gives zoom/f-0003.png.
std::string WithSuffix(const std::string& path, const std::string& suffix);
// The suffix of frame k: "-" and k in four digits or more.
std::string FrameSuffix(int k);
// A theme's name as it can stand in a file name: characters other than letters, digits and
// . _ - + become _ (bytes of other code pages are kept).
std::string FileNamePart(const std::string& name);

}  // namespace render
