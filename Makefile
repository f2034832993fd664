# Quadrivia: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build test run bench package clean sanitize fuzz

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	@scripts/run-quadrivia $(BUILD)

bench: build
	@cmake --build $(BUILD) -j $(JOBS) --target quadrivia_bench
	@$(BUILD)/bench/quadrivia_bench

# The Debian package, in $(BUILD)/: quadrivia_<version>_<arch>.deb
package: build
	@cd $(BUILD) && cpack -G DEB

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer (any fault fails
# its test), and the fuzzers (clang, libFuzzer), each run FUZZ_SECONDS on a scratch copy of
# its corpus in tests/fuzz/corpus/.
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
CHECKED_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1" \
  $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) $(CHECKED_FLAGS) -DQUADRIVIA_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CHECKED_FLAGS) -DQUADRIVIA_FUZZ=ON \
	  -DQUADRIVIA_BUILD_TESTS=OFF -DQUADRIVIA_BUILD_FRONTEND=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target quadrivia_fuzzers
	@scripts/run-fuzzers $(FUZZ_BUILD)/tests/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
