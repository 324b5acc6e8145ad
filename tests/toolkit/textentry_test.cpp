// The self-drawn text entry of the Linux and off-screen back-ends: editing
// keys, the length limit, what goes back to the field, repaint requests, and
// what it paints.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/cairo/cairotextentry.h"
#include "testimage.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;
using Log = std::vector<std::string>;

class FakeField : public IPlatformTextEditCallback {
 public:
  CRect platformGetEntryRect() const override { return rect; }
  const char* platformGetText() const override { return text.c_str(); }
  CFontRef platformGetFont() const override { return kNormalFont; }
  CColor platformGetFontColor() const override { return fontColor; }
  CColor platformGetBackColor() const override { return backColor; }
  CHoriTxtAlign platformGetTextAlign() const override { return align; }
  void platformLooseFocus(bool returnPressed) override {
    log.push_back(returnPressed ? "loose focus (return)" : "loose focus");
    if (onLooseFocus) onLooseFocus();
  }
  bool platformOnKeyDown(const VstKeyCode& key) override {
    log.push_back("key " + std::to_string(key.virt) + " " + std::to_string(key.character));
    return key.virt == VKEY_ESCAPE;
  }

  CRect rect{10, 10, 110, 30};
  std::string text = "0.50";
  CColor fontColor{44, 44, 44, 255};
  CColor backColor{0, 0, 0, 0};
  CHoriTxtAlign align = kCenterText;
  std::function<void()> onLooseFocus;
  Log log;
};

class FakeOwner : public CairoTextEntry::Owner {
 public:
  void textEntryChanged(const CRect& rect) override { log.push_back(describe("changed", rect)); }
  void textEntryClosed(CairoTextEntry*, const CRect& rect) override { log.push_back(describe("closed", rect)); }
  static std::string describe(const char* what, const CRect& r) {
    return std::string(what) + " " + std::to_string(static_cast<int>(r.left)) + "," +
           std::to_string(static_cast<int>(r.top)) + "," + std::to_string(static_cast<int>(r.right)) + "," +
           std::to_string(static_cast<int>(r.bottom));
  }
  Log log;
};

VstKeyCode character(char c) { return VstKeyCode{c, 0, 0}; }
VstKeyCode virtualKey(unsigned char virt, unsigned char modifier = 0) { return VstKeyCode{0, virt, modifier}; }

class TextEntry : public ::testing::Test {
 protected:
  ~TextEntry() override {
    if (entry) entry->forget();
  }
  void open(const std::string& text) {
    if (entry) entry->forget();
    field.text = text;
    entry = new CairoTextEntry(&field, &owner);
  }
  void type(const char* text) {
    for (const char* c = text; *c; ++c) entry->handleKey(character(*c));
  }

  FakeField field;
  FakeOwner owner;
  CairoTextEntry* entry = nullptr;
};

// (Typing over the selection the entry opens with: the text edit's tests.)
TEST_F(TextEntry, EditingKeys) {
  open("abcd");
  EXPECT_TRUE(entry->handleKey(virtualKey(VKEY_END)));
  EXPECT_EQ(entry->getCaret(), 4u);
  EXPECT_FALSE(entry->hasSelection());
  entry->handleKey(virtualKey(VKEY_LEFT));
  entry->handleKey(virtualKey(VKEY_LEFT));
  entry->handleKey(virtualKey(VKEY_BACK));
  EXPECT_STREQ(entry->getText(), "acd");
  EXPECT_EQ(entry->getCaret(), 1u);
  entry->handleKey(virtualKey(VKEY_DELETE));
  EXPECT_STREQ(entry->getText(), "ad");
  entry->handleKey(virtualKey(VKEY_HOME));
  entry->handleKey(virtualKey(VKEY_BACK));  // nothing before the caret
  entry->handleKey(virtualKey(VKEY_LEFT));
  type("x");
  entry->handleKey(virtualKey(VKEY_SPACE));
  EXPECT_STREQ(entry->getText(), "x ad");
  entry->handleKey(virtualKey(VKEY_END));
  entry->handleKey(virtualKey(VKEY_RIGHT));
  entry->handleKey(virtualKey(VKEY_DELETE));  // nothing after the caret
  EXPECT_STREQ(entry->getText(), "x ad");
  EXPECT_EQ(entry->getCaret(), 4u);

  open("abc");  // with everything selected, Left and Right go to its ends
  entry->handleKey(virtualKey(VKEY_LEFT));
  EXPECT_EQ(entry->getCaret(), 0u);
  open("abc");
  entry->handleKey(virtualKey(VKEY_RIGHT));
  EXPECT_EQ(entry->getCaret(), 3u);
  open("abc");
  entry->handleKey(virtualKey(VKEY_DELETE));
  EXPECT_STREQ(entry->getText(), "");
  EXPECT_TRUE(field.log.empty());
}

