// The in-place text field: a click opens the entry over it, Return or a click
// elsewhere commits the typed text as one gesture, Escape reports nothing.
// The self-drawn entry of the Linux and off-screen back-ends: editing keys,
// the length limit, repaint requests, and what it paints.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ctextedit.h"
#include "offscreenfixture.h"
#include "platform/cairo/cairotextentry.h"
#include "testimage.h"

namespace {

using namespace VSTGUI;
using sorel::test::Log;

constexpr int32_t kTag = 5;
const CPoint kOnField(50, 30);
const CPoint kElsewhere(160, 80);
const VstKeyCode kReturn{0, VKEY_RETURN, 0};
const VstKeyCode kEscape{0, VKEY_ESCAPE, 0};
const VstKeyCode kEnd{0, VKEY_END, 0};

VstKeyCode virtualKey(unsigned char virt) { return VstKeyCode{0, virt, 0}; }

// One commit: the listener sees the new text (the editor's read-out tests)
// inside one gesture.
const Log kCommitted{"begin 5", "editor begin 5", "value 5 0.0000", "editor end 5", "end 5"};

class TextEditTest : public sorel::test::OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    field = new CTextEdit(CRect(20, 20, 120, 40), &listener, kTag, "10");
    frame->addView(field);
    driver->idle();
  }

  bool entryOpen() const { return driver->textEntryText() != nullptr; }

  CTextEdit* field = nullptr;
};

