#include "preview.h"

#include <map>
#include <string>

#include "draw.h"
#include "images.h"
#include "layout.h"
#include "version.h"

namespace sorel::skingen {

namespace {

using layout::Box;

// Renders each image the first time it is asked for.
class ImageCache {
 public:
  explicit ImageCache(int scale) : scale_(scale) {}
  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;
  ~ImageCache() {
    for (auto& entry : surfaces_) cairo_surface_destroy(entry.second);
  }

  cairo_surface_t* get(const char* name) {
    auto it = surfaces_.find(name);
    if (it != surfaces_.end()) return it->second;
    const SkinImage* image = findImage(name);
    cairo_surface_t* s = image != nullptr ? renderImage(*image, scale_) : nullptr;
    surfaces_.emplace(name, s);
    return s;
  }
  int frameHeight(const char* name) const {
    const SkinImage* image = findImage(name);
    return image->height / image->frames;
  }
  int scale() const { return scale_; }

 private:
  int scale_;
  std::map<std::string, cairo_surface_t*> surfaces_;
};

class Composer {
 public:
  Composer(cairo_t* cr, ImageCache& images) : cr_(cr), images_(images) {}

  // Paints frame `frame` of an image with its top-left corner at (x, y).
  void image(const char* name, double x, double y, int frame = 0) {
    const SkinImage* info = findImage(name);
    const int fh = images_.frameHeight(name);
    cut(name, 0, frame * fh, info->width, fh, x, y);
  }

  // Paints the part (sx, sy, w, h) of an image at (x, y).
  void cut(const char* name, double sx, double sy, double w, double h, double x, double y) {
    const double s = images_.scale();
    cairo_save(cr_);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_clip(cr_);
    cairo_translate(cr_, x - sx, y - sy);
    cairo_scale(cr_, 1 / s, 1 / s);
    cairo_set_source_surface(cr_, images_.get(name), 0, 0);
    cairo_paint(cr_);
    cairo_restore(cr_);
  }

  // A knob strip at a value in [0, 1], with its read-out above it.
  void knob(const char* name, double x, double y, double value, const char* readout) {
    const SkinImage* info = findImage(name);
    image(name, x, y, static_cast<int>(value * (info->frames - 1) + 0.5));
    const double cx = x + info->width / 2.0;
    drawText(cr_, readout, cx, y - 5.5, Font{14.0, false}, Align::kCentre, palette::kInk);
  }

  void text(const char* s, double x, double baseline, double size, Rgb colour, Align align = Align::kLeft) {
    drawText(cr_, s, x, baseline, Font{size, false}, align, colour);
  }

