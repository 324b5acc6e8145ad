// The text displays: text placement by alignment and inset, and the font a
// display holds. (The read-outs draw their own back and keep their own text.)
#include <gtest/gtest.h>

#include <functional>

#include "ctextlabel.h"
#include "offscreenfixture.h"
#include "testimage.h"

namespace {

using namespace VSTGUI;
using sorel::test::InkBox;

constexpr CColor kWindowColour{10, 60, 10, 255};
const CRect kField(20, 20, 180, 50);

class DisplayTest : public sorel::test::OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    frame->setBackgroundColor(kWindowColour);
  }

  // The box of the white text's pixels in the window.
  InkBox whiteInk() const {
    return sorel::test::inkBox(200, 100, [this](int x, int y) {
      const CColor c = driver->pixel(x, y);
      return c.red + c.green + c.blue > 3 * 128;
    });
  }

  // A label of kField with white "8888" on black, after `configure`.
  InkBox textInk(const std::function<void(CTextLabel*)>& configure) {
    auto* label = new CTextLabel(kField, "8888");
    configure(label);
    frame->addView(label);
    driver->renderAll();
    const InkBox ink = whiteInk();
    frame->removeView(label);
    return ink;
  }
};

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
  frame->addView(label);
  driver->renderAll();
  const InkBox big = whiteInk();
  EXPECT_GE(big.bottom - big.top, 13);  // digits of a 20 px font; 12 px ones are about 9 tall
  frame->removeView(label);
  EXPECT_EQ(font->getNbReference(), 1);
  font->forget();
}

}  // namespace
