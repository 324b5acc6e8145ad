// Bitmaps: the part of the image at an offset, clipped to the destination
// and the clip, alpha times the global alpha; missing images; one decoded
// copy per process.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <thread>
#include <vector>

#include "cbitmap.h"
#include "cviewcontainer.h"
#include "decodeahead.h"
#include "imagesource.h"
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

  void fillBackground(CColor color) {
    context->setFillColor(color);
    context->drawRect(CRect(0, 0, 60, 40), kDrawFilled);
  }

  CBitmap* bitmap;
};

TEST_F(BitmapDrawing, StopsAtTheImagesEdge) {
  fillBackground(kBlackCColor);
  bitmap->draw(context, CRect(0, 0, 40, 10), CPoint(20, 0));
  EXPECT_EQ(at(0, 0), kBlue);
  EXPECT_EQ(at(9, 9), kBlue);
  EXPECT_EQ(at(10, 0), kBlackCColor);  // beyond the image: untouched, not stretched or repeated
  EXPECT_EQ(at(39, 9), kBlackCColor);

  bitmap->draw(context, CRect(50, 30, 60, 40), CPoint(15, 5));
  EXPECT_EQ(at(50, 30), kGreen);
  EXPECT_EQ(at(55, 30), kBlue);
  EXPECT_NEAR(at(50, 35).red, 128, 1);  // half-transparent white over black
  EXPECT_EQ(at(50, 35).alpha, 255);
  EXPECT_EQ(at(55, 35), kBlackCColor);  // the transparent block
}

TEST_F(BitmapDrawing, HonoursClipAndOrigin) {
  context->pushTranslation(CPoint(10, 10));
  context->setClipRect(CRect(5, 0, 25, 5));
  bitmap->draw(context, CRect(0, 0, 30, 10));
  EXPECT_EQ(at(14, 10), kClear);  // left of the clip
  EXPECT_EQ(at(15, 10), kRed);
  EXPECT_EQ(at(20, 14), kGreen);
  EXPECT_EQ(at(20, 15), kClear);  // below the clip
  EXPECT_EQ(at(34, 10), kBlue);
  EXPECT_EQ(at(35, 10), kClear);
}

// Whether `bitmap` leaves a transparent image untouched when drawn.
bool drawsNothing(CBitmap* bitmap) {
  ImageCanvas canvas(8, 8);
  bitmap->draw(canvas.context, CRect(0, 0, 8, 8));
  return canvas.at(1, 1) == kClear;
}

TEST(Bitmaps, MissingOrBrokenImagesLoadNothing) {
  CBitmap* missing = new CBitmap("no_such_image");
  EXPECT_FALSE(missing->isLoaded());
  EXPECT_EQ(missing->getWidth(), 0);
  EXPECT_EQ(missing->getHeight(), 0);
  EXPECT_TRUE(drawsNothing(missing));
  missing->forget();

  images::registerForTest("not_a_png", {'n', 'o', 'p', 'e'});
  CBitmap* broken = new CBitmap("not_a_png");
  EXPECT_FALSE(broken->isLoaded());
  broken->forget();

  // A valid header over damaged pixel data: the size is known at once, and
  // only drawing finds the damage (and draws nothing).
  std::vector<unsigned char> damaged = blocksPNG(6, 5, {{kRed}});
  damaged.resize(damaged.size() - 20);
  images::registerForTest("damaged_blocks", damaged);
  CBitmap* bitmap = new CBitmap("damaged_blocks");
  EXPECT_TRUE(bitmap->isLoaded());
  EXPECT_EQ(bitmap->getWidth(), 6);
  EXPECT_EQ(bitmap->getHeight(), 5);
  EXPECT_EQ(dynamic_cast<CairoBitmap*>(bitmap->getPlatformBitmap())->getSurface(), nullptr);
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

  std::vector<unsigned char> damagedPNG = blocksPNG(6, 5, {{kRed}});
  damagedPNG.resize(damagedPNG.size() - 20);
  images::registerForTest("ahead_damaged", damagedPNG);
  CBitmap* damaged = new CBitmap("ahead_damaged");
  decodeAhead({damaged, nullptr, damaged});  // returns, and the paint will find nothing to draw
  EXPECT_FALSE(damaged->isDecoded());
  decodeAhead({});
  damaged->forget();
  root->forget();
  for (CBitmap* bitmap : bitmaps) bitmap->forget();
}

// The application's images, as the editor hands its skin to the toolkit.
class OneImage : public IImageSource {
 public:
  bool findImage(const char* name, const unsigned char*& bytes, std::size_t& size) const override {
    if (std::string(name) != "from_source.png") return false;
    bytes = png.data();
    size = png.size();
    return true;
  }
  const std::vector<unsigned char> png = blocksPNG(6, 4, {{kRed, kBlue}});
};

TEST(Bitmaps, ImagesComeFromTheApplicationsSourceWhateverTheCase) {
  static const OneImage source;  // the decoded image keeps pointing at its bytes
  CBitmap* before = new CBitmap("From_Source.png");
  EXPECT_FALSE(before->isLoaded()) << "no source, no images";
  before->forget();
  setImageSource(&source);
  CBitmap* bitmap = new CBitmap("From_Source.PNG");
  ASSERT_TRUE(bitmap->isLoaded());
  EXPECT_EQ(bitmap->getWidth(), 12);
  EXPECT_EQ(bitmap->getHeight(), 4);
  bitmap->decode();
  EXPECT_TRUE(bitmap->isDecoded());
  bitmap->forget();
  setImageSource(nullptr);
}

}  // namespace
}  // namespace sorel::test
