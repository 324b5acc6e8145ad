# Set-up and everyday targets. `make demo` and `make test` work on a fresh
# Debian machine: they install what is missing first.
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
CTEST = ctest --output-on-failure -j$(JOBS)

# What building the plug-ins and sorel-render needs, and so `make demo`: the
# compiler, CMake, the libraries, the fonts the skin is drawn with, and
# help2man for the manual page.
BUILD_PACKAGES = cmake make g++ pkg-config \
  libsndfile1-dev libebur128-dev libcli11-dev libsoxr-dev lv2-dev \
  libcairo2-dev libpng-dev libx11-dev libfontconfig-dev fonts-liberation fonts-dejavu-core help2man
# What the tests and the other builds add (`make test` installs both sets):
# GoogleTest and Google Benchmark, a private X server and its tools; the
# mingw-w64 cross-compilers, GoogleTest's sources for the Windows test programs,
# wine64 and qemu (wine32 and its i386 part come from
# tests/windows/setup-wine.sh) and Wine's fonts; Ardour and the LV2 and JACK
# test hosts; the package checks' tools; clang's libFuzzer. The build set is
# installed without recommended packages (so `make demo` stays small); the
# test set with them, as the test hosts were tried with them.
TEST_PACKAGES = libgtest-dev libgmock-dev libbenchmark-dev sox xvfb xfonts-base xdotool xauth parallel \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
  googletest wine64 fonts-wine qemu-user-static \
  ardour lilv-utils serdi jalv jackd2 python3 \
  dpkg-dev file \
  clang libclang-rt-14-dev

# $(call install-missing,PACKAGES[,APT-OPTIONS]): installs those not installed yet.
define install-missing
@missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
if [ -n "$$missing" ]; then \
  echo "Installing:" $$missing; \
  $(SUDO) apt-get update -qq && \
    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $(2) $$missing; \
fi
endef

.PHONY: deps test-deps build demo test quick asan tsan windows bench clean

deps:
	$(call install-missing,$(BUILD_PACKAGES),--no-install-recommends)

test-deps: deps
	$(call install-missing,$(TEST_PACKAGES))

# Every package either set names (to remove them again, say).
.PHONY: print-packages
print-packages:
	@echo $(BUILD_PACKAGES) $(TEST_PACKAGES)

build: test-deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)
	cmake --build build -j$(JOBS)

# The demo runs the Release build as users build it (no tests, no benchmarks).
demo: release
	./build-release/sorel-render --demo build-release/demo-mastered.wav

# Every test, in this order, each step once: the Windows DLLs (with their
# Wine test programs), the main build with its tests, the DLL checks and the
# Windows editor under wine64, the Windows unit, host and parity tests under
# Wine, the Release build with its packages, the address (with undefined
# behaviour) and thread sanitizer builds, then a short fuzz of every target.
# The steps build in parallel themselves; make runs them one after another.
.NOTPARALLEL:
test: WINDOWS_ARGS = -DSOREL_WINDOWS_TESTS=ON
test: CMAKE_ARGS = -DSOREL_CHECK_WINDOWS=ON
test: test-deps wine-setup apt-policy-check windows quick wine-test package-check asan tsan fuzz-smoke

# The fast loop while working: release build, its tests only.
quick: build
	cd build && $(CTEST)

