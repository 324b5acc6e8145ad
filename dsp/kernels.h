// The engine's vectorised passes over one channel buffer, written once for
// any vector width V. Every pass ends with a scalar tail that computes the
// same formula one sample at a time.
#pragma once

#include <bit>
#include <cstdint>

#include "moduleset.h"
#include "simd.h"

namespace sorel::kernels {

// The clamp picks between bit patterns with masks rather than with min/max
// instructions: under denormals-are-zero those would turn a tiny in-range
// sample into zero, and whether the compiler uses them depends on the
// optimisation level. So every build keeps an in-range sample's bits.
template <class V, class Mask>
[[gnu::always_inline]] inline V pick(Mask m, V ifSet, V otherwise) {
  return reinterpret_cast<V>((m & reinterpret_cast<Mask>(ifSet)) | (~m & reinterpret_cast<Mask>(otherwise)));
}

[[gnu::always_inline]] inline float pick(bool m, float ifSet, float otherwise) {
  const std::uint32_t mask = m ? ~0u : 0u;
  const std::uint32_t bits =
      (mask & std::bit_cast<std::uint32_t>(ifSet)) | (~mask & std::bit_cast<std::uint32_t>(otherwise));
  return std::bit_cast<float>(bits);
}

// Whether any lane of a comparison mask is set: the halves are folded into
// one four-lane mask, whose sign bits one instruction gathers.
template <class Mask>
[[gnu::always_inline]] inline bool anySet(Mask m) {
  if constexpr (sizeof(Mask) == 32) {
    return anySet(__builtin_shufflevector(m, m, 0, 1, 2, 3) | __builtin_shufflevector(m, m, 4, 5, 6, 7));
  } else {
    return _mm_movemask_ps(reinterpret_cast<__m128>(m)) != 0;
  }
}

// x = clamp(x * gain) (no multiply when kScale is false). NaN becomes 0.
// Returns true when the clamp had to act; exactly ±1.0 is not a clip.
template <class V, bool kScale>
[[gnu::always_inline]] inline bool clampScaled(float* x, int n, float gain) {
  constexpr int L = lanesOf<V>;
  using Mask = decltype(V{} < V{});
  Mask changed{};
  bool tail = false;
  int i = 0;
  for (; i + L <= n; i += L) {
    const V v = kScale ? load<V>(x + i) * gain : load<V>(x + i);
    const Mask over = v > 1.0f;
    const Mask under = v < -1.0f;
    const Mask number = v == v;
    const V c = pick(number, pick(over, splat<V>(1.0f), pick(under, splat<V>(-1.0f), v)), V{});
    changed |= over | under | ~number;
    store(x + i, c);
  }
  for (; i < n; ++i) {
    const float v = kScale ? x[i] * gain : x[i];
    const bool over = v > 1.0f;
    const bool under = v < -1.0f;
    const bool number = v == v;
    x[i] = pick(number, pick(over, 1.0f, pick(under, -1.0f, v)), 0.0f);
    tail |= over || under || !number;
  }
  return tail || anySet(changed);
}

template <class V>
[[gnu::always_inline]] inline bool gainAndClamp(float* x, int n, float gain) {
  return gain == 1.0f ? clampScaled<V, false>(x, n, gain) : clampScaled<V, true>(x, n, gain);
}

// L, R -> M = (L + R) / 2, S = (L - R) / 2; and back: M + S, M - S.
template <class V, bool kEncode>
[[gnu::always_inline]] inline void midSide(float* a, float* b, int n) {
  constexpr int L = lanesOf<V>;
  int i = 0;
  for (; i + L <= n; i += L) {
    const V x = load<V>(a + i);
    const V y = load<V>(b + i);
    store(a + i, kEncode ? (x + y) * 0.5f : x + y);
    store(b + i, kEncode ? (x - y) * 0.5f : x - y);
  }
  for (; i < n; ++i) {
    const float x = a[i];
    const float y = b[i];
    a[i] = kEncode ? (x + y) * 0.5f : x + y;
    b[i] = kEncode ? (x - y) * 0.5f : x - y;
  }
}

// out[i] = sum over k of h[k] * line[newest + i - k], from 0, k ascending.
// kTaps > 0 fixes the tap count at compile time (taps must equal it).
template <class V, int kTaps = 0>
[[gnu::always_inline]] inline void convolve(const float* line, int newest, const float* h, int taps, float* out,
                                            int n) {
  if constexpr (kTaps == 0) {
    // The split filter's three taps, unrolled.
    if (taps == 3) return convolve<V, 3>(line, newest, h, taps, out, n);
  } else {
    taps = kTaps;
  }
  constexpr int L = lanesOf<V>;
  int i = 0;
  for (; i + L <= n; i += L) {
    V sum{};
    for (int k = 0; k < taps; ++k) sum = sum + h[k] * load<V>(line + newest + i - k);
    store(out + i, sum);
  }
  for (; i < n; ++i) {
    float sum = 0.0f;
    for (int k = 0; k < taps; ++k) sum = sum + h[k] * line[newest + i - k];
    out[i] = sum;
  }
}

// out[i] = a[i] - b[i], or a[i] + b[i].
template <class V, bool kAdd>
[[gnu::always_inline]] inline void combine(const float* a, const float* b, float* out, int n) {
  constexpr int L = lanesOf<V>;
  int i = 0;
  for (; i + L <= n; i += L) store(out + i, kAdd ? load<V>(a + i) + load<V>(b + i) : load<V>(a + i) - load<V>(b + i));
  for (; i < n; ++i) out[i] = kAdd ? a[i] + b[i] : a[i] - b[i];
}

// The fused module chain over one or two lanes (chainpass.h), one entry per
// combination of running modules (bit m set: module m runs); with bit 4 set,
// Pepper and Sugar evaluate every term (one lane only).
using ChainPass = void (*)(const CModuleSet::Lane* lanes, int n);
constexpr int kModuleCombinations = 1 << CModuleSet::kNumModules;
constexpr unsigned kAllTermsBit = 1u << CModuleSet::kNumModules;

// One entry per pass, for one vector width; the engine calls through the
// table chosen for the processor once at start-up.
struct Table {
  const char* name;
  bool (*gainAndClamp)(float* x, int n, float gain);
  void (*encodeMidSide)(float* left, float* right, int n);
  void (*decodeMidSide)(float* mid, float* side, int n);
  ChainPass oneLane[2 * kModuleCombinations];  // [modules | all terms]; [0] does nothing
  ChainPass twoLanes[kModuleCombinations];     // [modules], Pepper and Sugar on odd terms
  void (*convolve)(const float* line, int newest, const float* h, int taps, float* out, int n);
  void (*subtract)(const float* a, const float* b, float* out, int n);  // out = a - b
  void (*add)(const float* a, const float* b, float* out, int n);       // out = a + b
};

const Table& sse2();
// Null where the processor or the build has no AVX2.
const Table* avx2();
// The table the engine uses: the widest the processor runs.
const Table& active();
// For tests and benchmarks: run the engine with a given table from now on.
void use(const Table& table);

}  // namespace sorel::kernels
