// The fused chain pass's one choice the engine's bit-for-bit comparison with
// the plain model cannot force: where skipping Pepper's and Sugar's even terms
// would show. (Every combination of running modules, the Mid and Side sets'
// shared and separate passes, short last groups and both vector widths are
// crossed by that comparison, the exactness test.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "denormals.h"
#include "kernels.h"
#include "moduleset.h"
#include "reference_engine.h"
#include "shapers.h"

namespace sorel::test {
namespace {

std::vector<const kernels::Table*> widths() {
  std::vector<const kernels::Table*> tables = {&kernels::sse2()};
  if (kernels::avx2()) tables.push_back(kernels::avx2());
  return tables;
}

class ChainPass : public ::testing::Test {
 protected:
  void TearDown() override { kernels::use(widest); }
  const kernels::Table& widest = kernels::active();
  ScopedFlushDenormals guard;  // as the engine runs the chain
};

// Pepper and Sugar skip their even terms only where that is exact. With
// weights outside the tables' reach (a positive x^3 weight) it is not: a -0
// input then keeps its sign one way and loses it the other.
TEST_F(ChainPass, EveryTermIsEvaluatedWhereSkippingTheEvenOnesWouldShow) {
  CModuleSet::Settings s;
  s.amounts = {0.0f, 1.0f, 0.0f, 0.0f};
  s.on = {false, true, false, false};
  s.pepper = {0.5f, 0.0f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f};
  s.sugar = {0.3f, 0.0f, 0.2f, 0.0f, 0.0f, 0.0f, -0.05f};
  s.sugarCompensation = 0.9f;
  EXPECT_FALSE(oddTermsSuffice(s.pepper));
  EXPECT_FALSE(oddTermsSuffice(s.sugar));
  EXPECT_TRUE(oddTermsSuffice(std::array<float, 7>{0.5f, 0.0f, -0.5f, 0.0f, 0.0f, 0.0f, 0.0f}));

  RefModuleSet model;
  model.amount[1] = 1.0f;
  model.on[1] = true;
  std::copy(s.pepper.begin(), s.pepper.end(), model.pepper);
  const std::vector<float> input = {-0.0f, 0.5f, -0.0f, -0.0f, -0.25f, 0.0f, -0.0f, 1.0f, -0.0f, -0.0f, -0.0f};
  std::vector<float> expected = input;
  for (float& v : expected) v = model.runSample(v, 0);

  const unsigned modules = 1u << CModuleSet::kPepper;
  for (const kernels::Table* table : widths()) {
    auto run = [&](unsigned pass) {
      COnePole salt, sugar;
      std::vector<float> x = input;
      const CModuleSet::Lane lane{&s, &salt, &sugar, x.data()};
      table->oneLane[pass](&lane, static_cast<int>(x.size()));
      return x;
    };
    EXPECT_TRUE(sameBits(run(modules | kernels::kAllTermsBit), expected)) << table->name;
    EXPECT_FALSE(sameBits(run(modules), expected)) << table->name << ": the input does not tell the passes apart";
  }
}

}  // namespace
}  // namespace sorel::test
