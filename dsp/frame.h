// The per-sample steps of the block frame around the modules: gain with the
// full-scale clamp, and the mid/side matrix. Explicit four-lane loops; each
// lane computes exactly what the scalar tail computes.
#pragma once

#include "simd.h"

namespace sorel {

// x = clamp(x * gain), or clamp(x) when the gain is exactly 1.0 (so the
// centre of a volume knob is bit-transparent, denormals included). Returns
// true when the clamp had to act (an overload or a NaN); ±1.0 is not a clip.
template <bool kScale>
inline bool clampScaled(float* x, int n, float gain) {
  i32x4 lanes{0, 0, 0, 0};
  bool tail = false;
  int i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    const f32x4 v = kScale ? load4(x + i) * gain : load4(x + i);
    f32x4 c = v > 1.0f ? f32x4{1.0f, 1.0f, 1.0f, 1.0f} : v;
    c = c < -1.0f ? f32x4{-1.0f, -1.0f, -1.0f, -1.0f} : c;
    c = v == v ? c : f32x4{0.0f, 0.0f, 0.0f, 0.0f};
    lanes |= c != v;
    store4(x + i, c);
  }
  for (; i < n; ++i) {
    const float v = kScale ? x[i] * gain : x[i];
    float c = v > 1.0f ? 1.0f : v;
    c = c < -1.0f ? -1.0f : c;
    c = v == v ? c : 0.0f;
    tail |= !(c == v);
    x[i] = c;
  }
  return tail || (lanes[0] | lanes[1] | lanes[2] | lanes[3]) != 0;
}

inline bool gainAndClamp(float* x, int n, float gain) {
  return gain == 1.0f ? clampScaled<false>(x, n, gain) : clampScaled<true>(x, n, gain);
}

// L, R -> M = (L + R) / 2, S = (L - R) / 2, in place.
inline void encodeMidSide(float* left, float* right, int n) {
  int i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    const f32x4 l = load4(left + i);
    const f32x4 r = load4(right + i);
    store4(left + i, (l + r) * 0.5f);
    store4(right + i, (l - r) * 0.5f);
  }
  for (; i < n; ++i) {
    const float l = left[i];
    const float r = right[i];
    left[i] = (l + r) * 0.5f;
    right[i] = (l - r) * 0.5f;
  }
}

// M, S -> L = M + S, R = M - S, in place.
inline void decodeMidSide(float* mid, float* side, int n) {
  int i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    const f32x4 m = load4(mid + i);
    const f32x4 s = load4(side + i);
    store4(mid + i, m + s);
    store4(side + i, m - s);
  }
  for (; i < n; ++i) {
    const float m = mid[i];
    const float s = side[i];
    mid[i] = m + s;
    side[i] = m - s;
  }
}

}  // namespace sorel
