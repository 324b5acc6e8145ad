// The embedded skin, decoded as the editor decodes it: every name at both
// scales with the size the layout expects, the parts that must stay
// transparent, light faces under the dark read-out text, and frames that
// tell their states apart.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "embedded.h"
#include "platform/cairo/pngdecode.h"
#include "skinimages.h"

namespace {

using sorel::resources::EmbeddedFile;

constexpr int kScales[] = {1, 2};

struct Rgba {
  double r, g, b, a;  // 0..255, not premultiplied
};

// A PNG decoded by the editor's own decoder; pixel coordinates are in skin pixels times the scale.
class Image {
 public:
  explicit Image(const EmbeddedFile& file)
      : surface_(VSTGUI::png::decode(file.bytes, file.size), cairo_surface_destroy) {}
  bool ok() const { return surface_ && cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
  int width() const { return cairo_image_surface_get_width(surface_.get()); }
  int height() const { return cairo_image_surface_get_height(surface_.get()); }

  Rgba pixel(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface_.get()) + y * cairo_image_surface_get_stride(surface_.get());
    std::uint32_t v;
    std::memcpy(&v, row + x * 4, 4);
    const double a = cairo_image_surface_get_format(surface_.get()) == CAIRO_FORMAT_ARGB32 ? (v >> 24) & 0xFF : 255;
    auto channel = [&](int shift) { return a == 0 ? 0.0 : ((v >> shift) & 0xFF) * 255.0 / a; };
    return {channel(16), channel(8), channel(0), a};
  }

