// The filtered halves of Salt and Sugar. Their one-pole recurrences are the
// chain's only serial work: y depends on the previous y through a double
// multiply and add. The two channels' recurrences are independent, so they run
// interleaved in one loop, each hiding the other's latency; so do the Mid and
// Side sets' recurrences on the M/S page.
#pragma once

#include "onepole.h"

namespace sorel {

// Salt, after its polynomial part P and linear part lin are known:
// y = P b + y a; out = (P - y, as a float) + lin.
struct SaltOutput {
  static float apply(float p, double y, float lin, float) {
    return static_cast<float>(static_cast<double>(p) - y) + lin;
  }
};

// Sugar: y = P b + y a; out = (y + x, as a float) * compensation.
struct SugarOutput {
  static float apply(float, double y, float x, float compensation) {
    return static_cast<float>(y + static_cast<double>(x)) * compensation;
  }
};

// out[i] = Output::apply(p[i], y, other[i], k) with y advanced by p[i]; out
// may alias other.
template <class Output>
inline void runRecurrence(COnePole& f, const float* p, const float* other, float* out, int n, float k) {
  const double a = f.a;
  const double b = f.b;
  double y = f.y;
  for (int i = 0; i < n; ++i) {
    y = static_cast<double>(p[i]) * b + y * a;
    out[i] = Output::apply(p[i], y, other[i], k);
  }
  f.y = y;
}

template <class Output>
inline void runRecurrences(COnePole& f0, COnePole& f1, const float* p0, const float* p1, const float* other0,
                           const float* other1, float* out0, float* out1, int n, float k0, float k1) {
  const double a0 = f0.a, b0 = f0.b;
  const double a1 = f1.a, b1 = f1.b;
  double y0 = f0.y;
  double y1 = f1.y;
  for (int i = 0; i < n; ++i) {
    y0 = static_cast<double>(p0[i]) * b0 + y0 * a0;
    y1 = static_cast<double>(p1[i]) * b1 + y1 * a1;
    out0[i] = Output::apply(p0[i], y0, other0[i], k0);
    out1[i] = Output::apply(p1[i], y1, other1[i], k1);
  }
  f0.y = y0;
  f1.y = y1;
}

}  // namespace sorel
