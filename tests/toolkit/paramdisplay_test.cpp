// The text displays: background, frame and text placement of CParamDisplay,
// and CTextLabel's text, which other threads may set while the UI draws it.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "cbitmap.h"
#include "cparamdisplay.h"
#include "ctextlabel.h"
#include "offscreenfixture.h"
#include "platform/cairo/cairobitmap.h"
#include "testimage.h"

namespace {

using namespace VSTGUI;
using sorel::test::InkBox;

constexpr CColor kWindowColour{10, 60, 10, 255};
const CRect kField(20, 20, 180, 50);

bool near(const CColor& a, const CColor& b, int tolerance = 3) {
  return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

class DisplayTest : public sorel::test::OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    frame->setBackgroundColor(kWindowColour);
  }

  template <class View>
  View* show(View* view) {
    frame->addView(view);
    driver->renderAll();
    return view;
  }

  CColor at(int x, int y) const { return driver->pixel(x, y); }

  // Pixels in `area` (window coordinates) that `ink` picks, as a box.
  InkBox inkIn(const CRect& area, const std::function<bool(CColor)>& ink) const {
    InkBox box{static_cast<int>(area.right), static_cast<int>(area.bottom), -1, -1};
    for (int y = static_cast<int>(area.top); y < area.bottom; ++y) {
      for (int x = static_cast<int>(area.left); x < area.right; ++x) {
        if (!ink(at(x, y))) continue;
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
    }
    return box;
  }

  static bool bright(CColor c) { return c.red + c.green + c.blue > 3 * 128; }

  // A label of kField with white "8888" on black, after `configure`.
  InkBox textInk(const std::function<void(CTextLabel*)>& configure) {
    auto* label = new CTextLabel(kField, "8888");
    configure(label);
    show(label);
    const InkBox ink = inkIn(CRect(0, 0, 200, 100), bright);
    frame->removeView(label);
    return ink;
  }
};

TEST_F(DisplayTest, AnOpaqueDisplayFillsItsBackAndOutlinesIt) {
  auto* display = show(new CParamDisplay(kField));
  display->setBackColor(CColor{0, 0, 200, 255});
  display->setFrameColor(CColor{250, 250, 0, 255});
  display->setStyle(kNoTextStyle);
  driver->idle();
  EXPECT_EQ(at(20, 20), (CColor{250, 250, 0, 255}));
  EXPECT_EQ(at(179, 49), (CColor{250, 250, 0, 255}));
  EXPECT_EQ(at(21, 21), (CColor{0, 0, 200, 255}));
  EXPECT_EQ(at(19, 19), kWindowColour);
  EXPECT_EQ(at(180, 50), kWindowColour);

  for (int32_t style : {kNoFrame, k3DIn, k3DOut}) {
    display->setStyle(kNoTextStyle | style);
    driver->idle();
    EXPECT_EQ(at(20, 20), (CColor{0, 0, 200, 255})) << style;
  }

  display->setBackColor(CColor{0, 0, 200, 128});  // over the window's colour
  driver->idle();
  EXPECT_TRUE(near(at(30, 30), CColor{5, 30, 105, 255})) << int{at(30, 30).blue};

  display->setTransparency(true);
  driver->renderAll();
  EXPECT_EQ(at(20, 20), kWindowColour);
  EXPECT_EQ(at(30, 30), kWindowColour);

  display->setStyle(kNoDrawStyle);
  display->setTransparency(false);
  driver->renderAll();
  EXPECT_EQ(at(30, 30), kWindowColour);
}

TEST_F(DisplayTest, ABackgroundBitmapReplacesColourAndFrame) {
  constexpr CColor kPicture{120, 40, 160, 255};
  images::registerForTest("display-back-test.png", sorel::test::blocksPNG(160, 30, {{kPicture}}));
  auto* bitmap = new CBitmap("display-back-test.png");
  auto* display = new CParamDisplay(kField, bitmap, kNoTextStyle);
  bitmap->forget();
  display->setFrameColor(CColor{250, 250, 0, 255});
  show(display);
  EXPECT_EQ(at(20, 20), kPicture);
  EXPECT_EQ(at(100, 35), kPicture);
}

TEST_F(DisplayTest, TheValueShowsAsWhiteTextCentredOnBlack) {
  auto* display = show(new CParamDisplay(kField));
  EXPECT_EQ(display->getTag(), -1);
  EXPECT_EQ(at(30, 25), kBlackCColor);
  const InkBox ink = inkIn(kField, bright);
  ASSERT_FALSE(ink.empty());
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 2);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 35, 4);
  EXPECT_GT(ink.right - ink.left, 15);  // "0.00" in 12 px
}