 private:
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
};

// Decodes each file once for the whole run: the 2x knob strips are large.
const Image& image(const char* name, int scale = 1) {
  static std::map<std::string, std::unique_ptr<Image>> cache;
  std::string key = name;
  if (scale == 2) key.insert(key.rfind('.'), "_2x");
  auto it = cache.find(key);
  if (it == cache.end()) {
    const EmbeddedFile* file = sorel::resources::find(key.c_str());
    if (file == nullptr) throw std::runtime_error("not embedded: " + key);
    it = cache.emplace(key, std::make_unique<Image>(*file)).first;
  }
  return *it->second;
}

double linear(double c) {
  c /= 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const Rgba& p) { return 0.2126 * linear(p.r) + 0.7152 * linear(p.g) + 0.0722 * linear(p.b); }

// Contrast of the read-outs' (44, 44, 44) text on a pixel, as WCAG defines it.
double inkContrast(const Rgba& p) {
  const double ink = luminance({44, 44, 44, 255});
  return (luminance(p) + 0.05) / (ink + 0.05);
}

struct Rect {
  double x, y, w, h;
};

// The lowest contrast for the read-out ink over a rectangle given in skin pixels.
double worstInkContrast(const Image& img, Rect r, int scale) {
  double worst = 1e9;
  for (int y = static_cast<int>(r.y * scale); y < static_cast<int>((r.y + r.h) * scale); ++y)
    for (int x = static_cast<int>(r.x * scale); x < static_cast<int>((r.x + r.w) * scale); ++x) {
      const Rgba p = img.pixel(x, y);
      worst = std::min(worst, p.a < 255 ? 0.0 : inkContrast(p));
    }
  return worst;
}

double difference(const Rgba& a, const Rgba& b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

// Share of the pixels of two frames of a strip that differ by more than `levels`.
double changedShare(const Image& img, int frameHeight, int f0, int f1, double levels) {
  int changed = 0;
  for (int y = 0; y < frameHeight; ++y)
    for (int x = 0; x < img.width(); ++x)
      if (difference(img.pixel(x, f0 * frameHeight + y), img.pixel(x, f1 * frameHeight + y)) > levels) ++changed;
  return static_cast<double>(changed) / (frameHeight * img.width());
}

bool orange(const Rgba& p) { return p.a > 200 && p.r > 220 && p.g > 110 && p.g < 200 && p.b < 90; }
// Lit amber: a lamp's letters, halo or track, whatever their exact shade.
bool warmLight(const Rgba& p) { return p.a > 200 && p.r > 150 && p.r - p.b > 100 && p.g < p.r; }
bool red(const Rgba& p) { return p.a > 200 && p.r > 200 && p.g < 120 && p.b < 110; }

struct Count {
  int pixels = 0;
  double sumX = 0, sumY = 0;  // relative to the frame's centre
};

// Pixels of a frame that pass `test`, between two distances from its centre.
template <class Test>
Count countFrame(const Image& img, int frameHeight, int frame, Test test, double from = 0, double to = 1e9) {
  Count c;
  for (int y = 0; y < frameHeight; ++y)
    for (int x = 0; x < img.width(); ++x) {
      const double dx = x + 0.5 - img.width() / 2.0, dy = y + 0.5 - frameHeight / 2.0;
      const double r = std::hypot(dx, dy);
      if (r >= from && r < to && test(img.pixel(x, frame * frameHeight + y))) {
        ++c.pixels;
        c.sumX += dx;
        c.sumY += dy;
      }
    }
  return c;
}

// Mean difference, in levels, between a 1x image and its 2x twin averaged
// down over 2 x 2 blocks (premultiplied, as a renderer would scale it).
double scaleMismatch(const Image& one, const Image& two) {
  const auto premultiplied = [](const Rgba& p) {
    return std::array<double, 4>{p.r * p.a / 255, p.g * p.a / 255, p.b * p.a / 255, p.a};
  };
  double sum = 0;
  for (int y = 0; y < one.height(); ++y)
    for (int x = 0; x < one.width(); ++x) {
      double block[4] = {};
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
          const auto c = premultiplied(two.pixel(2 * x + dx, 2 * y + dy));
          for (int i = 0; i < 4; ++i) block[i] += c[i] / 4;
        }
      const auto c = premultiplied(one.pixel(x, y));
      for (int i = 0; i < 4; ++i) sum += std::abs(block[i] - c[i]) / 4;
    }
  return sum / (one.height() * one.width());
}

// --- Names and sizes ---------------------------------------------------------

// (The sizes the layout needs are checked where the editor places its knobs,
// switches and window.)
TEST(SkinFiles, EmbedsWhatTheEditorLoadsAtBothScalesTheSameArtworkAndNothingElseFoundByWholeName) {
  std::set<std::string> expected;
  for (const sorel::SkinImage& row : sorel::kSkinImages) {
    if (row.kind > 1) continue;
    expected.insert({row.name, row.largeName});
    SCOPED_TRACE(row.name);
    const Image& one = image(row.name, 1);
    const Image& two = image(row.largeName);
    ASSERT_TRUE(one.ok());
    ASSERT_TRUE(two.ok());
    EXPECT_EQ(two.width(), 2 * one.width());
    EXPECT_EQ(two.height(), 2 * one.height());
    // The same artwork drawn twice as large.
    EXPECT_LT(scaleMismatch(one, two), 4.0);
  }
  std::set<std::string> embedded;
  for (const EmbeddedFile* f = sorel::resources::begin(); f != sorel::resources::end(); ++f) {
    EXPECT_TRUE(embedded.insert(f->name).second) << "twice: " << f->name;
  }
  EXPECT_EQ(embedded, expected);
  // Lookup matches whole names only. (Loading by any case goes through the bitmaps' tests.)
  ASSERT_NE(sorel::resources::find("Back.Png"), nullptr);
  for (const char* name : {"back", "back.png.bak", "ack.png", "nothing.png", "", static_cast<const char*>(nullptr)})
    EXPECT_EQ(sorel::resources::find(name), nullptr) << (name ? name : "null");
}

// --- Transparency ------------------------------------------------------------

TEST(SkinTransparency, FrameOverlayIsClearButForItsLines) {
  for (const int s : kScales) {
    SCOPED_TRACE(s);
    const Image& img = image("FrameO.png", s);
    // Where the page background, the panels and the right column show through.
    for (const auto& [x, y] : {std::pair{448, 170}, {120, 200}, {500, 60}, {842, 120}, {300, 100}, {700, 300}})
      EXPECT_EQ(img.pixel(x * s, y * s).a, 0) << x << "," << y;
    // The trim at y 28-32, which the separator strips interrupt.
    for (int x = 40; x <= 856; x += 24) EXPECT_EQ(img.pixel(x * s, 30 * s).a, 255) << x;
  }
}

TEST(SkinTransparency, RingsAreOpenInTheMiddleAndSolidAround) {
  struct Ring {
    const char* name;
    double hole;  // clear radius around the centre, skin pixels
    double band;  // a radius inside the ring
  };
  for (const Ring ring : {Ring{"clip.png", 16.5, 19.2}, Ring{"abc.png", 5.0, 7.0}})
    for (const int s : kScales) {
      const Image& img = image(ring.name, s);
      const int size = img.width();
      for (int frame = 0; frame < img.height() / size; ++frame) {
        SCOPED_TRACE(std::string(ring.name) + " scale " + std::to_string(s) + " frame " + std::to_string(frame));
        EXPECT_EQ(countFrame(img, size, frame, [](const Rgba& p) { return p.a != 0; }, 0, ring.hole * s).pixels, 0);
        const double c = size / 2.0;
        for (int i = 0; i < 8; ++i) {
          const double a = i * 3.14159265358979 / 4;
          const int x = static_cast<int>(c + ring.band * s * std::cos(a));
          const int y = static_cast<int>(c + ring.band * s * std::sin(a));
          EXPECT_EQ(img.pixel(x, frame * size + y).a, 255) << "angle step " << i;
        }
      }
    }
}

// --- Read-outs print (44, 44, 44) without a background -----------------------

TEST(SkinReadability, FacesAreLightUnderTheHintLineEveryReadoutAndTheCaptionsDarkText) {
  // Module read-outs relative to a panel at (20, 84): centred on their knobs,
  // 90 px wide on the Stereo page and 70 px on the M/S page, 18 to 4 px above the knob.
  auto readout = [](double knobX, double knobY, double knobSize, double width) {
    return Rect{knobX + knobSize / 2 - width / 2 - 20, knobY - 18 - 84, width, 14};
  };
  const std::pair<const char*, Rect> areas[] = {
      {"back.png", {400, 42, 150, 20}},          {"back.png", {806, 143, 70, 14}},
      {"back.png", {806, 228, 70, 14}},          {"backMS.png", {400, 42, 150, 20}},
      {"backMS.png", {806, 143, 70, 14}},        {"backMS.png", {806, 228, 70, 14}},
      {"188x220.png", readout(33, 110, 81, 90)}, {"188x220.png", readout(114, 206, 81, 90)},
      {"188x220.png", readout(32, 110, 59, 70)}, {"188x220.png", readout(112, 136, 59, 70)},
      {"188x220.png", readout(32, 214, 59, 70)}, {"188x220.png", readout(112, 240, 59, 70)}};
  for (const int s : kScales)
    for (const auto& [name, r] : areas) {
      SCOPED_TRACE(std::string(name) + " scale " + std::to_string(s) + " at " + std::to_string(r.x) + "," +
                   std::to_string(r.y));
      EXPECT_GE(worstInkContrast(image(name, s), r, s), 4.5);
    }
  // The module captions: dark text on light.
  for (const char* name : {"Salt.png", "Pepper.png", "Sugar.png", "Chili.png"})
    for (const int s : kScales) {
      const Image& img = image(name, s);
      EXPECT_GE(worstInkContrast(img, Rect{4, 15, 3, 3}, s), 4.5) << name;
      // The text itself: something near the middle row is as dark as the ink.
      double darkest = 1.0;
      for (int x = 0; x < img.width(); ++x)
        for (int y = 7 * s; y < 13 * s; ++y) darkest = std::min(darkest, luminance(img.pixel(x, y)));
      EXPECT_LT(darkest, 0.06) << name;
    }
}

// --- Frames -----------------------------------------------------------------

TEST(SkinFrames, KnobFramesStepFromSevenThirtyToFourThirty) {
  for (const char* name : {"knob.png", "knobS.png", "knobXS.png"})
    for (const int s : kScales) {
      SCOPED_TRACE(std::string(name) + " scale " + std::to_string(s));
      const Image& img = image(name, s);
      const int size = img.width();
      ASSERT_EQ(img.height(), size * 129);
      // Knobs sit on the module faces: nothing square around them.
      for (const int frame : {0, 64, 128})
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
          EXPECT_EQ(img.pixel(x, frame * size + y).a, 0) << "corner of frame " << frame;
      for (int f = 1; f < 129; ++f) ASSERT_GT(changedShare(img, size, f - 1, f, 40), 0.0) << "frame " << f;
      EXPECT_GT(changedShare(img, size, 0, 128, 40), 0.08);
      // The orange arc, outside the cap, grows with the value.
      const double cap = 0.26 * size;
      EXPECT_EQ(countFrame(img, size, 0, orange, cap).pixels, 0);
      EXPECT_LT(countFrame(img, size, 32, orange, cap).pixels, countFrame(img, size, 64, orange, cap).pixels);
      EXPECT_LT(countFrame(img, size, 64, orange, cap).pixels, countFrame(img, size, 128, orange, cap).pixels);
      // The pointer, on the cap: lower left at 0, straight up at the middle,
      // lower right at the end (its centre, in knob sizes from the middle; a
      // frame without one gives NaN and fails).
      auto pointer = [&](int frame) {
        const Count c = countFrame(img, size, frame, orange, 0, cap);
        return std::pair{c.sumX / c.pixels / size, c.sumY / c.pixels / size};
      };
      const auto [firstX, firstY] = pointer(0);
      const auto [middleX, middleY] = pointer(64);
      const auto [lastX, lastY] = pointer(128);
      EXPECT_LT(firstX, -0.05);
      EXPECT_GT(firstY, 0.05);
      EXPECT_NEAR(middleX, 0, 0.02);
      EXPECT_LT(middleY, -0.08);
      EXPECT_GT(lastX, 0.05);
      EXPECT_GT(lastY, 0.05);
    }
}

// Strips whose frames are states: every two frames tell apart, and a lamp's
// light shows on its second frame and not on its first.
TEST(SkinFrames, EveryStateOfAStripIsTellableAndLampsLightOnlyWhenOn) {
  struct States {
    const char* name;
    int frames;
    double levels, share;  // frames differ by `levels` on more than `share` of their pixels
    bool (*lit)(const Rgba&);
  };
  for (const States strip : {States{"switch.png", 2, 60, 0.08, warmLight}, States{"name.png", 2, 60, 0.08, warmLight},
                             States{"switchS.png", 2, 60, 0.08, warmLight}, States{"3_18.png", 2, 60, 0.08, warmLight},
                             States{"clip.png", 2, 60, 0.08, red}, States{"abc.png", 3, 24, 0.02, orange},
                             States{"SW_Stereo.png", 3, 24, 0.02, nullptr}, States{"SW_Mid.png", 3, 24, 0.02, nullptr},
                             States{"SW_Side.png", 3, 24, 0.02, nullptr}, States{"SW_Stereo_s.png", 3, 24, 0.02, nullptr},
                             States{"Sel.png", 3, 24, 0.02, nullptr}, States{"arrow.png", 3, 24, 0.02, nullptr}})
    for (const int s : kScales) {
      SCOPED_TRACE(std::string(strip.name) + " scale " + std::to_string(s));
      const Image& img = image(strip.name, s);
      const int fh = img.height() / strip.frames;
      for (int a = 0; a < strip.frames; ++a)
        for (int b = a + 1; b < strip.frames; ++b)
          EXPECT_GT(changedShare(img, fh, a, b, strip.levels), strip.share) << "frames " << a << "/" << b;
      if (!strip.lit) continue;
      EXPECT_EQ(countFrame(img, fh, 0, strip.lit).pixels, 0);
      EXPECT_GT(countFrame(img, fh, 1, strip.lit).pixels, img.width() * fh / 50);
    }
}

// --- The generator ---------------------------------------------------------------

// Same program, same bytes: the build never churns, and every build of a
// version carries the same skin.
TEST(SkinGenerator, RedrawsTheEmbeddedFilesByteForByte) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the generator draws on one thread: nothing here for the thread sanitizer";
#endif
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "sorel-skin-again";
  std::filesystem::remove_all(dir);
  const std::string command = std::string("\"") + SOREL_SKINGEN + "\" \"" + dir.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const EmbeddedFile* f = sorel::resources::begin(); f != sorel::resources::end(); ++f) {
    std::ifstream in(dir / f->name, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(bytes.size(), f->size) << f->name;
    EXPECT_EQ(std::memcmp(bytes.data(), f->bytes, f->size), 0) << f->name;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
