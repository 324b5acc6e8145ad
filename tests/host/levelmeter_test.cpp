#include "levelmeter.h"

#include <gtest/gtest.h>

#include "delivery_signals.h"

namespace sorel::test {
namespace {

// Music whose level moves by 20 dB over the piece, so that both gates and
// the range's percentiles have something to do.
std::vector<float> dynamic(int rate, double seconds) {
  std::vector<float> x = host::demoMaterial(rate, seconds);
  const std::size_t frames = x.size() / 2;
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const float g = static_cast<float>(std::pow(10.0, -10.0 * (1.0 + std::sin(t * 0.7)) / 20.0));
    x[2 * i] *= g, x[2 * i + 1] *= g;
  }
  return x;
}

TEST(LevelMeter, ReadsWhatLibebur128ReadsAtEveryRateAndLayout) {
  for (int rate : {44100, 48000, 96000}) {
    std::vector<Signal> all = hardSignals(rate, 1.5f);
    all.push_back({"dynamic music", dynamic(rate, 20.0)});
    for (const Signal& s : all)
      for (int channels : {2, 1}) {
        std::vector<float> x = s.frames;
        if (channels == 1)
          for (std::size_t i = 0; i < x.size() / 2; ++i) x[i] = x[2 * i + 1];
        if (channels == 1) x.resize(x.size() / 2);
        host::LevelMeter mine(channels, rate);
        for (std::size_t at = 0; at < x.size(); at += 3000)  // blocks that cut across segments
          mine.add(x.data() + at, static_cast<std::int64_t>(std::min<std::size_t>(3000, x.size() - at)) / channels);
        const host::Levels a = mine.levels(), b = measure(x, rate, channels);
        const std::string what = s.name + " at " + std::to_string(rate) + " Hz, " + std::to_string(channels) + " ch";
        EXPECT_NEAR(a.samplePeakDb, b.samplePeakDb, 1e-6) << what;
        EXPECT_NEAR(a.truePeakDb, b.truePeakDb, 0.01) << what;
        EXPECT_NEAR(a.integratedLufs, b.integratedLufs, 0.01) << what;
        if (std::isnan(b.rangeLu)) {
          EXPECT_TRUE(std::isnan(a.rangeLu)) << what;
        } else {
          EXPECT_NEAR(a.rangeLu, b.rangeLu, 0.01) << what;
        }
      }
  }
}

}  // namespace
}  // namespace sorel::test
