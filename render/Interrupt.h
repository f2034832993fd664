#pragma once
// An interrupted render (Ctrl-C, a kill) leaves nothing behind: neither the temporary file
// beside its output nor the windows' private working folder.

namespace render {

// Installs the handlers for SIGINT, SIGTERM and SIGHUP (those not ignored from the start) and
// follows FileReplacement's temporary files. For the program's main; tests do not need it.
void RemoveTemporaryFileOnInterrupt();

// The private working folder of the windows, with the files they may make in it, or nullptr
// once it is gone.
void FollowWorkingFolder(const char* folder);

}  // namespace render
