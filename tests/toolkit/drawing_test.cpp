// The cairo draw context: exact pixels for rectangles, lines, clips and
// alpha, and text placed by the one placement rule every back-end shares.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/cairo/cairodrawcontext.h"
#include "testimage.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

constexpr CColor kRed{255, 0, 0, 255};
constexpr CColor kClear{0, 0, 0, 0};

// A transparent image with a context drawing into it.
class Canvas : public ::testing::Test {
 protected:
  Canvas()
      : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 120, 60)), context(new CairoDrawContext(surface)) {}
  ~Canvas() override {
    context->forget();
    cairo_surface_destroy(surface);
  }

  CColor at(int x, int y) const { return pixelOf(surface, x, y); }
  // Every pixel of the row from x0 to x1 (inclusive) has `color`.
  bool rowIs(int y, int x0, int x1, CColor color) const {
    for (int x = x0; x <= x1; ++x) {
      if (!(at(x, y) == color)) return false;
    }
    return true;
  }

  cairo_surface_t* surface;
  CairoDrawContext* context;
};

TEST_F(Canvas, FilledRectCoversExactlyTheRect) {
  context->setFillColor(kRed);
  context->drawRect(CRect(3, 4, 10, 12), kDrawFilled);
  EXPECT_EQ(at(3, 4), kRed);
  EXPECT_EQ(at(9, 11), kRed);
  EXPECT_EQ(at(2, 4), kClear);
  EXPECT_EQ(at(10, 4), kClear);
  EXPECT_EQ(at(3, 3), kClear);
  EXPECT_EQ(at(3, 12), kClear);
  // Antialiasing changes nothing for a rect on whole pixels.
  context->setDrawMode(kAntiAliasing);
  context->drawRect(CRect(20, 4, 27, 12), kDrawFilled);
  EXPECT_EQ(at(20, 4), kRed);
  EXPECT_EQ(at(26, 11), kRed);
  EXPECT_EQ(at(19, 4), kClear);
  EXPECT_EQ(at(27, 11), kClear);
}

TEST_F(Canvas, StrokeLiesOnTheInnerEdgePixels) {
  context->setFrameColor(kWhiteCColor);
  context->drawRect(CRect(2, 2, 10, 8), kDrawStroked);
  EXPECT_TRUE(rowIs(2, 2, 9, kWhiteCColor));
  EXPECT_TRUE(rowIs(7, 2, 9, kWhiteCColor));
  EXPECT_EQ(at(2, 5), kWhiteCColor);
  EXPECT_EQ(at(9, 5), kWhiteCColor);
  EXPECT_EQ(at(3, 3), kClear);  // inside
  EXPECT_EQ(at(8, 6), kClear);
  EXPECT_EQ(at(10, 5), kClear);  // outside
  EXPECT_EQ(at(5, 8), kClear);
  EXPECT_EQ(at(1, 1), kClear);

  context->setLineWidth(2);
  context->drawRect(CRect(20, 2, 30, 12), kDrawStroked);
  EXPECT_TRUE(rowIs(2, 20, 29, kWhiteCColor));
  EXPECT_TRUE(rowIs(3, 20, 29, kWhiteCColor));
  EXPECT_EQ(at(22, 4), kClear);
  EXPECT_EQ(at(29, 11), kWhiteCColor);
  EXPECT_EQ(at(30, 11), kClear);
}

TEST_F(Canvas, AliasedLineCoversItsRowOrColumn) {
  context->setFrameColor(kWhiteCColor);
  context->drawLine(CPoint(2, 5), CPoint(12, 5));
  EXPECT_TRUE(rowIs(5, 2, 12, kWhiteCColor));
  EXPECT_TRUE(rowIs(4, 0, 20, kClear));
  EXPECT_TRUE(rowIs(6, 0, 20, kClear));
  EXPECT_EQ(at(1, 5), kClear);
  EXPECT_EQ(at(13, 5), kClear);

  context->drawLine(CPoint(30, 2), CPoint(30, 9));
  for (int y = 2; y <= 9; ++y) EXPECT_EQ(at(30, y), kWhiteCColor) << y;
  EXPECT_EQ(at(29, 5), kClear);
  EXPECT_EQ(at(31, 5), kClear);
}

TEST_F(Canvas, DrawModeSwitchesAntialiasing) {
  auto partialPixels = [this](int x0, int x1) {
    int partial = 0;
    for (int y = 0; y < 60; ++y) {
      for (int x = x0; x < x1; ++x) partial += at(x, y).alpha > 0 && at(x, y).alpha < 255;
    }
    return partial;
  };
  context->setFrameColor(kWhiteCColor);
  context->drawLine(CPoint(0, 0), CPoint(40, 27));
  EXPECT_EQ(partialPixels(0, 50), 0);
  context->setDrawMode(kAntiAliasing);
  context->drawLine(CPoint(60, 0), CPoint(100, 27));
  EXPECT_GT(partialPixels(55, 110), 20);
}

