// When a module set's decoded settings take effect. The decoding itself
// (tables, crossfades, gains, filter cutoffs, the edges of "runs") is checked
// bit for bit against the plain model by the exactness test.
#include "moduleset.h"

#include <gtest/gtest.h>

#include "moduletables.h"
#include "param_index.h"

namespace sorel::test {
namespace {

TEST(ModuleSetDecoding, ChangesWaitForTheNextBlock) {
  CModuleSet set;
  set.setup(1, kMidBase);
  auto pepper = [&](float amount, float flavour, float on) {
    set.setParameter(moduleParam(kMidBase, kPepperModule), amount);
    set.setParameter(moduleParam(kMidBase, kPepperModule, kFlavour), flavour);
    set.setParameter(moduleParam(kMidBase, kPepperModule, kOn), on);
  };
  pepper(1.0f, 0.0f, 1.0f);
  set.update();
  pepper(0.5f, 1.0f, 0.0f);
  EXPECT_EQ(set.settings().pepper, kPepperTables.a);  // not before update()
  EXPECT_TRUE(set.settings().on[CModuleSet::kPepper]);
  set.update();
  EXPECT_FALSE(set.settings().on[CModuleSet::kPepper]);
}

}  // namespace
}  // namespace sorel::test
