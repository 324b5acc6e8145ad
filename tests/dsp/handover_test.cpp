// Parameters arrive on one thread while another takes them for its blocks:
// every block must run with a whole coefficient set, and the thread sanitizer
// build must stay silent. (That automation leaves no stale state behind is the
// torture host's AutomationFromASecondThreadWhileProcessing.)
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "coefficient_model.h"
#include "moduleset.h"

namespace sorel::test {
namespace {

constexpr int kBlocks = 4000;

TEST(Handover, EveryPublishedCoefficientSetIsWhole) {
  CModuleSet set;
  set.setup(2, 12);
  std::atomic<bool> done{false};
  std::atomic<int> writes{0};
  std::thread writer([&] {
    std::mt19937 random(99);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    while (!done.load(std::memory_order_relaxed)) {
      set.setParameter(12 + static_cast<int>(random() % 21), value(random));
      writes.fetch_add(1, std::memory_order_relaxed);
    }
  });
  int mismatches = 0;
  for (int block = 0; block < kBlocks || writes.load(std::memory_order_relaxed) < kBlocks; ++block) {
    set.update();
    const auto& s = set.settings();
    for (int m = 0; m < CModuleSet::kNumModules; ++m)
      if (s.gains[m] != modelGain(s.amounts[m])) ++mismatches;
    if (s.salt != modelBlend(kSaltTables, s.flavours[CModuleSet::kSalt], s.gains[CModuleSet::kSalt])) ++mismatches;
    if (s.pepper != modelBlend(kPepperTables, s.flavours[CModuleSet::kPepper], s.gains[CModuleSet::kPepper]))
      ++mismatches;
    if (s.sugar != modelBlend(kSugarTables, s.flavours[CModuleSet::kSugar], s.gains[CModuleSet::kSugar])) ++mismatches;
  }
  done = true;
  writer.join();
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace sorel::test
