// Black hardware keys, shared by the push buttons and the switches.
#pragma once

#include <cairo.h>

#include "palette.h"

namespace sorel::skingen {

enum class KeyState { kNormal, kPressed, kHover, kDisabled };

// A raised key in the box (x, y, w, h), its shadow included. Returns how far
// its legend moves down (a pressed key sits lower).
double drawKey(cairo_t* cr, double x, double y, double w, double h, double radius, KeyState state);

// The colour of a key's legend in each state.
Rgb legendColour(KeyState state);

// A round LED of radius r, lit (with its halo) or dark.
void drawLed(cairo_t* cr, double cx, double cy, double r, Rgb colour, bool lit);

}  // namespace sorel::skingen
