# Quadrivia: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build test run bench package clean

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

clean:
	rm -rf $(BUILD)
