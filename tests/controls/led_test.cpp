// The LED in its roles: switch, lamp, invisible click area and group head.
#include <gtest/gtest.h>

#include "cled.h"
#include "offscreenfixture.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

class LedTest : public OffscreenTest {
 protected:
  CLed* addLed(const CRect& rect, int tag, int count = 1, int direction = 0, int gap = 0) {
    auto* led = new CLed(0, rect, &listener, tag, strip("led-test.png", 2, 20, 10), count, direction, gap, false);
    led->addMembersTo(frame, nullptr);
    frame->addView(led);
    return led;
  }
};

TEST_F(LedTest, ASwitchTogglesOncePerClickEachInsideOneGesture) {
  CLed* led = addLed(CRect(10, 10, 30, 20), 7);
  led->setValue(0.f);
  EXPECT_EQ(shownAt(15, 15, 2), 0);
  driver->click(CPoint(15, 15));
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "value 7 1.0000", "editor end 7", "end 7"}));
  EXPECT_EQ(shownAt(15, 15, 2), 1);
  // A drag that ends the press elsewhere does not toggle again.
  driver->drag(CPoint(15, 15), CPoint(60, 60));
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "value 7 0.0000", "editor end 7", "end 7"}));
  EXPECT_EQ(shownAt(15, 15, 2), 0);
  // Only the left button acts.
  driver->click(CPoint(15, 15), kRButton);
  EXPECT_EQ(led->getValue(), 0.f);
}

TEST_F(LedTest, ALampShowsOnlyWhatItIsGivenAndValuesBelowOneStepReadAsOff) {
  CLed* lamp = addLed(CRect(10, 10, 30, 20), 3);
  lamp->setMouseEnabled(false);
  lamp->setTransparency(true);
  lamp->setValue(0.f);
  driver->click(CPoint(15, 15));
  EXPECT_TRUE(takeLog().empty());
  EXPECT_EQ(shownAt(15, 15, 2), 0);
  lamp->setValue(1.f);
  EXPECT_EQ(shownAt(15, 15, 2), 1);
  // Values below one step read as off, and only changes mark it dirty.
  lamp->setValue(0.0078f);
  EXPECT_FALSE(lamp->isOn());
  lamp->setValue(0.007812f);  // a hair below 1/128 still reads as one step
  EXPECT_TRUE(lamp->isOn());
  lamp->setValue(0.0079f);
  EXPECT_EQ(lamp->getValue(), 1.f);
  driver->idle();
  EXPECT_FALSE(lamp->isDirty());
  lamp->setValue(0.0079f);
  EXPECT_FALSE(lamp->isDirty());
  lamp->setValue(0.5f);  // another value, same look: still redrawn
  EXPECT_TRUE(lamp->isDirty());
}

TEST_F(LedTest, AnInvisibleClickAreaReportsThePressAndEndsItsEditAtRelease) {
  auto* area = new CLed(0, CRect(10, 10, 60, 40), &listener, 56, nullptr, 1, 0, 0, false);
  frame->addView(area);
  area->setMomentary(false);
  driver->mouseDown(CPoint(20, 20));
  EXPECT_EQ(takeLog(), (Log{"begin 56", "editor begin 56", "value 56 0.0000"}));
  EXPECT_TRUE(area->isOn());
  driver->mouseUp(CPoint(20, 20));
  EXPECT_EQ(takeLog(), (Log{"editor end 56", "end 56"}));
  EXPECT_FALSE(area->isOn());
  // Values given to it never light it.
  area->setValue(1.f);
  EXPECT_FALSE(area->isOn());
}

TEST_F(LedTest, GroupMembersAreLaidOutByAngleGapAndPositionAndReportThroughTheHead) {
  CLed* below = addLed(CRect(10, 10, 30, 20), 4, 3, 0, 5);
  ASSERT_EQ(below->getMemberCount(), 2);
  EXPECT_EQ(below->getMember(1)->getViewSize(), CRect(10, 40, 30, 50));
  EXPECT_EQ(below->getMember(2), nullptr);
  CLed* head = addLed(CRect(100, 10, 120, 20), 5, 3, 90, 2);
  EXPECT_EQ(head->getMember(0)->getViewSize(), CRect(122, 10, 142, 20));
  EXPECT_EQ(head->getMember(1)->getViewSize(), CRect(144, 10, 164, 20));
  head->setValue(0.f);
  takeLog();

  driver->click(CPoint(150, 15));  // the second member
  EXPECT_EQ(takeLog(), (Log{"editor begin 5", "value 5 0.0156", "editor end 5"}));
  EXPECT_FALSE(head->isOn());
  EXPECT_FALSE(head->getMember(0)->isOn());
  EXPECT_TRUE(head->getMember(1)->isOn());
  EXPECT_EQ(shownAt(150, 15, 2), 1);
  EXPECT_EQ(shownAt(110, 15, 2), 0);

  // A click on the head lights it and darkens the members.
  driver->click(CPoint(110, 15));
  EXPECT_TRUE(head->isOn());
  EXPECT_FALSE(head->getMember(1)->isOn());
  EXPECT_EQ(head->getValue(), 0.f);

  // Values read as member indices: 1/128 lights the first member.
  head->setValue(1.f / 128.f);
  EXPECT_FALSE(head->isOn());
  EXPECT_TRUE(head->getMember(0)->isOn());
  EXPECT_FALSE(head->getMember(1)->isOn());
  // A host's value beyond any step count lights no member.
  for (float v : {-1e30f, 1e30f}) {
    head->setValue(v);
    EXPECT_FALSE(head->getMember(0)->isOn() || head->getMember(1)->isOn()) << v;
  }

  // Transparency and positions reach the members.
  below->setTransparency(true);
  EXPECT_TRUE(below->getMember(0)->getTransparency());
  EXPECT_TRUE(below->getMember(1)->getTransparency());
  below->setMemberPosition(2, 50, 0);
  below->setMemberPosition(3, 90, 0);  // outside the group: ignored
  EXPECT_EQ(below->getMember(1)->getViewSize(), CRect(60, 10, 80, 20));
  EXPECT_EQ(below->getMember(1)->getMouseableArea(), CRect(60, 10, 80, 20));
  driver->click(CPoint(70, 15));
  EXPECT_TRUE(below->getMember(1)->isOn());
}

}  // namespace
}  // namespace sorel::test
