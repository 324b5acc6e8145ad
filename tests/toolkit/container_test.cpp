// How the frame and its containers hand out mouse, wheel and key events:
// topmost first, opaque children stop a refused click, the pressed view keeps
// the mouse, the modal view takes everything, focus and hover follow.
#include <gtest/gtest.h>

#include "offscreenfixture.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

class Dispatch : public OffscreenTest {};

// A view's rect holds its left and top edges but not its right and bottom ones.
TEST_F(Dispatch, ClickGoesToTheTopmostVisibleEnabledChildOnly) {
  addProbe(CRect(0, 0, 50, 50), "a");
  addProbe(CRect(20, 20, 70, 70), "b");
  driver->click(CPoint(20, 20));
  EXPECT_EQ(takeLog(), (Log{"b down 20,20", "b up 20,20"}));
  driver->click(CPoint(10, 10));
  EXPECT_EQ(takeLog(), (Log{"a down 10,10", "a up 10,10"}));
  EXPECT_EQ(driver->mouseDown(CPoint(70, 69.5)), kMouseEventNotHandled);  // nothing there
  EXPECT_EQ(driver->mouseDown(CPoint(69.5, 70)), kMouseEventNotHandled);
  EXPECT_TRUE(takeLog().empty());

  // Hidden, mouse-disabled and fully transparent children are skipped.
  ProbeView* c = addProbe(CRect(0, 0, 50, 50), "c");
  c->setVisible(false);
  driver->click(CPoint(5, 5));
  c->setVisible(true);
  c->setMouseEnabled(false);
  driver->click(CPoint(6, 6));
  c->setMouseEnabled(true);
  c->setAlphaValue(0.f);
  driver->click(CPoint(7, 7));
  EXPECT_EQ(takeLog(), (Log{"a down 5,5", "a up 5,5", "a down 6,6", "a up 6,6", "a down 7,7", "a up 7,7"}));
}

TEST_F(Dispatch, OpaqueChildThatRefusesStopsTheClick) {
  addProbe(CRect(0, 0, 50, 50), "a");
  ProbeView* b = addProbe(CRect(20, 20, 70, 70), "b");
  b->downResult = kMouseEventNotHandled;
  EXPECT_EQ(driver->mouseDown(CPoint(30, 30)), kMouseEventNotHandled);
  driver->mouseUp(CPoint(30, 30));
  EXPECT_EQ(takeLog(), (Log{"b down 30,30"}));

  b->setTransparency(true);
  EXPECT_EQ(driver->mouseDown(CPoint(30, 30)), kMouseEventHandled);
  driver->mouseUp(CPoint(30, 30));
  EXPECT_EQ(takeLog(), (Log{"b down 30,30", "a down 30,30", "a up 30,30"}));
}

