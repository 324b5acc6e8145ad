// Push buttons and switches. Two-frame strips are off then on; three-frame
// push buttons are normal, pressed, hover (the store arrows: normal, pressed,
// disabled).
#include <algorithm>

#include "draw.h"
#include "images.h"
#include "keys.h"

namespace sorel::skingen {

namespace {

KeyState pushState(int frame) {
  static constexpr KeyState kStates[] = {KeyState::kNormal, KeyState::kPressed, KeyState::kHover};
  return kStates[std::clamp(frame, 0, 2)];
}

// A slide switch: the thumb rests left when off; when on it moves right over
// a lit orange track.
void drawSlideSwitch(cairo_t* cr, double w, double h, bool on) {
  const double r = h / 2 - 0.5;
  roundedRect(cr, 0.5, 0.5, w - 1, h - 1, r);
  setColour(cr, palette::kChassisDeep);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  setColour(cr, palette::kWhite, 0.16);
  cairo_stroke(cr);
  const double inset = h * 0.16;
  if (on) {
    cairo_push_group(cr);
    roundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, r - inset);
    setColour(cr, palette::kOrange);
    cairo_fill(cr);
    popBlurred(cr, h * 0.25, 0.8);
  }
  roundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, r - inset);
  if (on)
    setVerticalGradient(cr, inset, h - inset, palette::kOrangeHot, palette::kOrange);
  else
    setVerticalGradient(cr, inset, h - inset, rgb(20, 21, 23), rgb(46, 48, 52));
  cairo_fill(cr);
  const double thumbR = r - inset * 0.55;
  const double cx = on ? w - r - 0.5 : r + 0.5;
  circle(cr, cx, h / 2, thumbR);
  pathShadow(cr, 0, 0.6, 1.2, 0.8);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - thumbR * 0.35, h / 2 - thumbR * 0.45, 0, cx, h / 2, thumbR);
  addStop(p, 0, palette::kSteelLight);
  addStop(p, 1, palette::kSteelDark);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void drawPageButton(cairo_t* cr, const Strip& strip, const char* label) {
  const bool small = strip.width < 60;
  const Font font{small ? 9.0 : 12.0, true, small ? 0.5 : 1.0};
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const KeyState state = pushState(frame);
    const double w = strip.width, h = strip.frameHeight;
    const double dy = drawKey(f, 0, 0, w, h, small ? 3 : 5, state);
    const double led = small ? 2.0 : 2.8;
    const double textW = textWidth(f, label, font);
    const double left = (w - textW - led * 2 - 6) / 2;
    drawLed(f, left + led, h / 2 - 0.5 + dy, led, palette::kOrange, true);
    drawText(f, label, left + led * 2 + 6, h / 2 + font.size * 0.36 - 0.5 + dy, font, Align::kLeft,
             legendColour(state));
  });
}

}  // namespace

void drawSwitch(cairo_t* cr, const Strip& strip) {
  forEachFrame(cr, strip,
               [&](cairo_t* f, int frame) { drawSlideSwitch(f, strip.width, strip.frameHeight, frame == 1); });
}

void drawSwitchSmall(cairo_t* cr, const Strip& strip) {
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const double c = strip.width / 2.0;
    drawLed(f, c, strip.frameHeight / 2.0, c - 1.5, palette::kOrange, frame == 1);
  });
}

// Off: "3" (range +-3 dB); on: "18" lit, with a lit bar under it.
void drawRangeSwitch(cairo_t* cr, const Strip& strip) {
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const bool on = frame == 1;
    const double w = strip.width, h = strip.frameHeight;
    drawKey(f, 0, 0, w, h, 3, KeyState::kNormal);
    const Font font{7.5, true, on ? -0.2 : 0.0};
    if (on)
      glowingText(f, "18", w / 2, 9.5, font, Align::kCentre, palette::kOrangeHot, palette::kOrange, 1.2);
    else
      drawText(f, "3", w / 2, 9.5, font, Align::kCentre, legendColour(KeyState::kNormal));
    roundedRect(f, 4.5, 11.3, w - 9, 1.6, 0.8);
    setColour(f, on ? palette::kOrange : palette::kUnlit);
    cairo_fill(f);
  });
}

