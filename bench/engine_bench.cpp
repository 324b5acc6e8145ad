// Engine throughput at 48 kHz stereo through CPlug::processReplacing: each
// module alone, the full Stereo and M/S chains, each with and without
// split-band, at blocks of 32, 512 and 4096, with the passes this processor
// runs (avx2 where it has it) and with the four-lane ones every x86 runs
// (sse2, the Windows builds' fallback); the full chain decaying on silence;
// and beside them the chain's floor, its four recurrences alone in one loop.
//   ns_per_frame: time per stereo frame; x_realtime: audio seconds per second.
// The summary after the table gives each chain as a ratio to the floor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "kernels.h"
#include "plug.h"
#include "summary.h"

namespace {

constexpr double kRate = 48000.0;
constexpr const char* kFloorName = "RecurrenceFloor";

VstIntPtr VSTCALLBACK benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

std::vector<float> programMaterial(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<float> noise(0.0f, 0.25f);
  std::vector<float> x(n);
  for (std::size_t i = 0; i < n; ++i) x[i] = 0.5f * std::sin(0.01f * static_cast<float>(i)) + noise(random);
  return x;
}

void report(benchmark::State& state, std::int64_t framesPerIteration) {
  const double frames = static_cast<double>(state.iterations()) * static_cast<double>(framesPerIteration);
  state.counters["ns_per_frame"] =
      benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

enum Chain { kSaltOnly, kPepperOnly, kSugarOnly, kChiliOnly, kStereoChain, kMidSideChain };

struct Case {
  Chain chain;
  bool split;
  bool silence;  // primed with signal, then measured on silence: the filters decaying
  const sorel::kernels::Table* table;
};

// range(0): block size.
void runEngine(benchmark::State& state, Case c) {
  const int block = static_cast<int>(state.range(0));
  const sorel::kernels::Table& widest = sorel::kernels::active();
  sorel::kernels::use(*c.table);
  sorel::CPlug plug(benchHost);
  plug.setSampleRate(static_cast<float>(kRate));
  plug.setBlockSize(block);
  plug.resume();
  plug.setParameter(sorel::kPage, c.chain == kMidSideChain ? 1.0f / 128.0f : 0.0f);
  plug.setParameter(sorel::kAntiAlias, c.split ? 1.0f / 128.0f : 0.0f);
  plug.setParameter(sorel::kVolIn, 0.6f);
  for (int set : {sorel::kStereoBase, sorel::kMidBase, sorel::kSideBase})
    for (int m = 0; m < 4; ++m) {
      const bool on = c.chain == kStereoChain    ? set == sorel::kStereoBase
                      : c.chain == kMidSideChain ? set != sorel::kStereoBase
                                                 : set == sorel::kStereoBase && m == static_cast<int>(c.chain);
      plug.setParameter(set + 6 * m, on ? 0.7f : 0.0f);
      plug.setParameter(set + 6 * m + 1, 0.3f);
    }

  const std::size_t length = 1 << 16;
  std::vector<float> inLeft = programMaterial(length, 1), inRight = programMaterial(length, 2);
  std::vector<float> outLeft(static_cast<std::size_t>(block)), outRight(static_cast<std::size_t>(block));
  auto runBlock = [&](std::size_t offset) {
    float* inputs[2] = {inLeft.data() + offset, inRight.data() + offset};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    plug.processReplacing(inputs, outputs, block);
  };
  if (c.silence) {
    for (std::size_t offset = 0; offset + static_cast<std::size_t>(block) < length;
         offset += static_cast<std::size_t>(block))
      runBlock(offset);
    std::fill(inLeft.begin(), inLeft.end(), 0.0f);
    std::fill(inRight.begin(), inRight.end(), 0.0f);
  }
  std::size_t offset = 0;
  for (auto _ : state) {
    runBlock(offset);
    benchmark::DoNotOptimize(outLeft.data());
    offset = (offset + static_cast<std::size_t>(block)) % (length - static_cast<std::size_t>(block));
  }
  report(state, block);
  sorel::kernels::use(widest);
}
// The floor: Salt's and Sugar's one-pole recurrences of both channels in one
// loop, Salt's output feeding Sugar, and nothing else; whatever the rest of
// the chain costs, the chain cannot run faster than its recurrences.
void BM_RecurrenceFloor(benchmark::State& state) {
  const int block = static_cast<int>(state.range(0));
  const std::size_t n = static_cast<std::size_t>(block);
  const std::vector<float> left = programMaterial(n, 1), right = programMaterial(n, 2);
  std::vector<float> outLeft(n), outRight(n);
  const double saltA = std::exp(-2.0 * M_PI * 7.5 / kRate), saltB = 1.0 - saltA;
  const double sugarA = std::exp(-2.0 * M_PI * 3300.0 / kRate), sugarB = 1.0 - sugarA;
  double salt[2] = {}, sugar[2] = {};
  for (auto _ : state) {
    for (std::size_t i = 0; i < n; ++i) {
      const double x[2] = {left[i], right[i]};
      float y[2];
      for (int c = 0; c < 2; ++c) {
        salt[c] = x[c] * saltB + salt[c] * saltA;
        const auto s = static_cast<float>(x[c] - salt[c]);
        sugar[c] = static_cast<double>(s) * sugarB + sugar[c] * sugarA;
        y[c] = static_cast<float>(sugar[c] + static_cast<double>(s));
      }
      outLeft[i] = y[0];
      outRight[i] = y[1];
    }
    benchmark::DoNotOptimize(outLeft.data());
    benchmark::DoNotOptimize(outRight.data());
  }
  report(state, block);
}

void registerAll() {
  const char* names[] = {"Salt", "Pepper", "Sugar", "Chili", "StereoChain", "MidSideChain"};
  std::vector<const sorel::kernels::Table*> tables = {&sorel::kernels::active()};
  if (&sorel::kernels::active() != &sorel::kernels::sse2()) tables.push_back(&sorel::kernels::sse2());
  for (const sorel::kernels::Table* table : tables)
    for (int chain = kSaltOnly; chain <= kMidSideChain; ++chain)
      for (bool split : {false, true}) {
        std::string name = std::string(names[chain]) + (split ? "+split" : "") + "/" + table->name;
        benchmark::RegisterBenchmark(name.c_str(), runEngine, Case{static_cast<Chain>(chain), split, false, table})
            ->ArgName("block")
            ->Arg(32)
            ->Arg(512)
            ->Arg(4096);
      }
  benchmark::RegisterBenchmark("StereoChain+split/silence", runEngine,
                               Case{kStereoChain, true, true, &sorel::kernels::active()})
      ->ArgName("block")
      ->Arg(512);
  benchmark::RegisterBenchmark(kFloorName, BM_RecurrenceFloor)->ArgName("block")->Arg(32)->Arg(512)->Arg(4096);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  registerAll();
  sorel::bench::SummaryReporter reporter(kFloorName, isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                                                          : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