// (A typed value reaching the listener as one gesture: the read-out's tests.)
TEST_F(TextEditTest, OnlyTheLeftButtonOpensTheEntryAndReturnCommitsAChangedTextOnce) {
  EXPECT_EQ(driver->mouseDown(kOnField, kRButton), kMouseEventNotHandled);
  driver->mouseUp(kOnField, kRButton);
  EXPECT_FALSE(entryOpen());
  EXPECT_EQ(takeLog(), Log{});
  EXPECT_EQ(driver->mouseDown(kOnField), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  driver->mouseUp(kOnField);
  EXPECT_EQ(frame->getFocusView(), field);
  EXPECT_STREQ(driver->textEntryText(), "10");
  driver->type("25");  // the entry opens with its text selected
  EXPECT_STREQ(field->getText(), "10");
  driver->keyDown(kReturn);
  EXPECT_FALSE(entryOpen());
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_STREQ(field->getText(), "25");
  EXPECT_EQ(takeLog(), kCommitted);

  // An unchanged text reports nothing. (Enter commits like Return: the
  // frame's test of a commit that closes the frame.)
  driver->click(kOnField);
  driver->keyDown(kReturn);
  EXPECT_EQ(takeLog(), Log{});
}

TEST_F(TextEditTest, EscapeRestoresTheTextAndReportsNothing) {
  driver->click(kOnField);
  driver->type("99");
  driver->keyDown(kEscape);
  EXPECT_FALSE(entryOpen());
  EXPECT_EQ(frame->getFocusView(), nullptr);
  EXPECT_STREQ(field->getText(), "10");
  EXPECT_EQ(takeLog(), Log{});

  // The next entry starts afresh and commits normally.
  driver->click(kOnField);
  driver->type("25");
  driver->keyDown(kReturn);
  EXPECT_EQ(takeLog(), kCommitted);
}

TEST_F(TextEditTest, AClickElsewhereCommits) {
  driver->click(kOnField);
  driver->type("25");
  driver->click(kElsewhere);
  EXPECT_FALSE(entryOpen());
  EXPECT_STREQ(field->getText(), "25");
  EXPECT_EQ(takeLog(), kCommitted);

  // A click on the field itself commits and opens a new entry.
  driver->click(kOnField);
  driver->type("7");
  driver->click(kOnField);
  EXPECT_STREQ(field->getText(), "7");
  ASSERT_TRUE(entryOpen());
  EXPECT_STREQ(driver->textEntryText(), "7");
  EXPECT_EQ(takeLog(), kCommitted);
}

// A back-end may also hand the keys to the frame, which gives them to the field.
TEST_F(TextEditTest, ReturnThroughTheFrameCommitsToo) {
  driver->click(kOnField);
  driver->type("25");
  VstKeyCode key = kReturn;
  EXPECT_EQ(frame->platformOnKeyDown(key), 1);
  EXPECT_EQ(takeLog(), kCommitted);
  EXPECT_EQ(frame->platformOnKeyDown(key), -1);  // closed: nobody's key now
}

TEST_F(TextEditTest, TheEntryCoversTheFieldInWindowCoordinatesLessTheInset) {
  auto* page = new CViewContainer(CRect(30, 20, 190, 90));
  frame->addView(page);
  auto* inner = new CTextEdit(CRect(10, 10, 110, 30), &listener, 9, "abc");
  inner->setTextInset(CPoint(4, 2));
  inner->setBackColor(CColor{0, 0, 200, 255});
  page->addView(inner);
  driver->idle();
  EXPECT_EQ(inner->platformGetEntryRect(), CRect(44, 32, 136, 48));

  driver->click(CPoint(60, 40));
  ASSERT_TRUE(entryOpen());
  driver->keyDown(kEnd);  // no selection: the plain entry colours
  driver->render();
  // The entry in the field's colour, the field's own background, the page.
  expectPixels({{134, 34, CColor{0, 0, 200, 255}}, {42, 31, CColor{0, 0, 200, 255}}, {39, 29, kBlackCColor}});
}

// --- The entry itself ---

class EntryTest : public TextEditTest {
 protected:
  // Opens the entry over the field showing `text`, all of it selected.
  void open(const char* text) {
    if (entryOpen()) driver->keyDown(kEscape);
    field->setText(text);
    driver->click(kOnField);
  }
  void press(unsigned char virt) { driver->keyDown(virtualKey(virt)); }
  std::string entry() const { return driver->textEntryText(); }
};

// (Typing over the selection the entry opens with: the field's tests above.)
TEST_F(EntryTest, EditingKeysAndTheLengthLimit) {
  open("abcd");
  EXPECT_EQ(driver->keyDown(kEnd), 1);  // used: it goes no further
  press(VKEY_LEFT);
  press(VKEY_LEFT);
  press(VKEY_BACK);
  EXPECT_EQ(entry(), "acd");
  press(VKEY_DELETE);
  EXPECT_EQ(entry(), "ad");
  press(VKEY_HOME);
  press(VKEY_BACK);  // nothing before the caret
  press(VKEY_LEFT);
  driver->type("x");
  press(VKEY_SPACE);
  EXPECT_EQ(entry(), "x ad");
  press(VKEY_END);
  press(VKEY_RIGHT);
  press(VKEY_DELETE);  // nothing after the caret
  driver->type("!");
  EXPECT_EQ(entry(), "x ad!");

  // With everything selected, Left goes to its start.
  open("abc");
  press(VKEY_LEFT);
  driver->type("<");
  EXPECT_EQ(entry(), "<abc");
  open("abc");
  press(VKEY_DELETE);
  EXPECT_EQ(entry(), "");

  driver->type(std::string(300, 'c').c_str());
  EXPECT_EQ(entry(), std::string(255, 'c'));
}

// Keys the entry has no use for go on to the frame; each change asks for a
// repaint of the entry.
TEST_F(EntryTest, UnusedKeysGoOnAndEachChangeAsksForARepaint) {
  open("1");
  driver->render();
  EXPECT_EQ(driver->keyDown(virtualKey(VKEY_TAB)), -1);
  EXPECT_EQ(driver->keyDown(VstKeyCode{'a', 0, MODIFIER_CONTROL}), -1);
  EXPECT_EQ(entry(), "1");
  EXPECT_TRUE(driver->pendingInvalidRects().empty());
  press(VKEY_HOME);
  EXPECT_EQ(driver->pendingInvalidRects(), std::vector<CRect>{CRect(20, 20, 120, 40)});
}

// Painted straight into an image, over a field in no frame.
class EntryPainting : public ::testing::Test, protected sorel::test::ImageCanvas {
 protected:
  EntryPainting() : ImageCanvas(130, 40) {
    field->setBackColor(kTransparentCColor);
    field->setFontColor(CColor{44, 44, 44, 255});
  }
  ~EntryPainting() override {
    if (entry) entry->forget();
    field->forget();
  }

  // Opens an entry on `text`, by default with the caret at its end and no
  // selection.
  void open(const std::string& text, bool toEnd = true) {
    if (entry) entry->forget();
    field->setText(text.c_str());
    entry = new CairoTextEntry(field, nullptr);
    if (toEnd) entry->handleKey(kEnd);
  }
  void paint() {
    context->resetState();
    entry->draw(context);
  }
  // Pixels inside the box matching `test`.
  int count(const std::function<bool(CColor)>& test, int x0 = 10, int x1 = 110) const {
    int n = 0;
    for (int y = 10; y < 30; ++y) {
      for (int x = x0; x < x1; ++x) n += test(at(x, y));
    }
    return n;
  }

  CTextEdit* field = new CTextEdit(CRect(10, 10, 110, 30), nullptr, 0, "");
  CairoTextEntry* entry = nullptr;
};

TEST_F(EntryPainting, ReadableColoursOverAClearFieldElseTheFieldsOwn) {
  open("0.50");
  paint();
  // The box is (10, 10, 110, 30), and nothing is drawn outside it.
  expectPixels(
      {{10, 10, kWhiteCColor}, {109, 29, kWhiteCColor}, {9, 10, sorel::test::kClear}, {110, 29, sorel::test::kClear}});
  EXPECT_GT(count([](CColor c) { return c.red < 20 && c.green < 20 && c.blue < 20; }), 15);

  field->setBackColor(CColor{20, 30, 40, 100});
  field->setFontColor(CColor{250, 250, 0, 255});
  open("0.50");
  paint();
  EXPECT_EQ(at(10, 10), (CColor{20, 30, 40, 255}));  // opaque above the field
  EXPECT_GT(count([](CColor c) { return c.red > 200 && c.green > 200 && c.blue < 60; }), 15);
}

TEST_F(EntryPainting, AlignmentAndScrolling) {
  field->setHoriAlign(kRightText);
  open("1");
  paint();
  auto dark = [](CColor c) { return c.red < 100; };
  EXPECT_EQ(count(dark, 10, 90), 0);
  EXPECT_GT(count(dark, 90, 110), 5);

  // Far wider than the box: scrolled so that the caret's end is in view.
  field->setHoriAlign(kLeftText);
  open(std::string(40, 'W') + std::string(40, ' ') + "W");
  paint();
  EXPECT_GT(count(dark, 90, 106), 5);  // the last W
  EXPECT_EQ(count(dark, 10, 60), 0);   // spaces
  entry->handleKey(virtualKey(VKEY_HOME));
  paint();
  EXPECT_GT(count(dark, 10, 16), 5);
  EXPECT_EQ(count([](CColor c) { return c.alpha > 0; }, 110, 130), 0);  // nothing beyond the box
}

// The selection the entry opens with is highlighted; the entry stays inside
// the context's clip.
TEST_F(EntryPainting, SelectionIsHighlightedAndTheClipHolds) {
  open("0.50", false);
  context->resetState();
  context->setClipRect(CRect(0, 0, 50, 40));
  entry->draw(context);
  expectPixels({{49, 10, kWhiteCColor}, {50, 10, sorel::test::kClear}});
  paint();
  EXPECT_GT(count([](CColor c) { return c.red < 100 && c.blue > 200; }), 40);
  EXPECT_EQ(count([](CColor c) { return c.red < 20; }), 0);
}

}  // namespace
