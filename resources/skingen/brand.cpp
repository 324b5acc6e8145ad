// The maker's logo, the channel badge and the about picture.
#include <cmath>
#include <numbers>

#include "draw.h"
#include "images.h"
#include "keys.h"
#include "layout.h"

namespace sorel::skingen {

namespace {

constexpr double kPi = std::numbers::pi;

// The maker's mark: a ring holding a stylised falcon's wing, drawn as a K.
void drawEmblem(cairo_t* cr, double cx, double cy, double r) {
  circle(cr, cx, cy, r);
  cairo_set_line_width(cr, r * 0.13);
  setColour(cr, palette::kOrange);
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, r * 0.17);
  cairo_move_to(cr, cx - r * 0.32, cy - r * 0.52);
  cairo_line_to(cr, cx - r * 0.32, cy + r * 0.52);
  cairo_move_to(cr, cx + r * 0.40, cy - r * 0.52);
  cairo_curve_to(cr, cx + r * 0.05, cy - r * 0.35, cx - r * 0.20, cy - r * 0.05, cx - r * 0.22, cy);
  cairo_curve_to(cr, cx - r * 0.05, cy + r * 0.10, cx + r * 0.20, cy + r * 0.30, cx + r * 0.42, cy + r * 0.52);
  setColour(cr, palette::kSteelLight);
  cairo_stroke(cr);
}

// Two overlapping rings: the left and right channels, or mid and side.
void drawChannelRings(cairo_t* cr, double cx, double cy, double r) {
  cairo_set_line_width(cr, r * 0.18);
  circle(cr, cx - r * 0.42, cy, r * 0.62);
  setColour(cr, palette::kOrange);
  cairo_stroke(cr);
  circle(cr, cx + r * 0.42, cy, r * 0.62);
  setColour(cr, palette::kSteelLight);
  cairo_stroke(cr);
}

// The four modules as small faces with their lamps, down the left side.
void drawModuleList(cairo_t* cr) {
  static constexpr const char* kNames[] = {"SALT", "PEPPER", "SUGAR", "CHILI"};
  for (int i = 0; i < 4; ++i) {
    const double y = 112 + i * 40;
    roundedRect(cr, 34, y, 100, 24, 3);
    setVerticalGradient(cr, y, y + 24, palette::kFaceTop, palette::kFaceBottom);
    cairo_fill(cr);
    drawLed(cr, 47, y + 12, 3.0, palette::kOrange, true);
    engravedText(cr, kNames[i], 58, y + 16, Font{10.0, true, 1.6}, Align::kLeft, palette::kInk, 0.6);
  }
}

// A knob on a square of face, down the right side.
void drawKnobShowcase(cairo_t* cr) {
  drawFace(cr, 738, 104, 136, 136);
  cairo_save(cr);
  cairo_translate(cr, 748, 114);
  drawKnobAt(cr, 116, 0.68);
  cairo_restore(cr);
}

// The block the about view writes into: dark for the white captions, with a
// light band under each blue credit line.
void drawCreditCard(cairo_t* cr) {
  roundedRect(cr, 160, 88, 556, 186, 6);
  pathShadow(cr, 0, 2, 6, 0.7);
  setColour(cr, rgb(19, 20, 22));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  setColour(cr, palette::kWhite, 0.1);
  cairo_stroke(cr);
  for (const double top : {154.0, 202.0, 250.0}) {
    roundedRect(cr, 186, top, 520, 18, 3);
    setVerticalGradient(cr, top, top + 18, rgb(240, 237, 230), rgb(224, 220, 211));
    cairo_fill(cr);
  }
}

}  // namespace

void drawMakerLogo(cairo_t* cr, const Strip& strip) {
  const double h = strip.frameHeight;
  drawEmblem(cr, 19, h / 2, 13.5);
  drawText(cr, "KESTRUNE", 40, h / 2 + 3.5, Font{14.0, true, 1.3}, Align::kLeft, palette::kSteelLight);
  drawText(cr, "AUDIO ENGINEERING", 40.5, h / 2 + 12.5, Font{6.0, true, 1.1}, Align::kLeft, palette::kLegendDim);
}

void drawSeal(cairo_t* cr, const Strip& strip) {
  const double h = strip.frameHeight;
  drawChannelRings(cr, 13, h / 2, 11.5);
  drawText(cr, "STEREO  +  M/S", 31, h / 2 + 1.5, Font{10.5, true, 1.5}, Align::kLeft, palette::kSteelLight);
  drawText(cr, "FOUR SPICE MODULES", 31.5, h / 2 + 10, Font{6.5, true, 1.9}, Align::kLeft, rgb(196, 158, 92));
}

void drawAbout(cairo_t* cr, const Strip& strip) {
  const double w = strip.width, h = strip.frameHeight;
  cairo_rectangle(cr, 0, 0, w, h);
  setVerticalGradient(cr, 0, h, palette::kChassisTop, palette::kChassisBottom);
  cairo_fill(cr);
  brush(cr, 0, 0, w, h, 1.6, 5);
  glowingText(cr, "SOREL", w / 2, 52, Font{34.0, true, 14.0}, Align::kCentre, palette::kOrangeHot, palette::kOrange, 6);
  drawText(cr, "HARMONIC MASTERING PROCESSOR", w / 2, 72, Font{9.0, true, 3.6}, Align::kCentre, palette::kLegend);
  drawCreditCard(cr);
  drawModuleList(cr);
  drawKnobShowcase(cr);
  drawText(cr, "CLICK ANYWHERE TO CLOSE", w / 2, 300, Font{8.0, true, 2.4}, Align::kCentre, palette::kLegendDim);
  drawText(cr, "\u00A9 KESTRUNE", w / 2, 322, Font{8.0, false, 1.6}, Align::kCentre, palette::kLegendDim);
  screw(cr, 10, 10, 3.6, 0.3);
  screw(cr, w - 10, 10, 3.6, 1.1);
  screw(cr, 10, h - 10, 3.6, 0.8);
  screw(cr, w - 10, h - 10, 3.6, 0.1);
}

}  // namespace sorel::skingen
