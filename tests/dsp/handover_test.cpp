// Parameters arrive on one thread while another takes them for its blocks:
// every block must run with a whole coefficient set, and the thread sanitizer
// build must stay silent. (That automation leaves no stale state behind is the
// torture host's AutomationFromASecondThreadWhileProcessing.)
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "moduleset.h"
#include "param_index.h"

namespace sorel::test {
namespace {

constexpr int kBlocks = 200000;
constexpr float kAmounts[2] = {0.3f, 0.9f};
constexpr float kFlavours[2] = {0.2f, 0.7f};

// What a set publishes, undisturbed, with every module at amount a and flavour f.
CModuleSet::Settings settled(int a, int f) {
  CModuleSet set;
  set.setup(2, kStereoBase);
  for (int m = 0; m < CModuleSet::kNumModules; ++m) {
    set.setParameter(moduleParam(kStereoBase, m), kAmounts[a]);
    set.setParameter(moduleParam(kStereoBase, m, kFlavour), kFlavours[f]);
  }
  set.update();
  return set.settings();
}

// Each module's published amount and flavour name one of the settled
// combinations; its gain and polynomial must be that combination's too.
TEST(Handover, EveryPublishedCoefficientSetIsWhole) {
  const CModuleSet::Settings expected[2][2] = {{settled(0, 0), settled(0, 1)}, {settled(1, 0), settled(1, 1)}};
  CModuleSet set;
  set.setup(2, kStereoBase);
  std::atomic<bool> done{false}, started{false};
  std::thread writer([&] {
    std::mt19937 random(99);
    for (; !done.load(std::memory_order_relaxed); started.store(true, std::memory_order_relaxed)) {
      const int m = static_cast<int>(random() % CModuleSet::kNumModules);
      const bool amount = random() % 2;
      const int choice = static_cast<int>(random() % 2);
      set.setParameter(moduleParam(kStereoBase, m, amount ? kAmount : kFlavour),
                       amount ? kAmounts[choice] : kFlavours[choice]);
    }
  });
  while (!started.load(std::memory_order_relaxed)) std::this_thread::yield();
  int mismatches = 0, matched = 0;
  for (int block = 0; block < kBlocks; ++block) {
    set.update();
    const CModuleSet::Settings& s = set.settings();
    for (int m = 0; m < CModuleSet::kNumModules; ++m)
      for (int a = 0; a < 2; ++a)
        for (int f = 0; f < 2; ++f) {
          const CModuleSet::Settings& e = expected[a][f];
          if (s.amounts[m] != e.amounts[m] || s.flavours[m] != e.flavours[m]) continue;
          ++matched;
          const bool whole = s.gains[m] == e.gains[m] && (m != CModuleSet::kSalt || s.salt == e.salt) &&
                             (m != CModuleSet::kPepper || s.pepper == e.pepper) &&
                             (m != CModuleSet::kSugar || s.sugar == e.sugar) &&
                             (m != CModuleSet::kChili || s.chili == e.chili);
          mismatches += !whole;
        }
  }
  done = true;
  writer.join();
  EXPECT_GT(matched, kBlocks);
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace sorel::test
