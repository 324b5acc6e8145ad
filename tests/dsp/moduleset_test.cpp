// How a module set decodes its parameters into the coefficients a block runs
// with, and when they take effect.
#include "moduleset.h"

#include <gtest/gtest.h>

#include <cmath>

#include "coefficient_model.h"

namespace sorel::test {
namespace {

class ModuleSetDecoding : public ::testing::Test {
 protected:
  void SetUp() override { set.setup(1, 36); }

  // Sets module m's amount, flavour and switch (relative to the set's base).
  void module(int m, float amount, float flavour, float on) {
    set.setParameter(36 + 6 * m, amount);
    set.setParameter(36 + 6 * m + 1, flavour);
    set.setParameter(36 + 6 * m + 2, on);
  }

  CModuleSet set;
};

Poly7 times(const Poly7& t, float g) {
  Poly7 out{};
  for (int k = 0; k < 7; ++k) out[k] = t[k] * g;
  return out;
}

TEST_F(ModuleSetDecoding, CentreFlavourIsTableBTimesTheGain) {
  module(CModuleSet::kSalt, 0.5f, 0.5f, 1.0f);
  module(CModuleSet::kPepper, 0.5f, 0.5f, 1.0f);
  module(CModuleSet::kSugar, 1.0f, 0.5f, 1.0f);
  set.update();
  const auto& s = set.settings();
  EXPECT_NEAR(s.gains[CModuleSet::kSalt], 0.16903f, 1e-5f);
  EXPECT_EQ(s.salt, times(kSaltTables.b, s.gains[CModuleSet::kSalt]));
  EXPECT_EQ(s.pepper, times(kPepperTables.b, s.gains[CModuleSet::kPepper]));
  EXPECT_EQ(s.gains[CModuleSet::kSugar], 1.0f);
  EXPECT_EQ(s.sugar, kSugarTables.b);
  EXPECT_NEAR(s.sugarCompensation, 0.9009009f, 1e-7f);
}

TEST_F(ModuleSetDecoding, SaltAndChiliFlavoursAreInverted) {
  module(CModuleSet::kSalt, 1.0f, 1.0f, 1.0f);
  module(CModuleSet::kPepper, 1.0f, 1.0f, 1.0f);
  set.update();
  EXPECT_EQ(set.settings().salt, kSaltTables.a);
  EXPECT_EQ(set.settings().pepper, kPepperTables.c);

  module(CModuleSet::kChili, 1.0f, 1.0f, 1.0f);
  set.update();
  EXPECT_EQ(set.settings().chili, (std::array<float, 3>{1.0f, 1.0f, 0.0f}));
  module(CModuleSet::kChili, 1.0f, 0.0f, 1.0f);
  set.update();
  EXPECT_EQ(set.settings().chili, (std::array<float, 3>{0.33333334f, 0.0f, 0.33333334f}));
}

TEST_F(ModuleSetDecoding, BlendsFollowTheCrossfade) {
  for (float f : {0.0f, 0.1f, 0.37f, 0.5f, 0.5000001f, 0.73f, 0.99f, 1.0f}) {
    module(CModuleSet::kSugar, 0.8f, f, 1.0f);
    module(CModuleSet::kSalt, 0.3f, f, 1.0f);
    set.update();
    const auto& s = set.settings();
    EXPECT_EQ(s.sugar, modelBlend(kSugarTables, f, modelGain(0.8f))) << f;
    EXPECT_EQ(s.salt, modelBlend(kSaltTables, 1.0f - f, modelGain(0.3f))) << f;
  }
}

TEST_F(ModuleSetDecoding, ModulesRunOnlyWithAmountAboveZeroAndSwitchOn) {
  module(CModuleSet::kSalt, 0.0f, 0.5f, 1.0f);
  module(CModuleSet::kPepper, 1e-30f, 0.5f, 1.0f);
  module(CModuleSet::kSugar, 1.0f, 0.5f, 0.5f);
  module(CModuleSet::kChili, 1.0f, 0.5f, 0.5000001f);
  set.update();
  const auto& s = set.settings();
  EXPECT_FALSE(s.runs(CModuleSet::kSalt));
  EXPECT_TRUE(s.runs(CModuleSet::kPepper));
  EXPECT_NEAR(s.gains[CModuleSet::kPepper], 1.0f / 35.0f, 1e-7f);
  EXPECT_FALSE(s.runs(CModuleSet::kSugar));
  EXPECT_TRUE(s.runs(CModuleSet::kChili));
}

TEST_F(ModuleSetDecoding, OtherIndicesAndXValuesChangeNothing) {
  module(CModuleSet::kSalt, 0.7f, 0.2f, 1.0f);
  set.update();
  const CModuleSet::Settings before = set.settings();
  for (int index : {12, 35, 39, 40, 41, 57, 58, 59, 60, 89, -1}) set.setParameter(index, 0.9f);
  set.update();
  EXPECT_EQ(set.settings().salt, before.salt);
  EXPECT_EQ(set.settings().amounts, before.amounts);
  EXPECT_EQ(set.settings().on, before.on);
}

TEST_F(ModuleSetDecoding, ChangesWaitForTheNextBlock) {
  module(CModuleSet::kPepper, 1.0f, 0.0f, 1.0f);
  set.update();
  module(CModuleSet::kPepper, 0.5f, 1.0f, 0.0f);
  EXPECT_EQ(set.settings().pepper, kPepperTables.a);  // not before update()
  EXPECT_TRUE(set.settings().on[CModuleSet::kPepper]);
  set.update();
  EXPECT_FALSE(set.settings().on[CModuleSet::kPepper]);
}

TEST_F(ModuleSetDecoding, FiltersFollowRateAndSugarFlavourKeepingTheirState) {
  constexpr double twoPi = 6.283185307179586;
  module(CModuleSet::kSugar, 1.0f, 1.0f, 1.0f);
  set.update();
  // Before any rate: Salt passes, Sugar is tuned for 44100 Hz.
  EXPECT_EQ(set.saltFilter(0).b, 1.0);
  EXPECT_EQ(set.saltFilter(0).a, 0.0);
  EXPECT_DOUBLE_EQ(set.sugarFilter(0).a, std::exp(-twoPi * 3900.0 / 44100.0));

  set.setSampleRate(96000.0);
  set.update();
  EXPECT_DOUBLE_EQ(set.saltFilter(1).a, std::exp(-twoPi * 7.5 / 96000.0));
  EXPECT_DOUBLE_EQ(set.saltFilter(1).b, 1.0 - std::exp(-twoPi * 7.5 / 96000.0));
  EXPECT_DOUBLE_EQ(set.sugarFilter(1).a, std::exp(-twoPi * 3900.0 / 96000.0));
  set.setParameter(36 + 13, 0.0f);
  set.update();
  EXPECT_DOUBLE_EQ(set.sugarFilter(0).a, std::exp(-twoPi * 2700.0 / 96000.0));
}

}  // namespace
}  // namespace sorel::test