TEST_F(TextEntry, HoldsAtMost255Characters) {
  open(std::string(300, 'a'));
  EXPECT_EQ(std::string(entry->getText()).size(), 255u);
  type("b");  // replaces the selection
  EXPECT_STREQ(entry->getText(), "b");
  type(std::string(300, 'c').c_str());
  EXPECT_EQ(std::string(entry->getText()), "b" + std::string(254, 'c'));
  entry->setText(std::string(256, 'd').c_str());
  EXPECT_EQ(std::string(entry->getText()).size(), 255u);
}

// Keys the entry has no use for go to the field (which takes Escape); the
// owner repaints each change, hears the close, and may have gone first; the
// field may release the entry while it commits.
TEST_F(TextEntry, UnusedKeysGoToTheFieldAndTheOwnerHearsEachChangeAndTheClose) {
  open("1");
  EXPECT_TRUE(entry->handleKey(virtualKey(VKEY_ESCAPE)));
  EXPECT_FALSE(entry->handleKey(virtualKey(VKEY_TAB)));
  EXPECT_FALSE(entry->handleKey(VstKeyCode{'a', 0, MODIFIER_CONTROL}));
  EXPECT_EQ(field.log, (Log{"key 6 0", "key 2 0", "key 0 97"}));
  EXPECT_STREQ(entry->getText(), "1");
  type("2");
  entry->handleKey(virtualKey(VKEY_HOME));
  EXPECT_EQ(owner.log, (Log{"changed 10,10,110,30", "changed 10,10,110,30"}));
  field.onLooseFocus = [this] {
    entry->forget();
    entry = nullptr;
  };
  EXPECT_TRUE(entry->handleKey(virtualKey(VKEY_RETURN)));
  EXPECT_EQ(entry, nullptr);
  EXPECT_EQ(owner.log.back(), "closed 10,10,110,30");

  open("1");
  entry->detachOwner();  // the back-end went first
  owner.log.clear();
  type("2");
  entry->forget();
  entry = nullptr;
  EXPECT_TRUE(owner.log.empty());
}

// --- What it paints ---

class TextEntryPainting : public TextEntry, protected ImageCanvas {
 protected:
  TextEntryPainting() : ImageCanvas(130, 40) {}

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
};

TEST_F(TextEntryPainting, ReadableColoursOverAClearFieldElseTheFieldsOwn) {
  open("0.50");
  EXPECT_EQ(entry->getBackColor(), kWhiteCColor);
  EXPECT_EQ(entry->getTextColor(), kBlackCColor);
  entry->handleKey(virtualKey(VKEY_END));
  paint();
  EXPECT_EQ(at(10, 10), kWhiteCColor);
  EXPECT_EQ(at(109, 29), kWhiteCColor);
  EXPECT_EQ(at(9, 10).alpha, 0);  // nothing outside the box
  EXPECT_EQ(at(110, 29).alpha, 0);
  EXPECT_GT(count([](CColor c) { return c.red < 20 && c.green < 20 && c.blue < 20; }), 15);

  field.backColor = CColor{20, 30, 40, 100};
  field.fontColor = CColor{250, 250, 0, 255};
  open("0.50");
  entry->handleKey(virtualKey(VKEY_END));
  paint();
  EXPECT_EQ(at(10, 10), (CColor{20, 30, 40, 255}));  // opaque above the field
  EXPECT_GT(count([](CColor c) { return c.red > 200 && c.green > 200 && c.blue < 60; }), 15);
}

TEST_F(TextEntryPainting, AlignmentAndScrolling) {
  field.align = kRightText;
  open("1");
  entry->handleKey(virtualKey(VKEY_END));
  paint();
  auto dark = [](CColor c) { return c.red < 100; };
  EXPECT_EQ(count(dark, 10, 90), 0);
  EXPECT_GT(count(dark, 90, 110), 5);

  field.align = kLeftText;
  open(std::string(40, 'W'));  // far wider than the box: the caret end stays in view
  entry->handleKey(virtualKey(VKEY_END));
  paint();
  EXPECT_GT(count(dark, 100, 110), 5);
  EXPECT_EQ(at(111, 20).alpha, 0);
  entry->handleKey(virtualKey(VKEY_HOME));
  paint();
  EXPECT_GT(count(dark, 10, 16), 5);
}

// The selection the entry opens with is highlighted; the entry stays inside
// the context's clip.
TEST_F(TextEntryPainting, SelectionIsHighlightedAndTheClipHolds) {
  open("0.50");
  context->resetState();
  context->setClipRect(CRect(0, 0, 50, 40));
  entry->draw(context);
  EXPECT_EQ(at(49, 10), kWhiteCColor);
  EXPECT_EQ(at(50, 10).alpha, 0);
  paint();
  EXPECT_GT(count([](CColor c) { return c.red < 100 && c.blue > 200; }), 40);
  EXPECT_EQ(count([](CColor c) { return c.red < 20; }), 0);
}

}  // namespace
}  // namespace sorel::test
