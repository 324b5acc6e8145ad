// Bitmaps: the part of the image at an offset, clipped to the destination
// and the clip; missing images; one decoded copy per process. (Images from
// the application's source: every editor test draws the skin that way.)
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <thread>
#include <vector>

#include "cbitmap.h"
#include "cviewcontainer.h"
#include "decodeahead.h"
#include "platform/cairo/cairobitmap.h"
#include "testimage.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

// A 30 x 20 image: red, green, blue across the top row of 10 x 10 blocks,
// yellow, half-transparent white, transparent below.
void registerBlocks() {
  images::registerForTest("Test_Blocks",
                          blocksPNG(10, 10, {{kRed, kGreen, kBlue}, {kYellow, {255, 255, 255, 128}, kClear}}));
}

class BitmapDrawing : public ::testing::Test, protected ImageCanvas {
 protected:
  BitmapDrawing() : ImageCanvas(60, 40) {
    registerBlocks();
    bitmap = new CBitmap("test_blocks");
  }
  ~BitmapDrawing() override { bitmap->forget(); }

  CBitmap* bitmap;
};

TEST_F(BitmapDrawing, StopsAtTheImagesEdge) {
  context->setFillColor(kBlackCColor);
  context->drawRect(CRect(0, 0, 60, 40), kDrawFilled);
  bitmap->draw(context, CRect(0, 0, 40, 10), CPoint(20, 0));
  // Beyond the image (from x 10): untouched, not stretched or repeated.
  expectPixels({{0, 0, kBlue}, {9, 9, kBlue}, {10, 0, kBlackCColor}, {39, 9, kBlackCColor}});

  bitmap->draw(context, CRect(50, 30, 60, 40), CPoint(15, 5));
  expectPixels({{50, 30, kGreen}, {55, 30, kBlue}, {55, 35, kBlackCColor}});  // the last: the transparent block
  EXPECT_NEAR(at(50, 35).red, 128, 1);                                        // half-transparent white over black
  EXPECT_EQ(at(50, 35).alpha, 255);
}

TEST_F(BitmapDrawing, HonoursClipAndOrigin) {
  context->pushTranslation(CPoint(10, 10));
  context->setClipRect(CRect(5, 0, 25, 5));
  bitmap->draw(context, CRect(0, 0, 30, 10));
  // The clip in the window is (15, 10, 35, 15).
  expectPixels(
      {{14, 10, kClear}, {15, 10, kRed}, {20, 14, kGreen}, {20, 15, kClear}, {34, 10, kBlue}, {35, 10, kClear}});
}

// Whether `bitmap` leaves a transparent image untouched when drawn.
bool drawsNothing(CBitmap* bitmap) {
  ImageCanvas canvas(8, 8);
  bitmap->draw(canvas.context, CRect(0, 0, 8, 8));
  return canvas.at(1, 1) == kClear;
}

TEST(Bitmaps, MissingOrBrokenImagesLoadNothing) {
  images::registerForTest("not_a_png", {'n', 'o', 'p', 'e'});
  for (const char* name : {"no_such_image", "not_a_png"}) {
    CBitmap* missing = new CBitmap(name);
    EXPECT_FALSE(missing->isLoaded()) << name;
    EXPECT_EQ(missing->getWidth() + missing->getHeight(), 0) << name;
    EXPECT_TRUE(drawsNothing(missing)) << name;
    missing->forget();
  }

  // A valid header over damaged pixel data: the size is known at once, and
  // only decoding (ahead or to draw) finds the damage and draws nothing.
  std::vector<unsigned char> damaged = blocksPNG(6, 5, {{kRed}});
  damaged.resize(damaged.size() - 20);
  images::registerForTest("damaged_blocks", damaged);
  CBitmap* bitmap = new CBitmap("damaged_blocks");
  EXPECT_TRUE(bitmap->isLoaded());
  EXPECT_EQ(bitmap->getWidth(), 6);
  EXPECT_EQ(bitmap->getHeight(), 5);
  decodeAhead({bitmap, nullptr, bitmap});
  EXPECT_FALSE(bitmap->isDecoded());
  EXPECT_TRUE(drawsNothing(bitmap));
  bitmap->forget();
}

