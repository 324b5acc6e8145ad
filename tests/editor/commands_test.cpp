// The editor's commands end to end: compare stores, the transfer menus and
// the recall of a store, each from a click on the real control. (Which stores
// a host may recall is the state tests'.)
#include <gtest/gtest.h>

#include <algorithm>

#include "cdropdownlst.h"
#include "cled.h"
#include "clst.h"
#include "editor_host.h"
#include "param_index.h"
#include "parameters.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

void showMidSidePage(EditorHost& host) {
  host.plug().setParameter(kPage, whole(1));
  host.idle();
  ASSERT_EQ(host.gui().getCurrentPage(), 1);
}

TEST(EditorCommands, StoringIntoBOnTheMidSidePageEnablesBOnBothPages) {
  EditorHost host;
  ASSERT_TRUE(host.open());
  showMidSidePage(host);
  host.plug().setParameter(kStereoBase, 0.42f);  // Stereo "Salt", stored with the rest
  host.driver().click(host.gui().getControl(52)->getViewSize().getCenter());
  host.idle();
  EXPECT_EQ(host.plug().getParameter(kCompValidA + 1), 1.f);
  EXPECT_EQ(host.plug().getParameter(kCompValidA), 0.f);
  for (int tag : {46, 50}) {
    auto* selector = dynamic_cast<CLed*>(host.gui().getControl(tag));
    EXPECT_FALSE(selector->getMouseEnabled()) << tag;
    EXPECT_TRUE(selector->getMember(0)->getMouseEnabled()) << tag;
    EXPECT_FALSE(selector->getMember(1)->getMouseEnabled()) << tag;
  }
  // Recalling B brings the stored Salt back to the knob.
  host.plug().setParameter(kStereoSalt, 0.9f);
  host.idle();
  host.driver().click(dynamic_cast<CLed*>(host.gui().getControl(50))->getMember(0)->getViewSize().getCenter());
  host.idle();
  EXPECT_EQ(host.plug().getParameter(kStereoSalt), 0.42f);
  EXPECT_EQ(host.knob(72)->getValue(), 0.42f);
}

// Chooses entry `row` of the transfer menu that the button `buttonTag` opens.
void chooseTransfer(EditorHost& host, int buttonTag, int menuTag, int row) {
  host.driver().click(host.gui().getControl(buttonTag)->getViewSize().getCenter());
  auto* menu = dynamic_cast<CDropdownLst*>(host.gui().getControl(menuTag));
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->isOpen());
  ASSERT_EQ(host.gui().getOpenList(), menu->getList());
  const CRect list = menu->getList()->getViewSize();
  host.driver().click(CPoint(list.left + 20, list.top + menu->getList()->getRowHeight() * (row + 0.5)));
}

TEST(EditorCommands, TheFirstTransferRowCopiesStereoToMidAndSide) {
  EditorHost host;
  for (int i = 0; i < 24; ++i) host.plug().setParameter(kStereoBase + i, static_cast<float>(i + 1) / 32.f);
  ASSERT_TRUE(host.open());
  host.takeHostEvents();
  chooseTransfer(host, 63, 65, 0);
  const auto events = host.takeHostEvents();
  EXPECT_NE(std::find(events.begin(), events.end(), HostEvent{audioMasterAutomate, kCmdConvertSets, 0.f}),
            events.end());
  EXPECT_EQ(host.gui().getOpenList(), nullptr);
  // (Which values a conversion copies is the parameter tests'; here, that the
  // first row asks for this one.)
  host.idle();
  EXPECT_EQ(host.knob(84)->getValue(), 1.f / 32.f);  // Mid "Salt"
  EXPECT_EQ(host.knob(96)->getValue(), 1.f / 32.f);  // Side "Salt"
}

TEST(EditorCommands, MidToStereoFromTheMidSidePage) {
  EditorHost host;
  host.plug().setParameter(kMidBase, 0.125f);
  host.plug().setParameter(kSideBase, 0.75f);
  ASSERT_TRUE(host.open());
  showMidSidePage(host);
  chooseTransfer(host, 64, 66, 2);
  EXPECT_EQ(host.plug().getParameter(kStereoBase), 0.125f);
  EXPECT_EQ(host.plug().getParameter(kSideBase), 0.75f);
}

}  // namespace
}  // namespace sorel::test
