// The list of skin images: names, pixel sizes and frame counts as the editor's
// layout expects them, and who draws each one.
#include <strings.h>

#include <array>

#include "images.h"

namespace sorel::skingen {

namespace {

constexpr std::array kImages = {
    SkinImage{"back.png", 896, 340, 1, drawBack},           SkinImage{"backMS.png", 1001, 340, 1, drawBack},
    SkinImage{"fader.png", 36, 61, 1, drawFader},           SkinImage{"switch.png", 32, 32, 2, drawSwitch},
    SkinImage{"switchS.png", 9, 18, 2, drawSwitchSmall},    SkinImage{"knob.png", 81, 10449, 129, drawKnob},
    SkinImage{"knobS.png", 59, 7611, 129, drawKnob},        SkinImage{"knobXS.png", 40, 5160, 129, drawKnobTiny},
    SkinImage{"Sel.png", 17, 51, 3, drawMenuButton},        SkinImage{"clip.png", 42, 84, 2, drawClipRing},
    SkinImage{"3_18.png", 16, 32, 2, drawRangeSwitch},      SkinImage{"Mono.png", 80, 42, 1, drawMonoBadge},
    SkinImage{"SW_Stereo.png", 80, 126, 3, drawPageStereo}, SkinImage{"SW_Mid.png", 80, 126, 3, drawPageMid},
    SkinImage{"SW_Side.png", 80, 126, 3, drawPageSide},     SkinImage{"SW_Stereo_s.png", 52, 78, 3, drawPageStereo},
    SkinImage{"SW_Mid_s.png", 52, 78, 3, drawPageMid},      SkinImage{"SW_Side_s.png", 52, 78, 3, drawPageSide},
    SkinImage{"arrow.png", 13, 69, 3, drawStoreArrow},      SkinImage{"abc.png", 17, 51, 3, drawCompareRing},
    SkinImage{"name.png", 164, 68, 2, drawNameLamp},        SkinImage{"188x220.png", 195, 231, 1, drawModulePanel},
    SkinImage{"188x188.png", 188, 188, 1, drawSquarePanel}, SkinImage{"FrameO.png", 896, 340, 1, drawFrameOverlay},
    SkinImage{"captms.png", 37, 220, 1, drawSideCaptionMs}, SkinImage{"captst.png", 37, 220, 1, drawSideCaptionStereo},
    SkinImage{"Salt.png", 57, 19, 1, drawCaptionSalt},      SkinImage{"Pepper.png", 96, 19, 1, drawCaptionPepper},
    SkinImage{"Sugar.png", 84, 19, 1, drawCaptionSugar},    SkinImage{"Chili.png", 60, 19, 1, drawCaptionChili},
    SkinImage{"top.png", 190, 6, 1, drawPanelTop},          SkinImage{"btm.png", 190, 6, 1, drawPanelBottom},
    SkinImage{"mid.png", 190, 14, 1, drawPanelMiddle},      SkinImage{"AboutSorel.png", 896, 340, 1, drawAbout},
    SkinImage{"kst.png", 131, 41, 1, drawMakerLogo},        SkinImage{"seal.png", 181, 28, 1, drawSeal},
};

}  // namespace

std::span<const SkinImage> skinImages() { return kImages; }

const SkinImage* findImage(const char* name) {
  for (const SkinImage& image : kImages)
    if (strcasecmp(image.name, name) == 0) return &image;
  return nullptr;
}

cairo_surface_t* renderImage(const SkinImage& image, int scale) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width * scale, image.height * scale);
  cairo_t* cr = cairo_create(surface);
  cairo_font_options_t* options = cairo_font_options_create();
  // Unhinted outlines: the 2x skin then sets every word exactly twice as wide.
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  cairo_scale(cr, scale, scale);
  image.draw(cr, Strip{image.width, image.height / image.frames, image.frames});
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace sorel::skingen