cairo_surface_t* decodedSurface(const CBitmap* bitmap) {
  auto* image = dynamic_cast<CairoBitmap*>(bitmap->getPlatformBitmap());
  return image ? image->getSurface() : nullptr;
}

TEST(Bitmaps, EveryLoadOnEveryThreadSharesOneDecodedCopy) {
  images::registerForTest("shared_blocks", blocksPNG(8, 8, {{kGreen, kYellow}}));
  CBitmap* first = new CBitmap("shared_blocks");
  CBitmap* second = new CBitmap("SHARED_Blocks");
  ASSERT_TRUE(first->isLoaded());
  EXPECT_NE(first->getPlatformBitmap(), second->getPlatformBitmap());  // each its own reference
  cairo_surface_t* pixels = decodedSurface(first);
  EXPECT_EQ(pixels, decodedSurface(second));
  EXPECT_EQ(cairo_surface_get_reference_count(pixels), 3u);  // the cache's and the two bitmaps'
  CBitmap* later = new CBitmap("shared_blocks");
  EXPECT_TRUE(later->isDecoded()) << "an image decoded before comes decoded";
  EXPECT_EQ(cairo_surface_get_reference_count(pixels), 4u);
  later->forget();
  first->forget();
  second->forget();

  std::vector<cairo_surface_t*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([i, &seen] {
      for (int round = 0; round < 20; ++round) {
        CBitmap* bitmap = new CBitmap("shared_blocks");
        seen[i] = decodedSurface(bitmap);
        bitmap->forget();
      }
    });
  }
  for (std::thread& t : threads) t.join();
  for (cairo_surface_t* s : seen) EXPECT_EQ(s, pixels);
  EXPECT_EQ(cairo_surface_get_reference_count(pixels), 1u);
}

// Decoding ahead walks what will be drawn and leaves nothing for the paint.
TEST(Bitmaps, DecodingAheadCoversEveryVisibleBackgroundOnce) {
  std::vector<CBitmap*> bitmaps;
  for (int i = 0; i < 9; ++i) {
    const std::string name = "ahead_" + std::to_string(i);
    images::registerForTest(name.c_str(), blocksPNG(3 + 7 * i, 2 + (i % 4), {{kRed, kBlue}, {kClear, kYellow}}));
    bitmaps.push_back(new CBitmap(name.c_str()));
  }
  auto* root = new CViewContainer(CRect(0, 0, 100, 100), nullptr, bitmaps[0]);
  auto* panel = new CViewContainer(CRect(0, 0, 50, 50), nullptr, bitmaps[1]);
  auto* hiddenPanel = new CViewContainer(CRect(50, 0, 100, 50), nullptr, bitmaps[2]);
  auto* inHidden = new CView(CRect(0, 0, 5, 5));
  inHidden->setBackground(bitmaps[3]);
  hiddenPanel->addView(inHidden);
  hiddenPanel->setVisible(false);
  for (int i = 4; i < 9; ++i) {
    auto* view = new CView(CRect(i, i, i + 5, i + 5));
    view->setBackground(bitmaps[i == 8 ? 4 : i]);  // the last shares an image
    panel->addView(view);
  }
  root->addView(panel);
  root->addView(hiddenPanel);

  const std::vector<CBitmap*> shown = visibleBitmaps(*root);
  EXPECT_EQ(shown, (std::vector<CBitmap*>{bitmaps[0], bitmaps[1], bitmaps[4], bitmaps[5], bitmaps[6], bitmaps[7]}));
  decodeAhead(shown);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(bitmaps[i]->isDecoded(), i != 2 && i != 3 && i != 8) << i;
  decodeAhead(bitmaps);  // the rest, some already done, one twice
  for (CBitmap* bitmap : bitmaps) EXPECT_TRUE(bitmap->isDecoded());

  decodeAhead({});
  root->forget();
  for (CBitmap* bitmap : bitmaps) bitmap->forget();
}

}  // namespace
}  // namespace sorel::test
