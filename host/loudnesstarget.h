// Reaching a loudness target under a true-peak ceiling: the gain before the
// limiter that brings the limited signal's integrated loudness to the
// target. Limiting lowers the loudness a gain alone would give, so the gain
// is found by measuring the limited result (the secant method on gain
// against loudness, from the same stored signal every time: deterministic).
// The limiter may take away at most `maxLimitingDb` at the loudest peak;
// when the target needs more, the gain stops there and the outcome says how
// far the loudness fell short.
#pragma once

#include <cmath>
#include <cstddef>
#include <functional>
#include <string>

#include "signalstore.h"
#include "truepeaklimiter.h"

namespace sorel::host {

struct TargetRequest {
  double targetLufs = NAN;    // NaN: no target
  double ceilingDb = NAN;     // NaN: no limiter (the gain alone)
  double maxLimitingDb = 6.0;
  LimiterSettings limiter;    // its ceilingDb is replaced by ceilingDb
  std::function<void(std::size_t)> replayed;  // told the stored frames each trial reads (may be empty)
};

struct TargetOutcome {
  bool reachable = false;      // false: no loudness reading (silence, under 0.4 s): no gain
  double gainDb = 0.0;         // before the limiter
  double lufs = -INFINITY;     // the limited output's integrated loudness
  double missedLu = 0.0;       // > 0: the allowance stopped the gain this far under the target
  double limitingDb = 0.0;     // the limiter's largest gain reduction at that gain
  int passes = 0;              // measurements of the limited signal it took
};

// `sourceLufs`: the stored signal's integrated loudness; `sourcePeakDb`: its
// loudest point as the limiter's detector sees it (NaN when not measured),
// which spares the trial when the gain alone stays under the ceiling. False
// with *error when the stored signal cannot be read back.
// `peaks` (may be null): the limiter's detector peaks over the stored signal,
// recorded by a PeakRecorder, so that the trials need not detect again.
bool findTargetGain(SignalStore& store, SignalStore* peaks, int sampleRate, double sourceLufs, double sourcePeakDb,
                    const TargetRequest& request, TargetOutcome& outcome, std::string* error);

// The gain as a factor, the one way every stage computes it.
inline float gainFactor(double db) { return static_cast<float>(std::pow(10.0, db / 20.0)); }

}  // namespace sorel::host
