// The in-place text field: a click opens the entry over it, Return or a click
// elsewhere commits the typed text as one gesture, Escape reports nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ctextedit.h"
#include "offscreenfixture.h"
#include "recordinglistener.h"

namespace {

using namespace VSTGUI;
using Log = std::vector<std::string>;

constexpr int32_t kTag = 5;
const CPoint kOnField(50, 30);
const CPoint kElsewhere(160, 80);
const VstKeyCode kReturn{0, VKEY_RETURN, 0};
const VstKeyCode kEnter{0, VKEY_ENTER, 0};
const VstKeyCode kEscape{0, VKEY_ESCAPE, 0};
const VstKeyCode kEnd{0, VKEY_END, 0};

// Also logs the field's text as the listener sees it.
class TextListener : public sorel::test::RecordingListener {
 public:
  explicit TextListener(Log* shared) : RecordingListener(shared), log(shared) {}
  void valueChanged(CControl* control) override {
    RecordingListener::valueChanged(control);
    log->push_back(std::string("text ") + static_cast<CTextEdit*>(control)->getText());
  }

 private:
  Log* log;
};

const Log kCommitted25{"begin 5", "editor begin 5", "value 5 0.0000", "text 25", "editor end 5", "end 5"};

class TextEditTest : public sorel::test::OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    field = new CTextEdit(CRect(20, 20, 120, 40), &listener, kTag, "10");
    frame->addView(field);
    driver->idle();
  }

  bool entryOpen() const { return driver->textEntryText() != nullptr; }

  TextListener listener{&log};
  CTextEdit* field = nullptr;
};

// (A typed value reaching the listener as one gesture: the read-out's tests.)
TEST_F(TextEditTest, OnlyTheLeftButtonOpensTheEntryAndReturnOrEnterCommitsAChangedTextOnce) {
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
  EXPECT_EQ(takeLog(), kCommitted25);

  // An unchanged text reports nothing; Enter commits like Return.
  driver->click(kOnField);
  driver->keyDown(kReturn);
  EXPECT_EQ(takeLog(), Log{});
  driver->click(kOnField);
  driver->type("26");
  driver->keyDown(kEnter);
  EXPECT_FALSE(entryOpen());
  EXPECT_EQ(takeLog(), (Log{"begin 5", "editor begin 5", "value 5 0.0000", "text 26", "editor end 5", "end 5"}));
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
  EXPECT_EQ(takeLog(), kCommitted25);
}

TEST_F(TextEditTest, AClickElsewhereCommits) {
  driver->click(kOnField);
  driver->type("25");
  driver->click(kElsewhere);
  EXPECT_FALSE(entryOpen());
  EXPECT_STREQ(field->getText(), "25");
  EXPECT_EQ(takeLog(), kCommitted25);

  // A click on the field itself commits and opens a new entry.
  driver->click(kOnField);
  driver->type("7");
  driver->click(kOnField);
  EXPECT_STREQ(field->getText(), "7");
  ASSERT_TRUE(entryOpen());
  EXPECT_STREQ(driver->textEntryText(), "7");
  EXPECT_EQ(takeLog(), (Log{"begin 5", "editor begin 5", "value 5 0.0000", "text 7", "editor end 5", "end 5"}));
}

// A back-end may also hand the keys to the frame, which gives them to the field.
TEST_F(TextEditTest, ReturnThroughTheFrameCommitsToo) {
  driver->click(kOnField);
  driver->type("25");
  VstKeyCode key = kReturn;
  EXPECT_EQ(frame->platformOnKeyDown(key), 1);
  EXPECT_EQ(takeLog(), kCommitted25);
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
  EXPECT_EQ(driver->pixel(134, 34), (CColor{0, 0, 200, 255}));  // the entry, in the field's colour
  EXPECT_EQ(driver->pixel(42, 31), (CColor{0, 0, 200, 255}));   // the field's own background
  EXPECT_EQ(driver->pixel(39, 29), kBlackCColor);               // the page
}

}  // namespace
