#include "loudnesstarget.h"

#include <gtest/gtest.h>

#include "deliverychain.h"
#include "peakrecorder.h"
#include "delivery_signals.h"

namespace sorel::test {
namespace {

using host::TargetOutcome;
using host::TargetRequest;

constexpr int kRate = 48000;

std::unique_ptr<host::SignalStore> stored(const std::vector<float>& x) {
  auto store = host::SignalStore::create(2, nullptr);
  for (std::size_t at = 0; at < x.size(); at += 10000)
    EXPECT_TRUE(store->append({x.begin() + static_cast<std::ptrdiff_t>(at),
                               x.begin() + static_cast<std::ptrdiff_t>(std::min(x.size(), at + 10000))},
                              nullptr));
  return store;
}

// What the delivered file holds: the signal through the gain and limiter
// the outcome chose, measured by libebur128.
host::Levels delivered(const std::vector<float>& x, const TargetRequest& request, const TargetOutcome& outcome) {
  host::DeliveryChain chain(2);
  chain.applyGain(outcome.gainDb);
  if (std::isfinite(request.ceilingDb)) {
    host::LimiterSettings settings = request.limiter;
    settings.ceilingDb = request.ceilingDb;
    chain.limit(kRate, settings);
  }
  std::vector<float> out = x, tail;
  chain.process(out);
  chain.finish(tail);
  out.insert(out.end(), tail.begin(), tail.end());
  return measure(out, kRate);
}

struct Case {
  double target, ceiling;
};

TEST(LoudnessTarget, LandsOnTheTargetUnderTheCeiling) {
  // Quiet and loud material, targets that need no limiting, some, and a lot.
  const std::vector<float> music = host::demoMaterial(kRate, 12.0);
  for (float level : {0.1f, 1.0f}) {
    std::vector<float> x = music;
    for (float& v : x) v *= level;
    auto store = stored(x);
    const double source = measure(x, kRate).integratedLufs;
    // The limiter's peaks recorded once, as a render does: they spare the
    // trials their detection, and every trial when the gain stays under the ceiling.
    auto peaks = host::SignalStore::create(1, nullptr);
    host::PeakRecorder recorder(2, kRate, *peaks);
    std::vector<float> pass = x, tail;
    recorder.process(pass);
    recorder.finish(tail);
    const double peak = 20.0 * std::log10(recorder.loudest());
    for (Case c : {Case{-23.0, -1.0}, Case{-14.0, -1.0}, Case{-10.0, -1.0}, Case{-16.0, NAN}}) {
      TargetRequest request;
      request.targetLufs = c.target, request.ceilingDb = c.ceiling, request.maxLimitingDb = 12.0;
      TargetOutcome outcome;
      ASSERT_TRUE(host::findTargetGain(*store, peaks.get(), kRate, source, peak, request, outcome, nullptr));
      const host::Levels out = delivered(x, request, outcome);
      EXPECT_NEAR(out.integratedLufs, c.target, 0.1) << "level " << level << " target " << c.target;
      EXPECT_NEAR(outcome.lufs, out.integratedLufs, 0.02);
      EXPECT_EQ(outcome.missedLu, 0.0);
      if (std::isfinite(c.ceiling)) {
        EXPECT_LE(out.truePeakDb, c.ceiling);
      }
    }
  }
}

TEST(LoudnessTarget, StopsAtTheLimitingAllowanceAndSaysByHowMuchItMissed) {
  const std::vector<float> x = host::demoMaterial(kRate, 12.0);
  auto store = stored(x);
  TargetRequest request;
  request.targetLufs = -6.0, request.ceilingDb = -1.0, request.maxLimitingDb = 3.0;
  TargetOutcome outcome;
  ASSERT_TRUE(
      host::findTargetGain(*store, nullptr, kRate, measure(x, kRate).integratedLufs, NAN, request, outcome, nullptr));
  const host::Levels out = delivered(x, request, outcome);
  EXPECT_LE(outcome.limitingDb, 3.0 + 0.01);
  EXPECT_GT(outcome.limitingDb, 3.0 - 0.1);
  EXPECT_GT(outcome.missedLu, 0.5);
  EXPECT_NEAR(out.integratedLufs, request.targetLufs - outcome.missedLu, 0.02);
  EXPECT_LE(out.truePeakDb, -1.0);
}

TEST(LoudnessTarget, SilenceHasNoLoudnessToMoveAndGetsNoGain) {
  const std::vector<float> x(2 * kRate, 0.0f);
  auto store = stored(x);
  TargetRequest request;
  request.targetLufs = -14.0, request.ceilingDb = -1.0;
  TargetOutcome outcome;
  ASSERT_TRUE(
      host::findTargetGain(*store, nullptr, kRate, measure(x, kRate).integratedLufs, NAN, request, outcome, nullptr));
  EXPECT_FALSE(outcome.reachable);
  EXPECT_EQ(outcome.gainDb, 0.0);
}

}  // namespace
}  // namespace sorel::test
