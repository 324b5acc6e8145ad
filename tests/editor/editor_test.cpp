// The real editor driven through the effect's dispatcher, off-screen: opening
// at the skin's size, both directions between knobs and parameters, pages,
// the notices, two instances side by side. (Repeated opening, and values
// set while closed, are the validate suite's editor cycles.)
#include <gtest/gtest.h>

#include <thread>

#include "cframe.h"
#include "cviewcontainer1.h"
#include "editor_host.h"
#include "param_index.h"
#include "parameters.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

class OffscreenEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { setPlatformBackEnd(PlatformBackEnd::kOffscreen); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new OffscreenEnvironment);

TEST(EditorShell, EveryKnobShowsTheEffectsValueInItsPlaceAfterOpen) {
  EditorHost host;
  host.plug().setParameter(kStereoSalt, 0.3f);
  host.plug().setParameter(moduleParam(kMidBase, kSaltModule, kFlavour), 0.8f);
  host.plug().setParameter(kVolIn, 0.25f);
  ASSERT_TRUE(host.open());
  const auto rows = knobRows();
  ASSERT_EQ(rows.size(), 28u);
  for (const auto& [tag, parameter] : rows) {
    CAnimKnobKst* knob = host.knob(tag);
    ASSERT_NE(knob, nullptr) << "tag " << tag;
    EXPECT_EQ(knob->getValue(), host.plug().getParameter(parameter)) << "tag " << tag;  // "vol in" on both pages
    EXPECT_EQ(knob->getDefaultValue(), kParamTable[parameter].defaultValue) << "tag " << tag;
  }
  // Knobs take their size from the strips and their place from the layout.
  EXPECT_EQ(host.knob(72)->getViewSize(), CRect(33, 110, 114, 191));
  EXPECT_EQ(host.knob(84)->getViewSize().getWidth(), 59);
  EXPECT_EQ(host.knob(84)->getViewSize().getHeight(), 59);
  EXPECT_EQ(host.knob(110)->getViewSize(), CRect(821, 246, 861, 286));
  // Rows without an image create nothing; panes have no mouse.
  EXPECT_EQ(host.gui().getControl(0), nullptr);
  ASSERT_NE(host.gui().getControl(10), nullptr);
  EXPECT_FALSE(host.gui().getControl(10)->getMouseEnabled());
  host.driver().renderAll();
  EXPECT_TRUE(host.driver().writePNG(outputPath("editor-stereo.png")));
}

TEST(EditorShell, ThePageParameterShowsOneContainer) {
  EditorHost host;
  ASSERT_TRUE(host.open());
  CGui& gui = host.gui();
  EXPECT_EQ(gui.getCurrentPage(), 0);
  EXPECT_TRUE(gui.getPage(0)->isAttached());
  host.plug().setParameter(kPage, whole(1));
  host.idle();
  EXPECT_EQ(gui.getCurrentPage(), 1);
  EXPECT_TRUE(host.knob(84)->isAttached());
  EXPECT_FALSE(host.knob(72)->isAttached());
  host.driver().renderAll();
  EXPECT_TRUE(host.driver().writePNG(outputPath("editor-ms.png")));
  host.plug().setParameter(kPage, 0.f);
  host.idle();
  EXPECT_EQ(gui.getCurrentPage(), 0);
  EXPECT_FALSE(gui.getPage(1)->isAttached());
  // A page that does not exist leaves the shown one.
  host.plug().setParameter(kPage, 5.f / 128.f);
  host.idle();
  EXPECT_EQ(gui.getCurrentPage(), 0);
  // The page button's press reaches the editor at its release.
  const CPoint button = gui.getControl(61)->getViewSize().getCenter();
  host.driver().mouseDown(button);
  EXPECT_EQ(gui.getCurrentPage(), 0);
  host.driver().mouseUp(button);
  host.idle();
  EXPECT_EQ(gui.getCurrentPage(), 1);
}

