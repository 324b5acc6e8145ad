// The cairo draw context: exact pixels for rectangles, lines, clips and
// alpha, and text placed by the one placement rule every back-end shares.
#include <gtest/gtest.h>

#include <initializer_list>

#include "testimage.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

// A transparent image with a context drawing into it.
class Canvas : public ::testing::Test, protected ImageCanvas {
 protected:
  Canvas() : ImageCanvas(120, 60) {}

  // Every pixel of the row from x0 to x1 (inclusive) has `color`.
  bool rowIs(int y, int x0, int x1, CColor color) const {
    for (int x = x0; x <= x1; ++x) {
      if (!(at(x, y) == color)) return false;
    }
    return true;
  }
  struct Pixel {
    int x, y;
    CColor color;
  };
  void expectPixels(std::initializer_list<Pixel> pixels) const {
    for (const Pixel& p : pixels) EXPECT_EQ(at(p.x, p.y), p.color) << p.x << "," << p.y;
  }
};

TEST_F(Canvas, FilledRectCoversExactlyTheRectAndStrokesItsInnerEdge) {
  context->setFillColor(kRed);
  context->drawRect(CRect(3, 4, 10, 12), kDrawFilled);
  expectPixels({{3, 4, kRed}, {9, 11, kRed}, {2, 4, kClear}, {10, 4, kClear}, {3, 3, kClear}, {3, 12, kClear}});

  context->setFrameColor(kWhiteCColor);
  context->drawRect(CRect(22, 2, 30, 8), kDrawStroked);
  EXPECT_TRUE(rowIs(2, 22, 29, kWhiteCColor));
  EXPECT_TRUE(rowIs(7, 22, 29, kWhiteCColor));
  expectPixels({{22, 5, kWhiteCColor}, {29, 5, kWhiteCColor}, {23, 3, kClear}, {28, 6, kClear}});
  expectPixels({{30, 5, kClear}, {25, 8, kClear}, {21, 1, kClear}});  // outside
  context->setLineWidth(2);
  context->drawRect(CRect(40, 2, 50, 12), kDrawStroked);
  EXPECT_TRUE(rowIs(2, 40, 49, kWhiteCColor));
  EXPECT_TRUE(rowIs(3, 40, 49, kWhiteCColor));
  expectPixels({{42, 4, kClear}, {49, 11, kWhiteCColor}, {50, 11, kClear}});
}

TEST_F(Canvas, AliasedLineCoversItsRowOrColumn) {
  context->setFrameColor(kWhiteCColor);
  context->drawLine(CPoint(2, 5), CPoint(12, 5));
  EXPECT_TRUE(rowIs(5, 2, 12, kWhiteCColor));
  EXPECT_TRUE(rowIs(4, 0, 20, kClear));
  EXPECT_TRUE(rowIs(6, 0, 20, kClear));
  expectPixels({{1, 5, kClear}, {13, 5, kClear}});

  context->drawLine(CPoint(30, 2), CPoint(30, 9));
  for (int y = 2; y <= 9; ++y) EXPECT_EQ(at(30, y), kWhiteCColor) << y;
  expectPixels({{29, 5, kClear}, {31, 5, kClear}});
}

TEST_F(Canvas, ClipAndOriginApplyToEveryPrimitive) {
  context->pushTranslation(CPoint(10, 10));
  context->setClipRect(CRect(0, 0, 5, 5));  // window (10, 10, 15, 15)
  CRect clip;
  EXPECT_EQ(context->getClipRect(clip), CRect(0, 0, 5, 5));
  EXPECT_EQ(context->windowClip(), CRect(10, 10, 15, 15));
  context->setFillColor(kRed);
  context->drawRect(CRect(-5, -5, 20, 20), kDrawFilled);
  expectPixels({{10, 10, kRed}, {14, 14, kRed}, {9, 12, kClear}, {15, 12, kClear}, {12, 15, kClear}});

  context->setFrameColor(kWhiteCColor);
  context->drawLine(CPoint(-10, 2), CPoint(30, 2));
  EXPECT_TRUE(rowIs(12, 10, 14, kWhiteCColor));
  expectPixels({{9, 12, kClear}, {15, 12, kClear}});
}

// --- Text ---

// Liberation Sans (Arial's metrics): ascent, descent and cap height per em.
constexpr double kAscent = 0.905;
constexpr double kDescent = 0.212;
constexpr double kCapHeight = 0.716;

class Text : public Canvas {
 protected:
  // Draws `text` in `rect` with black Arial of `size` and returns the ink.
  InkBox ink(const char* text, const CRect& rect, CHoriTxtAlign align, CCoord size = 12) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_destroy(cr);
    CFontDesc font("Arial", size);
    context->setFont(&font);
    context->setFontColor(kBlackCColor);
    context->drawString(text, rect, align);
    return inkBox(surface);
  }

  // Where the baseline goes by the placement rule, from the font's metrics.
  static double expectedBaseline(const CRect& rect, double size) {
    const double lineHeight = (kAscent + kDescent) * size;
    const double top = rect.bottom - (rect.getHeight() / 2 - size / 2) - lineHeight;
    return top + kAscent * size;
  }
};

// (Left and right alignment are placed through the text label's tests.)
TEST_F(Text, LineInARectSitsWhereThePlacementRuleSaysUnclipped) {
  struct Case {
    CRect rect;
    CCoord size;
  };
  for (const Case& c :
       {Case{CRect(0, 0, 100, 30), 12}, Case{CRect(10, 5, 110, 25), 18}, Case{CRect(0, 40, 60, 54), 9}}) {
    SCOPED_TRACE(c.size);
    const InkBox box = ink("HHH", c.rect, kCenterText, c.size);
    ASSERT_FALSE(box.empty());
    const double baseline = expectedBaseline(c.rect, c.size);
    EXPECT_NEAR(box.bottom + 1, baseline, 1.5);  // "H" stands on the baseline
    EXPECT_NEAR(box.top, baseline - kCapHeight * c.size, 2);
    EXPECT_NEAR((box.left + box.right + 1) / 2.0, c.rect.getCenter().x, 1.5);
  }
  // The rect does not clip a long string.
  const InkBox box = ink("HHHHHHHHHHHH", CRect(40, 0, 60, 20), kCenterText);
  EXPECT_LT(box.left, 35);
  EXPECT_GT(box.right, 65);
}

TEST_F(Text, TextThatIsNotUTF8IsReadAsLatin1) {
  CFontDesc font("Arial", 12);
  context->setFont(&font);
  EXPECT_EQ(context->getStringWidth("90\xb0"), context->getStringWidth("90\xc2\xb0"));  // the degree sign
  EXPECT_GT(context->getStringWidth("90\xb0"), context->getStringWidth("90"));
  context->drawString("-3 \xb5s", CRect(0, 0, 100, 20));
  context->setFillColor(kRed);  // the context still draws afterwards
  context->drawRect(CRect(0, 50, 5, 55), kDrawFilled);
  EXPECT_EQ(at(1, 51), kRed);
}

}  // namespace
}  // namespace sorel::test
