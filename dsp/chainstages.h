// The vector stages of the fused chain pass (see chainpass.h), each over one
// group of kGroup samples of one lane. Between the stages, a lane's
// intermediate values wait in a GroupScratch: Salt's polynomial before its
// filter has run, the sample Sugar shaped before its filter has run.
#pragma once

#include <array>
#include <cstddef>

#include "kernels.h"
#include "moduleset.h"
#include "shapers.h"
#include "simd.h"

namespace sorel::chain {

// Which modules run, one bit each, in chain order.
// kAllTerms: Pepper and Sugar evaluate their even terms too (oddTermsSuffice
// does not hold for their weights).
enum Modules : unsigned { kSalt = 1u, kPepper = 2u, kSugar = 4u, kChili = 8u, kAllTerms = 16u };

constexpr int kGroup = 8;  // samples per pipeline step: one AVX2 vector, two SSE2 vectors

// One lane's coefficients as vectors, hoisted out of the pass.
template <class V>
struct LaneConstants {
  std::array<V, 7> salt, pepper, sugar;
  std::array<V, 3> chili;
  V saltLinear;  // 1 + c0
  V sugarCompensation;
  Wide<V> saltB, sugarB;  // the filters' input weights
};

template <class V, std::size_t N>
[[gnu::always_inline]] inline void splatInto(std::array<V, N>& out, const std::array<float, N>& c) {
  for (std::size_t i = 0; i < N; ++i) out[i] = splat<V>(c[i]);
}

// Fills k in place with what the running modules use.
template <class V, unsigned kMods>
[[gnu::always_inline]] inline void hoist(LaneConstants<V>& k, const CModuleSet::Settings& s, const COnePole& saltFilter,
                                         const COnePole& sugarFilter) {
  if constexpr ((kMods & kSalt) != 0) {
    splatInto(k.salt, s.salt);
    k.saltLinear = splat<V>(1.0f + s.salt[0]);
    k.saltB = Wide<V>::splat(saltFilter.b);
  }
  if constexpr ((kMods & kPepper) != 0) splatInto(k.pepper, s.pepper);
  if constexpr ((kMods & kSugar) != 0) {
    splatInto(k.sugar, s.sugar);
    k.sugarCompensation = splat<V>(s.sugarCompensation);
    k.sugarB = Wide<V>::splat(sugarFilter.b);
  }
  if constexpr ((kMods & kChili) != 0) splatInto(k.chili, s.chili);
}

struct GroupScratch {
  double saltPoly[kGroup];    // Salt's P, widened
  float saltLinear[kGroup];   // (1 + c0) x
  double saltDrive[kGroup];   // P b, the filter's input term
  double saltState[kGroup];   // y after each sample
  float sugarInput[kGroup];   // the sample Sugar shaped
  double sugarDrive[kGroup];  // P b
  double sugarState[kGroup];  // y after each sample
};

// Salt up to its filter: the polynomial, the linear part and the filter's drive.
template <class V>
[[gnu::always_inline]] inline void shapeSalt(const float* x, const LaneConstants<V>& k, GroupScratch& s) {
#pragma GCC unroll 2
  for (int j = 0; j < kGroup; j += lanesOf<V>) {
    const V v = load<V>(x + j);
    const Wide<V> p = widen(saltPolynomial(v, k.salt));
    p.store(s.saltPoly + j);
    (p * k.saltB).store(s.saltDrive + j);
    store(s.saltLinear + j, k.saltLinear * v);
  }
}

// Salt's output (P - y, as a float, plus the linear part) where Salt runs,
// then Pepper; then Sugar up to its filter, or, without Sugar, Chili and the
// store of the finished samples.
template <class V, unsigned kMods>
[[gnu::always_inline]] inline void shapeMiddle(float* x, const LaneConstants<V>& k, GroupScratch& s) {
#pragma GCC unroll 2
  for (int j = 0; j < kGroup; j += lanesOf<V>) {
    V v;
    if constexpr ((kMods & kSalt) != 0) {
      const Wide<V> highPass = Wide<V>::load(s.saltPoly + j) - Wide<V>::load(s.saltState + j);
      v = narrow(highPass) + load<V>(s.saltLinear + j);
    } else {
      v = load<V>(x + j);
    }
    constexpr bool kOddOnly = (kMods & kAllTerms) == 0;
    if constexpr ((kMods & kPepper) != 0) v = pepper<kOddOnly>(v, k.pepper);
    if constexpr ((kMods & kSugar) != 0) {
      store(s.sugarInput + j, v);
      (widen(sugarPolynomial<kOddOnly>(v, k.sugar)) * k.sugarB).store(s.sugarDrive + j);
    } else {
      if constexpr ((kMods & kChili) != 0) v = chili(v, k.chili);
      store(x + j, v);
    }
  }
}

// Sugar's output ((y + x, as a float) times the compensation), then Chili,
// and the store of the finished samples.
template <class V, unsigned kMods>
[[gnu::always_inline]] inline void finishSugar(const GroupScratch& s, const LaneConstants<V>& k, float* x) {
#pragma GCC unroll 2
  for (int j = 0; j < kGroup; j += lanesOf<V>) {
    const V in = load<V>(s.sugarInput + j);
    V v = narrow(Wide<V>::load(s.sugarState + j) + widen(in)) * k.sugarCompensation;
    if constexpr ((kMods & kChili) != 0) v = chili(v, k.chili);
    store(x + j, v);
  }
}

}  // namespace sorel::chain
