// A module's gain written straight from its definition, for the plain model.
#pragma once

#include <cmath>

#include "exactmath.h"

namespace sorel::test {

inline float modelGain(float amount) {
  const float exponent = amount - 1.0f;
  return static_cast<float>(exactPow(kLnOf35, static_cast<double>(exponent)));
}

}  // namespace sorel::test
