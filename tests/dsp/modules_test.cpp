// The modules' and the split filter's worked numbers: anchors that a slip in
// a table, an inversion or a filter would move.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "moduleset.h"
#include "param_index.h"
#include "splitfir.h"

namespace sorel::test {
namespace {

// A one-channel Mid set with only module m running at `amount` and `flavour`.
class OneModule {
 public:
  OneModule(int m, float amount, float flavour, double rate = 44100.0) {
    set.setup(1, kMidBase);
    set.setSampleRate(rate);
    for (int k = 0; k < 4; ++k) set.setParameter(moduleParam(kMidBase, k), k == m ? amount : 0.0f);
    set.setParameter(moduleParam(kMidBase, m, kFlavour), flavour);
    set.setParameter(moduleParam(kMidBase, m, kOn), 1.0f);
    set.update();
  }
  float run(float x) {
    float* io[1] = {&x};
    set.process(io, 1);
    return x;
  }
  std::vector<float> run(std::vector<float> x) {
    float* io[1] = {x.data()};
    set.process(io, static_cast<int>(x.size()));
    return x;
  }
  CModuleSet set;
};

TEST(Modules, PepperAndChiliShapeAsTheirCurvesSay) {
  OneModule pepperA(CModuleSet::kPepper, 1.0f, 0.0f);
  EXPECT_FLOAT_EQ(pepperA.run(0.5f), 0.6875f);
  EXPECT_EQ(pepperA.run(1.0f), 1.0f);
  EXPECT_EQ(pepperA.run(0.0f), 0.0f);
  for (float flavour : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f}) {
    OneModule pepper(CModuleSet::kPepper, 1.0f, flavour);
    EXPECT_NEAR(pepper.run(1.0f), 1.0f, 2e-5f) << flavour;
    EXPECT_NEAR(pepper.run(-1.0f), -1.0f, 2e-5f) << flavour;
  }
  OneModule chiliSquare(CModuleSet::kChili, 1.0f, 1.0f);
  EXPECT_EQ(chiliSquare.run(0.5f), 0.75f);
  EXPECT_EQ(chiliSquare.run(-0.5f), -0.75f);
  EXPECT_EQ(chiliSquare.run(1.0f), 1.0f);
  OneModule chiliQuartic(CModuleSet::kChili, 1.0f, 0.0f);
  EXPECT_NEAR(chiliQuartic.run(0.5f), 0.645833f, 1e-6f);
  EXPECT_EQ(chiliQuartic.run(0.0f), 0.0f);
}

TEST(Modules, SaltSettlesToItsLinearGainAndDecaysOnSilence) {
  OneModule salt(CModuleSet::kSalt, 1.0f, 0.5f);
  const auto settled = salt.run(std::vector<float>(44100, 0.5f));
  // The step's DC transient: the polynomial's even part, decaying at 7.5 Hz.
  EXPECT_GT(std::fabs(settled[0] - 0.541620f), 0.01f);
  EXPECT_NEAR(settled.back(), 0.541620f, 1e-5f);
  const auto silence = salt.run(std::vector<float>(2000, 0.0f));
  EXPECT_NE(silence[0], 0.0f);  // -y, what the filter still holds
  EXPECT_LT(std::fabs(silence.back()), std::fabs(silence[0]));
  // A module with amount 0 does not run and its filter does not move.
  OneModule off(CModuleSet::kSalt, 0.0f, 0.5f);
  off.run(std::vector<float>(100, 0.5f));
  EXPECT_EQ(off.set.saltFilter(0).y, 0.0);
  EXPECT_EQ(off.run(0.3f), 0.3f);
}

TEST(Modules, SugarLiftsTheLowBandAndCompensates) {
  OneModule sugar(CModuleSet::kSugar, 1.0f, 0.5f);
  const auto settled = sugar.run(std::vector<float>(4000, 0.01f));
  EXPECT_NEAR(settled.back(), 0.019712f, 1e-6f);
  // At the Nyquist frequency the 3300 Hz one-pole still passes b / (1 + a) of
  // the shaped part (it is a gentle filter); the dry part is only compensated.
  OneModule high(CModuleSet::kSugar, 1.0f, 0.5f);
  std::vector<float> nyquist(4000);
  for (std::size_t i = 0; i < nyquist.size(); ++i) nyquist[i] = i % 2 ? -0.1f : 0.1f;
  const auto out = high.run(nyquist);
  const double a = std::exp(-2.0 * 3.141592653589793 * 3300.0 / 44100.0);
  const double shaped = 1.18822 * 0.1 - 2.15493 * 1e-3 + 1.27064 * 1e-5 - 0.30393 * 1e-7;
  EXPECT_NEAR(std::fabs(out.back()), (0.1 + (1.0 - a) / (1.0 + a) * shaped) / 1.11, 2e-6);
  EXPECT_LT(out.back(), 0.0f);  // in phase with the input, whose last sample is -0.1
}

class ThreeTapSplit : public ::testing::Test {
 protected:
  void SetUp() override { fresh(); }
  void fresh() {
    split = std::make_unique<CSplitFir>(0.15f, 31, 8);
    const float kernel[3] = {0.25f, 0.5f, 0.25f};
    split->setCoefficients(kernel, 3);
  }
  // Runs x through the split; returns low and high band.
  std::pair<std::vector<float>, std::vector<float>> run(std::vector<float> x) {
    std::vector<float> high(x.size());
    split->process(x.data(), static_cast<int>(x.size()));
    std::vector<float> sum = x;
    split->addHighBand(sum.data(), static_cast<int>(x.size()));
    for (std::size_t i = 0; i < x.size(); ++i) high[i] = sum[i] - x[i];
    return {x, high};
  }
  std::unique_ptr<CSplitFir> split;
};

TEST_F(ThreeTapSplit, ImpulseConstantAndNyquist) {
  auto [low, high] = run({1.0f, 0.0f, 0.0f, 0.0f});
  EXPECT_EQ(low, (std::vector<float>{0.25f, 0.5f, 0.25f, 0.0f}));
  EXPECT_EQ(high, (std::vector<float>{-0.25f, 0.5f, -0.25f, 0.0f}));

  fresh();
  std::tie(low, high) = run(std::vector<float>(8, 0.7f));
  EXPECT_EQ(low[7], 0.7f);
  EXPECT_EQ(high[7], 0.0f);
  std::tie(low, high) = run({0.5f, -0.5f, 0.5f, -0.5f, 0.5f, -0.5f});
  for (int i = 2; i < 6; ++i) {
    EXPECT_EQ(low[static_cast<std::size_t>(i)], 0.0f);
    EXPECT_EQ(high[static_cast<std::size_t>(i)], i % 2 ? 0.5f : -0.5f);  // the input one sample late
  }
}

TEST_F(ThreeTapSplit, RingWrapIsInvisible) {
  // The ring holds 64 samples (8 + 31 rounded up to a power of two); run far
  // more than that through it in blocks of 1 to 8.
  std::vector<float> input(1000);
  for (std::size_t i = 0; i < input.size(); ++i) input[i] = std::sin(0.37f * static_cast<float>(i));
  std::vector<float> low;
  for (std::size_t offset = 0; offset < input.size();) {
    const std::size_t n = std::min<std::size_t>(1 + offset % 8, input.size() - offset);
    auto [l, h] = run(
        std::vector<float>(input.begin() + static_cast<long>(offset), input.begin() + static_cast<long>(offset + n)));
    for (std::size_t i = 0; i < n; ++i) {
      const float delayed = offset + i >= 1 ? input[offset + i - 1] : 0.0f;
      ASSERT_EQ(l[i] + h[i], delayed) << offset + i;
    }
    low.insert(low.end(), l.begin(), l.end());
    offset += n;
  }
  for (std::size_t t = 2; t < input.size(); ++t) {
    float expected = 0.0f;
    expected = expected + 0.25f * input[t];
    expected = expected + 0.5f * input[t - 1];
    expected = expected + 0.25f * input[t - 2];
    ASSERT_EQ(low[t], expected) << t;
  }
}

}  // namespace
}  // namespace sorel::test
