// The shipped engine against the plain model, sample for sample and bit for
// bit, on long random signals with random settings changing between blocks.
#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "denormals.h"
#include "direct_plug.h"
#include "kernels.h"
#include "param_index.h"
#include "reference_engine.h"

namespace sorel::test {
namespace {

struct Scenario {
  unsigned seed;
  int channels;
  int blockSize;
  int maxBlock;    // the host's blocks vary from 1 to this
  bool fourLanes;  // force the SSE2 passes even where wider ones run
};

class Exactness : public ::testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    const Scenario& s = GetParam();
    if (s.fourLanes) kernels::use(kernels::sse2());
    random.seed(s.seed);
    plug = makePlug(&editor);
    if (s.channels == 1) {
      VstSpeakerArrangement in{}, out{};
      in.numChannels = out.numChannels = 1;
      ASSERT_TRUE(plug->setSpeakerArrangement(&in, &out));
      model.channels = 1;
    }
    setRate(44100.0f);
    plug->setBlockSize(s.blockSize);
    plug->resume();
    model.splitExists = true;
    syncModel();
  }

  void TearDown() override { kernels::use(widest); }

  void setRate(float rate) {
    plug->setSampleRate(rate);
    for (auto& set : model.sets) set.setRate(rate);
  }

  // The model reads the effect's current values after each change, so the
  // parameter model's own rules (range switches, mono page) need no copy.
  void syncModel() {
    for (int i = 0; i < kNumParams; ++i) {
      const float v = plug->getParameter(i);
      if (std::bit_cast<std::uint32_t>(v) == std::bit_cast<std::uint32_t>(values[i])) continue;
      values[i] = v;
      for (auto& set : model.sets) set.setParameter(i, v);
    }
  }

  float pick(std::initializer_list<float> choices) { return choices.begin()[random() % choices.size()]; }

  float randomValue(int index) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const bool inSet = index >= kStereoBase && index < kInRange;
    const int field = (index - kStereoBase) % kParamsPerModule;
    if (index == kGlobalOn) return random() % 20 == 0 ? 0.0f : 1.0f;
    if (index == kPage) return pick({0.0f, whole(1), whole(2), whole(3), 0.0f, whole(1)});
    if (index == kAntiAlias) return pick({0.0f, whole(1), 0.5f});
    if (inSet && field == kAmount) return pick({0.0f, 1e-7f, 0.001f, unit(random), unit(random), 1.0f});
    if (inSet && field == kFlavour) return pick({0.0f, 0.5f, 1.0f, unit(random), unit(random)});
    if (inSet && field == kOn) return pick({0.0f, 0.5f, 1.0f, 1.0f});
    return unit(random);
  }

  void changeSomething() {
    static const int engineIndices[] = {kGlobalOn, kPage, kVolIn, kVolOut, kInRange, kOutRange, kAntiAlias};
    for (int changes = 1 + static_cast<int>(random() % 4); changes > 0; --changes) {
      const int index = random() % 3 == 0 ? engineIndices[random() % 7]
                                          : kStereoBase + static_cast<int>(random() % (3 * kParamsPerSet));
      plug->setParameter(index, randomValue(index));
    }
    syncModel();
  }

  std::vector<float> signal(int n, int kind) {
    std::vector<float> x(static_cast<std::size_t>(n));
    std::uniform_real_distribution<float> loud(-1.6f, 1.6f);
    std::uniform_real_distribution<float> quiet(-1e-3f, 1e-3f);
    for (float& v : x) {
      v = kind == 0 ? loud(random) : kind == 1 ? quiet(random) : kind == 2 ? 0.0f : loud(random) * 0.5f;
      if (random() % 5000 == 0) v = std::numeric_limits<float>::quiet_NaN();
    }
    return x;
  }

  const kernels::Table& widest = kernels::active();
  std::mt19937 random;
  RecordingEditor editor;  // hears the input clamp's clip notices
  std::unique_ptr<CPlug> plug;
  RefEngine model;
  float values[kNumParams] = {};
};

TEST_P(Exactness, ShippedEngineMatchesTheModelBitForBit) {
  const Scenario& s = GetParam();
  long long samples = 0;
  int mismatchedBlocks = 0;
  int clipDisagreements = 0;
  for (int block = 0; block < 3000; ++block) {
    if (block % 3 == 0) changeSomething();
    if (block == 1500) {  // a rate change rebuilds the split filters at the next resume
      setRate(48000.0f);
      plug->resume();
      model.history[0].clear();
      model.history[1].clear();
    }
    const int n = 1 + static_cast<int>(random() % static_cast<unsigned>(s.maxBlock));
    const int kind = static_cast<int>(random() % 4);
    std::vector<float> left = signal(n, kind), right = signal(n, kind);
    std::vector<float> modelLeft = left, modelRight = right;

    float* io[2] = {left.data(), right.data()};
    plug->processReplacing(io, io, n);
    bool modelClip;
    {
      ScopedFlushDenormals guard;
      float* modelIo[2] = {modelLeft.data(), modelRight.data()};
      modelClip = model.process(values, modelIo, n);
    }
    clipDisagreements += editor.take(kCmdInputClip).size() != (modelClip ? 1u : 0u);
    const bool same = sameBits(left, modelLeft) && (s.channels == 1 || sameBits(right, modelRight));
    if (!same && mismatchedBlocks++ == 0) ADD_FAILURE() << "first mismatch in block " << block << " of " << n;
    samples += n;
  }
  EXPECT_EQ(mismatchedBlocks, 0);
  EXPECT_EQ(clipDisagreements, 0);
  EXPECT_GT(samples, 3000);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Exactness,
                         ::testing::Values(Scenario{1, 2, 512, 700, false}, Scenario{2, 2, 64, 300, false},
                                           Scenario{3, 1, 256, 600, false}, Scenario{4, 2, 16, 40, false},
                                           Scenario{5, 2, 1, 3, false}, Scenario{6, 1, 4096, 9000, false},
                                           Scenario{7, 2, 512, 1100, true}, Scenario{8, 1, 128, 300, true}));

// Where the processor has AVX2, both widths were checked above; say which ran.
TEST(Kernels, WidestTableIsReported) {
  const kernels::Table* wide = kernels::avx2();
  EXPECT_STREQ(kernels::active().name, wide ? "avx2" : "sse2");
  if (!wide) GTEST_SKIP() << "no AVX2 here: only the four-lane passes ran";
}

}  // namespace
}  // namespace sorel::test
