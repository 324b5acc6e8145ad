// X11's protocol constants (state masks, crossing modes, key symbols) for the
// tests that build event fields by hand. Included after gtest: X11's macros
// (None among them) clash with names gtest declares.
#pragma once

#include <X11/X.h>
#include <X11/keysym.h>
