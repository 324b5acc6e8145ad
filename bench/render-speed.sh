#!/usr/bin/env bash
# sorel-render against libsndfile alone on a 10-minute 48 kHz 24-bit stereo
# file: the median of five runs of each, in one go.
#   bench/render-speed.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -n -r 48000 -b 24 -c 2 "$work/in.wav" synth 600 pinknoise vol 0.25
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
timeit() {
  for i in 1 2 3 4 5; do
    local start end
    start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N)
    echo "$end - $start" | bc
  done | median
}
all="-s page=ms -s aa=splitfir -s mid.salt=0.5 -s mid.pepper=0.5 -s mid.sugar=0.5 -s mid.chili=0.5
     -s side.salt=0.5 -s side.pepper=0.5 -s side.sugar=0.5 -s side.chili=0.5"
copy=$(timeit "$build/bench/sndfile-copy" "$work/in.wav" "$work/copy.wav")
# shellcheck disable=SC2086
full=$(timeit "$build/sorel-render" -q --no-report $all "$work/in.wav" -o "$work/full.wav")
# shellcheck disable=SC2086
report=$(timeit "$build/sorel-render" -q $all "$work/in.wav" -o "$work/report.wav")
# Delivery: a measurement pass, the gain (and its search when the limiter
# acts), the limiter, the report. -14 LUFS needs no limiting on this file;
# -10 LUFS takes about 3.5 dB of it and three trial passes.
# shellcheck disable=SC2086
target=$(timeit "$build/sorel-render" -q $all --target -14LUFS --ceiling -1dBTP "$work/in.wav" -o "$work/t.wav")
# shellcheck disable=SC2086
limited=$(timeit "$build/sorel-render" -q $all --target -10LUFS --ceiling -1dBTP "$work/in.wav" -o "$work/l.wav")
ratio() { echo "$1 / $copy" | bc -l; }
render() { echo "$1 / $full" | bc -l; }
printf 'libsndfile decode + encode (float in, 24-bit out): %6.2f s\n' "$copy"
printf 'sorel-render, all eight modules + AA, dithered:    %6.2f s  (%.2fx)\n' "$full" "$(ratio "$full")"
printf 'the same with the loudness report (2 meters):      %6.2f s  (%.2fx; %.2fx the render)\n' "$report" \
  "$(ratio "$report")" "$(render "$report")"
printf '  --target -14LUFS --ceiling -1dBTP (no limiting):  %6.2f s  (%.2fx; %.2fx the render)\n' "$target" \
  "$(ratio "$target")" "$(render "$target")"
printf '  --target -10LUFS --ceiling -1dBTP (3.5 dB):       %6.2f s  (%.2fx; %.2fx the render)\n' "$limited" \
  "$(ratio "$limited")" "$(render "$limited")"
