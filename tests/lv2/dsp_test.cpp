// The LV2 DSP binary against the VST library: the same sound for the same
// settings whatever the block length, the same chunk as state, and defined
// results for unconnected ports, empty runs and states it must refuse.
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include "loaded_plugin.h"
#include "lv2host.h"
#include "param_index.h"

namespace sorel::test {
namespace {

// The Mid/Side page with split band, both volumes off unity, shaping modules
// in every set, and "vol in" boosted on the wide range.
constexpr std::pair<int, float> kShaping[] = {{kPage, kWholeStep},
                                              {kAntiAlias, kWholeStep},
                                              {kVolOut, 0.35f},
                                              {kInRange, 1.0f},
                                              {kVolIn, 0.9f},
                                              {moduleParam(kStereoBase, kSaltModule), 0.5f},
                                              {moduleParam(kStereoBase, kPepperModule), 0.4f},
                                              {moduleParam(kMidBase, kSaltModule), 0.6f},
                                              {moduleParam(kMidBase, kSaltModule, kFlavour), 0.3f},
                                              {moduleParam(kMidBase, kPepperModule), 0.45f},
                                              {moduleParam(kMidBase, kChiliModule), 0.9f},
                                              {moduleParam(kSideBase, kPepperModule), 0.7f}};

class Lv2Dsp : public LoadedPlugin, public ::testing::WithParamInterface<int> {
 protected:
  const lv2::Variant& variant() const { return lv2::kVariants[GetParam()]; }
  int channels() const { return variant().channels; }

  // The VST library at `rate` with the variant's channel count.
  std::unique_ptr<host::HostedEffect> vst(float rate = 48000.0f) {
    auto effect = another();
    effect->setChannels(channels());
    effect->start(rate, 512);
    return effect;
  }
  Channels input(int frames, unsigned seed = 7) {
    Channels x = noise(frames, 0.9f, seed);
    x.resize(static_cast<std::size_t>(channels()));
    return x;
  }
  static void setShaping(Lv2Instance& lv2) {
    for (const auto& [index, value] : kShaping) lv2.controls[index] = value;
  }
  static void setShaping(host::HostedEffect& effect) {
    for (const auto& [index, value] : kShaping) effect.setParameter(index, value);
  }
};

TEST_P(Lv2Dsp, RendersAsTheVstLibraryInAnyBlockLength) {
  auto reference = vst();
  setShaping(*reference);
  const Channels in = input(3000);
  const Channels want = processBlock(*reference, in);
  for (std::size_t block : {std::size_t{1}, std::size_t{333}}) {
    Lv2Instance lv2(variant());
    ASSERT_TRUE(lv2.ok());
    lv2.connectControls();
    setShaping(lv2);
    EXPECT_EQ(lv2.process(in, block), want) << "blocks of " << block;
    EXPECT_EQ(lv2.latency, 1.0f);  // the split band's delay
    lv2.controls[kAntiAlias] = 0.0f;
    lv2.process(input(8), block);
    EXPECT_EQ(lv2.latency, 0.0f);
  }
}

// No control port connected: the effect's defaults. Ports connected later
// apply from the next run; an empty run changes nothing; a missing input is
// silence; a missing output skips the block.
TEST_P(Lv2Dsp, PortsConnectedLateOrNotAtAll) {
  auto reference = vst();
  Lv2Instance lv2(variant());
  ASSERT_TRUE(lv2.ok());
  const Channels first = input(500, 1), second = input(500, 2), third = input(500, 3);
  EXPECT_EQ(lv2.process(first, 100), processBlock(*reference, first));

  lv2.connectControls();
  setShaping(lv2);
  lv2.connect(lv2::kFirstAudioPort, nullptr);
  lv2.connect(lv2::firstOutputPort(variant()), nullptr);
  lv2.run(0);
  lv2.run(64);  // no output: nothing runs, nothing moves on
  setShaping(*reference);
  EXPECT_EQ(lv2.process(second, 500), processBlock(*reference, second));

  const Channels silence(third.size(), std::vector<float>(third[0].size(), 0.0f));
  EXPECT_EQ(lv2.process(third, 500, false), processBlock(*reference, silence));
}

// The state is the VST chunk byte for byte, and it restores at another rate
// as the VST library restores it.
TEST_P(Lv2Dsp, StateIsTheChunkAndRestoresAtAnotherRate) {
  auto reference = vst();
  setShaping(*reference);
  Lv2Instance lv2(variant());
  ASSERT_TRUE(lv2.ok());
  lv2.connectControls();
  setShaping(lv2);
  lv2.process(input(64), 64);
  Bytes saved;
  ASSERT_EQ(lv2.save(saved), LV2_STATE_SUCCESS);
  EXPECT_EQ(saved, reference->getChunk());

  // The new instance's ports hold the defaults when the chunk arrives, and
  // the session's values a moment later; neither moves a loaded value.
  auto at96k = vst(96000.0f);
  at96k->setChunk(saved);
  Lv2Instance restored(variant(), 96000.0);
  ASSERT_TRUE(restored.ok());
  restored.connectControls();
  restored.process(input(64), 64);
  ASSERT_EQ(restored.restore(saved), LV2_STATE_SUCCESS);
  const Channels in = input(2000), more = input(500, 9);
  EXPECT_EQ(restored.process(in, 1), processBlock(*at96k, in));
  setShaping(restored);
  EXPECT_EQ(restored.process(more, 100), processBlock(*at96k, more));
  // A port moved after that is applied.
  restored.controls[kVolOut] = 0.2f;
  at96k->setParameter(kVolOut, 0.2f);
  EXPECT_EQ(restored.process(more, 100), processBlock(*at96k, more));
  ASSERT_EQ(restored.save(saved), LV2_STATE_SUCCESS);
  EXPECT_EQ(saved, at96k->getChunk());
}

TEST_P(Lv2Dsp, BadStatesAndHostsAreRefusedOrTakenAsTheVstLibraryTakesThem) {
  Lv2Instance lv2(variant());
  ASSERT_TRUE(lv2.ok());
  Bytes fresh, now;
  ASSERT_EQ(lv2.save(fresh), LV2_STATE_SUCCESS);
  Bytes changed = fresh;
  changed[16 + 4 * kVolOut] ^= 0x40;
  for (std::size_t size : {std::size_t{0}, std::size_t{16}, fresh.size() - 1, fresh.size() + 1}) {
    Bytes wrong = changed;
    wrong.resize(size);
    EXPECT_NE(lv2.restore(wrong), LV2_STATE_SUCCESS) << size;
  }
  EXPECT_EQ(lv2.restore(changed, LV2_ATOM__String), LV2_STATE_ERR_BAD_TYPE);
  ASSERT_EQ(lv2.save(now), LV2_STATE_SUCCESS);
  EXPECT_EQ(now, fresh);

  // Not-a-number values are taken, with the VST library's result.
  Bytes poisoned = fresh;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int index : {kVolIn, kVolOut, kStereoBase, kPage}) std::memcpy(poisoned.data() + 16 + 4 * index, &nan, 4);
  ASSERT_EQ(lv2.restore(poisoned), LV2_STATE_SUCCESS);
  auto reference = vst();
  reference->setChunk(poisoned);
  const Channels in = input(500);
  EXPECT_EQ(lv2.process(in, 50), processBlock(*reference, in));

