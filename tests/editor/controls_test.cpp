// The editor's own controls in the real editor: each layout row makes its
// control in its place, bound to its parameter; read-outs and the
// anti-aliasing selector work end to end (the A/B/C selectors are the
// commands tests', a switch clicked in a real window the X11 editor test's).
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "ccbuttonmo.h"
#include "cdropdownlstai.h"
#include "cframe.h"
#include "ckstexted.h"
#include "clst.h"
#include "ctextedai.h"
#include "cviewcontainer1.h"
#include "editor_host.h"
#include "layout.h"
#include "param_index.h"
#include "parameters.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

const VstKeyCode kReturn{0, VKEY_RETURN, 0};

// The class each kind of row makes (the knobs are the editor shell's tests').
const std::map<int, const char*> kClassOfType = {{kTypeButton, "CCButtonMO"},  {kTypeButtonGroup, "CCButtonMO"},
                                                 {kTypeLed, "CLed"},           {kTypeLamp, "CLed"},
                                                 {kTypeClickArea, "CLed"},     {kTypeTextField, "CKstTextEd"},
                                                 {kTypeHintLine, "CTextEdAI"}, {kTypeDropdown, "CDropdownLstAI"}};

TEST(EditorControls, EveryRowMakesItsClassWhereTheLayoutPutsIt) {
  EditorHost host;
  ASSERT_TRUE(host.open());
  CGui& gui = host.gui();
  for (int tag = 0; tag < kNumTags; ++tag) {
    const auto row = kClassOfType.find(kLayout[tag].type);
    if (row == kClassOfType.end()) continue;
    CControl* control = gui.getControl(tag);
    ASSERT_NE(control, nullptr) << "tag " << tag;
    EXPECT_TRUE(control->isTypeOf(row->second)) << "tag " << tag;
    EXPECT_EQ(control->getTag(), tag);
    const int container = kLayout[tag].container;
    if (container < kNumShownPages) {
      EXPECT_TRUE(gui.getPage(container)->isChild(control)) << "tag " << tag;
    } else {
      EXPECT_EQ(control->getParentView(), host.gui().getFrame()) << "tag " << tag;
    }
  }
  EXPECT_EQ(gui.getControl(74)->getViewSize(), CRect(174, 92, 206, 108));  // one frame of the switch strip
  EXPECT_EQ(gui.getControl(112)->getViewSize(), CRect(820, 160, 862, 202));
  EXPECT_FALSE(gui.getControl(112)->getMouseEnabled());
  auto* selector = dynamic_cast<CLed*>(gui.getControl(46));
  ASSERT_EQ(selector->getMemberCount(), 2);
  EXPECT_EQ(selector->getMember(0)->getViewSize(), CRect(833, 92, 850, 109));
  EXPECT_EQ(selector->getMember(1)->getViewSize(), CRect(855, 92, 872, 109));
  EXPECT_TRUE(gui.getPage(0)->isChild(selector->getMember(1)));
  EXPECT_TRUE(dynamic_cast<CDropdownLst*>(gui.getControl(65))->isHidden());
  EXPECT_FALSE(dynamic_cast<CDropdownLst*>(gui.getControl(68))->isHidden());
  EXPECT_EQ(gui.getReadout(72)->getViewSize(), CRect(28.5, 92, 118.5, 106));
  EXPECT_EQ(gui.getReadout(84)->getViewSize().getWidth(), 70);
  // The hint lines can never be made clickable.
  gui.getControl(58)->setMouseEnabled(true);
  EXPECT_FALSE(gui.getControl(58)->getMouseEnabled());
}

TEST(EditorControls, AReadOutShowsTheDisplayTextAndTakesATypedValue) {
  EditorHost host;
  host.plug().setParameter(kStereoSalt, 0.5f);
  ASSERT_TRUE(host.open());
  auto* readout = dynamic_cast<CKstTextEd*>(host.gui().getReadout(72));
  ASSERT_NE(readout, nullptr);
  char display[64] = {};
  host.plug().getParameterDisplay(12, display);
  EXPECT_STREQ(readout->getText(), display);
  host.driver().click(readout->getViewSize().getCenter());
  host.driver().type("25");
  host.driver().keyDown(kReturn);
  EXPECT_FLOAT_EQ(host.plug().getParameter(kStereoSalt), 0.25f);
  host.plug().getParameterDisplay(12, display);
  EXPECT_STREQ(readout->getText(), display);
  // The text fields of type 27 keep their row text but show none.
  auto* caption = dynamic_cast<CKstTextEd*>(host.gui().getControl(44));
  EXPECT_FALSE(caption->getShowText());
  caption->setShowText(true);
  EXPECT_STREQ(caption->getText(), "compare");
}

TEST(EditorControls, TheAntiAliasingSelectorChoosesThroughItsList) {
  EditorHost host;
  ASSERT_TRUE(host.open());
  CGui& gui = host.gui();
  auto* box = dynamic_cast<CDropdownLstAI*>(gui.getControl(68));
  host.driver().click(box->getViewSize().getCenter());
  ASSERT_EQ(gui.getOpenList(), box->getList());
  host.driver().renderAll();
  EXPECT_TRUE(host.driver().writePNG(outputPath("editor-aa-open.png")));
  // The editor's idle tracks the mouse over the open list.
  const CRect list = box->getList()->getViewSize();
  host.driver().hover(CPoint(list.left + 20, list.top + box->getList()->getRowHeight() * 1.5));
  host.idle();
  EXPECT_EQ(box->getList()->getHovered(), 1);
  // The second row of the list.
  host.driver().click(CPoint(list.left + 20, list.top + box->getList()->getRowHeight() * 1.5));
  EXPECT_EQ(gui.getOpenList(), nullptr);
  EXPECT_FALSE(box->getList()->isAttached());
  EXPECT_EQ(host.plug().getParameter(kAntiAlias), whole(1));
  EXPECT_STREQ(box->getCurrentText(), "AA SplitFir");
  // The other page's selector follows.
  EXPECT_STREQ(dynamic_cast<CDropdownLst*>(gui.getControl(69))->getCurrentText(), "AA SplitFir");
}

}  // namespace
}  // namespace sorel::test
