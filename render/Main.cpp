// quadrivia-render: the program's pictures as files, without a window (see --help).
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "render/Command.h"
#include "render/Interrupt.h"

int main(int argc, char** argv) {
  render::RemoveTemporaryFileOnInterrupt();
  const std::vector<std::string> args(argv + 1, argv + argc);
  return render::RunCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