TEST(EditorShell, DraggingAKnobIsOneGestureAtTheHostButOnlyFromInsideItsCircle) {
  EditorHost host;
  ASSERT_TRUE(host.open());
  EXPECT_EQ(host.dispatch(effEditOpen), 0);  // already open
  host.takeHostEvents();
  const CRect area = host.knob(72)->getViewSize();
  host.driver().drag(CPoint(area.left + 2, area.top + 2), CPoint(area.left + 2, area.top - 30));
  EXPECT_TRUE(host.takeHostEvents().empty());
  EXPECT_EQ(host.plug().getParameter(kStereoSalt), kParamTable[kStereoSalt].defaultValue);
  const CPoint centre = area.getCenter();
  host.driver().drag(centre, CPoint(centre.x, centre.y - 40), kLButton, 8);
  host.idle();
  const auto events = host.takeHostEvents();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), (HostEvent{audioMasterBeginEdit, kStereoSalt, 0.f}));
  EXPECT_EQ(events.back(), (HostEvent{audioMasterEndEdit, kStereoSalt, 0.f}));
  for (size_t i = 1; i + 1 < events.size(); ++i) {
    EXPECT_EQ(events[i].opcode, audioMasterAutomate);
    EXPECT_EQ(events[i].index, kStereoSalt);
  }
  EXPECT_NEAR(host.plug().getParameter(kStereoSalt), 40.f / 200.f, 1e-6);
  EXPECT_EQ(events[events.size() - 2].value, host.plug().getParameter(kStereoSalt));
  EXPECT_EQ(host.knob(72)->getValue(), host.plug().getParameter(kStereoSalt));
}

TEST(EditorShell, NoticesFromTheAudioThreadWaitForTheNextIdleAndTheMonoNoticeIsKeptWhileClosed) {
  EditorHost host;
  host.plug().setParameter(kCmdMonoInput, 1.f);
  ASSERT_TRUE(host.open());
  ASSERT_NE(host.gui().getControl(60), nullptr);
  EXPECT_TRUE(host.gui().getControl(60)->isVisible());
  host.plug().setParameter(kCmdMonoInput, 0.f);
  host.idle();
  EXPECT_FALSE(host.gui().getControl(60)->isVisible());
  std::thread audio([&] {
    host.plug().setParameter(kCmdInputClip, 1.f);
    host.plug().setParameter(moduleParam(kStereoBase, kSaltModule, kFlavour), 0.75f);
    host.plug().setParameter(kPage, whole(1));
  });
  audio.join();
  EXPECT_EQ(host.gui().getClipHold(), 0);
  EXPECT_EQ(host.knob(73)->getValue(), kParamTable[13].defaultValue);
  EXPECT_EQ(host.gui().getCurrentPage(), 0);
  host.idle();
  EXPECT_EQ(host.gui().getClipHold(), CGui::kClipHoldTicks - 2);  // applied, then two ticks
  EXPECT_EQ(host.knob(73)->getValue(), 0.75f);
  EXPECT_EQ(host.gui().getCurrentPage(), 1);
  // The clip notice holds for seventy-five ticks.
  for (int i = 0; i < 36; ++i) host.idle();
  EXPECT_EQ(host.gui().getClipHold(), 1);
  host.idle();
  EXPECT_EQ(host.gui().getClipHold(), 0);
  host.close();
  host.plug().setParameter(kCmdMonoInput, 1.f);
  ASSERT_TRUE(host.open());
  EXPECT_TRUE(host.gui().getControl(60)->isVisible());
}

TEST(EditorShell, TwoInstancesKeepTheirOwnWindows) {
  EditorHost first;
  EditorHost second;
  ASSERT_TRUE(first.open());
  ASSERT_TRUE(second.open());
  first.takeHostEvents();
  second.takeHostEvents();
  const CPoint centre = first.knob(75)->getViewSize().getCenter();
  first.driver().drag(centre, CPoint(centre.x, centre.y - 100));
  second.plug().setParameter(kStereoSalt, 0.7f);
  first.idle();
  second.idle();
  EXPECT_NEAR(first.plug().getParameter(moduleParam(kStereoBase, kPepperModule)), 0.5f, 1e-6);
  EXPECT_EQ(second.plug().getParameter(moduleParam(kStereoBase, kPepperModule)),
            kParamTable[moduleParam(kStereoBase, kPepperModule)].defaultValue);
  EXPECT_EQ(first.knob(72)->getValue(), kParamTable[kStereoSalt].defaultValue);
  EXPECT_EQ(second.knob(72)->getValue(), 0.7f);
  EXPECT_TRUE(second.takeHostEvents().empty());
  EXPECT_FALSE(first.takeHostEvents().empty());
}

}  // namespace
}  // namespace sorel::test
