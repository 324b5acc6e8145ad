// Test material for the delivery stages: the hard cases of a true-peak
// limiter, and a meter reading through libebur128 (independent of the code
// under test).
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "demomaterial.h"
#include "loudness.h"

namespace sorel::test {

struct Signal {
  std::string name;
  std::vector<float> frames;  // interleaved stereo
};

// `frames` of a sine at `hz`, `amplitude` high, alike on every channel.
inline std::vector<float> sine(int frames, int rate, double hz, double amplitude = 1.0, int channels = 2,
                               double phase = 0.0) {
  std::vector<float> x(static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels));
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i / static_cast<std::size_t>(channels)) / rate;
    x[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * t + phase));
  }
  return x;
}

inline std::vector<float> stereoOf(int frames, float (*shape)(int, int), int rate) {
  std::vector<float> x(static_cast<std::size_t>(frames) * 2);
  for (int i = 0; i < frames; ++i)
    for (int c = 0; c < 2; ++c) x[static_cast<std::size_t>(2 * i + c)] = shape(i + 37 * c, rate);
  return x;
}

// Two seconds of each at `rate`, most of them well over full scale after `drive`.
inline std::vector<Signal> hardSignals(int rate, float drive) {
  const int n = 2 * rate;
  std::vector<Signal> all;
  for (double hz : {997.0, 10000.0, 15000.0, 20000.0})
    all.push_back({std::to_string(static_cast<int>(hz)) + " Hz sine", sine(n, rate, hz, 1.0, 2, 0.3)});
  // A square wave of period 4 frames, a quarter-period off: its true peak is 3 dB over its samples.
  all.push_back({"square fs/4", stereoOf(n, [](int i, int) { return (i / 2) % 2 ? 1.0f : -1.0f; }, rate)});
  all.push_back({"square 1 kHz", stereoOf(n, [](int i, int r) { return (i * 2000 / r) % 2 ? 1.0f : -1.0f; }, rate)});
  all.push_back({"impulses", stereoOf(n, [](int i, int) { return i % 997 == 0 ? 1.0f : i % 997 == 1 ? -1.0f : 0.0f; },
                                      rate)});
  std::mt19937 random(7);
  std::normal_distribution<float> gauss(0.0f, 1.0f);
  std::vector<float> noise(static_cast<std::size_t>(n) * 2);
  for (float& v : noise) v = std::clamp(2.0f * gauss(random), -1.0f, 1.0f);
  all.push_back({"clipped noise", noise});
  all.push_back({"music", host::demoMaterial(rate, 2.0)});
  for (Signal& s : all)
    for (float& v : s.frames) v *= drive;
  return all;
}

// Runs a delivery stage over interleaved stereo `x` in uneven blocks, as a
// render hands them over, then its tail.
template <class Stage>
std::vector<float> inUnevenBlocks(Stage& stage, const std::vector<float>& x) {
  std::vector<float> out;
  for (std::size_t at = 0, n = 1; at < x.size(); n = n * 7 % 4093 + 1) {
    const std::size_t take = std::min(x.size() - at, 2 * n);
    std::vector<float> block(x.begin() + static_cast<std::ptrdiff_t>(at),
                             x.begin() + static_cast<std::ptrdiff_t>(at + take));
    at += take;
    stage.process(block);
    out.insert(out.end(), block.begin(), block.end());
  }
  stage.finish(out);
  return out;
}

inline host::Levels measure(const std::vector<float>& frames, int rate, int channels = 2) {
  auto meter = host::LoudnessMeter::create(channels, rate, nullptr);
  meter->add(frames.data(), static_cast<std::int64_t>(frames.size()) / channels);
  return meter->levels();
}

}  // namespace sorel::test