asan: test-deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSOREL_SANITIZE=address -DSOREL_BENCH=OFF
	cmake --build build-asan -j$(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 $(CTEST) -LE nosan

tsan: test-deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSOREL_SANITIZE=thread -DSOREL_BENCH=OFF
	cmake --build build-tsan -j$(JOBS)
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 $(CTEST) -LE nosan

windows: test-deps
	cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release $(WINDOWS_ARGS)
	cmake --build build-win32 -j$(JOBS)
	cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release $(WINDOWS_ARGS)
	cmake --build build-win64 -j$(JOBS)

bench: build
	./build/bench/sorel-bench

clean:
	rm -rf build build-asan build-tsan build-win32 build-win64

# The Windows builds under Wine: wine64 runs the 64-bit unit and host tests;
# sorel64.dll (wine64) and sorel.dll (wine32 through qemu-i386) must render
# the same samples as build/sorel.so. setup-wine.sh installs and registers
# what is missing (idempotent).
.PHONY: wine-setup wine-test apt-policy-check
wine-setup: test-deps
	./tests/windows/setup-wine.sh

# After the set-up: apt's policy downgrades nothing (the set-up leaves apt's
# configuration as it found it).
apt-policy-check:
	./tests/windows/check-apt-policy.sh

wine-test: WINDOWS_ARGS = -DSOREL_WINDOWS_TESTS=ON
wine-test: wine-setup windows build
	./tests/windows/wine-test.sh

# Developer and CI builds treat warnings as errors (CMake reads this when it
# first configures a build folder); a plain `cmake` configure by a user does not.
export SOREL_WERROR := ON

# The Release configuration as users build it: the plug-in and sorel-render.
PREFIX ?= /usr/local
.PHONY: release install package package-check
release: deps
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSOREL_TESTS=OFF
	cmake --build build-release -j$(JOBS)

# Installs into $(PREFIX) (DESTDIR is honoured): lib/vst/, bin/, share/doc/sorel/.
install: release
	cmake --install build-release --prefix $(PREFIX)

# build-release/sorel_<version>_<arch>.deb and build-winzip/sorel-<version>-windows.zip.
package: release windows
	cd build-release && cpack -G DEB
	cmake -S cmake/windows-zip -B build-winzip
	cd build-winzip && cpack -G ZIP

# The packages hold what they should, and the installed sorel-render renders
# with the installed plug-in.
package-check: package
	tests/host/package_test.sh "$$(ls -t build-release/sorel_*.deb | head -1)" "$$(ls -t build-winzip/sorel-*-windows.zip | head -1)"


clean: clean-release
.PHONY: clean-release
clean-release:
	rm -rf build-release build-winzip build-fuzz

# The 64-bit DLL's editor under wine64 on a private Xvfb (make test runs it
# with the rest of build/'s tests).
.PHONY: wine-ui-test
wine-ui-test: CMAKE_ARGS = -DSOREL_CHECK_WINDOWS=ON
wine-ui-test: wine-setup windows build
	cd build && $(CTEST) -L wine

# libFuzzer targets (clang, address + undefined): `make fuzz-smoke` (part of
# `make test`) runs each for 20 s, `make fuzz` each for FUZZ_RUNS inputs (10
# million). New inputs collect in build-fuzz/corpus/<target>; findings are
# written to build-fuzz/ and belong in tests/fuzz/corpus/<target>/ once fixed.
FUZZ_TARGETS = chunk dispatch typedvalue preset lv2state
# Leaks are checked where they can be told apart from cairo's and fontconfig's
# process caches: the corpus replays under AddressSanitizer (make asan).
FUZZ_RUNS ?= 10000000
FUZZ_LIMIT ?= -runs=$(FUZZ_RUNS)

.PHONY: fuzz-build fuzz-smoke fuzz fuzz-run
fuzz-build: test-deps
	cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DSOREL_FUZZ=ON -DSOREL_SANITIZE=fuzzer -DSOREL_WERROR=OFF
	cmake --build build-fuzz -j$(JOBS) --target $(FUZZ_TARGETS:%=sorel_%_fuzzer)

fuzz-smoke: fuzz-build
	$(MAKE) fuzz-run FUZZ_LIMIT=-max_total_time=20

fuzz: fuzz-build
	$(MAKE) fuzz-run

# The targets run side by side, JOBS at a time (each fuzzer uses one core).
fuzz-run:
	@printf '%s\n' $(FUZZ_TARGETS) | xargs -P$(JOBS) -I{} sh -c 'mkdir -p build-fuzz/corpus/{} && cd build-fuzz && \
	  ASAN_OPTIONS=detect_leaks=0 ./fuzz/sorel_{}_fuzzer $(FUZZ_LIMIT) -print_final_stats=1 -detect_leaks=0 \
	    corpus/{} ../tests/fuzz/corpus/{} >fuzz-{}.log 2>&1; echo $$? >fuzz-{}.rc'
	@status=0; for t in $(FUZZ_TARGETS); do \
	  rc=$$(cat build-fuzz/fuzz-$$t.rc); \
	  echo "fuzz $$t: exit $$rc, $$(grep -h -E 'number_of_executed_units|average_exec_per_sec' build-fuzz/fuzz-$$t.log | tr -s ' \n' ' ')"; \
	  [ "$$rc" = 0 ] || { tail -40 build-fuzz/fuzz-$$t.log; status=1; }; \
	done; exit $$status

# The built plug-in rendered by Ardour 7 against sorel-render (part of the main
# build's tests in `make test`; this runs it alone).
.PHONY: daw-test
daw-test: build
	cd build && $(CTEST) -L daw

# The LV2 bundle with lilv's tools, jalv and Ardour (part of `make test` too).
.PHONY: lv2-test
lv2-test: build
	cd build && $(CTEST) -L lv2