TEST_F(Canvas, ClipAndOriginApplyToEveryPrimitive) {
  context->pushTranslation(CPoint(10, 10));
  context->setClipRect(CRect(0, 0, 5, 5));  // window (10, 10, 15, 15)
  CRect clip;
  EXPECT_EQ(context->getClipRect(clip), CRect(0, 0, 5, 5));
  EXPECT_EQ(context->windowClip(), CRect(10, 10, 15, 15));
  context->setFillColor(kRed);
  context->drawRect(CRect(-5, -5, 20, 20), kDrawFilled);
  EXPECT_EQ(at(10, 10), kRed);
  EXPECT_EQ(at(14, 14), kRed);
  EXPECT_EQ(at(9, 12), kClear);
  EXPECT_EQ(at(15, 12), kClear);
  EXPECT_EQ(at(12, 15), kClear);

  context->setFrameColor(kWhiteCColor);
  context->drawLine(CPoint(-10, 2), CPoint(30, 2));
  EXPECT_TRUE(rowIs(12, 10, 14, kWhiteCColor));
  EXPECT_EQ(at(9, 12), kClear);
  EXPECT_EQ(at(15, 12), kClear);

  context->popTranslation();
  context->resetClipRect();
  context->drawRect(CRect(0, 40, 2, 42), kDrawFilled);  // back in window coordinates
  EXPECT_EQ(at(0, 40), kRed);
}

TEST_F(Canvas, GlobalAlphaMultipliesEveryColour) {
  context->setFillColor(kWhiteCColor);
  context->setGlobalAlpha(0.5f);
  context->drawRect(CRect(0, 0, 4, 4), kDrawFilled);
  EXPECT_NEAR(at(1, 1).alpha, 128, 1);
  context->setFillColor(CColor{255, 255, 255, 128});
  context->drawRect(CRect(10, 0, 14, 4), kDrawFilled);
  EXPECT_NEAR(at(11, 1).alpha, 64, 1);
  context->setGlobalAlpha(0.f);
  context->drawRect(CRect(20, 0, 24, 4), kDrawFilled);
  EXPECT_EQ(at(21, 1), kClear);
}

TEST_F(Canvas, ClearRectMakesPixelsTransparent) {
  context->setFillColor(kRed);
  context->drawRect(CRect(0, 0, 20, 20), kDrawFilled);
  context->clearRect(CRect(5, 5, 10, 10));
  EXPECT_EQ(at(5, 5), kClear);
  EXPECT_EQ(at(9, 9), kClear);
  EXPECT_EQ(at(4, 5), kRed);
  EXPECT_EQ(at(10, 9), kRed);
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

TEST_F(Text, ArialIsLiberationSans) {
  const char* sample = "Sorel 0.25 dB -inf";
  CFontDesc arial("Arial", 12);
  CFontDesc liberation("Liberation Sans", 12);
  CFontDesc fallback("DejaVu Sans", 12);
  context->setFont(&arial);
  const CCoord arialWidth = context->getStringWidth(sample);
  context->setFont(&liberation);
  EXPECT_EQ(arialWidth, context->getStringWidth(sample));
  context->setFont(&fallback);
  EXPECT_NE(arialWidth, context->getStringWidth(sample));
  EXPECT_GT(arialWidth, 50);
}

TEST_F(Text, StyleBitsAndSizeChangeTheFace) {
  CFontDesc font("Arial", 12);
  context->setFont(&font);
  const CCoord regular = context->getStringWidth("Threshold");
  context->setFont(&font, 0, kBoldFace);
  EXPECT_GT(context->getStringWidth("Threshold"), regular);
  context->setFont(&font, 24, kNormalFace);
  EXPECT_NEAR(context->getStringWidth("Threshold") / regular, 2, 0.1);  // advances snap to whole pixels
  EXPECT_EQ(context->getStringWidth(""), 0);
}

TEST_F(Text, LineInARectSitsWhereThePlacementRuleSays) {
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
}

// (Left and right alignment are placed through the text label's tests.)
TEST_F(Text, TheRectDoesNotClipALongString) {
  const InkBox box = ink("HHHHHHHHHHHH", CRect(40, 0, 60, 20), kCenterText);
  EXPECT_LT(box.left, 35);
  EXPECT_GT(box.right, 65);
}

TEST_F(Text, StringAtAPointStandsOnItsBaseline) {
  CFontDesc font("Arial", 12);
  context->setFont(&font);
  context->setFontColor(kBlackCColor);
  context->pushTranslation(CPoint(5, 5));
  context->drawString("H", CPoint(10, 20));
  const InkBox box = inkBox(surface);
  EXPECT_EQ(box.bottom, 24);
  EXPECT_NEAR(box.left, 15, 2);
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
