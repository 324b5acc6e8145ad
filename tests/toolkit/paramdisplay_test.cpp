// The text displays: background and frame of CParamDisplay, text placement
// by alignment and inset, the font it holds, and CTextLabel's text.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

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
constexpr CColor kBack{0, 0, 200, 255};
constexpr CColor kOutline{250, 250, 0, 255};
const CRect kField(20, 20, 180, 50);

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

  // The box of the white text's pixels in the window.
  InkBox whiteInk() const {
    InkBox box{200, 100, -1, -1};
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 200; ++x) {
        const CColor c = at(x, y);
        if (c.red + c.green + c.blue <= 3 * 128) continue;
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
    }
    return box;
  }

  // A label of kField with white "8888" on black, after `configure`.
  InkBox textInk(const std::function<void(CTextLabel*)>& configure) {
    auto* label = new CTextLabel(kField, "8888");
    configure(label);
    show(label);
    const InkBox ink = whiteInk();
    frame->removeView(label);
    return ink;
  }
};

TEST_F(DisplayTest, TheBackIsFilledAndOutlinedUnlessTransparentOrPictured) {
  auto* display = show(new CParamDisplay(kField));
  display->setBackColor(kBack);
  display->setFrameColor(kOutline);
  display->setStyle(kNoTextStyle);
  driver->idle();
  EXPECT_EQ(at(20, 20), kOutline);
  EXPECT_EQ(at(179, 49), kOutline);
  EXPECT_EQ(at(21, 21), kBack);
  EXPECT_EQ(at(19, 19), kWindowColour);
  EXPECT_EQ(at(180, 50), kWindowColour);
  display->setStyle(kNoTextStyle | kNoFrame);
  driver->idle();
  EXPECT_EQ(at(20, 20), kBack);

  display->setTransparency(true);
  driver->renderAll();
  EXPECT_EQ(at(30, 30), kWindowColour);

  constexpr CColor kPicture{120, 40, 160, 255};
  images::registerForTest("display-back-test.png", sorel::test::blocksPNG(160, 30, {{kPicture}}));
  auto* bitmap = new CBitmap("display-back-test.png");
  display->setBackground(bitmap);
  bitmap->forget();
  driver->renderAll();
  EXPECT_EQ(at(20, 20), kPicture);
  EXPECT_EQ(at(100, 35), kPicture);
}

TEST_F(DisplayTest, AlignmentAndInsetPlaceTheText) {
  const InkBox centred = textInk([](CTextLabel*) {});
  ASSERT_FALSE(centred.empty());
  EXPECT_NEAR((centred.left + centred.right) / 2.0, 100, 2);
  EXPECT_NEAR((centred.top + centred.bottom) / 2.0, 35, 4);

  struct Case {
    CHoriTxtAlign align;
    CCoord inset;
    int edge;  // where the ink starts (left) or ends (right)
  };
  for (const Case& c :
       {Case{kLeftText, 0, 21}, Case{kRightText, 0, 178}, Case{kLeftText, 10, 31}, Case{kRightText, 10, 168}}) {
    SCOPED_TRACE(c.inset);
    const InkBox box = textInk([&c](CTextLabel* l) {
      l->setHoriAlign(c.align);
      l->setTextInset(CPoint(c.inset, 0));
    });
    EXPECT_NEAR(c.align == kLeftText ? box.left : box.right, c.edge, 2);
    EXPECT_NEAR(box.right - box.left, centred.right - centred.left, 1);
  }

  // The inset also clips: only a strip of the text survives.
  const InkBox squeezed = textInk([](CTextLabel* l) { l->setTextInset(CPoint(0, 12)); });
  ASSERT_FALSE(squeezed.empty());
  EXPECT_GE(squeezed.top, 32);
  EXPECT_LE(squeezed.bottom, 37);
}

TEST_F(DisplayTest, TheDisplayHoldsItsFont) {
  auto* font = new CFontDesc("Arial", 20);
  auto* label = new CTextLabel(kField, "8888");
  label->setFont(font);
  EXPECT_EQ(font->getNbReference(), 2);
  show(label);
  const InkBox big = whiteInk();
  EXPECT_GE(big.bottom - big.top, 13);  // digits of a 20 px font; 12 px ones are about 9 tall
  frame->removeView(label);
  EXPECT_EQ(font->getNbReference(), 1);
  font->forget();
}

TEST(Label, KeepsAtMost255CharactersAndOnlyANewTextMakesItDirty) {
  CTextLabel label(kField, std::string(300, 'x').c_str());
  EXPECT_EQ(std::string(label.getText()), std::string(255, 'x'));
  label.setDirty(false);
  label.setText((std::string(255, 'x') + "q").c_str());  // the same 255 characters
  EXPECT_FALSE(label.isDirty());
  label.setText("abd");
  EXPECT_TRUE(label.isDirty());
  EXPECT_STREQ(label.getText(), "abd");
  label.setText(nullptr);
  EXPECT_STREQ(label.getText(), "");
}

}  // namespace