TEST_F(DisplayTest, AlignmentAndInsetPlaceTheText) {
  const InkBox centred = textInk([](CTextLabel*) {});
  ASSERT_FALSE(centred.empty());
  const int width = centred.right - centred.left;
  EXPECT_NEAR((centred.left + centred.right) / 2.0, 100, 2);

  const InkBox left = textInk([](CTextLabel* l) { l->setHoriAlign(kLeftText); });
  EXPECT_NEAR(left.left, 21, 2);
  EXPECT_NEAR(left.right - left.left, width, 1);
  const InkBox right = textInk([](CTextLabel* l) { l->setHoriAlign(kRightText); });
  EXPECT_NEAR(right.right, 178, 2);

  const InkBox leftInset = textInk([](CTextLabel* l) {
    l->setHoriAlign(kLeftText);
    l->setTextInset(CPoint(10, 0));
  });
  EXPECT_NEAR(leftInset.left, left.left + 10, 1);
  const InkBox rightInset = textInk([](CTextLabel* l) {
    l->setHoriAlign(kRightText);
    l->setTextInset(CPoint(10, 0));
  });
  EXPECT_NEAR(rightInset.right, right.right - 10, 1);

  // The inset also clips: only a strip of the text survives.
  const InkBox squeezed = textInk([](CTextLabel* l) { l->setTextInset(CPoint(0, 12)); });
  ASSERT_FALSE(squeezed.empty());
  EXPECT_GE(squeezed.top, 32);
  EXPECT_LE(squeezed.bottom, 37);
}

TEST_F(DisplayTest, TheShadowSitsOnePixelDownAndRight) {
  auto* label = new CTextLabel(kField, "8888", nullptr, kShadowText);
  label->setShadowColor(CColor{255, 0, 0, 255});
  show(label);
  const InkBox text = inkIn(kField, bright);
  const InkBox shadow = inkIn(kField, [](CColor c) { return c.red > 128 && c.green < 64; });
  ASSERT_FALSE(shadow.empty());
  EXPECT_EQ(shadow.right, text.right + 1);
  EXPECT_EQ(shadow.bottom, text.bottom + 1);
}

TEST_F(DisplayTest, TheDisplayHoldsItsFont) {
  auto* font = new CFontDesc("Arial", 20);
  auto* display = new CParamDisplay(kField);
  display->setFont(font);
  EXPECT_EQ(font->getNbReference(), 2);
  show(display);
  const InkBox big = inkIn(kField, bright);
  EXPECT_GE(big.bottom - big.top, 13);  // digits of a 20 px font; 12 px ones are about 9 tall
  frame->removeView(display);
  EXPECT_EQ(font->getNbReference(), 1);
  font->forget();
}

class LabelTest : public DisplayTest {};

TEST_F(LabelTest, OnlyANewTextMakesTheLabelDirty) {
  auto* label = show(new CTextLabel(kField, "abc"));
  EXPECT_FALSE(label->isDirty());
  label->setText("abc");
  EXPECT_FALSE(label->isDirty());
  label->setText("abd");
  EXPECT_TRUE(label->isDirty());
  EXPECT_STREQ(label->getText(), "abd");
  label->setText(nullptr);
  EXPECT_STREQ(label->getText(), "");
}

TEST_F(LabelTest, TextsAreCutAt255Characters) {
  const std::string longText(300, 'x');
  CTextLabel label(kField, longText.c_str());
  EXPECT_EQ(std::string(label.getText()), std::string(255, 'x'));
  label.setDirty(false);
  label.setText((std::string(255, 'x') + "q").c_str());  // the same 255 characters
  EXPECT_FALSE(label.isDirty());
}

TEST_F(LabelTest, DrawingGoesThroughGetText) {
  class Fixed : public CTextLabel {
   public:
    using CTextLabel::CTextLabel;
    const char* getText() const override { return "8888"; }
  };
  show(new Fixed(kField, ""));
  EXPECT_FALSE(inkIn(kField, bright).empty());
}

TEST_F(LabelTest, AReaderNeverSeesHalfOfOneTextAndHalfOfAnother) {
  const std::string first(200, 'a');
  const std::string second = "bbbbbbbbbbbbbbbbbbbb";
  CTextLabel label(kField, first.c_str());
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    for (int i = 0; !stop.load(std::memory_order_relaxed); ++i) label.setText((i & 1 ? first : second).c_str());
  });
  int torn = 0;
  for (int i = 0; i < 200000; ++i) {
    const char* text = label.getText();
    if (text != first && text != second) ++torn;
  }
  stop = true;
  writer.join();
  EXPECT_EQ(torn, 0);
}

}  // namespace
