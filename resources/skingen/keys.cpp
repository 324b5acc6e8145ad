#include "keys.h"

#include "draw.h"

namespace sorel::skingen {

namespace {

Rgb keyTop(KeyState state) {
  switch (state) {
    case KeyState::kHover:
      return mix(palette::kKeyTop, palette::kWhite, 0.12);
    case KeyState::kPressed:
      return palette::kKeyBottom;
    case KeyState::kDisabled:
      return mix(palette::kKeyTop, palette::kFaceBottom, 0.55);
    case KeyState::kNormal:
      break;
  }
  return palette::kKeyTop;
}

Rgb keyBottom(KeyState state) {
  switch (state) {
    case KeyState::kHover:
      return mix(palette::kKeyBottom, palette::kWhite, 0.08);
    case KeyState::kPressed:
      return mix(palette::kKeyBottom, palette::kBlack, 0.3);
    case KeyState::kDisabled:
      return mix(palette::kKeyBottom, palette::kFaceBottom, 0.55);
    case KeyState::kNormal:
      break;
  }
  return palette::kKeyBottom;
}

}  // namespace

double drawKey(cairo_t* cr, double x, double y, double w, double h, double radius, KeyState state) {
  const bool pressed = state == KeyState::kPressed;
  const double bx = x + 1, by = y + (pressed ? 1.0 : 0.5), bw = w - 2, bh = h - 2;
  roundedRect(cr, bx, by, bw, bh, radius);
  if (state != KeyState::kDisabled) pathShadow(cr, 0, pressed ? 0.3 : 1.0, pressed ? 0.8 : 1.6, 0.7);
  setVerticalGradient(cr, by, by + bh, keyTop(state), keyBottom(state));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  setColour(cr, palette::kBlack, state == KeyState::kDisabled ? 0.25 : 0.75);
  cairo_stroke(cr);
  if (!pressed) {
    // The upper edge catches the light.
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h * 0.5);
    cairo_clip(cr);
    roundedRect(cr, bx + 1, by + 1, bw - 2, bh - 2, radius - 1);
    cairo_set_line_width(cr, 0.8);
    setColour(cr, palette::kWhite, state == KeyState::kDisabled ? 0.2 : 0.16);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  return pressed ? 1.0 : 0.0;
}

Rgb legendColour(KeyState state) {
  switch (state) {
    case KeyState::kHover:
      return palette::kWhite;
    case KeyState::kPressed:
      return palette::kOrange;
    case KeyState::kDisabled:
      return mix(palette::kFaceBottom, palette::kBlack, 0.2);
    case KeyState::kNormal:
      break;
  }
  return rgb(214, 216, 220);
}

void drawLed(cairo_t* cr, double cx, double cy, double r, Rgb colour, bool lit) {
  if (lit) {
    cairo_push_group(cr);
    circle(cr, cx, cy, r * 1.2);
    setColour(cr, colour);
    cairo_fill(cr);
    popBlurred(cr, r * 1.6, 0.9);
  }
  circle(cr, cx, cy, r + 0.5);
  setColour(cr, palette::kBlack, 0.7);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.35, 0, cx, cy, r);
  const Rgb core = lit ? mix(colour, palette::kWhite, 0.65) : mix(palette::kUnlit, palette::kWhite, 0.12);
  const Rgb edge = lit ? colour : mix(palette::kUnlit, palette::kBlack, 0.4);
  addStop(p, 0, core);
  addStop(p, 1, edge);
  circle(cr, cx, cy, r);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

}  // namespace sorel::skingen
