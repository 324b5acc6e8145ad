// The skin's images: one record per file, and the functions that draw them.
#pragma once

#include <cairo.h>

#include <span>

namespace sorel::skingen {

// The geometry of a strip at scale 1: `frames` frames of width x frameHeight,
// stacked vertically, frame 0 on top.
struct Strip {
  int width;
  int frameHeight;
  int frames;
};

// Draws the whole strip; the context is already scaled (1 or 2).
using DrawFn = void (*)(cairo_t* cr, const Strip& strip);

struct SkinImage {
  const char* name;  // file name at scale 1; the 2x file adds "_2x" before ".png"
  int width;
  int height;  // of the whole strip
  int frames;
  DrawFn draw;
};

std::span<const SkinImage> skinImages();
const SkinImage* findImage(const char* name);

// An image surface of the strip at `scale`; the caller destroys it.
cairo_surface_t* renderImage(const SkinImage& image, int scale);

// Calls `draw(cr, frame)` for every frame, translated to the frame's origin
// and clipped to it.
template <class F>
void forEachFrame(cairo_t* cr, const Strip& strip, F&& draw) {
  for (int f = 0; f < strip.frames; ++f) {
    cairo_save(cr);
    cairo_translate(cr, 0, f * strip.frameHeight);
    cairo_rectangle(cr, 0, 0, strip.width, strip.frameHeight);
    cairo_clip(cr);
    cairo_new_path(cr);
    draw(cr, f);
    cairo_restore(cr);
  }
}

// knob.cpp
void drawKnob(cairo_t* cr, const Strip& strip);           // with a scale of ticks (81 and 59 px)
void drawKnobTiny(cairo_t* cr, const Strip& strip);       // without, leaving room for the clip ring
void drawKnobAt(cairo_t* cr, double size, double value);  // one knob, for the about view

// buttons.cpp: keys and switches
void drawSwitch(cairo_t* cr, const Strip& strip);
void drawSwitchSmall(cairo_t* cr, const Strip& strip);
void drawRangeSwitch(cairo_t* cr, const Strip& strip);
void drawMenuButton(cairo_t* cr, const Strip& strip);
void drawStoreArrow(cairo_t* cr, const Strip& strip);
void drawFader(cairo_t* cr, const Strip& strip);
void drawPageStereo(cairo_t* cr, const Strip& strip);
void drawPageMid(cairo_t* cr, const Strip& strip);
void drawPageSide(cairo_t* cr, const Strip& strip);
void drawMonoBadge(cairo_t* cr, const Strip& strip);

// lamps.cpp: rings and lamps
void drawCompareRing(cairo_t* cr, const Strip& strip);
void drawClipRing(cairo_t* cr, const Strip& strip);
void drawNameLamp(cairo_t* cr, const Strip& strip);

// panels.cpp
void drawModulePanel(cairo_t* cr, const Strip& strip);
void drawSquarePanel(cairo_t* cr, const Strip& strip);
void drawPanelTop(cairo_t* cr, const Strip& strip);
void drawPanelBottom(cairo_t* cr, const Strip& strip);
void drawPanelMiddle(cairo_t* cr, const Strip& strip);
void drawCaptionSalt(cairo_t* cr, const Strip& strip);
void drawCaptionPepper(cairo_t* cr, const Strip& strip);
void drawCaptionSugar(cairo_t* cr, const Strip& strip);
void drawCaptionChili(cairo_t* cr, const Strip& strip);
void drawSideCaptionMs(cairo_t* cr, const Strip& strip);
void drawSideCaptionStereo(cairo_t* cr, const Strip& strip);
// A module face with its caption tab, shared with the right column's plate.
void drawFace(cairo_t* cr, double x, double y, double w, double h);
void drawTab(cairo_t* cr, double x, double y, double w, double h, const char* text);

// background.cpp
void drawBack(cairo_t* cr, const Strip& strip);
void drawFrameOverlay(cairo_t* cr, const Strip& strip);

// brand.cpp
void drawAbout(cairo_t* cr, const Strip& strip);
void drawMakerLogo(cairo_t* cr, const Strip& strip);
void drawSeal(cairo_t* cr, const Strip& strip);

}  // namespace sorel::skingen
