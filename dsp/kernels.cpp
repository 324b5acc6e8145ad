#include "kernels.h"

#include <atomic>
#include <type_traits>

namespace sorel::kernels {
namespace {

// The coefficients to use with sample type T: the floats for the scalar tail,
// the hoisted vectors for the vector body.
template <class T, class Floats, class Vectors>
[[gnu::always_inline]] inline const auto& coefficientsFor(T, const Floats& floats, const Vectors& vectors) {
  if constexpr (std::is_same_v<T, float>)
    return floats;
  else
    return vectors;
}

template <class V>
struct Passes {
  [[gnu::always_inline]] static bool gainAndClamp(float* x, int n, float gain) {
    return kernels::gainAndClamp<V>(x, n, gain);
  }
  [[gnu::always_inline]] static void encode(float* a, float* b, int n) { midSide<V, true>(a, b, n); }
  [[gnu::always_inline]] static void decode(float* a, float* b, int n) { midSide<V, false>(a, b, n); }
  [[gnu::always_inline]] static void saltShape(const float* x, float* poly, float* lin, int n, const Poly7& c) {
    const auto cv = splatAll<V>(c);
    shapeInto<V>(
        x, poly,
        n, [&](auto v) __attribute__((always_inline)) { return saltPolynomial(v, coefficientsFor(v, c, cv)); });
    const float linear = 1.0f + c[0];
    shapeInto<V>(
        x, lin, n, [&](auto v) __attribute__((always_inline)) { return linear * v; });
  }
  [[gnu::always_inline]] static void pepperPass(float* x, int n, const Poly7& c) {
    const auto cv = splatAll<V>(c);
    shapeInPlace<V>(
        x, n, [&](auto v) __attribute__((always_inline)) { return sorel::pepper(v, coefficientsFor(v, c, cv)); });
  }
  [[gnu::always_inline]] static void sugarShape(const float* x, float* poly, int n, const Poly7& c) {
    const auto cv = splatAll<V>(c);
    shapeInto<V>(
        x, poly,
        n, [&](auto v) __attribute__((always_inline)) { return sugarPolynomial(v, coefficientsFor(v, c, cv)); });
  }
  [[gnu::always_inline]] static void chiliPass(float* x, int n, const std::array<float, 3>& k) {
    const auto kv = splatAll<V>(k);
    shapeInPlace<V>(
        x, n, [&](auto v) __attribute__((always_inline)) { return sorel::chili(v, coefficientsFor(v, k, kv)); });
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

template <class P>
constexpr Table tableOf(const char* name) {
  return {name,          P::gainAndClamp, P::encode,       P::decode,   P::saltShape, P::pepperPass,
          P::sugarShape, P::chiliPass,    P::convolvePass, P::subtract, P::add};
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
  [[gnu::target("avx2")]] static void saltShape(const float* x, float* p, float* l, int n, const Poly7& c) {
    P::saltShape(x, p, l, n, c);
  }
  [[gnu::target("avx2")]] static void pepperPass(float* x, int n, const Poly7& c) { P::pepperPass(x, n, c); }
  [[gnu::target("avx2")]] static void sugarShape(const float* x, float* p, int n, const Poly7& c) {
    P::sugarShape(x, p, n, c);
  }
  [[gnu::target("avx2")]] static void chiliPass(float* x, int n, const std::array<float, 3>& k) {
    P::chiliPass(x, n, k);
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
