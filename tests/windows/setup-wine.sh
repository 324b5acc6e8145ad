#!/usr/bin/env bash
# Makes wine64 (64-bit Windows programs) and wine32 (32-bit ones) usable on a
# Debian amd64 machine. Idempotent: a machine where both already start a
# program is left alone.
#
# The kernel here may not run 32-bit Linux programs, so the i386 wine loader
# runs through qemu's user emulation, registered with binfmt_misc (flag F: the
# interpreter is opened once, so it works inside any mount namespace).
# Debian's i386 package lists can lag the amd64 ones (no i386 security list),
# so the main suite is preferred over the security suite: libraries shared by
# both architectures must have one version, and installing with
# --allow-downgrades moves amd64 ones back to the main suite's version.
set -euo pipefail

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

ensure_pins() {
  local pref=/etc/apt/preferences.d/sorel-wine32.pref
  [ -f "$pref" ] && return
  say "pinning the main suite over the security suite ($pref)"
  $SUDO tee "$pref" >/dev/null <<'PREF'
# Written by Sorel's tests/windows/setup-wine.sh: i386 and amd64 copies of a
# library must have the same version, and the security suite has no i386 list.
Package: *
Pin: release l=Debian-Security
Pin-Priority: 100

Package: *
Pin: release l=Debian, n=bookworm
Pin-Priority: 1001
PREF
}

ensure_wine() {
  local want=()
  for p in wine wine64 wine32:i386 wine32-preloader:i386; do installed "$p" || want+=("$p"); done
  [ ${#want[@]} -eq 0 ] && return
  dpkg --print-foreign-architectures | grep -qx i386 || { say "adding the i386 architecture"; $SUDO dpkg --add-architecture i386; }
  ensure_pins
  say "installing ${want[*]}"
  # The i386 lists of some suites may be missing or mid-sync; what matters is
  # whether the install below finds the packages.
  $SUDO apt-get -o DPkg::Lock::Timeout=900 update -qq || say "apt-get update reported errors; trying the install anyway"
  $APT install --no-install-recommends --allow-downgrades "${want[@]}" \
    || fail "apt-get could not install ${want[*]}"
}

ensure_qemu
ensure_binfmt
ensure_wine
[ -x "$WINE64" ] || fail "$WINE64 is missing"
[ -x "$WINE32" ] || fail "$WINE32 is missing"
say "wine64 $("$WINE64" --version 2>/dev/null || echo '?'), wine32 through $QEMU"
