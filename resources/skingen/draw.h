// Drawing helpers shared by every image. All coordinates are in skin pixels
// (scale 1); the context carries the scale, so the 2x skin is drawn, not resized.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "palette.h"

namespace sorel::skingen {

void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void circle(cairo_t* cr, double cx, double cy, double r);

void addStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha = 1.0);

// Vertical linear gradient from `top` at y0 to `bottom` at y1, as the source.
void setVerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);

// Device pixels per skin pixel of the current transformation (1 or 2).
double deviceScale(cairo_t* cr);

// Everything drawn since cairo_push_group, blurred by `radius` skin pixels
// (three box passes, close to a Gaussian) and painted with `alpha`.
void popBlurred(cairo_t* cr, double radius, double alpha = 1.0);

// A soft shadow of the current path, moved by (dx, dy). Keeps the path.
void pathShadow(cairo_t* cr, double dx, double dy, double radius, double alpha);

// Fine horizontal brushing over the opaque pixels of a rectangle: streaks of
// +-`amount` levels. Deterministic: the same seed gives the same grain.
void brush(cairo_t* cr, double x, double y, double w, double h, double amount, std::uint32_t seed);

enum class Align { kLeft, kCentre, kRight };

struct Font {
  double size;
  bool bold = true;
  double tracking = 0.0;  // extra space between letters, skin pixels
};

double textWidth(cairo_t* cr, const char* text, const Font& font);
// Appends the outline of `text` to the path; (x, baseline) is the anchor point.
void textPath(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align);
void drawText(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align, Rgb c,
              double alpha = 1.0);
// Text pressed into a surface: a thin highlight below, the ink on top.
void engravedText(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align, Rgb c,
                  double highlight);
// Text that emits light: a blurred halo in `glow`, the letters in `core`.
void glowingText(cairo_t* cr, const char* text, double x, double baseline, const Font& font, Align align, Rgb core,
                 Rgb glow, double radius);

// A countersunk cross-head screw.
void screw(cairo_t* cr, double cx, double cy, double r, double turn);

}  // namespace sorel::skingen
