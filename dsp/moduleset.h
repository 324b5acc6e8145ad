// One set of the four spice modules (Salt, Pepper, Sugar, Chili) for one
// channel arrangement: the Stereo set (two channels, or one on a mono input),
// the Mid set and the Side set (one channel each).
//
// Threads: setParameter arrives on any thread. It stores the module's raw
// values in atomics and marks the module dirty; at block start the audio
// thread calls update(), which recomputes the coefficients of every dirty
// module from one reading of its values. A block therefore always runs with a
// whole coefficient set, the newest one published before the block began.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "onepole.h"
#include "parameters.h"

namespace sorel {

class CModuleSet {
 public:
  enum Module { kSalt, kPepper, kSugar, kChili, kNumModules };
  // Offsets 0..20 act: every module's amount, flavour and switch (offsets
  // 21..23, Chili's X values, and every X value act on nothing).
  static constexpr int kActiveParams = 21;

  // What one block runs with; owned by the audio thread.
  struct Settings {
    std::array<float, kNumModules> gains{};     // 35^(amount - 1)
    std::array<float, kNumModules> amounts{};   // a module runs only above 0
    std::array<float, kNumModules> flavours{};  // Salt and Chili inverted
    std::array<bool, kNumModules> on{};
    float sugarCompensation = 1.0f;  // 1 / (1 + 0.11 * Sugar gain)
    std::array<float, 7> salt{};
    std::array<float, 7> pepper{};
    std::array<float, 7> sugar{};
    std::array<float, 3> chili{};  // k1, k2, k3
    bool runs(Module m) const { return amounts[m] > 0.0f && on[m]; }
  };

  CModuleSet();

  // Once after construction.
  void setup(int channels, int parameterBase);
  // [suspended] The Stereo set drops to one channel on a mono input.
  void setChannels(int channels) { channelCount.store(channels, std::memory_order_relaxed); }
  int getChannels() const { return channelCount.load(std::memory_order_relaxed); }

  // [any thread] Acts on indices base .. base + 20 and ignores every other one.
  void setParameter(int index, float value);
  // [suspended] Re-tunes the four filters at the next update; states are kept.
  void setSampleRate(double rate);

  // [audio] Block start: takes the newest published values.
  void update();
  // [audio] Runs the chain in place on the set's channels.
  void process(float* const* channels, int n);
  // [audio] Runs two one-channel sets (Mid on x, Side on y) side by side,
  // which gives the same samples as running them one after the other.
  static void processPair(CModuleSet& a, float* x, CModuleSet& b, float* y, int n);

  const Settings& settings() const { return current; }

  // One channel as the chain sees it: its samples, its set's settings and
  // its filters (see modulechain.cpp).
  struct Lane {
    const Settings* settings;
    COnePole* salt;
    COnePole* sugar;
    float* x;
  };
  const COnePole& saltFilter(int ch) const { return saltFilters[ch]; }
  const COnePole& sugarFilter(int ch) const { return sugarFilters[ch]; }

 private:
  enum Field { kAmount, kFlavour, kOn, kNumFields };
  static constexpr unsigned kRateDirty = 1u << kNumModules;

  void computeModule(Module m);
  void retuneSugarFilters();

  std::atomic<float> raw[kNumModules][kNumFields];
  std::atomic<unsigned> dirty{0};
  std::atomic<double> pendingRate{0.0};
  std::atomic<int> channelCount{1};
  int base = 0;

  Settings current;
  COnePole saltFilters[2];
  COnePole sugarFilters[2];
};

}  // namespace sorel
