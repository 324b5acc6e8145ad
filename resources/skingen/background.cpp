// The window's background and the frame overlay drawn over it.
//
// Both pages share back.png, so it carries nothing that belongs to one page:
// the charcoal chassis, the hint display, and the right column's plate with
// its printed legends (COMPARE, the letters A B C under the selector rings,
// IN and OUT). The module faces are separate images laid over it.
#include "draw.h"
#include "images.h"
#include "layout.h"

namespace sorel::skingen {

namespace {

using layout::Box;

constexpr Font kLegendFont{7.0, true, 1.2};

void drawChassis(cairo_t* cr, double w, double h) {
  cairo_rectangle(cr, 0, 0, w, h);
  setVerticalGradient(cr, 0, h, palette::kChassisTop, palette::kChassisBottom);
  cairo_fill(cr);
  brush(cr, 0, 0, w, h, 1.6, 3);
  // Screws at the corners of the 896-pixel window; wider backgrounds just extend it.
  const double right = layout::kWidth - 10;
  screw(cr, 10, 10, 3.6, 0.3);
  screw(cr, right, 10, 3.6, 1.1);
  screw(cr, 10, h - 10, 3.6, 0.8);
  screw(cr, right, h - 10, 3.6, 0.1);
}

// A backlit glass window behind the hint line, for its dark text.
void drawHintDisplay(cairo_t* cr) {
  const Box d = layout::kHintDisplay;
  roundedRect(cr, d.x - 1, d.y - 1, d.w + 2, d.h + 2, 4);
  setVerticalGradient(cr, d.y - 1, d.y + d.h + 1, palette::kChassisDeep, palette::kChassisTop);
  cairo_fill(cr);
  roundedRect(cr, d.x, d.y, d.w, d.h, 3);
  setVerticalGradient(cr, d.y, d.y + d.h, palette::kDisplayTop, palette::kDisplayBottom);
  cairo_fill(cr);
  // The bezel's shadow falls on the upper edge of the glass.
  roundedRect(cr, d.x, d.y, d.w, d.h, 3);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_rectangle(cr, d.x, d.y, d.w, 4);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, d.y, 0, d.y + 4);
  cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void drawLetters(cairo_t* cr) {
  static constexpr const char* kLetters[] = {"A", "B", "C"};
  const double half = layout::kSelectorSize / 2;
  for (int i = 0; i < 3; ++i)
    drawText(cr, kLetters[i], layout::kSelectorX[i] + half, layout::kSelectorY + half + 3.3, Font{9.0, true},
             Align::kCentre, palette::kInk);
}

void drawGroove(cairo_t* cr, double x0, double x1, double y) {
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, x0, y - 0.5);
  cairo_line_to(cr, x1, y - 0.5);
  setColour(cr, palette::kFaceEdge, 0.6);
  cairo_stroke(cr);
  cairo_move_to(cr, x0, y + 0.5);
  cairo_line_to(cr, x1, y + 0.5);
  setColour(cr, palette::kWhite, 0.8);
  cairo_stroke(cr);
}

void drawRightColumn(cairo_t* cr) {
  const Box p = layout::kColumnPlate;
  const Box t = layout::kColumnTab;
  drawFace(cr, p.x, p.y, p.w, p.h);
  drawTab(cr, t.x, t.y, t.w, t.h, "COMPARE");
  drawLetters(cr);
  drawGroove(cr, p.x + 6, p.x + p.w - 6, 139);
  drawGroove(cr, p.x + 6, p.x + p.w - 6, 224);
  const Font font{8.0, true, 1.4};
  const double cx = layout::kInputKnob.x + layout::kInputKnob.w / 2 - 4;
  engravedText(cr, "IN", cx, layout::kInputKnob.y + layout::kInputKnob.h + 14, font, Align::kCentre, palette::kInk,
               0.7);
  engravedText(cr, "OUT", cx, layout::kOutputKnob.y + layout::kOutputKnob.h + 14, font, Align::kCentre, palette::kInk,
               0.7);
}

// Small legends on the chassis under the top bar's controls.
void drawTopLegends(cairo_t* cr) {
  const Box aa = layout::kAntiAliasBox;
  const Box sw = layout::kGlobalSwitch;
  drawText(cr, "ANTI-ALIAS", aa.x + aa.w / 2, aa.y + aa.h + 9, kLegendFont, Align::kCentre, palette::kLegendDim);
  drawText(cr, "ACTIVE", sw.x + sw.w / 2, aa.y + aa.h + 9, kLegendFont, Align::kCentre, palette::kLegendDim);
}

void drawFooter(cairo_t* cr) {
  const double baseline = layout::kHeight - 7;
  drawText(cr, "SOREL", 24, baseline, Font{8.0, true, 2.4}, Align::kLeft, palette::kLegend);
  drawText(cr, "HARMONIC MASTERING PROCESSOR", 68, baseline, Font{8.0, false, 2.0}, Align::kLeft, palette::kLegendDim);
}

// The trim: 4 pixels, dark lips around a bright bead.
void trimFrame(cairo_t* cr, double x, double y, double w, double h) {
  roundedRect(cr, x, y, w, h, 6);
  cairo_set_line_width(cr, 4.0);
  setColour(cr, palette::kChassisDeep, 0.9);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2.0);
  setColour(cr, palette::kTrim);
  cairo_stroke(cr);
}

}  // namespace

void drawBack(cairo_t* cr, const Strip& strip) {
  drawChassis(cr, strip.width, strip.frameHeight);
  drawHintDisplay(cr);
  drawRightColumn(cr);
  drawTopLegends(cr);
  drawFooter(cr);
}

// Transparent but for its lines: the trim at y 28-32 that the name lamp, the
// page button and the maker logo interrupt, the frame it turns into at the
// sides and bottom, and the window's outer bevel.
void drawFrameOverlay(cairo_t* cr, const Strip& strip) {
  const double w = strip.width, h = strip.frameHeight;
  trimFrame(cr, 8, 30, w - 16, h - 52);
  cairo_set_line_width(cr, 1.0);
  cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
  setColour(cr, palette::kBlack, 0.8);
  cairo_stroke(cr);
  cairo_move_to(cr, 1.5, h - 1);
  cairo_line_to(cr, 1.5, 1.5);
  cairo_line_to(cr, w - 1, 1.5);
  setColour(cr, palette::kWhite, 0.1);
  cairo_stroke(cr);
}

}  // namespace sorel::skingen
