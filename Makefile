# Set-up and everyday targets. `make demo` and `make test` work on a fresh
# Debian machine: they install what is missing first.
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
CTEST = ctest --output-on-failure -j$(JOBS)

DEB_PACKAGES = cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  libsndfile1-dev libebur128-dev libcli11-dev sox \
  libcairo2-dev libx11-dev libfontconfig-dev fonts-liberation fonts-dejavu-core xvfb xdotool xauth \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
DEB_PACKAGES += wine64

.PHONY: deps build demo test quick asan tsan windows bench clean

deps:
	@missing=$$(for p in $(DEB_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build build -j$(JOBS)

demo: build
	./build/sorel-render --demo build/demo-mastered.wav

# Every test: the release build with the Windows DLL checks, then the address
# (with undefined-behaviour) and thread sanitizer builds.
test: deps windows
	$(MAKE) build CMAKE_ARGS=-DSOREL_CHECK_WINDOWS=ON
	cd build && $(CTEST)
	$(MAKE) asan
	$(MAKE) tsan

# The fast loop while working: release build, its tests only.
quick: build
	cd build && $(CTEST)

asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSOREL_SANITIZE=address
	cmake --build build-asan -j$(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(CTEST) -LE nosan

tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSOREL_SANITIZE=thread
	cmake --build build-tsan -j$(JOBS)
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 $(CTEST) -LE nosan

windows: deps
	cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build build-win32 -j$(JOBS)
	cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build build-win64 -j$(JOBS)

bench: build
	./build/bench/sorel-bench

clean:
	rm -rf build build-asan build-tsan build-win32 build-win64

# The 64-bit DLL's editor under wine64 on a private Xvfb (make test runs it
# with the rest of build/'s tests).
.PHONY: wine-ui-test
wine-ui-test: windows
	$(MAKE) build CMAKE_ARGS=-DSOREL_CHECK_WINDOWS=ON
	cd build && $(CTEST) -L wine
