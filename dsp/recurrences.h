// The filtered halves of Salt and Sugar: their one-pole recurrences, the
// chain's only serial work (y depends on the previous y through a double
// multiply and add). The chain pass runs every lane's Salt recurrence over one
// group together with every lane's Sugar recurrence over an earlier group, so
// up to four independent chains share one loop and hide each other's latency.
#pragma once

#include "chainstages.h"

namespace sorel::chain {

// The states and feedback weights of one kind of filter, one per lane.
template <int kLanes>
struct Filters {
  double y[kLanes];
  double a[kLanes];
};

// y = drive[i] + y a, for i < count; the state after each sample is kept.
// Entries from count to the group's end are set to 0 so that a short group's
// padding holds no stale values.
template <int kLanes>
[[gnu::always_inline]] inline void step(double* y, const Filters<kLanes>& f, GroupScratch* s,
                                        double (GroupScratch::*drive)[kGroup], double (GroupScratch::*state)[kGroup],
                                        int i) {
  for (int c = 0; c < kLanes; ++c) {
    y[c] = (s[c].*drive)[i] + y[c] * f.a[c];
    (s[c].*state)[i] = y[c];
  }
}

// kSalted, kSugared: whether each kind runs at all in this pass.
template <int kLanes, bool kSalted, bool kSugared>
[[gnu::always_inline]] inline void recurrences(GroupScratch* salt, int saltCount, Filters<kLanes>& saltF,
                                               GroupScratch* sugar, int sugarCount, Filters<kLanes>& sugarF) {
  using S = GroupScratch;
  double ys[kLanes], yg[kLanes];
  for (int c = 0; c < kLanes; ++c) ys[c] = saltF.y[c], yg[c] = sugarF.y[c];
  const bool full = (!kSalted || saltCount == kGroup) && (!kSugared || sugarCount == kGroup);
  if (full) {  // the usual case, as straight-line code
#pragma GCC unroll 8
    for (int i = 0; i < kGroup; ++i) {
      if constexpr (kSalted) step(ys, saltF, salt, &S::saltDrive, &S::saltState, i);
      if constexpr (kSugared) step(yg, sugarF, sugar, &S::sugarDrive, &S::sugarState, i);
    }
  } else {
    // A short last group, or the pipeline's fill and drain: each kind to its own count.
    for (int i = 0; i < kGroup; ++i) {
      if (kSalted && i < saltCount) step(ys, saltF, salt, &S::saltDrive, &S::saltState, i);
      if (kSugared && i < sugarCount) step(yg, sugarF, sugar, &S::sugarDrive, &S::sugarState, i);
    }
  }
  if (kSalted && saltCount > 0)
    for (int i = saltCount; i < kGroup; ++i)
      for (int c = 0; c < kLanes; ++c) salt[c].saltState[i] = 0.0;
  if (kSugared && sugarCount > 0)
    for (int i = sugarCount; i < kGroup; ++i)
      for (int c = 0; c < kLanes; ++c) sugar[c].sugarState[i] = 0.0;
  for (int c = 0; c < kLanes; ++c) saltF.y[c] = ys[c], sugarF.y[c] = yg[c];
}

}  // namespace sorel::chain
