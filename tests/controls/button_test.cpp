// The push button: action at release inside (edges count), the frame chosen
// for each state and strip length, and the A/B/C selector.
#include <gtest/gtest.h>

#include "ccbuttonmo.h"
#include "offscreenfixture.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

class ButtonTest : public OffscreenTest {
 protected:
  // A single momentary button of a strip with `frames` frames of 20 x 10.
  CCButtonMO* addButton(int frames, int tag) {
    CBitmap* picture = strip("button-test-" + std::to_string(frames) + ".png", frames, 20, 10);
    auto* button = new CCButtonMO(0, CRect(10, 10, 30, 20), &listener, tag, picture, 1, 0, 0, false);
    button->setValue(0.f);
    button->setMomentary(false);
    frame->addView(button);
    return button;
  }
};

TEST_F(ButtonTest, ActsOnlyWhenReleasedInsideAndTheEdgesCount) {
  addButton(3, 47);
  driver->mouseDown(CPoint(15, 15));
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(shownAt(15, 15, 3), 1);  // pressed
  driver->mouseMove(CPoint(50, 50), kLButton);
  driver->mouseUp(CPoint(50, 50));
  EXPECT_TRUE(takeLog().empty());

  // Released on the bottom-right corner: the action runs, and the frame is
  // told the edit ended once by the button and once by the gesture.
  driver->mouseDown(CPoint(15, 15));
  driver->mouseUp(CPoint(30, 20));
  EXPECT_EQ(takeLog(),
            (Log{"begin 47", "editor begin 47", "value 47 0.0000", "editor end 47", "editor end 47", "end 47"}));
  EXPECT_EQ(shownAt(15, 15, 3), 0);
}

// 8-frame strips add four when lit, 4-frame strips have a disabled frame,
// and simple drawing shows only the off, on and disabled frames.
TEST_F(ButtonTest, EachStateShowsItsFrame) {
  struct Case {
    int frames;
    bool simple, disabled, hovered, on;
    int shown;
  };
  for (const Case& c : {Case{3, false, true, false, false, 0}, Case{4, false, true, false, false, 3},
                        Case{8, false, true, false, false, 3}, Case{8, false, false, true, false, 2},
                        Case{8, false, false, true, true, 6}, Case{8, false, false, false, true, 4},
                        Case{3, true, false, true, false, 0}, Case{3, true, true, false, false, 2}}) {
    CCButtonMO* button = addButton(c.frames, 3);
    button->setSimpleDrawing(c.simple);
    button->setMouseEnabled(!c.disabled);
    button->setOn(c.on);
    if (c.hovered) driver->hover(CPoint(15, 15));
    EXPECT_EQ(shownAt(15, 15, c.frames), c.shown) << c.frames << c.simple << c.disabled << c.hovered << c.on;
    driver->hover(CPoint(100, 80));
    frame->removeView(button);
  }
}

TEST_F(ButtonTest, DisabledButtonsIgnorePressesAndSimpleDrawingDoesNotRedrawHover) {
  CCButtonMO* button = addButton(3, 1);
  button->setMouseEnabled(false);
  driver->click(CPoint(15, 15));
  CPoint inside(15, 15);
  EXPECT_EQ(button->onMouseDown(inside, kLButton), kMouseEventHandled);
  EXPECT_FALSE(button->isPressed());
  EXPECT_TRUE(takeLog().empty());
  button->setMouseEnabled(true);
  driver->click(CPoint(15, 15));
  EXPECT_FALSE(takeLog().empty());

  button->setSimpleDrawing(true);
  driver->hover(CPoint(100, 80));
  driver->idle();
  driver->takePaintedRects();
  driver->hover(CPoint(15, 15));
  driver->idle();
  EXPECT_TRUE(driver->takePaintedRects().empty());
}

using SelectorTest = ButtonTest;

TEST_F(SelectorTest, EachEnabledButtonReportsItsStoreThroughTheHead) {
  auto* head =
      new CCButtonMO(0, CRect(10, 10, 27, 27), &listener, 46, strip("selector-test.png", 3, 17, 17), 3, 0, 55, false);
  head->setSimpleDrawing(true);
  head->setActOnRelease(0);
  head->setValue(0.f);
  for (int i = 1; i <= 2; ++i) head->setMemberPosition(i, i * 22, 0);
  head->setMomentary(true);
  head->addMembersTo(frame, nullptr);
  frame->addView(head);
  ASSERT_EQ(head->getMemberCount(), 2);
  EXPECT_EQ(head->getMember(1)->getViewSize(), CRect(54, 10, 71, 27));
  driver->mouseDown(CPoint(15, 15));
  EXPECT_EQ(takeLog(), (Log{"begin 46", "editor begin 46", "value 46 0.0000"}));
  driver->mouseUp(CPoint(15, 15));
  EXPECT_EQ(takeLog(), (Log{"editor end 46", "end 46"}));

  driver->mouseDown(CPoint(60, 15));  // "C"
  EXPECT_EQ(takeLog(), (Log{"editor begin 46", "value 46 0.0156", "editor end 46"}));
  EXPECT_EQ(shownAt(60, 15, 3), 1);  // lit while held
  driver->mouseUp(CPoint(60, 15));
  EXPECT_EQ(shownAt(60, 15, 3), 0);
  EXPECT_EQ(head->getValue(), 0.f);  // the index was lent for the report only
  driver->click(CPoint(40, 15));     // "B"
  EXPECT_EQ(takeLog(), (Log{"editor begin 46", "value 46 0.0078", "editor end 46"}));

  // A disabled store shows frame two and ignores presses.
  CLed* b = head->getMember(0);
  b->setMouseEnabled(false);
  EXPECT_EQ(shownAt(40, 15, 3), 2);
  driver->click(CPoint(40, 15));
  EXPECT_TRUE(takeLog().empty());
  driver->takePaintedRects();
  b->setMouseEnabled(true);
  driver->idle();
  EXPECT_FALSE(driver->takePaintedRects().empty());
  EXPECT_EQ(shownAt(40, 15, 3), 0);
}

}  // namespace
}  // namespace sorel::test
