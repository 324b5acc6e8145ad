// Four-lane float vectors (GCC vector extensions, SSE2 on every x86 target).
// Each lane does exactly the IEEE single-precision operation the scalar code
// does, so vector and scalar paths give the same bits.
#pragma once

#include <cstdint>
#include <cstring>

namespace sorel {

using f32x4 = float __attribute__((vector_size(16)));
using i32x4 = std::int32_t __attribute__((vector_size(16)));
constexpr int kLanes = 4;

inline f32x4 load4(const float* p) {
  f32x4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void store4(float* p, f32x4 v) { std::memcpy(p, &v, sizeof v); }

inline float absValue(float x) { return __builtin_fabsf(x); }

inline f32x4 absValue(f32x4 x) {
  const i32x4 bits = reinterpret_cast<i32x4>(x) & 0x7FFFFFFF;
  return reinterpret_cast<f32x4>(bits);
}

// Runs kernel(T& sample) over x[0..n): four lanes at a time, then one by one.
template <class Kernel>
inline void forEachSample(float* x, int n, Kernel&& kernel) {
  int i = 0;
  for (; i + kLanes <= n; i += kLanes) {
    f32x4 v = load4(x + i);
    kernel(v);
    store4(x + i, v);
  }
  for (; i < n; ++i) kernel(x[i]);
}

}  // namespace sorel
