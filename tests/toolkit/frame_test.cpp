// The frame on the off-screen back-end: edit gestures to the editor, the
// dirty walk and invalid rects, painting through
// containers, closing (also from inside a handler or a text entry's commit).
#include <gtest/gtest.h>

#include <cmath>

#include "cbitmap.h"
#include "ctextedit.h"
#include "offscreenfixture.h"
#include "platform/cairo/cairobitmap.h"
#include "platform/parentresize.h"
#include "testimage.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;
using Rects = std::vector<CRect>;

// A control that paints itself grey in proportion to its value: 0 black,
// 1 white, so one pixel tells which value was drawn.
class ShadeControl : public CControl {
 public:
  using CControl::CControl;
  void draw(CDrawContext* context) override {
    const auto grey = static_cast<uint8_t>(std::lround(getValueNormalized() * 255.f));
    context->setFillColor(CColor{grey, grey, grey, 255});
    context->drawRect(getViewSize(), kDrawFilled);
    setDirty(false);
  }
};

class FrameTest : public OffscreenTest {};

TEST_F(FrameTest, NestedEditGesturesReachTheEditorOnce) {
  auto* control = new ShadeControl(CRect(0, 0, 20, 20), &listener, 7);
  frame->addView(control);
  control->beginEdit();
  control->beginEdit();
  control->endEdit();
  EXPECT_TRUE(control->isEditing());
  control->endEdit();
  EXPECT_FALSE(control->isEditing());
  control->endEdit();  // unbalanced: ignored
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "editor end 7", "end 7"}));

  auto* loose = new ShadeControl(CRect(0, 0, 20, 20), &listener, 8);  // not in a frame: the listener only
  loose->beginEdit();
  loose->endEdit();
  EXPECT_EQ(takeLog(), (Log{"begin 8", "end 8"}));
  loose->forget();
}

TEST_F(FrameTest, IdleInvalidatesExactlyTheDirtyViews) {
  ProbeView* a = addProbe(CRect(0, 0, 20, 20), "a");
  auto* control = new ShadeControl(CRect(40, 0, 60, 20));
  frame->addView(control);
  auto* container = new CViewContainer(CRect(100, 40, 200, 100));
  frame->addView(container);
  ProbeView* d = addProbe(CRect(10, 10, 30, 30), "d", kWhiteCColor, container);

  driver->idle();  // the first paint: everything
  EXPECT_EQ(driver->takePaintedRects(), (Rects{CRect(0, 0, 200, 100)}));

  a->setDirty();
  control->setValue(0.25f);
  d->setDirty();
  frame->idle();
  EXPECT_EQ(driver->pendingInvalidRects(), (Rects{CRect(0, 0, 20, 20), CRect(40, 0, 60, 20), CRect(110, 50, 130, 70)}));
  driver->render();
  EXPECT_TRUE(driver->pendingInvalidRects().empty());
  EXPECT_EQ(driver->pixel(45, 5), (CColor{64, 64, 64, 255}));
  EXPECT_EQ(a->draws, 2);
  EXPECT_EQ(d->draws, 2);
  frame->idle();
  EXPECT_TRUE(driver->pendingInvalidRects().empty());

  {
    CFrame::UIScope scope;  // as in an event handler
    a->setVisible(false);   // the area it covered is repainted
  }
  EXPECT_EQ(driver->pendingInvalidRects(), (Rects{CRect(0, 0, 20, 20)}));
  driver->render();
  EXPECT_EQ(driver->pixel(5, 5), kBlackCColor);
  a->setDirty();
  frame->idle();
  EXPECT_TRUE(driver->pendingInvalidRects().empty());
  EXPECT_EQ(a->draws, 2);

  frame->setDirty();  // a dirty frame repaints everything
  frame->idle();
  EXPECT_EQ(driver->pendingInvalidRects(), (Rects{CRect(0, 0, 200, 100)}));
}

