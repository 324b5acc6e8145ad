// The modules' worked numbers: anchors that a slip in a table, an inversion or
// a filter would move. (The split filter runs in the engine's bit-for-bit
// comparison with the plain model, the exactness test.)
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "moduleset.h"
#include "param_index.h"

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

}  // namespace
}  // namespace sorel::test
