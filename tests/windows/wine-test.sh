#!/usr/bin/env bash
# Runs the Windows builds under Wine (make wine-test):
#  - the unit and host tests of the 64-bit build under wine64 (the host tests
#    load sorel64.dll);
#  - sorel-parity loading sorel64.dll under wine64 and sorel.dll under wine32:
#    identity, parameters, chunk round trip, and renders that must equal the
#    Linux build's (build/sorel.so through the same program) bit for bit.
# Wine runs in private prefixes under build/wine-prefix32 and wine-prefix64,
# made on the first run (about 20 s for 32 bits under emulation on an idle
# machine, minutes on a busy one) and reused; WINE_FRESH_PREFIX=1 makes them
# anew. Every run writes into a fresh build/wine-test/. Anything missing fails
# the run with the reason; nothing is skipped.
set -uo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
run=$src/build/wine-test
prefixes=$src/build/wine-prefix
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
failed=0

fail() { echo "wine-test: FAILED: $*" >&2; failed=1; }
need() { [ -e "$1" ] || { echo "wine-test: FAILED: missing $1 ($2)" >&2; exit 1; }; }

need "$src/build/sorel.so" "make build"
need "$src/build/tests/windows/sorel-parity" "make build"
need "$src/build/tests/windows/sorel-mathdigest" "make build"
for f in plugin/sorel64.dll tests/windows/sorel-parity.exe tests/windows/sorel-mathdigest.exe tests/windows/sorel_unit_tests.exe tests/windows/sorel_host_tests.exe; do
  need "$src/build-win64/$f" "make wine-test configures build-win64 with -DSOREL_WINDOWS_TESTS=ON"
done
for f in plugin/sorel.dll tests/windows/sorel-parity.exe tests/windows/sorel-mathdigest.exe; do
  need "$src/build-win32/$f" "make wine-test configures build-win32 with -DSOREL_WINDOWS_TESTS=ON"
done
need "$WINE64" "tests/windows/setup-wine.sh installs wine64"
need "$WINE32" "tests/windows/setup-wine.sh installs wine32:i386"
grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386 \
  || { echo "wine-test: FAILED: i386 programs are not registered with binfmt_misc (run tests/windows/setup-wine.sh)" >&2; exit 1; }

rm -rf "$run"
[ "${WINE_FRESH_PREFIX:-0}" = 1 ] && rm -rf "${prefixes}32" "${prefixes}64"
mkdir -p "$run/linux" "$run/win64" "$run/win32"

# No .NET or HTML engine installers, no menu entries, no crash debugger.
WINE_ENV=(WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe,winedbg.exe=" DISPLAY=)

# make_prefix 64|32: makes the private prefix of that width unless it is
# there. A fresh 32-bit prefix under emulation sometimes wedges in its first
# start (a process dies inside qemu and services.exe spins for good), so a
# start that does not end within four minutes is killed and begun again in
# an empty folder.
make_prefix() {
  local width=$1 loader=$WINE64 arch=win64 attempt
  [ "$width" = 32 ] && loader=$WINE32 arch=win32
  [ -f "$prefixes$width/.made" ] && return 0
  for attempt in 1 2 3; do
    rm -rf "$prefixes$width"
    local start=$SECONDS
    if env WINEPREFIX="$prefixes$width" WINEARCH=$arch "${WINE_ENV[@]}" timeout 240 "$loader" wineboot --init &&
      WINEPREFIX="$prefixes$width" timeout $((SECONDS - start < 200 ? 240 - (SECONDS - start) : 40)) \
        /usr/lib/wine/wineserver -w; then
      touch "$prefixes$width/.made"
      echo "wine-test: made the $width-bit prefix in $((SECONDS - start)) s"
      return 0
    fi
    echo "wine-test: the $width-bit prefix did not come up (attempt $attempt); starting it again"
    WINEPREFIX="$prefixes$width" /usr/lib/wine/wineserver -k 2>/dev/null
    sleep 2
  done
  echo "wine-test: FAILED: the $width-bit Wine prefix could not be made" >&2
  exit 1
}

# Windows paths of files here: Wine maps the Linux root to drive Z:.
winpath() { echo "Z:$1"; }

# wine_run 64|32 LABEL PROGRAM ARGS...: runs a Windows program in the private
# prefix of that width, reports its time, and fails on a non-zero status.
wine_run() {
  local width=$1 label=$2; shift 2
  local loader=$WINE64 arch=win64
  [ "$width" = 32 ] && loader=$WINE32 arch=win32
  local start=$SECONDS status
  env WINEPREFIX="$prefixes$width" WINEARCH=$arch "${WINE_ENV[@]}" timeout 600 "$loader" "$@"
  status=$?
  echo "wine-test: $label: exit status $status, $((SECONDS - start)) s"
  [ $status -eq 0 ] || fail "$label (exit status $status)"
}

cleanup() {
  for width in 64 32; do
    [ -d "$prefixes$width" ] && WINEPREFIX=$prefixes$width timeout 60 /usr/lib/wine/wineserver -w 2>/dev/null
  done
  return 0
}
trap cleanup EXIT

total=$SECONDS
make_prefix 64
make_prefix 32
"$src/build/tests/windows/sorel-parity" "$src/build/sorel.so" "$run/linux" || fail "the Linux reference render"

wine_run 64 "unit tests (wine64)" "$src/build-win64/tests/windows/sorel_unit_tests.exe" --gtest_brief=1
wine_run 64 "host tests, sorel64.dll (wine64)" "$src/build-win64/tests/windows/sorel_host_tests.exe" --gtest_brief=1
wine_run 64 "parity, sorel64.dll (wine64)" "$src/build-win64/tests/windows/sorel-parity.exe" \
  "$(winpath "$src/build-win64/plugin/sorel64.dll")" "$(winpath "$run/win64")" "$(winpath "$run/linux")"
wine_run 32 "parity, sorel.dll (wine32 under qemu-i386)" "$src/build-win32/tests/windows/sorel-parity.exe" \
  "$(winpath "$src/build-win32/plugin/sorel.dll")" "$(winpath "$run/win32")" "$(winpath "$run/linux")"

# The coefficients' exp and pow over every engine argument: one digest for
# all three builds (the 64-bit one also checks it in its unit tests).
linux_digest=$("$src/build/tests/windows/sorel-mathdigest")
for width in 64 32; do
  start=$SECONDS
  digest=$(env WINEPREFIX="$prefixes$width" "${WINE_ENV[@]}" timeout 600 "$([ $width = 32 ] && echo "$WINE32" || echo "$WINE64")" \
    "$src/build-win$width/tests/windows/sorel-mathdigest.exe" | tr -d '\r')
  echo "wine-test: coefficient digest: Linux $linux_digest, win$width $digest, $((SECONDS - start)) s"
  [ -n "$linux_digest" ] && [ "$digest" = "$linux_digest" ] || fail "win$width computes other coefficient bits than Linux"
done

# The programs compare themselves; the files are compared once more here, so a
# render that silently wrote nothing cannot pass.
for f in "$run"/linux/*.f32; do
  for width in 64 32; do
    cmp -s "$f" "$run/win$width/$(basename "$f")" || fail "win$width $(basename "$f") differs from the Linux render"
  done
done
ls "$run"/linux/*.f32 >/dev/null 2>&1 || fail "no Linux renders"

echo "wine-test: $((SECONDS - total)) s in all"
[ $failed -eq 0 ] && echo "wine-test: all Windows tests passed" || { echo "wine-test: FAILED" >&2; exit 1; }
