# Thin wrapper over the CMake presets; both entry points install what is missing first.
.PHONY: deps build run test test-windows fuzz bench package screenshot clean

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

# The Windows cross build (MinGW-w64, no Qt): the unit tests run under Wine, and skelvar-cli is
# checked against the Linux build's (built in the ci preset). Wine's prefix lives in the build
# folder; it is made once, with a time limit and without the .NET and browser installers, which
# would wait for a display.
WINDOWS_WINE_ENV = WINEPREFIX=$(CURDIR)/build/windows/wineprefix WINEDEBUG=-all \
	WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
test-windows: deps
	cmake --preset windows
	test -f build/windows/wineprefix/system.reg || \
	  { env -u DISPLAY $(WINDOWS_WINE_ENV) timeout 300 wineboot -i && \
	    env $(WINDOWS_WINE_ENV) timeout 120 wineserver -w; }
	cmake --build --preset windows -j $(JOBS)
	env -u DISPLAY ctest --preset windows -j $(JOBS)
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS) --target skelvar-cli
	env -u DISPLAY $(WINDOWS_WINE_ENV) ./scripts/windows-cli-check.sh build/ci/bin/skelvar-cli \
	  build/windows/bin/skelvar-cli.exe

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
