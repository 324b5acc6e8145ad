#include "truepeaklimiter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "delivery_signals.h"
#include "limitergain.h"

namespace sorel::test {
namespace {

using host::LimiterGain;
using host::LimiterSettings;
using host::TruePeakLimiter;

std::vector<float> limited(const std::vector<float>& x, int rate, const LimiterSettings& s, float* least = nullptr) {
  TruePeakLimiter limiter(2, rate, s);
  std::vector<float> out = inUnevenBlocks(limiter, x);
  if (least) *least = limiter.leastGain();
  return out;
}

TEST(LimiterGain, NeverAboveTheNeedOfAnyFrameWithinReach) {
  // Sparse dips of every depth and width, some overlapping: the curve must
  // honour each of them over the whole reach, and be 1 where none is near.
  const int attack = 24, reach = 6;
  LimiterGain gain(attack, reach, 400.0);
  std::mt19937 random(3);
  std::vector<float> need(20000, 1.0f);
  for (int d = 0; d < 60; ++d) {
    const int at = 100 + static_cast<int>(random() % 19000), width = 1 + static_cast<int>(random() % 30);
    const float depth = 0.05f + 0.9f * static_cast<float>(random() % 1000) / 1000.0f;
    for (int i = at; i < at + width; ++i) need[static_cast<std::size_t>(i)] = std::min(need[i], depth);
  }
  std::vector<float> curve;
  for (float n : need) curve.push_back(gain.push(n));
  const int late = gain.latency();
  bool anyOne = false;
  for (int t = 0; t + late < static_cast<int>(curve.size()); ++t) {
    const float g = curve[static_cast<std::size_t>(t + late)];
    float least = 1.0f;
    for (int k = std::max(0, t - reach); k <= std::min<int>(t + reach, static_cast<int>(need.size()) - 1); ++k)
      least = std::min(least, need[static_cast<std::size_t>(k)]);
    ASSERT_LE(g, least * 1.000001f) << "frame " << t;
    anyOne |= g == 1.0f;
  }
  EXPECT_TRUE(anyOne) << "the release must come back to exactly 1";
}

TEST(TruePeakLimiter, HoldsTheCeilingOnHardMaterialAsLibebur128MeasuresIt) {
  for (int rate : {44100, 48000, 96000})
    for (double ceiling : {-1.0, -0.1, -6.0})
      for (const Signal& s : hardSignals(rate, 2.0f)) {
        LimiterSettings settings;
        settings.ceilingDb = ceiling;
        const std::vector<float> out = limited(s.frames, rate, settings);
        ASSERT_EQ(out.size(), s.frames.size());
        const double peak = measure(out, rate).truePeakDb;
        EXPECT_LE(peak, ceiling) << s.name << " at " << rate << " Hz";
        // And not by squashing everything: the loud parts reach close to the
        // ceiling (at 96 kHz the 4x detector finds quarter-sample peaks of the
        // impulses the meter's 2x misses: 0.65 dB under).
        EXPECT_GT(peak, ceiling - 0.75) << s.name << " at " << rate << " Hz";
      }
}

TEST(TruePeakLimiter, TurnsDownEveryFrameTheMeterReadsAroundAPeak) {
  // Single samples 26 dB over the ceiling on a quiet bed. A meter's 4x
  // interpolation near such a peak reads the 6 frames on either side: each of
  // them must already be turned down as far as the peak needs (a lookahead
  // one frame short leaves the last of them, or the first, untouched).
  const int reach = 6;
  std::vector<float> x(2 * 48000, 0.01f);
  std::vector<int> peaks;
  for (int n = 4000; n < 47000; n += 9001) {
    peaks.push_back(n);
    x[2 * n] = x[2 * n + 1] = 10.0f;
  }
  LimiterSettings settings;
  settings.ceilingDb = -6.0;
  float least = 1.0f;
  const std::vector<float> out = limited(x, 48000, settings, &least);
  // The deepest gain is what the peak needs, less the small safety margin.
  const float need = std::pow(10.0f, -6.0f / 20.0f) / 10.0f;
  EXPECT_LE(least, need);
  EXPECT_GT(least, need * 0.99f);
  for (int n : peaks)
    for (int f = n - reach; f <= n + reach; ++f)
      EXPECT_LE(out[2 * f] / x[2 * f], least * 1.00001f) << "frame " << f - n;
  EXPECT_LE(measure(out, 48000).truePeakDb, -6.0);
  // No clicks: the gain ramps down over the 1.5 ms lookahead (72 frames),
  // never in a step.
  float steepest = 0.0f;
  for (std::size_t f = 1; f < x.size() / 2; ++f)
    steepest = std::max(steepest, std::fabs(out[2 * f] / x[2 * f] - out[2 * f - 2] / x[2 * f - 2]));
  EXPECT_LT(steepest, (1.0f - least) / 72.0f * 1.01f);
}

TEST(TruePeakLimiter, SteadyToneGetsASteadyGainAndReturnsToTransparency) {
  // A 1 kHz tone 6 dB over, then the same tone quiet: once settled, every
  // period is turned down alike (no pumping), and after the release the
  // quiet part comes out untouched.
  const int rate = 48000;
  std::vector<float> x = sine(3 * rate, rate, 1000.0, 2.0);
  const std::vector<float> quiet = sine(3 * rate, rate, 1000.0, 0.25);
  x.insert(x.end(), quiet.begin(), quiet.end());
  x.resize(static_cast<std::size_t>(rate) * 12);
  const std::vector<float> out = limited(x, rate, {});
  float lo = 1e9f, hi = 0.0f;
  for (int i = rate / 2; i < 3 * rate - 100; ++i)
    if (std::fabs(x[2 * i]) > 1.0f) {
      const float g = out[2 * i] / x[2 * i];
      lo = std::min(lo, g), hi = std::max(hi, g);
    }
  EXPECT_LT(hi / lo, 1.0001f);
  for (int i = 5 * rate; i < 6 * rate; ++i) ASSERT_EQ(out[2 * i], x[2 * i]);
}

}  // namespace
}  // namespace sorel::test
