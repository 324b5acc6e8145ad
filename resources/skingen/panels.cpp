// Module faces and their caption tabs. The faces are light: the value
// read-outs print dark grey text straight onto them.
#include <algorithm>
#include <cstring>
#include <numbers>

#include "draw.h"
#include "images.h"

namespace sorel::skingen {

namespace {

constexpr Font kCaptionFont{11.0, true, 1.8};

// A module panel sits at y 84; its top four rows stay clear, so the strips of
// the background cut under the captions change nothing, and the face begins
// where the caption tabs end.
constexpr double kPanelFaceTop = 4;
constexpr double kPanelFaceWidth = 191;
constexpr double kPanelFaceHeight = 220;

void drawCaption(cairo_t* cr, const Strip& strip, const char* text) {
  drawTab(cr, 0, 0, strip.width, strip.frameHeight, text);
}

void drawSideCaption(cairo_t* cr, const Strip& strip, const char* text) {
  const double w = strip.width, h = strip.frameHeight;
  drawFace(cr, 0, 0, w - 3, h - 3);
  cairo_save(cr);
  cairo_translate(cr, (w - 3) / 2 + 4, (h - 3) / 2);
  cairo_rotate(cr, -std::numbers::pi / 2);
  engravedText(cr, text, 0, 0, Font{12.0, true, 3.0}, Align::kCentre, palette::kInk, 0.6);
  cairo_restore(cr);
}

}  // namespace

void drawFace(cairo_t* cr, double x, double y, double w, double h) {
  roundedRect(cr, x, y, w, h, 3);
  pathShadow(cr, 1.2, 2.5, 3.5, 0.6);
  setVerticalGradient(cr, y, y + h, palette::kFaceTop, palette::kFaceBottom);
  cairo_fill(cr);
  brush(cr, x, y, w, h, 1.6, 17);
  // Bevel: light along the top and left edges, a shade along the others.
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, x + 0.5, y + h - 3);
  cairo_line_to(cr, x + 0.5, y + 0.5);
  cairo_line_to(cr, x + w - 3, y + 0.5);
  setColour(cr, palette::kWhite, 0.75);
  cairo_stroke(cr);
  cairo_move_to(cr, x + 3, y + h - 0.5);
  cairo_line_to(cr, x + w - 0.5, y + h - 0.5);
  cairo_line_to(cr, x + w - 0.5, y + 3);
  setColour(cr, palette::kFaceEdge, 0.8);
  cairo_stroke(cr);
}

// A label tab with rounded upper corners, standing on a face's top edge.
void drawTab(cairo_t* cr, double x, double y, double w, double h, const char* text) {
  cairo_new_path(cr);
  cairo_move_to(cr, x, y + h);
  cairo_arc(cr, x + 3, y + 3, 3, std::numbers::pi, 1.5 * std::numbers::pi);
  cairo_arc(cr, x + w - 3, y + 3, 3, 1.5 * std::numbers::pi, 2 * std::numbers::pi);
  cairo_line_to(cr, x + w, y + h);
  cairo_close_path(cr);
  setVerticalGradient(cr, y, y + h, mix(palette::kFaceTop, palette::kWhite, 0.25), palette::kFaceTop);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, x + 0.5, y + h);
  cairo_arc(cr, x + 3, y + 3, 2.5, std::numbers::pi, 1.5 * std::numbers::pi);
  cairo_line_to(cr, x + w - 3, y + 0.5);
  setColour(cr, palette::kWhite, 0.8);
  cairo_stroke(cr);
  // Spread the letters to suit the tab, or shrink them where it is narrow.
  Font font = kCaptionFont;
  const double gaps = static_cast<double>(std::max<std::size_t>(1, std::strlen(text) - 1));
  const double room = w - 16;
  const double plain = textWidth(cr, text, Font{font.size, true, 0});
  font.tracking = std::clamp((room - plain) / gaps, 0.8, font.tracking);
  if (plain + font.tracking * gaps > room) font.size *= room / (plain + font.tracking * gaps);
  engravedText(cr, text, x + w / 2, y + h - 5, font, Align::kCentre, palette::kInk, 0.7);
}

void drawModulePanel(cairo_t* cr, const Strip&) { drawFace(cr, 0, kPanelFaceTop, kPanelFaceWidth, kPanelFaceHeight); }

void drawSquarePanel(cairo_t* cr, const Strip& strip) { drawFace(cr, 0, 0, strip.width - 5, strip.frameHeight - 6); }

// Pieces of a face: its top, its bottom, and a groove that splits it.
void drawPanelTop(cairo_t* cr, const Strip& strip) { drawFace(cr, 0, 0, strip.width, 40); }
void drawPanelBottom(cairo_t* cr, const Strip& strip) { drawFace(cr, 0, strip.frameHeight - 40, strip.width, 40); }

void drawPanelMiddle(cairo_t* cr, const Strip& strip) {
  const double w = strip.width, h = strip.frameHeight;
  drawFace(cr, 0, -20, w, h + 40);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, 6, h / 2 - 0.5);
  cairo_line_to(cr, w - 6, h / 2 - 0.5);
  setColour(cr, palette::kFaceEdge, 0.7);
  cairo_stroke(cr);
  cairo_move_to(cr, 6, h / 2 + 0.5);
  cairo_line_to(cr, w - 6, h / 2 + 0.5);
  setColour(cr, palette::kWhite, 0.8);
  cairo_stroke(cr);
}

void drawCaptionSalt(cairo_t* cr, const Strip& strip) { drawCaption(cr, strip, "SALT"); }
void drawCaptionPepper(cairo_t* cr, const Strip& strip) { drawCaption(cr, strip, "PEPPER"); }
void drawCaptionSugar(cairo_t* cr, const Strip& strip) { drawCaption(cr, strip, "SUGAR"); }
void drawCaptionChili(cairo_t* cr, const Strip& strip) { drawCaption(cr, strip, "CHILI"); }
void drawSideCaptionMs(cairo_t* cr, const Strip& strip) { drawSideCaption(cr, strip, "M / S"); }
void drawSideCaptionStereo(cairo_t* cr, const Strip& strip) { drawSideCaption(cr, strip, "STEREO"); }

}  // namespace sorel::skingen
