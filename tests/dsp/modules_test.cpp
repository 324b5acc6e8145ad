// The modules' worked numbers: anchors, independent of the plain model, that
// a slip in a table, an inversion or a filter would move. (The engine's every
// sample is compared bit for bit with that model by the exactness test.)
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

// What each module makes of a steady input, the filtered ones once settled.
TEST(Modules, WorkedNumbersOfEachCurve) {
  struct Case {
    int module;
    float flavour, input, expected;
    int frames;
  } cases[] = {
      {CModuleSet::kPepper, 0.0f, 0.5f, 0.6875f, 1},     {CModuleSet::kPepper, 0.0f, 0.0f, 0.0f, 1},
      {CModuleSet::kChili, 1.0f, 0.5f, 0.75f, 1},        {CModuleSet::kChili, 1.0f, -0.5f, -0.75f, 1},
      {CModuleSet::kChili, 1.0f, 1.0f, 1.0f, 1},         {CModuleSet::kChili, 0.0f, 0.5f, 0.645833f, 1},
      {CModuleSet::kSalt, 0.5f, 0.5f, 0.541620f, 44100}, {CModuleSet::kSugar, 0.5f, 0.01f, 0.019712f, 4000},
  };
  for (const Case& c : cases) {
    OneModule one(c.module, 1.0f, c.flavour);
    EXPECT_NEAR(one.run(std::vector<float>(static_cast<std::size_t>(c.frames), c.input)).back(), c.expected, 1e-6f)
        << "module " << c.module << ", flavour " << c.flavour << ", input " << c.input;
  }
  // Pepper keeps full scale at full scale, whatever its flavour.
  for (float flavour : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f}) {
    OneModule pepper(CModuleSet::kPepper, 1.0f, flavour);
    EXPECT_NEAR(pepper.run(1.0f), 1.0f, 2e-5f) << flavour;
    EXPECT_NEAR(pepper.run(-1.0f), -1.0f, 2e-5f) << flavour;
  }
}

TEST(Modules, SaltsDcTransientDecaysAtItsCutoff) {
  OneModule salt(CModuleSet::kSalt, 1.0f, 0.5f);
  // A step's DC transient: the polynomial's even part, decaying at 7.5 Hz.
  EXPECT_GT(std::fabs(salt.run(std::vector<float>(44100, 0.5f))[0] - 0.541620f), 0.01f);
  const auto silence = salt.run(std::vector<float>(2000, 0.0f));
  EXPECT_NE(silence[0], 0.0f);  // -y, what the filter still holds
  EXPECT_LT(std::fabs(silence.back()), std::fabs(silence[0]));
}

}  // namespace
}  // namespace sorel::test
