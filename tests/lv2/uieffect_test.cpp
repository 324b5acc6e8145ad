// The UI's effect between the editor and the host: what the editor changes
// reaches the host as port writes, consequences included; what the host
// sends is mirrored without being re-derived; with instance access a capture
// also fills the running instance's store.
#include "uieffect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "effectinstance.h"

namespace sorel::lv2 {
namespace {

struct Write {
  std::uint32_t port;
  float value;
  bool operator==(const Write&) const = default;
};

void record(LV2UI_Controller controller, std::uint32_t port, std::uint32_t size, std::uint32_t format,
            const void* buffer) {
  ASSERT_EQ(size, sizeof(float));
  ASSERT_EQ(format, 0u);
  float v = 0.0f;
  std::memcpy(&v, buffer, sizeof v);
  static_cast<std::vector<Write>*>(controller)->push_back({port, v});
}

class UiEffectTest : public ::testing::Test {
 protected:
  std::unique_ptr<UiEffect> make(EffectInstance* dsp = nullptr) {
    return std::make_unique<UiEffect>(kVariants[0], HostLink{record, &writes, nullptr, nullptr}, dsp);
  }
  // The writes since the last call.
  std::vector<Write> taken() { return std::exchange(writes, {}); }
  std::vector<Write> writes;
};

TEST_F(UiEffectTest, EditorChangesReachTheHostWithTheirConsequences) {
  auto ui = make();
  ui->setParameterAutomated(kVolIn, 0.8f);
  EXPECT_EQ(taken(), (std::vector<Write>{{kVolIn, 0.8f}}));
  ui->setParameterAutomated(kInRange, 1.0f);  // lowers the boosted volume
  EXPECT_EQ(taken(), (std::vector<Write>{{kVolIn, 0.5f}, {kInRange, 1.0f}}));
  ui->setParameterDirect(kPage, kWholeStep);  // not automated: the next sync sends it
  ui->syncToHost();
  EXPECT_EQ(taken(), (std::vector<Write>{{kPage, kWholeStep}}));
  ui->syncToHost();
  EXPECT_TRUE(writes.empty());
}

TEST_F(UiEffectTest, HostValuesAreMirroredNotRederived) {
  auto ui = make();
  ui->portEvent(kVolIn, 0.9f);
  ui->portEvent(kInRange, 1.0f);  // a session's values, one port at a time
  ui->portEvent(kLatencyPort, 1.0f);
  ui->syncToHost();
  EXPECT_TRUE(writes.empty());
  EXPECT_EQ(ui->getParameter(kVolIn), 0.9f);
  EXPECT_EQ(ui->getParameter(kInRange), 1.0f);
}

TEST_F(UiEffectTest, CapturesReachTheRunningInstanceWhenTheHostGivesIt) {
  EffectInstance dsp(kVariants[0], 48000.0);
  dsp.effect().setParameter(kVolOut, 0.3f);
  auto ui = make(&dsp);
  EXPECT_EQ(ui->getParameter(kVolOut), 0.3f);  // taken from the instance, not sent back
  ui->syncToHost();
  EXPECT_TRUE(writes.empty());
  ui->setParameterDirect(kCmdCaptureA + 1, 1.0f);
  CPlug& running = dsp.effect();
  running.setParameter(kCompValidA + 1, 1.0f);  // the editor marks a captured store valid
  running.setParameter(kVolOut, 0.7f);
  running.setParameter(kCompareSelect, 1 * kWholeStep);  // recall B
  EXPECT_EQ(running.getParameter(kVolOut), 0.3f);
  running.setParameter(kCompValidA, 1.0f);
  running.setParameter(kCompareSelect, 0.0f);  // recall A, never captured
  EXPECT_EQ(running.getParameter(kVolOut), 0.5f);
}

}  // namespace
}  // namespace sorel::lv2
