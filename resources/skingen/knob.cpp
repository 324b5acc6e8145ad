// The knobs: a near-black cap with a knurled rim on a soft shadow, an orange
// pointer, and an orange value arc around it. 270 degrees of travel from
// 7:30 to 4:30 o'clock; frame k of 129 shows the value k / 128.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "draw.h"
#include "images.h"

namespace sorel::skingen {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kStart = 0.75 * kPi;  // 7:30, in cairo's clockwise angles from 3 o'clock
constexpr double kTravel = 1.5 * kPi;  // 270 degrees

// Proportions of a knob, as fractions of its box.
struct KnobGeometry {
  double size;
  double body;  // radius of the cap
  double arc;   // radius of the value arc's centre line
  double arcWidth;
  bool ticks;
};

KnobGeometry geometryFor(double size, bool ticks) {
  if (ticks) return {size, 0.295 * size, 0.395 * size, 0.052 * size, true};
  // The small knob leaves its outer two pixels to the clip lamp's ring.
  return {size, 0.325 * size, 0.395 * size, 0.06 * size, false};
}

// About 4 % of the knob, in whole pixels of the same parity as the knob's
// size: upright, the pointer then covers whole pixel columns.
double pointerWidth(double size) {
  const long n = std::lround(size);
  long w = std::max(2L, std::lround(size * 0.04));
  if ((w - n) % 2 != 0) ++w;
  return static_cast<double>(w);
}

double angleOf(double value) { return kStart + kTravel * value; }

void drawTicks(cairo_t* cr, const KnobGeometry& g, double c) {
  const double inner = 0.455 * g.size;
  for (int i = 0; i <= 10; ++i) {
    const bool end = i == 0 || i == 10 || i == 5;
    const double a = angleOf(i / 10.0);
    const double outer = end ? 0.497 * g.size : 0.485 * g.size;
    cairo_move_to(cr, c + inner * std::cos(a), c + inner * std::sin(a));
    cairo_line_to(cr, c + outer * std::cos(a), c + outer * std::sin(a));
    cairo_set_line_width(cr, end ? 0.022 * g.size : 0.015 * g.size);
    setColour(cr, palette::kInkSoft, end ? 0.95 : 0.75);
    cairo_stroke(cr);
  }
}

void drawTrack(cairo_t* cr, const KnobGeometry& g, double c) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_width(cr, g.arcWidth);
  cairo_arc(cr, c, c, g.arc, kStart, kStart + kTravel);
  setColour(cr, palette::kBlack, 0.16);
  cairo_stroke(cr);
  // A lip of light on the lower edge of the groove.
  cairo_set_line_width(cr, g.size * 0.008);
  cairo_arc(cr, c, c, g.arc + g.arcWidth / 2, kStart, kStart + kTravel);
  setColour(cr, palette::kWhite, 0.55);
  cairo_stroke(cr);
}

void drawRim(cairo_t* cr, const KnobGeometry& g, double c) {
  circle(cr, c, c + 0.035 * g.size, g.body * 1.04);
  pathShadow(cr, 0, 0, 0.07 * g.size, 0.6);
  cairo_new_path(cr);
  circle(cr, c, c, g.body);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, c - g.body, 0, c + g.body);
  addStop(p, 0, palette::kKnobRimTop);
  cairo_pattern_add_color_stop_rgb(p, 0.45, 0.17, 0.18, 0.19);
  addStop(p, 1, palette::kKnobRimBottom);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Knurling: fine ribs around the rim.
  const double face = g.body * 0.80;
  const int ribs = g.size > 50 ? 40 : 28;
  cairo_set_line_width(cr, g.size * 0.012);
  for (int i = 0; i < ribs; ++i) {
    const double a = 2 * kPi * i / ribs;
    cairo_move_to(cr, c + face * std::cos(a), c + face * std::sin(a));
    cairo_line_to(cr, c + g.body * 0.985 * std::cos(a), c + g.body * 0.985 * std::sin(a));
  }
  setColour(cr, palette::kBlack, 0.35);
  cairo_stroke(cr);
}

