#!/usr/bin/env bash
# Checks that apt's policy on this machine downgrades nothing: every installed
# package's candidate is at least its installed version, and neither an
# upgrade nor the install of an unrelated package would move anything back.
# A preference left behind by a set-up (a whole suite pinned above the
# security suite, say) fails here. Run by `make test` after its set-up.
set -euo pipefail
export LC_ALL=C
UNRELATED=${1:-imagemagick}
status=0

# Installed and candidate version of every installed package, one line each.
pairs=$(apt-cache policy $(dpkg-query -W -f='${db:Status-Status} ${binary:Package}\n' | awk '$1 == "installed" { print $2 }') |
  awk '/^[^ ]/ { name = $1; sub(/:$/, "", name) }
       /^  Installed:/ { inst = $2 }
       /^  Candidate:/ { if (inst != $2 && $2 != "(none)") print name, inst, $2 }')
while read -r name installed candidate; do
  [ -n "$name" ] || continue
  if dpkg --compare-versions "$candidate" lt "$installed"; then
    echo "check-apt-policy: $name would go back from $installed to $candidate"
    status=1
  fi
done <<<"$pairs"

for what in upgrade "install $UNRELATED"; do
  plan=$(apt-get -s -o Debug::NoLocking=1 $what 2>&1) || { echo "check-apt-policy: apt-get -s $what failed:"; echo "$plan"; status=1; continue; }
  if grep -q 'DOWNGRADED' <<<"$plan"; then
    echo "check-apt-policy: apt-get -s $what downgrades:"
    sed -n '/DOWNGRADED/,/^[^ ]/p' <<<"$plan" | sed '$d'
    status=1
  fi
done
[ $status = 0 ] && echo "check-apt-policy: nothing would be downgraded"
exit $status
