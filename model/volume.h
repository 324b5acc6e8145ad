// The input/output volume law and its inverses, shared by the engine, the
// plug-in's display texts, the editor's typed values and the host's settings.
#pragma once

#include <cmath>

#include "exactmath.h"

namespace sorel {

// gain = scale * base^v: ±3.01 dB (narrow) or ±18.06 dB (wide) around v = 0.5.
struct VolumeRange {
  double base;
  DoubleDouble lnBase;
  double scale;       // base^-0.5
  float shownSpanDb;  // the span either side of the centre as the read-out rounds it
};

inline constexpr VolumeRange kNarrowVolume{2.0, kLnOf2, 0.70710677, 3.01f};
inline constexpr VolumeRange kWideVolume{64.0, kLnOf64, 0.125, 18.06f};
static_assert(static_cast<float>(kNarrowVolume.scale) == 0.70710677f);

constexpr const VolumeRange& volumeRange(bool wide) { return wide ? kWideVolume : kNarrowVolume; }

// Linear gain for a volume position v (0..1), linear in dB, exactly 1.0 at
// v = 0.5 so the centre is bit-transparent.
inline float volumeGain(float v, bool wide) {
  const VolumeRange& range = volumeRange(wide);
  float g = static_cast<float>(exactPow(range.lnBase, static_cast<double>(v)));
  g = g * static_cast<float>(range.scale);
  if (g > 0.999f && g < 1.0001f) g = 1.0f;
  return g;
}

// The position whose gain is `db` decibels; outside 0..1 when the range
// cannot reach it.
inline double volumePosition(double db, bool wide) {
  const VolumeRange& r = volumeRange(wide);
  return std::log(std::pow(10.0, db / 20.0) / r.scale) / std::log(r.base);
}

// The gain at either end of the range, in dB.
inline double volumeLimitDb(bool wide) { return 20.0 * std::log10(volumeRange(wide).base * volumeRange(wide).scale); }

// The position for a number typed into a volume read-out: linear in the span
// the read-out shows, not clamped.
inline float typedVolumePosition(double db, bool wide) {
  return static_cast<float>(db / (2.0 * static_cast<double>(volumeRange(wide).shownSpanDb)) + 0.5);
}

// The full-scale clamp after each volume acts on a sample beyond ±1.0 or on
// NaN; exactly ±1.0 passes. A block in which it acts after the input volume
// (unless bypassed) raises the input-clip notice.
constexpr bool beyondFullScale(float sample) { return !(sample >= -1.0f && sample <= 1.0f); }

}  // namespace sorel