 private:
  cairo_t* cr_;
  ImageCache& images_;
};

void composeTopBar(Composer& c, bool stereo) {
  c.image("kst.png", layout::kMakerLogo.x, layout::kMakerLogo.y);
  c.image("seal.png", layout::kSeal.x, layout::kSeal.y);
  static constexpr const char* kCaptions[] = {"Salt.png", "Pepper.png", "Sugar.png", "Chili.png"};
  for (int i = 0; i < 4; ++i) c.image(kCaptions[i], layout::xOf(layout::kRowCaptions + i), layout::kCaptionY);
  c.image("name.png", layout::kNameLamp.x, layout::kNameLamp.y, stereo ? 1 : 0);
  c.text(stereo ? "Intensity" : "transfer params", layout::kHintLine.x + 2, layout::kHintLine.y + 15.5, 16,
         palette::kInk);
  c.image(stereo ? "SW_Stereo.png" : "SW_Mid.png", layout::kPageButton.x, layout::kPageButton.y, stereo ? 0 : 2);
  c.image("Sel.png", layout::kMenuButton.x, layout::kMenuButton.y, stereo ? 0 : 2);
  c.image("switch.png", layout::kGlobalSwitch.x, layout::kGlobalSwitch.y, stereo ? 1 : 0);
}

void composeStrips(Composer& c) {
  static constexpr Box kStrips[] = {{33, 28, 175, 4},  {246, 28, 88, 4}, {547, 28, 137, 4}, {48, 84, 61, 4},
                                    {243, 84, 105, 4}, {440, 84, 92, 4}, {636, 84, 68, 4}};
  for (const Box& b : kStrips) c.cut("back.png", b.x, b.y, b.w, b.h, b.x, b.y);
}

void composeRightColumn(Composer& c, bool stereo) {
  for (int i = 0; i < 3; ++i) {
    c.image("abc.png", layout::kSelectorX[i], layout::kSelectorY, stereo ? i : 2 - i);
    c.image("arrow.png", layout::kArrowX[i], layout::kArrowY, i == 1 && !stereo ? 1 : 0);
  }
  c.knob("knobXS.png", layout::kInputKnob.x, layout::kInputKnob.y, stereo ? 0.5 : 0.8, stereo ? "0.0 dB" : "+1.8 dB");
  c.knob("knobXS.png", layout::kOutputKnob.x, layout::kOutputKnob.y, stereo ? 0.35 : 0.5,
         stereo ? "-0.9 dB" : "0.0 dB");
  c.image("clip.png", layout::kClipX, layout::kClipY, stereo ? 0 : 1);
  c.image("3_18.png", layout::kRangeX, layout::kInputRangeY, stereo ? 0 : 1);
  c.image("3_18.png", layout::kRangeX, layout::kOutputRangeY, 0);
}

void composeStereoModules(Composer& c) {
  static constexpr double kValues[4][2] = {{0.0, 0.5}, {0.42, 0.25}, {0.75, 1.0}, {1.0, 0.1}};
  static constexpr const char* kTexts[4][2] = {
      {"off", "50.0"}, {"42.0 %", "25.0"}, {"75.0 %", "100.0"}, {"100.0 %", "10.0"}};
  for (int i = 0; i < 4; ++i) {
    const int row = layout::kRowStereoModules + 3 * i;  // amount, flavour, switch
    c.knob("knob.png", layout::xOf(row), layout::yOf(row), kValues[i][0], kTexts[i][0]);
    c.knob("knob.png", layout::xOf(row + 1), layout::yOf(row + 1), kValues[i][1], kTexts[i][1]);
    c.image("switch.png", layout::xOf(row + 2), layout::yOf(row + 2), i == 0 ? 0 : 1);
  }
}

void composeMidSideModules(Composer& c) {
  constexpr int kSideRows = 12;  // the Side set's rows follow the Mid set's
  for (int i = 0; i < 4; ++i) {
    const int mid = layout::kRowMidSideModules + 3 * i, side = mid + kSideRows;
    const double v = 0.2 + 0.2 * i;
    c.knob("knobS.png", layout::xOf(mid), layout::yOf(mid), v, "40.0 %");
    c.knob("knobS.png", layout::xOf(mid + 1), layout::yOf(mid + 1), 1 - v, "60.0");
    c.image("switch.png", layout::xOf(mid + 2), layout::yOf(mid + 2), 1);
    c.knob("knobS.png", layout::xOf(side), layout::yOf(side), v / 2, "20.0 %");
    c.knob("knobS.png", layout::xOf(side + 1), layout::yOf(side + 1), 0.5, "50.0");
    c.image("switch.png", layout::xOf(side + 2), layout::yOf(side + 2), i % 2);
  }
}

void composeAntiAliasBox(cairo_t* cr) {
  const Box b = layout::kAntiAliasBox;
  cairo_rectangle(cr, b.x, b.y, b.w, b.h);
  setColour(cr, rgb(88, 88, 88));
  cairo_fill(cr);
  drawText(cr, "AA SplitFir", b.x + 4, b.y + 14, Font{12.0, false}, Align::kLeft, rgb(180, 180, 180));
}

void composeEditor(cairo_t* cr, ImageCache& images, bool stereo) {
  Composer c(cr, images);
  c.image("back.png", 0, 0);
  c.image("FrameO.png", 0, 0);
  for (const double x : layout::kPanelX) c.image("188x220.png", x, layout::kPanelY);
  composeStrips(c);
  composeTopBar(c, stereo);
  composeAntiAliasBox(cr);
  composeRightColumn(c, stereo);
  if (stereo)
    composeStereoModules(c);
  else
    composeMidSideModules(c);
}

void composeAbout(cairo_t* cr, ImageCache& images) {
  Composer c(cr, images);
  c.image("AboutSorel.png", 0, 0);
  const Rgb white = palette::kWhite, blue = rgb(8, 66, 255);
  c.text((std::string("Version: ") + kVersionText).c_str(), 174, 111, 13, rgb(221, 139, 49));
  static constexpr const char* kCaptions[] = {
      "Product Idea & Concept:", "Coding, Audio Algorithms & Graphics:", "Consulting Mastering Engineer:"};
  for (int i = 0; i < 3; ++i) {
    const double top = 138 + 48 * i;
    c.text(kCaptions[i], 174, top + 13, 13, white);
    c.text("A. Person / An Organisation", 194, top + 29, 13, blue);
    cairo_rectangle(cr, 194, top + 31, 170, 1);
    setColour(cr, blue);
    cairo_fill(cr);
  }
}

}  // namespace

cairo_surface_t* composePreview(PreviewPage page, int scale) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layout::kWidth * scale, layout::kHeight * scale);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  ImageCache images(scale);
  if (page == PreviewPage::kAbout)
    composeAbout(cr, images);
  else
    composeEditor(cr, images, page == PreviewPage::kStereo);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace sorel::skingen