void drawCap(cairo_t* cr, const KnobGeometry& g, double c) {
  const double face = g.body * 0.80;
  circle(cr, c, c + g.size * 0.006, face + g.size * 0.01);
  setColour(cr, palette::kBlack, 0.7);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(c - face * 0.35, c - face * 0.55, 0, c, c, face * 1.35);
  addStop(p, 0, palette::kKnobFaceLight);
  addStop(p, 1, palette::kKnobFaceDark);
  circle(cr, c, c, face);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // The room's light on the cap's upper half; it stays put while the cap turns.
  cairo_save(cr);
  cairo_translate(cr, c, c - face * 0.42);
  cairo_scale(cr, 1.0, 0.55);
  cairo_pattern_t* shine = cairo_pattern_create_radial(0, 0, 0, 0, 0, face * 0.8);
  cairo_pattern_add_color_stop_rgba(shine, 0, 1, 1, 1, 0.16);
  cairo_pattern_add_color_stop_rgba(shine, 1, 1, 1, 1, 0);
  circle(cr, 0, 0, face * 0.8);
  cairo_set_source(cr, shine);
  cairo_fill(cr);
  cairo_pattern_destroy(shine);
  cairo_restore(cr);
  // Bevel: a bright edge at the top, none below.
  cairo_set_line_width(cr, g.size * 0.012);
  cairo_arc(cr, c, c, face - g.size * 0.006, 1.1 * kPi, 1.9 * kPi);
  setColour(cr, palette::kWhite, 0.22);
  cairo_stroke(cr);
}

// Everything that does not move: shadow, scale, groove, rim and cap.
void drawBody(cairo_t* cr, const KnobGeometry& g) {
  const double c = g.size / 2;
  if (g.ticks) drawTicks(cr, g, c);
  drawTrack(cr, g, c);
  drawRim(cr, g, c);
  drawCap(cr, g, c);
}

void drawValue(cairo_t* cr, const KnobGeometry& g, double value) {
  const double c = g.size / 2;
  const double a = angleOf(value);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  if (value > 0) {
    cairo_arc(cr, c, c, g.arc, kStart, a);
    cairo_set_line_width(cr, g.arcWidth * 2.2);
    setColour(cr, palette::kOrange, 0.16);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, g.arcWidth);
    setColour(cr, palette::kOrange);
    cairo_stroke(cr);
  }
  const double face = g.body * 0.80;
  const double x0 = c + face * 0.30 * std::cos(a), y0 = c + face * 0.30 * std::sin(a);
  const double x1 = c + face * 0.90 * std::cos(a), y1 = c + face * 0.90 * std::sin(a);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_line_width(cr, pointerWidth(g.size) + 1.5);
  setColour(cr, palette::kBlack, 0.45);
  cairo_stroke(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_line_width(cr, pointerWidth(g.size));
  setColour(cr, palette::kOrange);
  cairo_stroke(cr);
}

// The body is drawn once at the device resolution and stamped into every frame.
void drawStrip(cairo_t* cr, const Strip& strip, bool ticks) {
  const KnobGeometry g = geometryFor(strip.width, ticks);
  const double scale = deviceScale(cr);
  const int device = static_cast<int>(std::lround(strip.width * scale));
  cairo_surface_t* body = cairo_surface_create_similar_image(cairo_get_target(cr), CAIRO_FORMAT_ARGB32, device, device);
  cairo_t* bodyCr = cairo_create(body);
  cairo_scale(bodyCr, scale, scale);
  drawBody(bodyCr, g);
  cairo_destroy(bodyCr);
  forEachFrame(cr, strip, [&](cairo_t* frameCr, int frame) {
    cairo_save(frameCr);
    cairo_scale(frameCr, 1 / scale, 1 / scale);
    cairo_set_source_surface(frameCr, body, 0, 0);
    cairo_paint(frameCr);
    cairo_restore(frameCr);
    drawValue(frameCr, g, static_cast<double>(frame) / (strip.frames - 1));
  });
  cairo_surface_destroy(body);
}

}  // namespace

void drawKnob(cairo_t* cr, const Strip& strip) { drawStrip(cr, strip, true); }
void drawKnobTiny(cairo_t* cr, const Strip& strip) { drawStrip(cr, strip, false); }

void drawKnobAt(cairo_t* cr, double size, double value) {
  const KnobGeometry g = geometryFor(size, true);
  drawBody(cr, g);
  drawValue(cr, g, value);
}

}  // namespace sorel::skingen
