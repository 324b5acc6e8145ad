// Parameters arrive on one thread while another processes: every block must
// run with a whole coefficient set, and the thread sanitizer build must stay
// silent.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>
#include <thread>

#include "coefficient_model.h"
#include "direct_plug.h"
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

class CountingEditor : public IEditorLink {
 public:
  void setParameter(VstInt32 index, float) override {
    if (index == kCmdInputClip) clips.fetch_add(1, std::memory_order_relaxed);
  }
  std::atomic<int> clips{0};
};

TEST(Handover, AutomationWhileProcessingKeepsTheOutputInRange) {
  CountingEditor editor;
  auto plug = makePlug(&editor);
  plug->setSampleRate(48000.0f);
  plug->setBlockSize(128);
  plug->resume();

  std::atomic<bool> done{false};
  std::atomic<int> writes{0};
  std::thread automation([&] {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    while (!done.load(std::memory_order_relaxed)) {
      const int index = static_cast<int>(random() % 93);
      plug->setParameterAutomated(index, index == 0 ? 1.0f : value(random));
      writes.fetch_add(1, std::memory_order_relaxed);
    }
  });

  std::mt19937 random(6);
  std::uniform_real_distribution<float> sample(-1.5f, 1.5f);
  std::vector<float> left(128);
  std::vector<float> right(128);
  bool inRange = true;
  for (int block = 0; block < kBlocks || writes.load(std::memory_order_relaxed) < kBlocks; ++block) {
    for (std::size_t i = 0; i < left.size(); ++i) left[i] = sample(random), right[i] = sample(random);
    runBlock(*plug, left, right);
    for (std::size_t i = 0; i < left.size(); ++i)
      inRange = inRange && std::fabs(left[i]) <= 1.0f && std::fabs(right[i]) <= 1.0f;
  }
  done = true;
  automation.join();
  EXPECT_TRUE(inRange);
  EXPECT_GT(editor.clips.load(), 0);
}

}  // namespace
}  // namespace sorel::test
