// The drop-down box and its pop-up list: opening and closing with exactly
// one announcement each, choices, repeated choices on visible and hidden
// boxes, disabled entries, clicks outside and hover tracking.
#include <gtest/gtest.h>

#include <algorithm>

#include "cdropdownlstai.h"
#include "clst.h"
#include "offscreenfixture.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

const CRect kBox(10, 10, 90, 30);
constexpr int kRow = 13;
// The middle of entry i of the list below the box.
CPoint entryPoint(int i) { return CPoint(40, 30 + kRow * i + kRow / 2); }

class DropdownTest : public OffscreenTest {
 protected:
  void SetUp() override {
    openFrame(CRect(0, 0, 200, 120));
    box = addBox(kBox, 68);
  }

  CDropdownLstAI* addBox(const CRect& rect, int tag) {
    auto* made = new CDropdownLstAI(rect, &listener, tag, nullptr, nullptr, 0, 0);
    for (const char* text : {"AA off", "AA SplitFir", "third"}) made->addEntry(text);
    made->getList()->setRowHeight(kRow);
    made->getList()->grow(0, 0, 3, 5);
    made->getList()->resetDisabled();
    frame->addView(made);
    return made;
  }
  bool listOnFrame() const { return frame->isChild(box->getList()); }

  CDropdownLstAI* box = nullptr;
};

TEST_F(DropdownTest, SetValueSelectsByIndexAndAChoiceIsReportedBetweenOneOpenAndOneClose) {
  box->setValue(1.f);
  EXPECT_EQ(box->getSelectedIndex(), 2);
  EXPECT_STREQ(box->getCurrentText(), "third");
  box->setValue(1.f / 128.f);
  EXPECT_STREQ(box->getCurrentText(), "AA SplitFir");
  EXPECT_EQ(box->getList()->entryText(3), nullptr);

  // A choice is reported between exactly one open and one close announcement.
  driver->click(CPoint(50, 20));
  ASSERT_TRUE(listOnFrame());
  EXPECT_EQ(frame->getFocusView(), box->getList());
  EXPECT_EQ(takeLog(), (Log{"value 9999 65535.0000"}));
  EXPECT_EQ(box->getList()->getViewSize(), CRect(10, 30, 93, 30 + 3 * kRow + 5));

  driver->click(entryPoint(2));
  const Log entries = takeLog();
  EXPECT_FALSE(listOnFrame());
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "value 9999 65535.0000"), 0);
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "value 9999 65534.0000"), 1);
  EXPECT_NE(std::find(entries.begin(), entries.end(), "value 68 0.0156"), entries.end());
  EXPECT_EQ(box->getValue(), 2.f / 128.f);
  EXPECT_STREQ(box->getCurrentText(), "third");
}

TEST_F(DropdownTest, ARepeatedChoiceIsReportedOnlyByAHiddenBox) {
  box->setValue(1.f / 128.f);
  box->openList();
  driver->click(entryPoint(1));
  EXPECT_EQ(takeLog(), (Log{"value 9999 65535.0000", "editor begin 9999", "editor end 9999", "value 9999 65534.0000"}));
  EXPECT_FALSE(listOnFrame());

  CDropdownLstAI* menu = addBox(CRect(100, 10, 180, 10), 65);
  menu->setHidden(true);
  menu->openList();
  takeLog();
  const CPoint first(120, 10 + kRow / 2);
  driver->click(first);
  menu->openList();
  driver->click(first);
  const Log entries = takeLog();
  EXPECT_EQ(std::count(entries.begin(), entries.end(), "value 65 0.0000"), 2);
}

TEST_F(DropdownTest, ADisabledEntryOrAClickOutsideChoosesNothingAndLeavingTheWindowCloses) {
  addProbe(CRect(120, 60, 180, 100), "under");
  box->getList()->setEntryDisabled(1, true);
  box->openList();
  takeLog();
  driver->click(entryPoint(1));
  EXPECT_TRUE(listOnFrame());
  EXPECT_EQ(box->getValue(), 0.f);
  EXPECT_TRUE(takeLog().empty());
  // A click outside closes the list and chooses nothing.
  driver->click(CPoint(150, 80));
  EXPECT_FALSE(listOnFrame());
  EXPECT_EQ(takeLog(), (Log{"value 9999 65534.0000"}));  // the probe never saw it
  EXPECT_EQ(box->getValue(), 0.f);
  // A click in the margin below the last row closes it too.
  box->openList();
  driver->click(CPoint(40, 30 + 3 * kRow + 3));
  EXPECT_FALSE(listOnFrame());

  // Hover follows the mouse, and leaving the window closes the list.
  box->openList();
  CLst* list = box->getList();
  list->trackHover(entryPoint(1));
  EXPECT_EQ(list->getHovered(), 1);
  list->trackHover(CPoint(150, 100));  // outside the list, inside the window
  EXPECT_TRUE(listOnFrame());
  list->trackHover(CPoint(400, 100));
  EXPECT_FALSE(listOnFrame());
  EXPECT_EQ(list->getHovered(), -1);
}

TEST_F(DropdownTest, AnInactiveBoxTakesNoClicksAndAnOpenBoxClosesWhenDestroyed) {
  box->setActiveLook(false);
  driver->click(CPoint(50, 20));
  EXPECT_FALSE(listOnFrame());
  box->setActiveLook(true);
  driver->click(CPoint(50, 20));
  ASSERT_TRUE(listOnFrame());
  CLst* list = box->getList();
  list->remember();
  frame->removeView(box, true);
  EXPECT_FALSE(frame->isChild(list));
  EXPECT_EQ(list->getNbReference(), 1);
  list->forget();
}

}  // namespace
}  // namespace sorel::test
