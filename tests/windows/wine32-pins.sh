#!/usr/bin/env bash
# Prints the apt preferences that let the i386 packages given as arguments
# install beside the machine's amd64 ones, for setup-wine.sh to use for that
# one install. A library that is "Multi-Arch: same" must have one version in
# both architectures; when the i386 lists lag the amd64 ones (a security fix
# published for amd64 first), the two candidates differ and apt refuses. Each
# such library is pinned in both architectures to the newest version both
# have, with the installed packages built from its source (its -dev package
# must keep its version); nothing else. Prints nothing when the candidates
# agree.
set -euo pipefail

# The names the given packages need, without the virtual ones apt shows in <>.
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
  --no-breaks --no-replaces --no-enhances "$@" | sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u)
[ -n "$closure" ] || exit 0
# Of those, the ones installed for amd64 as "Multi-Arch: same".
shared=$({ dpkg-query -W -f='${Package} ${Architecture} ${Multi-Arch}\n' $closure 2>/dev/null || true; } |
  awk '$2 == "amd64" && $3 == "same" { print $1 }')
[ -n "$shared" ] || exit 0

# Each of the given packages whose two architectures' candidates differ.
differing() {
  apt-cache policy $(for p in "$@"; do echo "$p:amd64 $p:i386"; done) | awk '
    /^[^ ]/ { name = $1; sub(/:$/, "", name) }
    /^  Candidate:/ { split(name, part, ":"); cand[part[1], part[2] == "i386" ? "i386" : "amd64"] = $2; seen[part[1]] = 1 }
    END { for (p in seen) if (cand[p, "amd64"] != cand[p, "i386"]) print p }'
}
# The installed packages built from the same source as $1 (a -dev package
# requires its library's exact version, so they move together).
siblings() {
  local source
  source=$(dpkg-query -W -f='${source:Package}' "$1:amd64")
  dpkg-query -W -f='${Package} ${Architecture} ${source:Package} ${db:Status-Status}\n' |
    awk -v s="$source" -v p="$1" '$3 == s && $4 == "installed" && $1 != p { print $2 == "all" ? $1 : $1 ":" $2 }'
}
versions() { apt-cache madison "$1:$2" | awk -F' [|] ' -v arch=" $2 " 'index($3, arch) { print $2 }' | sort -u; }

for p in $(differing $shared); do
  common=
  for v in $(comm -12 <(versions "$p" amd64) <(versions "$p" i386)); do
    if [ -z "$common" ] || dpkg --compare-versions "$v" gt "$common"; then common=$v; fi
  done
  [ -n "$common" ] || { echo "wine32-pins: $p has no version in both architectures" >&2; exit 1; }
  printf 'Package: %s\nPin: version %s\nPin-Priority: 1001\n\n' \
    "$( (echo "$p:amd64 $p:i386"; siblings "$p") | paste -sd' ')" "$common"
done
