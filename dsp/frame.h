// The per-sample steps of the block frame around the modules: gain, the two
// full-scale clamps and the mid/side matrix. Each is a plain loop over one
// channel buffer that the compiler vectorises.
#pragma once

namespace sorel {

inline void applyGain(float* x, int n, float gain) {
  for (int i = 0; i < n; ++i) x[i] *= gain;
}

// Limits every sample to [-1, +1]; NaN becomes 0. Returns true when any sample
// had to change (an overload or a NaN); exactly ±1.0 is not a clip.
inline bool clampCountingClips(float* x, int n) {
  bool clipped = false;
  for (int i = 0; i < n; ++i) {
    const float v = x[i];
    float c = v > 1.0f ? 1.0f : v;
    c = c < -1.0f ? -1.0f : c;
    c = v == v ? c : 0.0f;
    clipped |= !(c == v);
    x[i] = c;
  }
  return clipped;
}

inline void clamp(float* x, int n) { static_cast<void>(clampCountingClips(x, n)); }

// L, R -> M = (L + R) / 2, S = (L - R) / 2, in place.
inline void encodeMidSide(float* left, float* right, int n) {
  for (int i = 0; i < n; ++i) {
    const float l = left[i];
    const float r = right[i];
    left[i] = (l + r) * 0.5f;
    right[i] = (l - r) * 0.5f;
  }
}

// M, S -> L = M + S, R = M - S, in place.
inline void decodeMidSide(float* mid, float* side, int n) {
  for (int i = 0; i < n; ++i) {
    const float m = mid[i];
    const float s = side[i];
    mid[i] = m + s;
    side[i] = m - s;
  }
}

}  // namespace sorel
