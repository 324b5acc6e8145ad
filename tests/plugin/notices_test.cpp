// What the effect tells its editor: value changes, the input-clip notice and
// the mono-input notice.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "direct_plug.h"

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

TEST_F(Notices, OnlyRealChangesReachTheEditorWithTheStoredValue) {
  plug->setParameter(12, 0.0f);  // the default: unchanged
  EXPECT_TRUE(editor.take().empty());
  plug->setParameter(12, 0.25f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{12, 0.25f}}));
  plug->setParameter(87, 0.5f);
  plug->setParameter(-4, 0.5f);
  plug->setParameter(200, 0.5f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{87, 0.5f}, {-4, 0.5f}, {200, 0.5f}}));
  // Captures are commands that complete silently.
  plug->setParameter(90, 0.0f);
  plug->setParameter(92, 0.0f);
  EXPECT_TRUE(editor.take().empty());
}

TEST_F(Notices, ConversionAnnouncesEachChangedTargetValue) {
  plug->setParameter(12, 0.5f);
  plug->setParameter(13, 0.5f);  // unchanged in Mid (0.5 already)
  editor.take();
  plug->setParameter(88, 1.0f / 128.0f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{36, 0.5f}}));
  plug->setParameter(88, 9.0f / 128.0f);  // no such mode: a notice, nothing else
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{88, 9.0f / 128.0f}}));
}

TEST_F(Notices, RangeSwitchLoweringIsAnnouncedButNotWhileLoading) {
  plug->setParameter(2, 0.8f);
  editor.take();
  plug->setParameter(84, 1.0f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{2, 0.5f}, {84, 1.0f}}));

  plug->setParameter(84, 0.0f);
  plug->setParameter(2, 0.8f);
  void* data = nullptr;
  ASSERT_EQ(plug->getChunk(&data, false), kChunkSize);
  std::vector<unsigned char> chunk(static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + kChunkSize);
  const float wide = 1.0f;
  std::memcpy(chunk.data() + 16 + 4 * 84, &wide, 4);
  editor.take();
  plug->setChunk(chunk.data(), kChunkSize, false);
  EXPECT_EQ(plug->getParameter(2), 0.8f);
  EXPECT_EQ(editor.take(), (std::vector<Notice>{{84, 1.0f}}));
}

TEST_F(Notices, MonoNoticeFollowsTheArrangement) {
  VstSpeakerArrangement in{};
  VstSpeakerArrangement out{};
  in.numChannels = 1;
  EXPECT_TRUE(plug->setSpeakerArrangement(&in, &out));
  EXPECT_EQ(editor.take(kCmdMonoInput), (std::vector<Notice>{{93, 1.0f}}));
  in.numChannels = 6;
  EXPECT_FALSE(plug->setSpeakerArrangement(&in, &out));
  EXPECT_EQ(plug->getChannelCount(), 1);
  EXPECT_EQ(editor.take(kCmdMonoInput), (std::vector<Notice>{{93, 1.0f}}));
  in.numChannels = 2;
  EXPECT_TRUE(plug->setSpeakerArrangement(&in, &out));
  EXPECT_EQ(editor.take(kCmdMonoInput), (std::vector<Notice>{{93, 0.0f}}));
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
