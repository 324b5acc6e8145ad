// The memoryless parts of the four modules, written once for a scalar or a
// vector sample T; the coefficients C are floats, or vectors of the same
// coefficient in every lane (hoisted out of a loop). Powers are formed by repeated multiplication and
// every power and partial sum is a 32-bit float, in the order the formulas
// give; the compiler never contracts or reorders them.
#pragma once

#include "moduletables.h"
#include "simd.h"

namespace sorel {

// Salt's polynomial without its linear term: c1 x^2 + c2 x^3 + ... + c6 x^7.
template <class T, class C>
[[gnu::always_inline]] inline T saltPolynomial(T x, const C& c) {
  T p = x * x;
  T sum = c[1] * p;
#pragma GCC unroll 7
  for (int k = 2; k < 7; ++k) {
    p = p * x;
    sum = sum + c[k] * p;
  }
  return sum;
}

// sum + c1 x^2 + c2 x^3 + ... + c6 x^7, term by term from the given start.
// kOddOnly skips the terms of x^2, x^4 and x^6, which gives the same sum when
// their weights are +0 and c2 is negative (see oddTermsSuffice).
template <bool kOddOnly, class T, class C>
[[gnu::always_inline]] inline T addPowerTerms(T sum, T x, const C& c) {
  T p = x;
#pragma GCC unroll 7
  for (int k = 1; k < 7; ++k) {
    p = p * x;
    if (!kOddOnly || k % 2 == 0) sum = sum + c[k] * p;
  }
  return sum;
}

// Whether Pepper's or Sugar's sum may skip its even terms. Each of them adds
// +0 (a +0 weight times an even power, which is +0 or positive), and adding +0
// changes nothing but a -0 partial sum, into +0. A -0 sum only arises from
// x = -0 (or a negative x whose terms flush to zero), and then the x^3 term,
// c2 times -0 or a negative power, is +0 or positive: from there on both sums
// agree, and neither is ever -0 again. The module tables make this hold for
// every flavour in range; the check keeps any other value exact too.
template <class C>
inline bool oddTermsSuffice(const C& c) {
  const auto plusZero = [](float v) { return __builtin_bit_cast(unsigned, v) == 0u; };
  return plusZero(c[1]) && plusZero(c[3]) && plusZero(c[5]) && c[2] < 0.0f;
}

// Pepper: x plus the blended odd polynomial, in place.
template <bool kOddOnly = false, class T, class C>
[[gnu::always_inline]] inline T pepper(T x, const C& c) {
  return addPowerTerms<kOddOnly>(x + c[0] * x, x, c);
}

// Sugar's polynomial, starting with its linear term c0 x.
template <bool kOddOnly = false, class T, class C>
[[gnu::always_inline]] inline T sugarPolynomial(T x, const C& c) {
  return addPowerTerms<kOddOnly>(c[0] * x, x, c);
}

// Chili: x + k2 (x - x|x|) + k3 (x - x^3|x|), evaluated as k1 x - k2 m - k3 q + x.
template <class T, class C>
[[gnu::always_inline]] inline T chili(T x, const C& k) {
  const T m = absValue(x) * x;
  const T q = x * (m * x);
  return k[0] * x - k[1] * m - k[2] * q + x;
}

}  // namespace sorel