TEST_F(FrameTest, InvalidRectsGrowToWholePixelsAndMergeWhenTheyOverlap) {
  EXPECT_FALSE(frame->open(nullptr));  // a second open is refused
  EXPECT_EQ(frame->getPlatformFrame()->getSize(), CRect(0, 0, 200, 100));
  driver->idle();
  CFrame::UIScope scope;
  frame->invalidRect(CRect(0, 0, 10, 10));
  frame->invalidRect(CRect(20, 0, 30, 10));  // touching the merged one below: stays apart
  frame->invalidRect(CRect(5, 5, 20, 20));
  frame->invalidRect(CRect(0.5, 30.2, 9.5, 39.7));
  frame->invalidRect(CRect(150, 80, 300, 300));  // bounded by the frame
  EXPECT_EQ(driver->pendingInvalidRects(),
            (Rects{CRect(20, 0, 30, 10), CRect(0, 0, 20, 20), CRect(0, 30, 10, 40), CRect(150, 80, 200, 100)}));
  frame->invalidRect(CRect(8, 8, 25, 35));  // bridges three of them
  EXPECT_EQ(driver->pendingInvalidRects(), (Rects{CRect(150, 80, 200, 100), CRect(0, 0, 30, 40)}));
}

// --- Painting through containers ---

class FramePainting : public OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    images::registerForTest("frame_blocks", blocksPNG(10, 10, {{kRed, kGreen, kBlue}, {kYellow, kRed, kGreen}}));
    frame->setBackgroundColor(kBlue);
  }
};

// Also: a repaint covers only the invalid part.
TEST_F(FramePainting, BackgroundColourAndBitmap) {
  auto* coloured = new CViewContainer(CRect(10, 10, 40, 30));
  coloured->setBackgroundColor(kGreen);
  frame->addView(coloured);
  CBitmap* blocks = new CBitmap("frame_blocks");
  auto* pictured = new CViewContainer(CRect(50, 10, 80, 30), frame, blocks);
  frame->addView(pictured);
  blocks->forget();
  auto* clear = new CViewContainer(CRect(120, 10, 140, 30));
  clear->setBackgroundColor(kRed);
  clear->setTransparency(true);
  frame->addView(clear);

  driver->idle();
  // The last: a transparent container, where the frame shows through.
  expectPixels({{10, 10, kGreen}, {39, 29, kGreen}, {40, 29, kBlue}, {50, 10, kRed}});
  expectPixels({{60, 19, kGreen}, {79, 29, kGreen}, {125, 15, kBlue}});

  coloured->setBackgroundColor(kRed);
  coloured->setDirty(false);
  CFrame::UIScope scope;
  frame->invalidRect(CRect(10, 10, 20, 20));
  driver->render();
  expectPixels({{19, 19, kRed}, {20, 19, kGreen}, {19, 20, kGreen}});
}

TEST_F(FramePainting, ChildAlphaMultipliesDownTheTree) {
  frame->setBackgroundColor(kBlackCColor);
  ProbeView* half = addProbe(CRect(0, 0, 20, 20), "half");
  half->setAlphaValue(0.5f);
  auto* container = new CViewContainer(CRect(50, 0, 100, 50));
  container->setTransparency(true);
  container->setAlphaValue(0.5f);
  frame->addView(container);
  addProbe(CRect(0, 0, 20, 20), "quarter", kWhiteCColor, container)->setAlphaValue(0.5f);
  driver->idle();
  EXPECT_NEAR(driver->pixel(5, 5).red, 128, 1);
  EXPECT_NEAR(driver->pixel(55, 5).red, 64, 1);
  EXPECT_EQ(driver->pixel(25, 5), kBlackCColor);
}

// --- Closing ---

// A text field whose commit closes the frame, as a handler may.
class ClosingListener : public RecordingListener {
 public:
  using RecordingListener::RecordingListener;
  void valueChanged(CControl* control) override {
    RecordingListener::valueChanged(control);
    if (CFrame* frame = control->getFrame()) frame->close();
  }
};

TEST_F(FrameTest, CloseReleasesEverythingButTheModalView) {
  images::registerForTest("close_blocks", blocksPNG(4, 4, {{kRed, kGreen}}));
  const int before = ProbeView::alive;
  CBitmap* background = new CBitmap("close_blocks");
  cairo_surface_t* pixels = dynamic_cast<CairoBitmap*>(background->getPlatformBitmap())->getSurface();
  auto* page = new CViewContainer(CRect(100, 0, 200, 100), frame, background);
  background->forget();
  frame->addView(page);
  ProbeView* a = addProbe(CRect(0, 0, 50, 50), "a");
  a->setWantsFocus(true);
  addProbe(CRect(0, 0, 50, 50), "x", kWhiteCColor, page);
  page->addView(new CTextEdit(CRect(0, 60, 80, 80), nullptr, 1, "12"));
  driver->idle();
  driver->click(CPoint(10, 10));
  driver->hover(CPoint(110, 10));
  driver->click(CPoint(120, 70));  // the entry opens and is left open
  ASSERT_NE(driver->textEntryText(), nullptr);
  auto* modal = new ProbeView(CRect(60, 60, 90, 90), "m", &log);
  ASSERT_TRUE(frame->setModalView(modal));
  EXPECT_EQ(ProbeView::alive, before + 3);

  frame->close();
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(driver->textEntryText(), nullptr);
  EXPECT_EQ(ProbeView::alive, before + 1);
  EXPECT_EQ(cairo_surface_get_reference_count(pixels), 1u);  // the image cache's alone
  EXPECT_FALSE(modal->isAttached());
  EXPECT_EQ(modal->getNbReference(), 1);
  modal->forget();
  EXPECT_EQ(ProbeView::alive, before);
}

