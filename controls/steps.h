// A stepped choice travels as k/128 and is read back as trunc(scale * value).
// A host may send any float: NaN reads as step 0, and values no step count
// comes near saturate at +-1e9, a count nothing acts on and that a caller may
// still add to or subtract from.
#pragma once

namespace sorel {

inline int truncatedSteps(float value, float scale) {
  const float steps = value * scale;
  if (steps != steps) return 0;
  if (!(steps > -1.0e9f)) return -1000000000;
  if (!(steps < 1.0e9f)) return 1000000000;
  return static_cast<int>(steps);
}

}  // namespace sorel
