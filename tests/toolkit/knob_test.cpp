// The knobs: linear and circular drags, the default-value click, the wheel,
// and which picture of its strip the film-strip knob shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "canimknob.h"
#include "cknob.h"
#include "offscreenfixture.h"

namespace {

using namespace VSTGUI;
using sorel::test::Log;

constexpr int32_t kTag = 7;
const CRect kKnobRect(50, 25, 100, 75);  // centre (75, 50)
const CPoint kCentre(75, 50);

class KnobTest : public sorel::test::OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    knob = new CKnob(kKnobRect, &listener, kTag, nullptr, nullptr);
    knob->setValue(0.5f);
    frame->addView(knob);
  }

  // A press at `from`, moves through `path`, and the release at the last point.
  void dragThrough(CPoint from, const std::vector<CPoint>& path, int32_t buttons = kLButton) {
    driver->mouseDown(from, buttons);
    for (const CPoint& p : path) driver->mouseMove(p, buttons);
    driver->mouseUp(path.empty() ? from : path.back(), buttons);
  }

  // A point on the knob's arc at `degrees` (window orientation: 0 right, 90 down).
  static CPoint onArc(double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    return CPoint(kCentre.x + 20 * std::cos(radians), kCentre.y + 20 * std::sin(radians));
  }

  CKnob* knob = nullptr;
};

TEST_F(KnobTest, LinearDragMovesTheValueByPixelsOverTwoHundred) {
  editor.knobMode = kLinearMode;
  dragThrough(kCentre, {{75, 40}, {75, 30}, {75, 20}, {75, 10}});
  EXPECT_FLOAT_EQ(knob->getValue(), 0.7f);
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "value 7 0.5500", "value 7 0.6000", "value 7 0.6500",
                            "value 7 0.7000", "editor end 7", "end 7"}));

  // Right counts like up, left like down.
  dragThrough(kCentre, {{95, 30}, {55, 50}});
  EXPECT_FLOAT_EQ(knob->getValue(), 0.6f);
}

// A move that keeps the value reports nothing; clamping keeps the entry
// value, so coming back retraces the drag; Shift divides the drag by the zoom
// factor, and changing modifiers mid-drag continues from where the value is.
TEST_F(KnobTest, ClampedDragsRetraceAndModifierChangesContinueFromTheValue) {
  editor.knobMode = kLinearMode;
  knob->setValue(1.f);
  driver->idle();  // drawn: the value is no longer new
  dragThrough(kCentre, {{75, 40}, {75, 30}});
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "editor end 7", "end 7"}));

  knob->setValue(0.9f);
  driver->mouseDown(CPoint(75, 70), kLButton);
  driver->mouseMove(CPoint(75, 0), kLButton);  // 0.9 + 0.35, clamped
  EXPECT_FLOAT_EQ(knob->getValue(), 1.f);
  driver->mouseMove(CPoint(75, 60), kLButton);  // 0.9 + 0.05
  EXPECT_FLOAT_EQ(knob->getValue(), 0.95f);
  driver->mouseUp(CPoint(75, 60), kLButton);

  knob->setValue(0.5f);
  knob->setZoomFactor(10);
  takeLog();
  driver->mouseDown(CPoint(75, 70), kLButton);
  driver->mouseMove(CPoint(75, 30), kLButton);
  EXPECT_FLOAT_EQ(knob->getValue(), 0.7f);
  driver->mouseMove(CPoint(75, 30), kLButton | kShift);
  EXPECT_FLOAT_EQ(knob->getValue(), 0.7f);
  driver->mouseMove(CPoint(75, -10), kLButton | kShift);
  EXPECT_FLOAT_EQ(knob->getValue(), 0.72f);
  driver->mouseMove(CPoint(75, -10), kLButton);  // Shift released: no jump back
  EXPECT_FLOAT_EQ(knob->getValue(), 0.72f);
  driver->mouseMove(CPoint(75, -20), kLButton);
  EXPECT_FLOAT_EQ(knob->getValue(), 0.77f);
  driver->mouseUp(CPoint(75, -20), kLButton);
  const Log entries = takeLog();
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "begin 7"), 1);
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "end 7"), 1);
}

TEST_F(KnobTest, ControlClickSetsTheDefaultInOneGesture) {
  knob->setValue(0.2f);
  knob->setDefaultValue(0.4f);
  EXPECT_EQ(driver->mouseDown(kCentre, kLButton | kControl), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  driver->mouseUp(kCentre, kLButton | kControl);
  EXPECT_FLOAT_EQ(knob->getValue(), 0.4f);
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "value 7 0.4000", "editor end 7", "end 7"}));

  // Already at the default: the gesture still opens and closes once.
  driver->click(kCentre, kLButton | kControl);
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "editor end 7", "end 7"}));
  EXPECT_FALSE(knob->isEditing());
}

