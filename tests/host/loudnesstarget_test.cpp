#include "loudnesstarget.h"

#include <gtest/gtest.h>

#include "delivery_signals.h"
#include "deliverychain.h"
#include "peakrecorder.h"

namespace sorel::test {
namespace {

using host::TargetOutcome;
using host::TargetRequest;

constexpr int kRate = 48000;

TargetRequest request(double targetLufs, double ceilingDb, double maxLimitingDb = 6.0) {
  TargetRequest r;
  r.targetLufs = targetLufs, r.ceilingDb = ceilingDb, r.maxLimitingDb = maxLimitingDb;
  return r;
}

// The gain findTargetGain chooses for `x`, stored as a render stores it;
// `peaks` and `peakDb` are the limiter's detector peaks when recorded.
TargetOutcome aim(const std::vector<float>& x, const TargetRequest& wanted, host::SignalStore* peaks = nullptr,
                  double peakDb = NAN) {
  auto store = host::SignalStore::create(2, nullptr);
  for (std::size_t at = 0; at < x.size(); at += 10000)
    EXPECT_TRUE(store->append({x.begin() + static_cast<std::ptrdiff_t>(at),
                               x.begin() + static_cast<std::ptrdiff_t>(std::min(x.size(), at + 10000))},
                              nullptr));
  TargetOutcome outcome;
  EXPECT_TRUE(
      host::findTargetGain(*store, peaks, kRate, measure(x, kRate).integratedLufs, peakDb, wanted, outcome, nullptr));
  return outcome;
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
  return measure(inUnevenBlocks(chain, x), kRate);
}

TEST(LoudnessTarget, LandsOnTheTargetUnderTheCeiling) {
  // Quiet and loud material, targets that need no limiting, some, and a lot.
  const std::vector<float> music = host::demoMaterial(kRate, 12.0);
  for (float level : {0.1f, 1.0f}) {
    std::vector<float> x = music;
    for (float& v : x) v *= level;
    // The limiter's peaks recorded once, as a render does: they spare the
    // trials their detection, and every trial when the gain stays under the ceiling.
    auto peaks = host::SignalStore::create(1, nullptr);
    host::PeakRecorder recorder(2, kRate, *peaks);
    std::vector<float> pass = x, tail;
    recorder.process(pass);
    recorder.finish(tail);
    const double peak = 20.0 * std::log10(recorder.loudest());
    for (const TargetRequest& r :
         {request(-23, -1, 12), request(-14, -1, 12), request(-10, -1, 12), request(-16, NAN)}) {
      const TargetOutcome outcome = aim(x, r, peaks.get(), peak);
      const host::Levels out = delivered(x, r, outcome);
      EXPECT_NEAR(out.integratedLufs, r.targetLufs, 0.1) << "level " << level << " target " << r.targetLufs;
      EXPECT_NEAR(outcome.lufs, out.integratedLufs, 0.02);
      EXPECT_EQ(outcome.missedLu, 0.0);
      EXPECT_LE(out.truePeakDb, std::isnan(r.ceilingDb) ? INFINITY : r.ceilingDb);  // where there is a ceiling
    }
  }
}

TEST(LoudnessTarget, StopsAtTheLimitingAllowanceAndSaysByHowMuchItMissed) {
  const std::vector<float> x = host::demoMaterial(kRate, 12.0);
  const TargetOutcome outcome = aim(x, request(-6, -1, 3));
  const host::Levels out = delivered(x, request(-6, -1, 3), outcome);
  EXPECT_LE(outcome.limitingDb, 3.0 + 0.01);
  EXPECT_GT(outcome.limitingDb, 3.0 - 0.1);
  EXPECT_GT(outcome.missedLu, 0.5);
  EXPECT_NEAR(out.integratedLufs, -6.0 - outcome.missedLu, 0.02);
  EXPECT_LE(out.truePeakDb, -1.0);
}

TEST(LoudnessTarget, SilenceHasNoLoudnessToMoveAndGetsNoGain) {
  const TargetOutcome outcome = aim(std::vector<float>(2 * kRate, 0.0f), request(-14, -1));
  EXPECT_FALSE(outcome.reachable);
  EXPECT_EQ(outcome.gainDb, 0.0);
}

}  // namespace
}  // namespace sorel::test
