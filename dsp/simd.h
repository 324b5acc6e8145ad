// Float vectors of 4 lanes (SSE2, every x86 target) and 8 lanes (AVX2, chosen
// at run time where the processor has it), as GCC vector extensions. Each
// lane does exactly the IEEE single-precision operation the scalar code does,
// so every width gives the same bits.
#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

namespace sorel {

using f32x4 = float __attribute__((vector_size(16)));
using f32x8 = float __attribute__((vector_size(32)));
using f64x2 = double __attribute__((vector_size(16)));
using f64x4 = double __attribute__((vector_size(32)));

template <class V>
constexpr int lanesOf = sizeof(V) / sizeof(float);

template <class V>
[[gnu::always_inline]] inline V load(const float* p) {
  V v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <class V>
[[gnu::always_inline]] inline void store(float* p, V v) {
  std::memcpy(p, &v, sizeof v);
}

template <class V>
[[gnu::always_inline]] inline V splat(float x) {
  return V{} + x;
}

// A float vector's lanes as doubles, for the one-pole filters' arithmetic:
// two native double vectors, the low and the high half.
template <class V>
struct HalfOf;
template <>
struct HalfOf<f32x4> {
  using type = f64x2;
};
template <>
struct HalfOf<f32x8> {
  using type = f64x4;
};

template <class V>
struct Wide {
  using Half = typename HalfOf<V>::type;
  Half lo, hi;

  [[gnu::always_inline]] static Wide splat(double x) { return {Half{} + x, Half{} + x}; }
  [[gnu::always_inline]] static Wide load(const double* p) {
    Wide w;
    std::memcpy(&w.lo, p, sizeof w.lo);
    std::memcpy(&w.hi, p + lanesOf<V> / 2, sizeof w.hi);
    return w;
  }
  [[gnu::always_inline]] void store(double* p) const {
    std::memcpy(p, &lo, sizeof lo);
    std::memcpy(p + lanesOf<V> / 2, &hi, sizeof hi);
  }
  [[gnu::always_inline]] friend Wide operator+(Wide a, Wide b) { return {a.lo + b.lo, a.hi + b.hi}; }
  [[gnu::always_inline]] friend Wide operator-(Wide a, Wide b) { return {a.lo - b.lo, a.hi - b.hi}; }
  [[gnu::always_inline]] friend Wide operator*(Wide a, Wide b) { return {a.lo * b.lo, a.hi * b.hi}; }
};

// Lane by lane, exactly as a scalar cast: float to double is exact, double to
// float rounds to nearest.
template <class V>
[[gnu::always_inline]] inline Wide<V> widen(V v) {
  if constexpr (lanesOf<V> == 4)
    return {_mm_cvtps_pd(v), _mm_cvtps_pd(_mm_movehl_ps(v, v))};
  else {
    // Converted whole and then halved: GCC then uses one full-width
    // conversion per half.
    using f64x8 = double __attribute__((vector_size(64)));
    const f64x8 w = __builtin_convertvector(v, f64x8);
    return {__builtin_shufflevector(w, w, 0, 1, 2, 3), __builtin_shufflevector(w, w, 4, 5, 6, 7)};
  }
}

template <class V>
[[gnu::always_inline]] inline V narrow(Wide<V> w) {
  if constexpr (lanesOf<V> == 4)
    return _mm_movelh_ps(_mm_cvtpd_ps(w.lo), _mm_cvtpd_ps(w.hi));
  else
    return __builtin_convertvector(__builtin_shufflevector(w.lo, w.hi, 0, 1, 2, 3, 4, 5, 6, 7), V);
}

[[gnu::always_inline]] inline float absValue(float x) { return __builtin_fabsf(x); }

template <class V>
[[gnu::always_inline]] inline V absValue(V x) {
  using Bits = decltype(x < x);
  return reinterpret_cast<V>(reinterpret_cast<Bits>(x) & 0x7FFFFFFF);
}

}  // namespace sorel