// The transfer menu's button: a key with a small drop-down chevron.
void drawMenuButton(cairo_t* cr, const Strip& strip) {
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const KeyState state = pushState(frame);
    const double w = strip.width, h = strip.frameHeight;
    const double dy = drawKey(f, 0, 0, w, h, 3, state);
    const double cx = w / 2, cy = h / 2 + dy;
    cairo_move_to(f, cx - 4, cy - 2);
    cairo_line_to(f, cx + 4, cy - 2);
    cairo_line_to(f, cx, cy + 2.5);
    cairo_close_path(f);
    setColour(f, legendColour(state));
    cairo_fill(f);
  });
}

// Store buttons under A, B and C: an arrow pointing up at the letter.
void drawStoreArrow(cairo_t* cr, const Strip& strip) {
  static constexpr KeyState kStates[] = {KeyState::kNormal, KeyState::kPressed, KeyState::kDisabled};
  forEachFrame(cr, strip, [&](cairo_t* f, int frame) {
    const KeyState state = kStates[std::clamp(frame, 0, 2)];
    const double w = strip.width, h = strip.frameHeight;
    const double dy = drawKey(f, 0, 0, w, h, 3, state);
    const double cx = w / 2;
    cairo_move_to(f, cx, 5 + dy);
    cairo_line_to(f, cx + 3.6, 10 + dy);
    cairo_line_to(f, cx - 3.6, 10 + dy);
    cairo_close_path(f);
    cairo_rectangle(f, cx - 1.1, 9.5 + dy, 2.2, 6);
    cairo_rectangle(f, cx - 3.5, 16.8 + dy, 7, 1.4);
    setColour(f, legendColour(state));
    cairo_fill(f);
  });
}

void drawFader(cairo_t* cr, const Strip& strip) {
  const double w = strip.width, h = strip.frameHeight;
  drawKey(cr, 2, 1, w - 4, h - 2, 3, KeyState::kNormal);
  cairo_set_line_width(cr, 1.0);
  for (double y = 9.5; y < h - 8; y += 4) {
    if (y > h / 2 - 4 && y < h / 2 + 4) continue;
    cairo_move_to(cr, 8, y);
    cairo_line_to(cr, w - 8, y);
    setColour(cr, palette::kBlack, 0.6);
    cairo_stroke(cr);
    cairo_move_to(cr, 8, y + 1);
    cairo_line_to(cr, w - 8, y + 1);
    setColour(cr, palette::kWhite, 0.12);
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, 5, h / 2 - 1.5, w - 10, 2);
  setColour(cr, palette::kOrange);
  cairo_fill(cr);
}

void drawPageStereo(cairo_t* cr, const Strip& strip) { drawPageButton(cr, strip, "STEREO"); }
void drawPageMid(cairo_t* cr, const Strip& strip) { drawPageButton(cr, strip, "M/S"); }
void drawPageSide(cairo_t* cr, const Strip& strip) { drawPageButton(cr, strip, "SIDE"); }

// Shown instead of the page button: a recessed label, plainly not a key.
void drawMonoBadge(cairo_t* cr, const Strip& strip) {
  const double w = strip.width, h = strip.frameHeight;
  roundedRect(cr, 1.5, 1.5, w - 3, h - 3, 5);
  setVerticalGradient(cr, 1.5, h - 1.5, rgb(16, 17, 18), rgb(30, 31, 34));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.0);
  setColour(cr, palette::kWhite, 0.14);
  cairo_stroke(cr);
  const Font font{13.0, true, 1.4};
  const double textW = textWidth(cr, "MONO", font);
  const double left = (w - textW - 11.6) / 2;
  drawLed(cr, left + 2.8, h / 2 - 0.5, 2.8, palette::kOrange, true);
  drawText(cr, "MONO", left + 11.6, h / 2 + 4.2, font, Align::kLeft, palette::kLegend);
}

}  // namespace sorel::skingen
