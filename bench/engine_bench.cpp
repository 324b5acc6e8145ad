// Engine throughput at 48 kHz stereo: each module alone, the full Stereo and
// M/S chains, each with and without split-band, at blocks of 32, 512 and
// 4096; and beside them the serial floor of the chain, two plain double
// one-pole recurrences per channel.
//   ns_per_frame: wall time per stereo frame; x_realtime: audio seconds per second.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "plug.h"

namespace {

constexpr double kRate = 48000.0;

VstIntPtr VSTCALLBACK benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

std::vector<float> programMaterial(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<float> noise(0.0f, 0.25f);
  std::vector<float> x(n);
  for (std::size_t i = 0; i < n; ++i)
    x[i] = 0.5f * std::sin(0.01f * static_cast<float>(i)) + noise(random);
  return x;
}

void report(benchmark::State& state, std::int64_t framesPerIteration) {
  const double frames = static_cast<double>(state.iterations()) * static_cast<double>(framesPerIteration);
  state.counters["ns_per_frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

enum Chain { kSaltOnly, kPepperOnly, kSugarOnly, kChiliOnly, kStereoChain, kMidSideChain };

// range(0): block size, range(1): chain, range(2): split-band on.
void BM_Engine(benchmark::State& state) {
  const int block = static_cast<int>(state.range(0));
  const auto chain = static_cast<Chain>(state.range(1));
  sorel::CPlug plug(benchHost);
  plug.setSampleRate(static_cast<float>(kRate));
  plug.setBlockSize(block);
  plug.resume();
  plug.setParameter(sorel::kPage, chain == kMidSideChain ? 1.0f / 128.0f : 0.0f);
  plug.setParameter(sorel::kAntiAlias, state.range(2) ? 1.0f / 128.0f : 0.0f);
  plug.setParameter(sorel::kVolIn, 0.6f);
  for (int set : {sorel::kStereoBase, sorel::kMidBase, sorel::kSideBase})
    for (int m = 0; m < 4; ++m) {
      const bool on = chain == kStereoChain ? set == sorel::kStereoBase
                      : chain == kMidSideChain ? set != sorel::kStereoBase
                                               : set == sorel::kStereoBase && m == static_cast<int>(chain);
      plug.setParameter(set + 6 * m, on ? 0.7f : 0.0f);
      plug.setParameter(set + 6 * m + 1, 0.3f);
    }

  const std::size_t length = 1 << 16;
  std::vector<float> inLeft = programMaterial(length, 1), inRight = programMaterial(length, 2);
  std::vector<float> outLeft(static_cast<std::size_t>(block)), outRight(static_cast<std::size_t>(block));
  std::size_t offset = 0;
  for (auto _ : state) {
    float* inputs[2] = {inLeft.data() + offset, inRight.data() + offset};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    plug.processReplacing(inputs, outputs, block);
    benchmark::DoNotOptimize(outLeft.data());
    offset = (offset + static_cast<std::size_t>(block)) % (length - static_cast<std::size_t>(block));
  }
  report(state, block);
}

// The serial floor: Salt's and Sugar's filters alone, channel after channel.
void BM_BareRecurrences(benchmark::State& state) {
  const int block = static_cast<int>(state.range(0));
  std::vector<float> left = programMaterial(static_cast<std::size_t>(block), 1);
  std::vector<float> right = programMaterial(static_cast<std::size_t>(block), 2);
  const double a1 = 0.999, b1 = 1.0 - a1, a2 = 0.65, b2 = 1.0 - a2;
  double state1[2] = {}, state2[2] = {};
  for (auto _ : state) {
    float* channels[2] = {left.data(), right.data()};
    for (int c = 0; c < 2; ++c) {
      float* x = channels[c];
      double y = state1[c];
      for (int i = 0; i < block; ++i) x[i] = static_cast<float>(y = static_cast<double>(x[i]) * b1 + y * a1);
      state1[c] = y;
      y = state2[c];
      for (int i = 0; i < block; ++i) x[i] = static_cast<float>(y = static_cast<double>(x[i]) * b2 + y * a2);
      state2[c] = y;
    }
    benchmark::DoNotOptimize(left.data());
    benchmark::DoNotOptimize(right.data());
  }
  report(state, block);
}

void chainArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"block", "chain", "split"});
  for (int chain = kSaltOnly; chain <= kMidSideChain; ++chain)
    for (int split : {0, 1})
      for (int block : {32, 512, 4096}) b->Args({block, chain, split});
}

}  // namespace

BENCHMARK(BM_Engine)->Apply(chainArguments);
BENCHMARK(BM_BareRecurrences)->ArgName("block")->Arg(32)->Arg(512)->Arg(4096);

BENCHMARK_MAIN();
