// The input/output volume law, shared by the engine and the display texts.
#pragma once

#include "exactmath.h"

namespace sorel {

// Linear gain for a volume position v (0..1): ±3.01 dB (narrow) or ±18.06 dB
// (wide), linear in dB, exactly 1.0 at v = 0.5 so the centre is bit-transparent.
inline float volumeGain(float v, bool wide) {
  const DoubleDouble lnBase = wide ? kLnOf64 : kLnOf2;
  const float scale = wide ? 0.125f : 0.70710677f;
  float g = static_cast<float>(exactPow(lnBase, static_cast<double>(v)));
  g = g * scale;
  if (g > 0.999f && g < 1.0001f) g = 1.0f;
  return g;
}

}  // namespace sorel
