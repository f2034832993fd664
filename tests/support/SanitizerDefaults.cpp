// Run-time settings of the sanitizer builds, built into every program of such a build, so that
// a test, the program or a fuzzer checks the same way however it is started (ctest, by hand).
// The environment's ASAN_OPTIONS / UBSAN_OPTIONS / LSAN_OPTIONS still override them.

extern "C" {

__attribute__((used, visibility("default"))) const char* __asan_default_options() {
  return "detect_leaks=1:check_initialization_order=1:strict_init_order=1";
}

__attribute__((used, visibility("default"))) const char* __ubsan_default_options() {
  return "print_stacktrace=1";
}

// fontconfig, under Qt's font handling in the front-end tests, keeps a cache it never frees;
// libdbus, which Qt's platform plug-in connects to the session bus with, keeps a buffer of
// that connection when the real program ends.
__attribute__((used, visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}

}  // extern "C"
