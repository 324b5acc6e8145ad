// Lamps: the A/B/C selector rings, the input-clip ring and the name lamp.
// The rings are open in the middle: the letters and the input knob beneath
// them must show through.
#include "draw.h"
#include "images.h"
#include "keys.h"

namespace sorel::skingen {

namespace {

void annulus(cairo_t* cr, double c, double inner, double outer) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  circle(cr, c, c, outer);
  circle(cr, c, c, inner);
}

// Restricts drawing to outside the ring's hole, so no glow spills into it.
void clipOutsideHole(cairo_t* cr, double c, double inner, double size) {
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, 0, 0, size, size);
  circle(cr, c, c, inner);
  cairo_clip(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// A ring lit from within: halo, body and a hot core line.
void litRing(cairo_t* cr, double c, double inner, double outer, Rgb colour, Rgb hot) {
  cairo_push_group(cr);
  annulus(cr, c, inner, outer);
  setColour(cr, colour);
  cairo_fill(cr);
  popBlurred(cr, (outer - inner) * 0.9, 1.0);
  annulus(cr, c, inner, outer);
  cairo_pattern_t* p = cairo_pattern_create_radial(c, c, inner, c, c, outer);
  addStop(p, 0, colour);
  addStop(p, 0.5, hot);
  addStop(p, 1, colour);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// A dark bezel ring, bright where the light falls on its inner and outer lips.
void darkRing(cairo_t* cr, double c, double inner, double outer, Rgb top, Rgb bottom) {
  annulus(cr, c, inner, outer);
  setVerticalGradient(cr, c - outer, c + outer, top, bottom);
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.7);
  circle(cr, c, c, inner + 0.35);
  setVerticalGradient(cr, c - inner, c + inner, palette::kBlack, palette::kWhite, 0.45);
  cairo_stroke(cr);
  circle(cr, c, c, outer - 0.35);
  setVerticalGradient(cr, c - outer, c + outer, palette::kWhite, palette::kBlack, 0.35);
  cairo_stroke(cr);
}

// A pale, flat ring: the store is empty.
void emptyRing(cairo_t* cr, double c, double inner, double outer) {
  annulus(cr, c, inner, outer);
  setColour(cr, rgb(203, 200, 194));
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.6);
  circle(cr, c, c, outer - 0.3);
  setColour(cr, palette::kInkSoft, 0.45);
  cairo_stroke(cr);
  circle(cr, c, c, inner + 0.3);
  cairo_stroke(cr);
}

}  // namespace

// Frames: store available (dark ring), lit (pressed or selected), store empty (pale).
void drawCompareRing(cairo_t* cr, const Strip& strip) {
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const double c = strip.width / 2.0, outer = c - 0.3, inner = 5.6;
    clipOutsideHole(f, c, inner, strip.width);
    if (frame == 0) darkRing(f, c, inner, outer, palette::kKeyTop, palette::kKeyBottom);
    if (frame == 1) litRing(f, c, inner, outer - 0.4, palette::kOrange, palette::kOrangeHot);
    if (frame == 2) emptyRing(f, c, inner, outer);
  });
}

void drawClipRing(cairo_t* cr, const Strip& strip) {
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const double c = strip.width / 2.0, inner = 18.0, outer = 20.4;
    clipOutsideHole(f, c, inner - 0.5, strip.width);
    if (frame == 0)
      darkRing(f, c, inner, outer, rgb(64, 66, 70), rgb(20, 21, 23));
    else
      litRing(f, c, inner, outer, palette::kRed, palette::kRedHot);
  });
}

// "SOREL" behind dark glass in a steel bezel: dim while bypassed, glowing when on.
void drawNameLamp(cairo_t* cr, const Strip& strip) {
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const bool lit = frame == 1;
    const double w = strip.width, h = strip.frameHeight;
    roundedRect(f, 0.5, 0.5, w - 1, h - 1, 6);
    setVerticalGradient(f, 0, h, palette::kSteelDark, rgb(34, 35, 38));
    cairo_fill(f);
    roundedRect(f, 2, 2, w - 4, h - 4, 4.5);
    setVerticalGradient(f, 2, h - 2, rgb(10, 10, 11), rgb(26, 26, 28));
    cairo_fill_preserve(f);
    if (lit) {
      cairo_pattern_t* haze = cairo_pattern_create_radial(w / 2, h / 2, 0, w / 2, h / 2, w / 2);
      cairo_pattern_add_color_stop_rgba(haze, 0, 1.0, 0.5, 0.0, 0.22);
      cairo_pattern_add_color_stop_rgba(haze, 1, 1.0, 0.5, 0.0, 0.0);
      cairo_set_source(f, haze);
      cairo_fill_preserve(f);
      cairo_pattern_destroy(haze);
    }
    cairo_clip(f);
    const Font font{20.0, true, 7.0};
    const double baseline = h / 2 + 7.2;
    if (lit)
      glowingText(f, "SOREL", w / 2 + 7, baseline, font, Align::kCentre, palette::kOrangeHot, palette::kOrange, 4.0);
    else
      drawText(f, "SOREL", w / 2 + 7, baseline, font, Align::kCentre, rgb(62, 58, 54));
    drawLed(f, 15, h / 2, 3.0, palette::kOrange, lit);
    // Glass: a faint reflection over the upper half.
    cairo_rectangle(f, 2, 2, w - 4, h / 2 - 2);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, 2, 0, h / 2);
    cairo_pattern_add_color_stop_rgba(glass, 0, 1, 1, 1, 0.10);
    cairo_pattern_add_color_stop_rgba(glass, 1, 1, 1, 1, 0.02);
    cairo_set_source(f, glass);
    cairo_fill(f);
    cairo_pattern_destroy(glass);
  });
}

}  // namespace sorel::skingen
