// The cairo draw context: exact pixels for rectangles, lines, clips, and
// text placed by the one placement rule every back-end shares.
#include <gtest/gtest.h>

#include <tuple>

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

// "HHH" stands on the baseline the placement rule gives from the metrics of
// whichever font the machine has for Arial, centred, and its rect does not
// clip it. (Left and right alignment: the text label's tests.)
TEST_F(Canvas, TextSitsOnThePlacementRulesBaselineUnclipped) {
  for (const auto& [text, rect, size] :
       {std::tuple{"HHH", CRect(0, 0, 100, 30), 12.0}, std::tuple{"HHH", CRect(10, 5, 110, 25), 18.0},
        std::tuple{"HHHHHHHHHHHH", CRect(40, 40, 60, 55), 9.0}}) {
    SCOPED_TRACE(size);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_extents_t metrics;
    cairo_font_extents(cr, &metrics);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_destroy(cr);
    CFontDesc font("Arial", size);
    context->setFont(&font);
    context->setFontColor(kBlackCColor);
    context->drawString(text, rect, kCenterText);
    const InkBox box = inkBox(surface);
    EXPECT_NEAR(box.bottom + 1, rect.bottom - (rect.getHeight() - size) / 2 - metrics.descent, 1.5);
    EXPECT_NEAR((box.left + box.right + 1) / 2.0, rect.getCenter().x, 1.5);
  }
  EXPECT_LT(inkBox(surface).left, 35);  // the last, long string
}

TEST_F(Canvas, TextThatIsNotUTF8IsReadAsLatin1) {
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