  Lv2Instance mapless(variant(), 48000.0, false);
  ASSERT_TRUE(mapless.ok());
  EXPECT_EQ(mapless.save(now), LV2_STATE_ERR_NO_FEATURE);
  EXPECT_EQ(mapless.restore(fresh), LV2_STATE_ERR_NO_FEATURE);
  for (double rate : {0.0, -48000.0, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_FALSE(Lv2Instance(variant(), rate).ok()) << rate;
}

// A range switch the host moves alone lowers a boosted volume, as in the VST
// library; moved with its volume in one run (a preset, a restored session)
// the volume keeps the value it was given.
TEST_P(Lv2Dsp, RangeSwitchLowersAVolumeOnlyWhenMovedAlone) {
  for (bool together : {false, true}) {
    auto reference = vst();
    Lv2Instance lv2(variant());
    ASSERT_TRUE(lv2.ok());
    lv2.connectControls();
    lv2.controls[kVolIn] = 0.8f;
    if (!together) {
      lv2.process(input(4), 4);
      reference->setParameter(kVolIn, 0.8f);
    }
    lv2.controls[kInRange] = 1.0f;
    lv2.process(input(4), 4);
    reference->setParameter(kInRange, 1.0f);
    if (together) reference->setParameter(kVolIn, 0.8f);
    Bytes saved;
    ASSERT_EQ(lv2.save(saved), LV2_STATE_SUCCESS);
    EXPECT_EQ(saved, reference->getChunk()) << (together ? "together" : "alone");
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, Lv2Dsp, ::testing::Values(0, 1),
                         [](const auto& variantInfo) { return variantInfo.param == 0 ? "Stereo" : "Mono"; });

}  // namespace
}  // namespace sorel::test
