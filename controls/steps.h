// A stepped choice travels as k/128 and is read back as trunc(scale * value).
// A host may send any float: values beyond int's range saturate and NaN reads
// as step 0, where a plain conversion would be undefined.
#pragma once

#include <climits>

namespace sorel {

inline int truncatedSteps(float value, float scale) {
  const float steps = value * scale;
  if (steps != steps) return 0;
  if (!(steps > -2147483648.f)) return INT_MIN;
  if (!(steps < 2147483648.f)) return INT_MAX;
  return static_cast<int>(steps);
}

}  // namespace sorel
