#pragma once
// The program's five windows on a headless platform, as the desktop program has them, so
// that every picture is made by the main window's own state and handlers: a theme is loaded
// through the catalogue dialog's Load, an animation frame is what the timer's ticks leave.
// One session at a time; it lives in a private working folder (the windows read and write
// ini.dat and catalog.dat there) and leaves the caller's folder and platform as they were.

#include <filesystem>
#include <string>

#include "app/Main.h"
#include "toolkit/HeadlessPlatform.h"

namespace render {

class WindowSession {
 public:
  // Throws std::runtime_error when the working folder cannot be made or a session is open.
  WindowSession();
  ~WindowSession();
  WindowSession(const WindowSession&) = delete;
  WindowSession& operator=(const WindowSession&) = delete;

  TMainForm& Main() const { return *MainForm; }

  // The start picture: the state the main window is built with, rendered.
  void ShowStartPicture();
  // Loads the theme at `position` (from 0) of a catalogue holding `catalogueText`, as the
  // user would: the "Catalogue" command, the entry chosen, "Load".
  void LoadTheme(const std::string& catalogueText, int position);
  // The iteration limit set and kept as the "Max:" field keeps it, the palette rebuilt for
  // it, the colouring unchanged.
  void SetIterationLimit(long long limit);
  // One tick of the animation timer.
  void Tick();

 private:
  // Runs `work` with the private folder as the working folder.
  template <class F>
  void InFolder(F work);

  tk::HeadlessPlatform platform_;
  tk::Platform* previousPlatform_ = nullptr;
  std::filesystem::path folder_;
};

}  // namespace render
