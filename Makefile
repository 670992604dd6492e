# Thin wrapper over the CMake presets; both entry points install what is missing first.
.PHONY: deps build run test test-core test-asan bench screenshot clean

JOBS ?= $(shell nproc)

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

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/bench/skelvar-bench
	./build/release/bench/skelvar-gui-bench

screenshot: build
	./scripts/screenshot.sh build/dev/bin docs/screenshot.png

clean:
	rm -rf build
