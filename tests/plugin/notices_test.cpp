// What the effect tells its editor: value changes, the input-clip notice and
// the mono-input notice.
#include <gtest/gtest.h>

#include <limits>

#include "direct_plug.h"
#include "param_index.h"

namespace sorel::test {
namespace {

class Notices : public ::testing::Test {
 protected:
  void SetUp() override {
    plug = makePlug(&editor);
    plug->setSampleRate(44100.0f);
    plug->setBlockSize(32);
    plug->resume();
    editor.take();
  }

  int clipNoticesFor(std::vector<float> left, std::vector<float> right) {
    runBlock(*plug, left, right);
    const auto notices = editor.take(kCmdInputClip);
    for (const Notice& n : notices) EXPECT_EQ(n.value, 1.0f);
    return static_cast<int>(notices.size());
  }

  RecordingEditor editor;
  std::unique_ptr<CPlug> plug;
};

TEST_F(Notices, OnlyRealChangesReachTheEditorWithTheStoredValueConversionsIncluded) {
  plug->setParameter(kStereoSalt, 0.0f);  // the default: unchanged
  EXPECT_TRUE(editor.take().empty());
  plug->setParameter(kStereoSalt, 0.25f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{kStereoSalt, 0.25f}}));
  plug->setParameter(kCmdNothing, 0.5f);
  plug->setParameter(-4, 0.5f);
  plug->setParameter(200, 0.5f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{kCmdNothing, 0.5f}, {-4, 0.5f}, {200, 0.5f}}));
  // Captures are commands that complete silently.
  plug->setParameter(kCmdCaptureA, 0.0f);
  plug->setParameter(kCmdCaptureA + 2, 0.0f);
  EXPECT_TRUE(editor.take().empty());
  // A conversion announces each changed target value.
  plug->setParameter(kStereoSalt, 0.5f);
  plug->setParameter(moduleParam(kStereoBase, kSaltModule, kFlavour), 0.5f);  // unchanged in Mid (0.5 already)
  editor.take();
  plug->setParameter(kCmdConvertSets, whole(1));
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{kMidBase, 0.5f}}));
  plug->setParameter(kCmdConvertSets, whole(9));  // no such mode: a notice, nothing else
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{kCmdConvertSets, whole(9)}}));
}

// (That loading a chunk lowers nothing is the state tests'.)
TEST_F(Notices, RangeSwitchLoweringIsAnnounced) {
  plug->setParameter(kVolIn, 0.8f);
  editor.take();
  plug->setParameter(kInRange, 1.0f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{kVolIn, 0.5f}, {kInRange, 1.0f}}));
}

TEST_F(Notices, MonoNoticeFollowsTheArrangement) {
  VstSpeakerArrangement in{};
  VstSpeakerArrangement out{};
  in.numChannels = 1;
  EXPECT_TRUE(plug->setSpeakerArrangement(&in, &out));
  EXPECT_EQ(editor.take(kCmdMonoInput), (std::vector<Notice>{{kCmdMonoInput, 1.0f}}));
  in.numChannels = 6;
  EXPECT_FALSE(plug->setSpeakerArrangement(&in, &out));
  EXPECT_EQ(plug->getChannelCount(), 1);
  EXPECT_EQ(editor.take(kCmdMonoInput), (std::vector<Notice>{{kCmdMonoInput, 1.0f}}));
  in.numChannels = 2;
  EXPECT_TRUE(plug->setSpeakerArrangement(&in, &out));
  EXPECT_EQ(editor.take(kCmdMonoInput), (std::vector<Notice>{{kCmdMonoInput, 0.0f}}));
  EXPECT_EQ(plug->getParameter(kCmdMonoInput), 0.0f);  // never stored
}

TEST_F(Notices, InputClipIsCountedOncePerBlock) {
  EXPECT_EQ(clipNoticesFor({1.0f, -1.0f, 0.5f}, {-1.0f, 1.0f, 0.0f}), 0);
  EXPECT_EQ(clipNoticesFor({0.0f, 1.0000001f, 0.0f}, {0.0f, 0.0f, 0.0f}), 1);
  EXPECT_EQ(clipNoticesFor(std::vector<float>(100, 3.0f), std::vector<float>(100, -3.0f)), 1);
  EXPECT_EQ(clipNoticesFor({0.0f}, {std::numeric_limits<float>::quiet_NaN()}), 1);
  EXPECT_EQ(clipNoticesFor({-std::numeric_limits<float>::infinity()}, {0.0f}), 1);
  EXPECT_EQ(clipNoticesFor({}, {}), 0);
  // (Gains, bypass and blocks longer than announced: the engine's model comparison.)
}

}  // namespace
}  // namespace sorel::test
