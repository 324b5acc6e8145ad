// When a module set's decoded settings take effect, and the exact edges of
// "runs". The decoding itself (tables, crossfades, gains, filter cutoffs) is
// checked bit for bit against the plain model by the exactness test.
#include "moduleset.h"

#include <gtest/gtest.h>

#include "moduletables.h"
#include "param_index.h"

namespace sorel::test {
namespace {

class ModuleSetDecoding : public ::testing::Test {
 protected:
  void SetUp() override { set.setup(1, kMidBase); }

  // Sets module m's amount, flavour and switch (relative to the set's base).
  void module(int m, float amount, float flavour, float on) {
    set.setParameter(moduleParam(kMidBase, m), amount);
    set.setParameter(moduleParam(kMidBase, m, kFlavour), flavour);
    set.setParameter(moduleParam(kMidBase, m, kOn), on);
  }

  CModuleSet set;
};

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

TEST_F(ModuleSetDecoding, ChangesWaitForTheNextBlock) {
  module(CModuleSet::kPepper, 1.0f, 0.0f, 1.0f);
  set.update();
  module(CModuleSet::kPepper, 0.5f, 1.0f, 0.0f);
  EXPECT_EQ(set.settings().pepper, kPepperTables.a);  // not before update()
  EXPECT_TRUE(set.settings().on[CModuleSet::kPepper]);
  set.update();
  EXPECT_FALSE(set.settings().on[CModuleSet::kPepper]);
}

}  // namespace
}  // namespace sorel::test
