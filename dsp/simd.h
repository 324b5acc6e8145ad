// Float vectors of 4 lanes (SSE2, every x86 target) and 8 lanes (AVX2, chosen
// at run time where the processor has it), as GCC vector extensions. Each
// lane does exactly the IEEE single-precision operation the scalar code does,
// so every width gives the same bits.
#pragma once

#include <cstdint>
#include <cstring>

namespace sorel {

using f32x4 = float __attribute__((vector_size(16)));
using f32x8 = float __attribute__((vector_size(32)));
// Doubles with as many lanes as a float vector, for the one-pole filters'
// double-precision arithmetic (two registers wide on either processor).
using f64x4 = double __attribute__((vector_size(32)));
using f64x8 = double __attribute__((vector_size(64)));

template <class V>
struct DoublesFor;
template <>
struct DoublesFor<f32x4> {
  using type = f64x4;
};
template <>
struct DoublesFor<f32x8> {
  using type = f64x8;
};
template <class V>
using Doubles = typename DoublesFor<V>::type;

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

template <class D>
[[gnu::always_inline]] inline D loadDoubles(const double* p) {
  D v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <class D>
[[gnu::always_inline]] inline void storeDoubles(double* p, D v) {
  std::memcpy(p, &v, sizeof v);
}

// Lane by lane, exactly as a scalar cast: float to double is exact, double to
// float rounds to nearest.
template <class V>
[[gnu::always_inline]] inline Doubles<V> widen(V v) {
  return __builtin_convertvector(v, Doubles<V>);
}

template <class V>
[[gnu::always_inline]] inline V narrow(Doubles<V> d) {
  return __builtin_convertvector(d, V);
}

[[gnu::always_inline]] inline float absValue(float x) { return __builtin_fabsf(x); }

template <class V>
[[gnu::always_inline]] inline V absValue(V x) {
  using Bits = decltype(x < x);
  return reinterpret_cast<V>(reinterpret_cast<Bits>(x) & 0x7FFFFFFF);
}

}  // namespace sorel
