// The module coefficients written straight from their definitions, to check
// what the engine publishes.
#pragma once

#include <array>
#include <cmath>

#include "exactmath.h"
#include "moduletables.h"

namespace sorel::test {

inline float modelGain(float amount) {
  const float exponent = amount - 1.0f;
  return static_cast<float>(exactPow(kLnOf35, static_cast<double>(exponent)));
}

inline Poly7 modelBlend(const FlavourTables& t, float f, float gain) {
  Poly7 out{};
  for (int k = 0; k < 7; ++k) {
    float w2, first, second;
    if (f <= 0.5f) {
      w2 = 2.0f * f;
      first = t.a[k];
      second = t.b[k];
    } else {
      w2 = 2.0f * (f - 0.5f);
      first = t.b[k];
      second = t.c[k];
    }
    const float w1 = 1.0f - w2;
    out[k] = (first * w1 + second * w2) * gain;
  }
  return out;
}

}  // namespace sorel::test
