// The push button: action at release inside (edges count), the frame chosen
// for each state and strip length, and the A/B/C selector.
#include <gtest/gtest.h>

#include "ccbuttonmo.h"
#include "offscreenfixture.h"
#include "recordinglistener.h"
#include "strip.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;
using Log = std::vector<std::string>;

class ButtonTest : public OffscreenTest {
 protected:
  void TearDown() override {
    for (CBitmap* strip : strips) strip->forget();
    OffscreenTest::TearDown();
  }

  // A single momentary button of a strip with `frames` frames of 20 x 10.
  CCButtonMO* addButton(int frames, int tag, const CRect& rect = CRect(10, 10, 30, 20)) {
    CBitmap* strip = makeStrip("button-test-" + std::to_string(frames) + ".png", frames, 20, 10);
    strips.push_back(strip);
    auto* button = new CCButtonMO(0, rect, &listener, tag, strip, 1, 0, 0, false);
    button->setValue(0.f);
    button->setMomentary(false);
    frame->addView(button);
    return button;
  }
  int shownAt(CPoint where, int frames) {
    driver->renderAll();
    return frameShown(driver->pixel(static_cast<int>(where.x), static_cast<int>(where.y)), frames);
  }

  RecordingListener listener{&log};
  std::vector<CBitmap*> strips;
};

TEST_F(ButtonTest, ActsOnlyWhenReleasedInsideAndTheEdgesCount) {
  addButton(3, 47);
  driver->mouseDown(CPoint(15, 15));
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(shownAt(CPoint(15, 15), 3), 1);  // pressed
  driver->mouseMove(CPoint(50, 50), kLButton);
  driver->mouseUp(CPoint(50, 50));
  EXPECT_TRUE(takeLog().empty());

  // Released on the bottom-right corner: the action runs, and the frame is
  // told the edit ended once by the button and once by the gesture.
  driver->mouseDown(CPoint(15, 15));
  driver->mouseUp(CPoint(30, 20));
  EXPECT_EQ(takeLog(),
            (Log{"begin 47", "editor begin 47", "value 47 0.0000", "editor end 47", "editor end 47", "end 47"}));
  EXPECT_EQ(shownAt(CPoint(15, 15), 3), 0);
}

TEST_F(ButtonTest, DisabledButtonsIgnorePressesAndShowTheirDisabledFrame) {
  CCButtonMO* three = addButton(3, 1, CRect(10, 10, 30, 20));
  CCButtonMO* four = addButton(4, 2, CRect(40, 10, 60, 20));
  CCButtonMO* eight = addButton(8, 3, CRect(70, 10, 90, 20));
  for (CCButtonMO* button : {three, four, eight}) button->setMouseEnabled(false);
  EXPECT_EQ(shownAt(CPoint(15, 15), 3), 0);  // three frames have no disabled picture
  EXPECT_EQ(shownAt(CPoint(45, 15), 4), 3);
  EXPECT_EQ(shownAt(CPoint(75, 15), 8), 3);
  driver->click(CPoint(15, 15));
  CPoint inside(75, 15);
  EXPECT_EQ(eight->onMouseDown(inside, kLButton), kMouseEventHandled);
  EXPECT_FALSE(eight->isPressed());
  EXPECT_TRUE(takeLog().empty());
  three->setMouseEnabled(true);
  driver->click(CPoint(15, 15));
  EXPECT_FALSE(takeLog().empty());
}

TEST_F(ButtonTest, EightFrameStripsAddFourWhenLitAndShowHoverButSimpleDrawingDoesNot) {
  CCButtonMO* button = addButton(8, 3);
  driver->hover(CPoint(15, 15));
  EXPECT_EQ(shownAt(CPoint(15, 15), 8), 2);
  button->setOn(true);
  EXPECT_EQ(shownAt(CPoint(15, 15), 8), 6);
  driver->hover(CPoint(100, 80));
  EXPECT_EQ(shownAt(CPoint(15, 15), 8), 4);

  // Simple drawing neither shows nor redraws hover.
  CCButtonMO* simple = addButton(3, 4, CRect(40, 10, 60, 20));
  simple->setSimpleDrawing(true);
  driver->idle();
  driver->takePaintedRects();
  driver->hover(CPoint(45, 15));
  driver->idle();
  EXPECT_TRUE(driver->takePaintedRects().empty());
  EXPECT_EQ(shownAt(CPoint(45, 15), 3), 0);
  simple->setMouseEnabled(false);
  EXPECT_EQ(shownAt(CPoint(45, 15), 3), 2);
}

class SelectorTest : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    CBitmap* strip = makeStrip("selector-test.png", 3, 17, 17);
    strips.push_back(strip);
    head = new CCButtonMO(0, CRect(10, 10, 27, 27), &listener, 46, strip, 3, 0, 55, false);
    head->setSimpleDrawing(true);
    head->setActOnRelease(0);
    head->setValue(0.f);
    for (int i = 1; i <= 2; ++i) head->setMemberPosition(i, i * 22, 0);
    head->setMomentary(true);
    head->addMembersTo(frame, nullptr);
    frame->addView(head);
  }
  CCButtonMO* head = nullptr;
};

TEST_F(SelectorTest, EachEnabledButtonReportsItsStoreThroughTheHead) {
  ASSERT_EQ(head->getMemberCount(), 2);
  EXPECT_EQ(head->getMember(1)->getViewSize(), CRect(54, 10, 71, 27));
  driver->mouseDown(CPoint(15, 15));
  EXPECT_EQ(takeLog(), (Log{"begin 46", "editor begin 46", "value 46 0.0000"}));
  driver->mouseUp(CPoint(15, 15));
  EXPECT_EQ(takeLog(), (Log{"editor end 46", "end 46"}));

  driver->mouseDown(CPoint(60, 15));  // "C"
  EXPECT_EQ(takeLog(), (Log{"editor begin 46", "value 46 0.0156", "editor end 46"}));
  EXPECT_EQ(shownAt(CPoint(60, 15), 3), 1);  // lit while held
  driver->mouseUp(CPoint(60, 15));
  EXPECT_EQ(shownAt(CPoint(60, 15), 3), 0);
  EXPECT_EQ(head->getValue(), 0.f);  // the index was lent for the report only
  driver->click(CPoint(40, 15));     // "B"
  EXPECT_EQ(takeLog(), (Log{"editor begin 46", "value 46 0.0078", "editor end 46"}));

  // A disabled store shows frame two and ignores presses.
  CLed* b = head->getMember(0);
  b->setMouseEnabled(false);
  EXPECT_EQ(shownAt(CPoint(40, 15), 3), 2);
  driver->click(CPoint(40, 15));
  EXPECT_TRUE(takeLog().empty());
  driver->takePaintedRects();
  b->setMouseEnabled(true);
  driver->idle();
  EXPECT_FALSE(driver->takePaintedRects().empty());
  EXPECT_EQ(shownAt(CPoint(40, 15), 3), 0);
}

}  // namespace
}  // namespace sorel::test