TEST_F(Dispatch, PressedViewGetsTheMovesAndTheUpWhereverUntilItEndsTheTracking) {
  ProbeView* a = addProbe(CRect(0, 0, 50, 50), "a");
  addProbe(CRect(100, 0, 150, 50), "b");
  driver->mouseDown(CPoint(10, 10));
  driver->mouseMove(CPoint(120, 20), kLButton);
  driver->mouseMove(CPoint(-30, 300), kLButton);  // outside the window
  driver->mouseUp(CPoint(-30, 300));
  EXPECT_EQ(takeLog(), (Log{"a down 10,10", "a move 120,20", "a move -30,300", "a up -30,300"}));
  driver->hover(CPoint(125, 25));  // no press: the view under the pointer
  EXPECT_EQ(takeLog(), (Log{"b move 125,25"}));

  // Tracking ends when the view says so.
  a->moveResult = kMouseEventNotImplemented;  // keeps the tracking
  driver->drag(CPoint(10, 10), CPoint(150, 80), kLButton, 2);
  EXPECT_EQ(takeLog(), (Log{"a down 10,10", "a move 80,45", "a move 150,80", "a up 150,80"}));
  a->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  EXPECT_EQ(driver->mouseDown(CPoint(10, 10)), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  driver->mouseMove(CPoint(150, 80), kLButton);
  driver->mouseUp(CPoint(150, 80));
  EXPECT_EQ(takeLog(), (Log{"a down 10,10"}));
}

TEST_F(Dispatch, ContainersPassPointsInTheChildsParentCoordinates) {
  auto* c = new ProbeContainer(CRect(100, 20, 200, 100), "c", &log);
  frame->addView(c);
  addProbe(CRect(10, 10, 40, 40), "x", kWhiteCColor, c);
  driver->mouseDown(CPoint(115, 35));
  driver->mouseMove(CPoint(60, 5), kLButton);
  driver->mouseUp(CPoint(60, 5));
  EXPECT_EQ(takeLog(), (Log{"x down 15,15", "x move -40,-15", "x up -40,-15"}));
  EXPECT_EQ(frame->getViewAt(CPoint(115, 35)), c);
  EXPECT_EQ(frame->getViewAt(CPoint(115, 35), true)->getViewSize(), CRect(10, 10, 40, 40));
  EXPECT_EQ(frame->getViewAt(CPoint(105, 25), true), c);
}

TEST_F(Dispatch, ModalViewTakesEveryClickAndEndsTheHover) {
  addProbe(CRect(0, 0, 100, 100), "a");
  driver->hover(CPoint(20, 20));
  takeLog(true);
  auto* modal = new ProbeView(CRect(120, 10, 180, 60), "m", &log);
  ASSERT_TRUE(frame->setModalView(modal));
  EXPECT_EQ(takeLog(true), (Log{"a exit"}));
  auto* second = new ProbeView(CRect(0, 0, 10, 10), "second", &log);
  EXPECT_FALSE(frame->setModalView(second));
  second->forget();

  driver->hover(CPoint(10, 10));  // moves go to the modal view, but nothing is entered
  driver->click(CPoint(10, 10));
  EXPECT_EQ(driver->wheel(CPoint(10, 10), 1.f), false);
  EXPECT_EQ(takeLog(true), (Log{"m move 10,10"}));
  driver->hover(CPoint(130, 20));
  driver->click(CPoint(130, 20));
  EXPECT_EQ(takeLog(true), (Log{"m enter", "m move 130,20", "m down 130,20", "m up 130,20"}));

  ASSERT_TRUE(frame->setModalView(nullptr));
  EXPECT_FALSE(modal->isAttached());
  EXPECT_EQ(modal->getNbReference(), 1);  // removed, not released
  driver->click(CPoint(10, 10));
  EXPECT_EQ(takeLog(), (Log{"a down 10,10", "a up 10,10"}));
  EXPECT_FALSE(frame->setModalView(frame->getView(0)));  // attached views cannot be modal
  modal->forget();
}

TEST_F(Dispatch, FocusFollowsClicksAndSetFocusView) {
  ProbeView* a = addProbe(CRect(0, 0, 50, 50), "a");
  ProbeView* b = addProbe(CRect(100, 0, 150, 50), "b");
  a->setWantsFocus(true);
  driver->click(CPoint(10, 10));
  driver->click(CPoint(110, 10));  // b does not want focus: a keeps it
  EXPECT_EQ(frame->getFocusView(), a);
  EXPECT_EQ(takeLog(), (Log{"a focus", "a down 10,10", "a up 10,10", "b down 110,10", "b up 110,10"}));

  frame->setFocusView(b);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  frame->setFocusView(a);
  EXPECT_EQ(takeLog(), (Log{"a blur", "a focus"}));

  a->remember();
  frame->removeView(a);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_EQ(takeLog(), (Log{"a blur"}));
  a->forget();
}

TEST_F(Dispatch, KeysGoToTheFocusViewItsParentsThenTheModalView) {
  auto* c = new ProbeContainer(CRect(100, 0, 200, 100), "c", &log);
  frame->addView(c);
  ProbeView* x = addProbe(CRect(0, 0, 20, 20), "x", kWhiteCColor, c);
  x->setWantsFocus(true);
  VstKeyCode key{'k', 0, 0};
  EXPECT_EQ(driver->keyDown(key), -1);  // no focus, no modal view
  frame->setFocusView(x);
  auto* modal = new ProbeView(CRect(0, 0, 10, 10), "m", &log);
  modal->keyResult = 1;
  frame->setModalView(modal);
  takeLog();
  EXPECT_EQ(driver->keyDown(key), 1);
  EXPECT_EQ(takeLog(), (Log{"x key 107", "m key 107"}));
  x->keyResult = 1;
  EXPECT_EQ(driver->keyDown(key), 1);
  EXPECT_EQ(takeLog(), (Log{"x key 107"}));
  frame->setModalView(nullptr);
  modal->forget();
}

TEST_F(Dispatch, WheelGoesToTheTopmostViewUnderThePointer) {
  addProbe(CRect(0, 0, 50, 50), "a");
  ProbeView* b = addProbe(CRect(0, 0, 50, 50), "b");
  EXPECT_TRUE(driver->wheel(CPoint(10, 10), 1.f));
  EXPECT_EQ(takeLog(), (Log{"b wheel 10,10"}));
  b->wheelTaken = false;
  EXPECT_FALSE(driver->wheel(CPoint(10, 10), -1.f));  // b is opaque
  EXPECT_EQ(takeLog(), (Log{"b wheel 10,10"}));
  b->setTransparency(true);
  EXPECT_TRUE(driver->wheel(CPoint(10, 10), -1.f));
  EXPECT_EQ(takeLog(), (Log{"b wheel 10,10", "a wheel 10,10"}));
  driver->mouseDown(CPoint(10, 10));
  takeLog();
  EXPECT_FALSE(driver->wheel(CPoint(10, 10), 1.f));  // not while a press is in progress
  EXPECT_TRUE(takeLog().empty());
  driver->mouseUp(CPoint(10, 10));
}

class Hover : public OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    addProbe(CRect(0, 0, 50, 50), "a");
    c = new ProbeContainer(CRect(100, 0, 200, 100), "c", &log);
    frame->addView(c);
    x = addProbe(CRect(10, 10, 40, 40), "x", kWhiteCColor, c);
  }
  ProbeContainer* c = nullptr;
  ProbeView* x = nullptr;
};

