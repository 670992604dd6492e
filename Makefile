# Thin wrapper over the CMake presets; both entry points install what is missing first.
.PHONY: deps build run test fuzz bench package screenshot clean

JOBS ?= $(shell nproc)
# Seconds per fuzz target: FUZZ_SECONDS for make fuzz, CI_FUZZ_SECONDS for the run in make test.
FUZZ_SECONDS ?= 60
CI_FUZZ_SECONDS ?= 20

deps:
	./scripts/deps.sh

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

run: build
	./build/dev/bin/skelvar

test: deps
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	ctest --preset fuzz
	./scripts/fuzz.sh $(CI_FUZZ_SECONDS)

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	./scripts/fuzz.sh $(FUZZ_SECONDS)

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/bench/skelvar-bench
	./build/release/bench/skelvar-gui-bench
	./build/release/bench/skelvar-config-bench
	./build/release/bench/skelvar-airports-bench

# The .deb and the portable .tar.gz in build/release, then the check of the unpacked .deb.
package: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	cd build/release && cpack
	cd build/release && ctest -L package --output-on-failure

screenshot: build
	./scripts/screenshot.sh build/dev/bin docs/screenshot.png

clean:
	rm -rf build
