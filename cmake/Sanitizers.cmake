# Checked builds. QUADRIVIA_SANITIZE builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; QUADRIVIA_FUZZ adds libFuzzer's coverage (clang only) and builds
# the fuzzers of tests/fuzz. Any fault stops the process at once (no recovery), so a test or a
# fuzzer run that goes on has met none.
#
# float-cast-overflow is not part of "undefined" on gcc or clang: a real value converted to an
# integer it does not fit is exactly the fault extreme typed numbers would cause.
option(QUADRIVIA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUADRIVIA_FUZZ "Build the libFuzzer fuzzers (clang), with the sanitizers" OFF)

if(QUADRIVIA_SANITIZE OR QUADRIVIA_FUZZ)
  set(QUADRIVIA_SANITIZERS address,undefined,float-cast-overflow)
  add_compile_options(-fsanitize=${QUADRIVIA_SANITIZERS} -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${QUADRIVIA_SANITIZERS})
endif()

if(QUADRIVIA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUADRIVIA_FUZZ needs clang (configure with CC=clang CXX=clang++).")
  endif()
  # Coverage for every library the fuzzers link; only the fuzzers themselves link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(QUADRIVIA_SANITIZE OR QUADRIVIA_FUZZ)
  # The sanitizers' run-time settings, linked into every program made after this point.
  add_library(quadrivia_sanitizer_defaults OBJECT ${PROJECT_SOURCE_DIR}/tests/support/SanitizerDefaults.cpp)
  link_libraries(quadrivia_sanitizer_defaults)
endif()
