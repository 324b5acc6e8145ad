// The hint line in the real editor, from the mouse position at idle.
#include <gtest/gtest.h>

#include <string>

#include "cdropdownlst.h"
#include "clst.h"
#include "editor_host.h"
#include "parameters.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

std::string hintAt(EditorHost& host, CPoint where) {
  host.driver().hover(where);
  host.idle();
  return host.gui().getHintText();
}

TEST(HoverHints, ShownKnobsAndADragClaimTheLineEmptySpaceLampsListsAndHiddenControlsClearIt) {
  EditorHost host;
  ASSERT_TRUE(host.open());
  const CPoint salt = host.knob(72)->getViewSize().getCenter();
  // The M/S page's "Intensity Mid" lies under the Stereo "Salt" knob.
  EXPECT_EQ(hintAt(host, salt), "Intensity");
  // The same hint on the next ticks asks for no repaint.
  host.idle();
  host.driver().takePaintedRects();
  host.idle();
  EXPECT_TRUE(host.driver().takePaintedRects().empty());
  EXPECT_EQ(hintAt(host, CPoint(5, 330)), "");
  EXPECT_EQ(hintAt(host, host.gui().getControl(63)->getViewSize().getCenter()), "transfer params");
  // The clip lamp's corner, outside the "IN" knob it surrounds.
  const CRect lamp = host.gui().getControl(112)->getViewSize();
  EXPECT_EQ(hintAt(host, CPoint(lamp.left + 0.5, lamp.bottom - 0.5)), "");
  EXPECT_EQ(hintAt(host, lamp.getCenter()), "IN");

  host.plug().setParameter(kPage, 1.f / 128.f);
  host.idle();
  EXPECT_EQ(hintAt(host, salt), "Intensity Mid");

  // A drag keeps its text; an open list and hidden controls show none.
  host.plug().setParameter(kPage, 0.f);
  host.idle();
  host.driver().mouseDown(salt);
  host.driver().mouseMove(CPoint(5, 330), kLButton);  // off the panels
  host.idle();
  EXPECT_STREQ(host.gui().getHintText(), "Intensity");
  host.driver().mouseUp(CPoint(5, 330));
  host.idle();
  EXPECT_STREQ(host.gui().getHintText(), "");

  const CPoint transfer = host.gui().getControl(63)->getViewSize().getCenter();
  host.driver().click(transfer);
  ASSERT_NE(host.gui().getOpenList(), nullptr);
  host.idle();
  EXPECT_STREQ(host.gui().getHintText(), "");
  host.driver().renderAll();
  EXPECT_TRUE(host.driver().writePNG(outputPath("editor-transfer-open.png")));
  host.gui().getOpenList()->getOwner()->closeList();

  const CPoint toMidSide = host.gui().getControl(61)->getViewSize().getCenter();
  EXPECT_EQ(hintAt(host, toMidSide), "to M/S process");
  host.plug().setParameter(kCmdMonoInput, 1.f);  // hides the page button
  host.idle();
  EXPECT_EQ(hintAt(host, toMidSide), "");
}

}  // namespace
}  // namespace sorel::test
