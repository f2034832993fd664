#pragma once
// An interrupted render (Ctrl-C, a kill) leaves no temporary file beside its output: the
// file being written is removed before the program ends by the signal.

namespace render {

// Installs the handlers for SIGINT, SIGTERM and SIGHUP (those not ignored from the start) and
// follows FileReplacement's temporary files. For the program's main; tests do not need it.
void RemoveTemporaryFileOnInterrupt();

}  // namespace render
