// The fused chain pass against the plain model, bit for bit, for every
// combination of running modules: the Stereo set's two lanes, a Mid and a
// Side set running the same modules (one shared pass) and different ones
// (a pass each), over lengths around the pass's group of eight, so that short
// last groups and the pipeline's fill and drain are all crossed, at every
// vector width this processor runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "denormals.h"
#include "kernels.h"
#include "moduleset.h"
#include "param_index.h"
#include "reference_engine.h"
#include "shapers.h"

namespace sorel::test {
namespace {

constexpr int kLengths[] = {1, 7, 8, 9, 17, 3, 64, 23, 16, 40};

// Module k runs when bit k of `modules` is set; otherwise it is stopped by its
// amount (even k) or by its switch (odd k), which must both leave it silent.
void configure(CModuleSet& set, RefModuleSet& model, int base, unsigned modules, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  set.setup(base == kStereoBase ? 2 : 1, base);
  model.base = base;
  model.channels = base == kStereoBase ? 2 : 1;
  for (int k = 0; k < 4; ++k) {
    const bool runs = (modules >> k) & 1u;
    const float values[3] = {runs || k % 2 ? 0.2f + 0.8f * unit(random) : 0.0f, unit(random),
                             runs || k % 2 == 0 ? 1.0f : 0.0f};
    for (int f = 0; f < 3; ++f) {
      set.setParameter(moduleParam(base, k, f), values[f]);
      model.setParameter(moduleParam(base, k, f), values[f]);
    }
  }
  set.setSampleRate(48000.0);
  model.setRate(48000.0);
  set.update();
}

std::vector<float> signal(std::mt19937& random, int n) {
  std::uniform_real_distribution<float> level(-1.2f, 1.2f);
  std::vector<float> x(static_cast<std::size_t>(n));
  for (float& v : x) v = random() % 16 == 0 ? (random() % 2 ? 0.0f : -0.0f) : level(random);
  return x;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::bit_cast<std::uint32_t>(a[i]) != std::bit_cast<std::uint32_t>(b[i])) return false;
  return true;
}

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

TEST_F(ChainPass, StereoSetMatchesTheModelForEveryCombination) {
  for (const kernels::Table* table : widths()) {
    kernels::use(*table);
    for (unsigned modules = 0; modules < 16; ++modules) {
      CModuleSet set;
      RefModuleSet model;
      configure(set, model, kStereoBase, modules, modules);
      std::mt19937 random(modules);
      for (int n : kLengths) {
        std::vector<float> left = signal(random, n), right = signal(random, n);
        std::vector<float> modelLeft = left, modelRight = right;
        float* io[2] = {left.data(), right.data()};
        set.process(io, n);
        for (int i = 0; i < n; ++i) {
          modelLeft[i] = model.runSample(modelLeft[i], 0);
          modelRight[i] = model.runSample(modelRight[i], 1);
        }
        ASSERT_TRUE(sameBits(left, modelLeft) && sameBits(right, modelRight))
            << table->name << " modules " << modules << " length " << n;
      }
      EXPECT_EQ(set.saltFilter(1).y, model.saltF[1].y) << table->name << " modules " << modules;
      EXPECT_EQ(set.sugarFilter(1).y, model.sugarF[1].y) << table->name << " modules " << modules;
    }
  }
}

TEST_F(ChainPass, MidAndSideSetsMatchTheModelWithSameAndDifferentModules) {
  for (const kernels::Table* table : widths()) {
    kernels::use(*table);
    for (unsigned mid = 0; mid < 16; ++mid) {
      for (unsigned side : {mid, 15u - mid, (mid * 7u) % 16u}) {
        CModuleSet midSet, sideSet;
        RefModuleSet midModel, sideModel;
        configure(midSet, midModel, kMidBase, mid, mid + 100);
        configure(sideSet, sideModel, kSideBase, side, side + 200);
        std::mt19937 random(mid * 16 + side);
        for (int n : kLengths) {
          std::vector<float> m = signal(random, n), s = signal(random, n);
          std::vector<float> modelM = m, modelS = s;
          CModuleSet::processPair(midSet, m.data(), sideSet, s.data(), n);
          for (int i = 0; i < n; ++i) {
            modelM[i] = midModel.runSample(modelM[i], 0);
            modelS[i] = sideModel.runSample(modelS[i], 0);
          }
          ASSERT_TRUE(sameBits(m, modelM) && sameBits(s, modelS))
              << table->name << " mid " << mid << " side " << side << " length " << n;
        }
      }
    }
  }
}

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
