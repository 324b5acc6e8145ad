// The module chain as one pass over a piece of the block, for one lane or two
// (the Stereo set's two channels, or the Mid and the Side set side by side).
//
// The chain's only serial work is Salt's and Sugar's one-pole recurrences, so
// the pass is software-pipelined to let them overlap. Step g:
//   1. shapes group g + 1 for Salt (vector);
//   2. runs Salt's recurrence over group g and Sugar's over group g - kLag,
//      every lane's, in one loop;
//   3. finishes Salt on group g - kLag + 1, runs Pepper, shapes it for Sugar
//      (vector; without Sugar, on group g - 1, and runs Chili and stores it);
//   4. finishes Sugar on group g - kLag - 1 and runs Chili (vector), storing it.
// The processor runs the vector work of one step while the recurrences of the
// next are under way; a block's first and last kLag groups have only one kind
// of recurrence to overlap, which is what a short block pays for.
// Each module still computes each sample from that sample alone and its own
// filter state, rounding where the formulas round, so the samples are those
// of the modules run one after the other over the whole block.
//
// The running modules are a template parameter: a module that is off costs
// nothing. A last group shorter than kGroup runs on a zero-padded copy whose
// recurrences stop at its real length.
#pragma once

#include <algorithm>

#include "chainstages.h"
#include "recurrences.h"

namespace sorel::chain {

// How many groups Sugar's recurrence trails Salt's.
constexpr int kLag = 2;

template <class V, unsigned kMods, int kLanes>
[[gnu::always_inline]] inline void runChain(const CModuleSet::Lane* lanes, int n) {
  // The Stereo set's two lanes share their settings and so their vectors.
  LaneConstants<V> hoisted[kLanes];
  const LaneConstants<V>* k[kLanes];
  Filters<kLanes> saltF, sugarF;
  for (int c = 0; c < kLanes; ++c) {
    if (c > 0 && lanes[c].settings == lanes[0].settings && lanes[c].salt->b == lanes[0].salt->b &&
        lanes[c].sugar->b == lanes[0].sugar->b) {
      k[c] = k[0];
    } else {
      hoist<V, kMods>(hoisted[c], *lanes[c].settings, *lanes[c].salt, *lanes[c].sugar);
      k[c] = &hoisted[c];
    }
    saltF.y[c] = lanes[c].salt->y;
    saltF.a[c] = lanes[c].salt->a;
    sugarF.y[c] = lanes[c].sugar->y;
    sugarF.a[c] = lanes[c].sugar->a;
  }

  const int full = n / kGroup;
  const int rest = n - full * kGroup;
  const int groups = full + (rest > 0 ? 1 : 0);
  float tail[kLanes][kGroup] = {};
  for (int c = 0; c < kLanes; ++c) std::copy(lanes[c].x + full * kGroup, lanes[c].x + n, tail[c]);
  auto samples = [&](int c, int g) { return g < full ? lanes[c].x + g * kGroup : tail[c]; };
  auto length = [&](int g) { return g < full ? kGroup : rest; };

  // Group g's values live in scratch[g % kRing] from its Salt shaping to its
  // last stage. Without Salt and Sugar every step is shapeMiddle alone.
  constexpr int kRing = 8;
  GroupScratch scratch[kRing][kLanes];
  constexpr bool kSalted = (kMods & kSalt) != 0;
  constexpr bool kSugared = (kMods & kSugar) != 0;
  constexpr int kMiddle = kSugared ? kLag - 1 : 1;  // how many groups shapeMiddle trails Salt's recurrence
  auto exists = [&](int g) { return g >= 0 && g < groups; };
  auto at = [&](int g) { return scratch[g & (kRing - 1)]; };
  if (kSalted && groups > 0)
    for (int c = 0; c < kLanes; ++c) shapeSalt(samples(c, 0), *k[c], at(0)[c]);
  const int steps = groups + (kSugared ? kLag + 1 : 1);
  for (int g = 0; g < steps; ++g) {
    if (kSalted && exists(g + 1))
      for (int c = 0; c < kLanes; ++c) shapeSalt(samples(c, g + 1), *k[c], at(g + 1)[c]);
    recurrences<kLanes, kSalted, kSugared>(at(g), kSalted && exists(g) ? length(g) : 0, saltF, at(g - kLag),
                                           kSugared && exists(g - kLag) ? length(g - kLag) : 0, sugarF);
    if (exists(g - kMiddle))
      for (int c = 0; c < kLanes; ++c) shapeMiddle<V, kMods>(samples(c, g - kMiddle), *k[c], at(g - kMiddle)[c]);
    if (kSugared && exists(g - kLag - 1))
      for (int c = 0; c < kLanes; ++c) finishSugar<V, kMods>(at(g - kLag - 1)[c], *k[c], samples(c, g - kLag - 1));
  }

  for (int c = 0; c < kLanes; ++c) {
    std::copy(tail[c], tail[c] + rest, lanes[c].x + full * kGroup);
    lanes[c].salt->y = saltF.y[c];
    lanes[c].sugar->y = sugarF.y[c];
  }
}

}  // namespace sorel::chain
