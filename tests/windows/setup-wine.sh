#!/usr/bin/env bash
# Makes wine64 (64-bit Windows programs) and wine32 (32-bit ones) usable on a
# Debian amd64 machine. Idempotent: a machine where both already start a
# program is left alone.
#
# The kernel here may not run 32-bit Linux programs, so the i386 wine loader
# runs through qemu's user emulation, registered with binfmt_misc (flag F: the
# interpreter is opened once, so it works inside any mount namespace; the
# entry lasts until the next boot). Libraries shared by both architectures
# must have one version; where the i386 lists lag the amd64 ones,
# wine32-pins.sh pins just those libraries for the one install command, and
# apt's configuration is left as it was.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
APT="$SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -qq"
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
QEMU=/usr/bin/qemu-i386-static
BINFMT=/proc/sys/fs/binfmt_misc

say() { echo "setup-wine: $*"; }
fail() { echo "setup-wine: FAILED: $*" >&2; exit 1; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

ensure_qemu() {
  installed qemu-user-static || { say "installing qemu-user-static"; $APT install qemu-user-static; }
  [ -x "$QEMU" ] || fail "$QEMU is missing after installing qemu-user-static"
}

ensure_binfmt() {
  if [ ! -e "$BINFMT/register" ]; then
    say "mounting binfmt_misc"
    $SUDO mount -t binfmt_misc binfmt_misc "$BINFMT" || fail "cannot mount binfmt_misc on $BINFMT"
  fi
  # Any enabled entry that already hands i386 ELF programs to a qemu will do.
  if grep -qs '^enabled' "$BINFMT/qemu-i386" && grep -qs 'qemu-i386' "$BINFMT/qemu-i386"; then return; fi
  say "registering $QEMU for i386 ELF programs"
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":qemu-i386:M::${magic}:${mask}:${QEMU}:F" | $SUDO tee "$BINFMT/register" >/dev/null \
    || fail "cannot register i386 with binfmt_misc (needs root and a writable $BINFMT)"
}

# Earlier versions of this script left a preference here that ranked the whole
# main suite above the security suite, so later installs downgraded security
# fixes.
LEGACY_PREF=/etc/apt/preferences.d/sorel-wine32.pref
drop_legacy_pin() {
  [ -e "$LEGACY_PREF" ] || return 0
  say "removing $LEGACY_PREF (left by an earlier set-up)"
  $SUDO rm -f "$LEGACY_PREF"
}

# Installs the given packages with the machine's own preferences plus, for
# this command only, the pins wine32-pins.sh finds necessary.
install_with_matching_libraries() {
  local prefs
  prefs=$(mktemp -d)
  trap "rm -rf '$prefs'" EXIT
  cp -p /etc/apt/preferences.d/* "$prefs"/ 2>/dev/null || true
  "$HERE/wine32-pins.sh" "$@" >"$prefs/sorel-wine32.pref" || fail "cannot work out the versions for $*"
  if [ -s "$prefs/sorel-wine32.pref" ]; then
    say "for this install only, keeping the two architectures' versions equal:"
    sed -n 's/^Package: /  /p; s/^Pin: version /    at /p' "$prefs/sorel-wine32.pref"
  fi
  $APT -o Dir::Etc::PreferencesParts="$prefs" install --no-remove --no-install-recommends --allow-downgrades "$@"
}

ensure_wine() {
  local want=()
  for p in wine wine64 wine32:i386 wine32-preloader:i386; do installed "$p" || want+=("$p"); done
  [ ${#want[@]} -eq 0 ] && return
  dpkg --print-foreign-architectures | grep -qx i386 || { say "adding the i386 architecture"; $SUDO dpkg --add-architecture i386; }
  say "installing ${want[*]}"
  # The i386 lists of some suites may be missing or mid-sync; what matters is
  # whether the install below finds the packages.
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq || say "apt-get update reported errors; trying the install anyway"
  install_with_matching_libraries "${want[@]}" || fail "apt-get could not install ${want[*]}"
}

drop_legacy_pin
ensure_qemu
ensure_binfmt
ensure_wine
[ -x "$WINE64" ] || fail "$WINE64 is missing"
[ -x "$WINE32" ] || fail "$WINE32 is missing"
say "wine64 $("$WINE64" --version 2>/dev/null || echo '?'), wine32 through $QEMU"
