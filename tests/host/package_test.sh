#!/bin/sh
# The release packages: the Debian package unpacked into a scratch root must
# render with what it installed (sorel-render finding its plug-in beside it in
# lib/vst/, nothing from the build tree), and the Windows zip must hold both
# DLLs, the README and the license.
#   package_test.sh sorel_<version>_<arch>.deb [sorel-<version>-windows.zip]
set -eu
deb=$1
zip=${2:-}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

dpkg -x "$deb" "$root"
for f in usr/bin/sorel-render usr/lib/vst/sorel.so usr/share/doc/sorel/README.md usr/share/doc/sorel/LICENSE \
  usr/share/doc/sorel/credits.md usr/share/doc/sorel/editor.md usr/share/man/man1/sorel-render.1.gz; do
  [ -f "$root/$f" ] || fail "$deb lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q libsndfile || fail "$deb does not depend on libsndfile"

# The manual page is sorel-render's --help: every option and the exit statuses.
zcat "$root/usr/share/man/man1/sorel-render.1.gz" | grep -q -- '-oversample' || fail "the manual page lacks the options"
zcat "$root/usr/share/man/man1/sorel-render.1.gz" | grep -q '^\.SS "Exit status:"' || fail "the manual page lacks exit statuses"

render="$root/usr/bin/sorel-render"
"$render" --version | grep -q "^sorel-render [0-9]" || fail "--version says nothing useful"
"$render" -q --demo "$root/demo.wav" >"$root/report.txt" || fail "the installed sorel-render cannot render"
[ -s "$root/demo.wav" ] || fail "no demo output"
grep -q LUFS "$root/report.txt" || fail "no report"
# It was the installed plug-in: without it, nothing renders.
mv "$root/usr/lib/vst/sorel.so" "$root/elsewhere.so"
if "$render" -q --demo "$root/again.wav" 2>/dev/null; then fail "rendered without the installed plug-in"; fi
"$render" -q --plugin "$root/elsewhere.so" --demo "$root/again.wav" >/dev/null || fail "--plugin does not work"

if [ -n "$zip" ]; then
  listing=$(cmake -E tar tf "$zip")
  for f in sorel.dll sorel64.dll README.md LICENSE doc/sorel/credits.md doc/sorel/editor.md; do
    echo "$listing" | grep -q "/$f\$" || fail "$zip lacks $f"
  done
fi
echo "package_test: all good ($deb${zip:+, $zip})"
