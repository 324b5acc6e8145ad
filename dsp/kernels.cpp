#include "kernels.h"

#include <atomic>
#include <utility>

#include "chainpass.h"

namespace sorel::kernels {
namespace {

template <class V>
struct Passes {
  [[gnu::always_inline]] static bool gainAndClamp(float* x, int n, float gain) {
    return kernels::gainAndClamp<V>(x, n, gain);
  }
  [[gnu::always_inline]] static void encode(float* a, float* b, int n) { midSide<V, true>(a, b, n); }
  [[gnu::always_inline]] static void decode(float* a, float* b, int n) { midSide<V, false>(a, b, n); }
  template <unsigned kMods, int kLanes>
  [[gnu::always_inline]] static void chainPass(const CModuleSet::Lane* lanes, int n) {
    chain::runChain<V, kMods, kLanes>(lanes, n);
  }
  [[gnu::always_inline]] static void convolvePass(const float* line, int newest, const float* h, int taps, float* out,
                                                  int n) {
    convolve<V>(line, newest, h, taps, out, n);
  }
  [[gnu::always_inline]] static void subtract(const float* a, const float* b, float* out, int n) {
    combine<V, false>(a, b, out, n);
  }
  [[gnu::always_inline]] static void add(const float* a, const float* b, float* out, int n) {
    combine<V, true>(a, b, out, n);
  }
};

void nothing(const CModuleSet::Lane*, int) {}

template <class P, int kLanes, std::size_t N, unsigned... kMods>
constexpr void fillChain(ChainPass (&out)[N], std::integer_sequence<unsigned, kMods...>) {
  ((out[kMods] = kMods % kModuleCombinations == 0 ? &nothing : &P::template chainPass<kMods, kLanes>), ...);
}

template <class P>
constexpr Table tableOf(const char* name) {
  Table t{name, P::gainAndClamp, P::encode, P::decode, {}, {}, P::convolvePass, P::subtract, P::add};
  fillChain<P, 1>(t.oneLane, std::make_integer_sequence<unsigned, 2 * kModuleCombinations>{});
  fillChain<P, 2>(t.twoLanes, std::make_integer_sequence<unsigned, kModuleCombinations>{});
  return t;
}

constexpr Table kSse2 = tableOf<Passes<f32x4>>("sse2");

#if SOREL_RUNTIME_AVX2
// The same passes compiled for AVX2: each entry is a wrapper with the target
// attribute into which the generic pass is inlined.
struct Avx2 {
  using P = Passes<f32x8>;
  [[gnu::target("avx2")]] static bool gainAndClamp(float* x, int n, float g) { return P::gainAndClamp(x, n, g); }
  [[gnu::target("avx2")]] static void encode(float* a, float* b, int n) { P::encode(a, b, n); }
  [[gnu::target("avx2")]] static void decode(float* a, float* b, int n) { P::decode(a, b, n); }
  template <unsigned kMods, int kLanes>
  [[gnu::target("avx2")]] static void chainPass(const CModuleSet::Lane* lanes, int n) {
    P::template chainPass<kMods, kLanes>(lanes, n);
  }
  [[gnu::target("avx2")]] static void convolvePass(const float* line, int newest, const float* h, int taps, float* out,
                                                   int n) {
    P::convolvePass(line, newest, h, taps, out, n);
  }
  [[gnu::target("avx2")]] static void subtract(const float* a, const float* b, float* out, int n) {
    P::subtract(a, b, out, n);
  }
  [[gnu::target("avx2")]] static void add(const float* a, const float* b, float* out, int n) { P::add(a, b, out, n); }
};
constexpr Table kAvx2 = tableOf<Avx2>("avx2");
#endif

const Table* widest() {
#if SOREL_RUNTIME_AVX2
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return &kAvx2;
#endif
  return &kSse2;
}

// Chosen while the library loads, before any engine exists.
std::atomic<const Table*> chosen{widest()};

}  // namespace

const Table& sse2() { return kSse2; }

const Table* avx2() {
#if SOREL_RUNTIME_AVX2
  return widest() == &kAvx2 ? &kAvx2 : nullptr;
#else
  return nullptr;
#endif
}

const Table& active() { return *chosen.load(std::memory_order_relaxed); }

void use(const Table& table) { chosen.store(&table, std::memory_order_relaxed); }

}  // namespace sorel::kernels