TEST_F(Hover, EnterAndExitAcrossContainersAndWhenAViewIsRemoved) {
  driver->hover(CPoint(10, 10));
  EXPECT_EQ(takeLog(true), (Log{"a enter", "a move 10,10"}));
  driver->hover(CPoint(120, 20));
  EXPECT_EQ(takeLog(true), (Log{"a exit", "c enter", "x enter", "x move 20,20"}));
  driver->hover(CPoint(160, 60));
  EXPECT_EQ(takeLog(true), (Log{"x exit"}));
  driver->hover(CPoint(60, 60));
  EXPECT_EQ(takeLog(true), (Log{"c exit"}));
  driver->hover(CPoint(120, 20));
  takeLog();
  driver->leave();
  EXPECT_EQ(takeLog(true), (Log{"x exit", "c exit"}));
  driver->leave();
  EXPECT_TRUE(takeLog(true).empty());

  // A removed view loses the hover.
  driver->hover(CPoint(120, 20));
  takeLog(true);
  x->remember();
  c->removeView(x);
  EXPECT_EQ(x->getNbReference(), 1);  // the frame let go of it
  driver->hover(CPoint(10, 10));
  EXPECT_EQ(takeLog(true), (Log{"c exit", "a enter", "a move 10,10"}));
  x->forget();
}

TEST_F(Hover, StaysDuringAPressAndCatchesUpOnRelease) {
  driver->hover(CPoint(120, 20));
  driver->mouseDown(CPoint(120, 20));
  takeLog();
  driver->mouseMove(CPoint(10, 10), kLButton);
  driver->leave();
  EXPECT_EQ(takeLog(true), (Log{"x move -90,10"}));
  driver->mouseUp(CPoint(10, 10));
  EXPECT_EQ(takeLog(true), (Log{"x up -90,10", "x exit", "c exit", "a enter"}));
}

}  // namespace
}  // namespace sorel::test