TEST_F(KnobTest, OnlyThePlainLeftButtonTakesTheKnob) {
  for (const int32_t buttons : std::vector<int32_t>{kRButton, kMButton, kLButton | kRButton, kRButton | kControl}) {
    EXPECT_EQ(driver->mouseDown(kCentre, buttons), kMouseEventNotHandled) << buttons;
    driver->mouseMove(CPoint(75, 10), buttons);
    driver->mouseUp(CPoint(75, 10), buttons);
  }
  EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
  EXPECT_EQ(takeLog(), Log{});
  EXPECT_FALSE(knob->isEditing());
}

TEST_F(KnobTest, WheelStepsReportOnlyWhenTheValueMoves) {
  driver->idle();
  EXPECT_TRUE(driver->wheel(kCentre, 1.f));
  EXPECT_FLOAT_EQ(knob->getValue(), 0.6f);
  EXPECT_TRUE(driver->wheel(kCentre, -1.f, kShift));
  EXPECT_FLOAT_EQ(knob->getValue(), 0.59f);
  EXPECT_EQ(takeLog(), (Log{"begin 7", "editor begin 7", "value 7 0.6000", "editor end 7", "end 7", "begin 7",
                            "editor begin 7", "value 7 0.5900", "editor end 7", "end 7"}));

  knob->setValue(1.f);
  driver->idle();
  EXPECT_TRUE(driver->wheel(kCentre, 1.f));  // taken, but nothing to report
  EXPECT_FLOAT_EQ(knob->getValue(), 1.f);
  EXPECT_EQ(takeLog(), Log{});

  knob->setMouseEnabled(false);
  EXPECT_FALSE(knob->onWheel(kCentre, -1.f, CButtonState()));
  EXPECT_FLOAT_EQ(knob->getValue(), 1.f);
}

TEST_F(KnobTest, AltSwapsLinearAndCircularModeWhichFollowsTheAngle) {
  editor.knobMode = kLinearMode;
  driver->mouseDown(onArc(-90), kLButton | kAlt);
  driver->mouseMove(onArc(-90), kLButton | kAlt);  // top: the middle of the arc
  EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
  driver->mouseMove(onArc(180), kLButton | kAlt);  // left: 45 of 270 degrees
  EXPECT_NEAR(knob->getValue(), 1.f / 6, 1e-5);
  driver->mouseMove(onArc(0), kLButton | kAlt);  // a jump over half the range stays at the end it is near
  EXPECT_FLOAT_EQ(knob->getValue(), 0.f);
  driver->mouseMove(onArc(-100), kLButton | kAlt);
  EXPECT_NEAR(knob->getValue(), 125.f / 270, 1e-5);
  driver->mouseMove(onArc(-45), kLButton | kAlt);
  EXPECT_NEAR(knob->getValue(), 2.f / 3, 1e-5);
  driver->mouseMove(onArc(60), kLButton | kAlt);  // in the gap, nearer the end of the arc
  EXPECT_FLOAT_EQ(knob->getValue(), 1.f);
  driver->mouseMove(onArc(120), kLButton | kAlt);  // nearer the start: too far a jump, so it stays
  EXPECT_FLOAT_EQ(knob->getValue(), 1.f);
  driver->mouseUp(onArc(120), kLButton | kAlt);

  // Circular mode follows the angle, and Alt makes it linear.
  editor.knobMode = kCircularMode;
  dragThrough(onArc(-90), {onArc(-45)});
  EXPECT_NEAR(knob->getValue(), 2.f / 3, 1e-5);

  dragThrough(kCentre, {{75, 30}}, kLButton | kAlt);
  EXPECT_NEAR(knob->getValue(), 2.f / 3 + 0.1f, 1e-5);

  // Without a preference from the editor the frame answers circular.
  editor.knobMode = -1;
  dragThrough(onArc(-90), {onArc(-90)});
  EXPECT_NEAR(knob->getValue(), 0.5f, 1e-5);
}

using AnimKnobTest = sorel::test::OffscreenTest;

// A film strip of five flat colours, so one pixel tells which picture the
// knob shows; only what the value marked dirty is repainted at idle.
TEST_F(AnimKnobTest, TheValueChoosesThePictureRoundingDown) {
  auto* knob = new CAnimKnob(CRect(10, 10, 30, 30), nullptr, 1, 5, 20, strip("anim-knob-test.png", 5, 20, 20));
  frame->addView(knob);
  auto shownPicture = [&](float value) {
    knob->setValue(value);
    driver->idle();
    return sorel::test::frameShown(driver->pixel(20, 20), 5);
  };
  for (const auto& [value, picture] :
       {std::pair{0.f, 0}, {1.f, 4}, {0.5f, 2}, {0.74f, 2}, {0.75f, 3}, {0.249f, 0}, {0.25f, 1}})
    EXPECT_EQ(shownPicture(value), picture) << value;
  EXPECT_FALSE(knob->isDirty());

  // The normalised value counts.
  knob->setMin(-1.f);
  EXPECT_EQ(shownPicture(0.f), 2);
}

}  // namespace