TEST_F(FrameTest, HandlerThatClosesTheFrameMidEvent) {
  ProbeView* a = addProbe(CRect(0, 0, 50, 50), "a");
  addProbe(CRect(100, 0, 150, 50), "b");
  a->onDown = [this] { frame->close(); };
  driver->click(CPoint(10, 10));  // the release finds the frame closed
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(takeLog(), (Log{"a down 10,10"}));
  driver->idle();
  driver->drag(CPoint(110, 10), CPoint(120, 10));
  EXPECT_FALSE(driver->wheel(CPoint(110, 10), 1.f));
  EXPECT_EQ(driver->keyDown(VstKeyCode{'x', 0, 0}), -1);
  EXPECT_TRUE(takeLog(true).empty());
  EXPECT_TRUE(driver->pendingInvalidRects().empty());
}

// A commit handler closing the frame must not leave the entry behind.
TEST_F(FrameTest, ClosingTheFrameFromATextEntrysCommit) {
  ClosingListener closer(&log);
  frame->addView(new CTextEdit(CRect(20, 20, 120, 44), &closer, 4, "12"));
  driver->idle();
  driver->click(CPoint(30, 30));
  ASSERT_NE(driver->textEntryText(), nullptr);
  driver->type("3");
  EXPECT_EQ(driver->keyDown(VstKeyCode{0, VKEY_ENTER, 0}), 1);
  EXPECT_FALSE(frame->isOpen());
  EXPECT_EQ(driver->textEntryText(), nullptr);
  driver->type("1");
}

// The host's windows around an editor of 400 x 300 growing to 500 x 350 when
// the host cannot resize them: a border of 3 per side marks the top level.
TEST(ParentResize, EachParentKeepsItsBorderAndTheWalkStopsWhereTheHostsWindowsEnd) {
  using Sizes = std::vector<WindowSize>;
  // A borderless holder inside a captioned top level (6 wider, 25 taller), and
  // the desktop-sized owner beyond it that must stay as it is.
  EXPECT_EQ(resizedParents({{400, 300}, {400, 300}, {406, 325}, {1920, 1080}}, 500, 350, 3),
            (Sizes{{500, 350}, {506, 375}}));
  // Shrinking the same way.
  EXPECT_EQ(resizedParents({{400, 300}, {406, 325}}, 300, 200, 3), (Sizes{{306, 225}}));
  // Borders add up through nested frames until the top level's is reached:
  // 2 + 2 + 2 = 6 wide.
  EXPECT_EQ(resizedParents({{400, 300}, {402, 302}, {404, 320}, {406, 340}, {900, 700}}, 500, 350, 3),
            (Sizes{{502, 352}, {504, 370}, {506, 390}}));
  // A multiple-document workspace ends the walk before it.
  EXPECT_EQ(resizedParents({{400, 300}, {410, 330}, {1200, 800, true}, {1220, 900}}, 500, 350, 3), (Sizes{{510, 380}}));
  // A correction of more than 80 pixels (either way) is no border: not resized.
  EXPECT_EQ(resizedParents({{400, 300}, {410, 330}, {480, 340}, {700, 500}}, 500, 350, 3),
            (Sizes{{510, 380}, {580, 390}}));
  EXPECT_EQ(resizedParents({{400, 300}, {410, 330}, {411, 381}}, 500, 350, 3), (Sizes{{510, 380}}));
  // Nothing above the editor's own window.
  EXPECT_TRUE(resizedParents({{400, 300}}, 500, 350, 3).empty());
}

}  // namespace
}  // namespace sorel::test
