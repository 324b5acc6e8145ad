// The off-screen back-end's test driver: renders a frame opened with the
// off-screen back-end into an image and feeds it synthetic input through the
// same callbacks a window system would use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cframe.h"

namespace VSTGUI::offscreen {

class OffscreenFrame;

class Driver {
 public:
  // `frame` must be open on the off-screen back-end. The driver keeps a
  // reference, so a handler that closes the frame leaves the driver safe: once
  // the frame is closed, input and output do nothing.
  explicit Driver(CFrame* frame);
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // --- Output ---
  // Runs the frame's idle (dirty views become invalid rects) and paints the
  // invalid rects, as a host's idle would.
  void idle();
  // Paints the pending invalid rects only.
  void render();
  // Paints the whole frame.
  void renderAll();
  bool writePNG(const std::string& path) const;
  // Un-premultiplied colour of one pixel of the image.
  CColor pixel(int x, int y) const;
  std::vector<CRect> pendingInvalidRects() const;
  // How many times views were painted since the last call (for repaint tests):
  // the union of painted rects.
  std::vector<CRect> takePaintedRects();

  // --- Input, in window coordinates; buttons and modifiers as CButtonState bits ---
  CMouseEventResult mouseDown(CPoint where, int32_t buttons = kLButton);
  CMouseEventResult mouseMove(CPoint where, int32_t buttons = 0);
  CMouseEventResult mouseUp(CPoint where, int32_t buttons = kLButton);
  void click(CPoint where, int32_t buttons = kLButton);
  // Press at `from`, move in `steps` equal steps to `to`, release.
  void drag(CPoint from, CPoint to, int32_t buttons = kLButton, int steps = 4);
  bool wheel(CPoint where, float distance, int32_t modifiers = 0);
  // A move with no button down.
  void hover(CPoint where);
  // The pointer leaves the window.
  void leave();
  int32_t keyDown(VstKeyCode key);
  int32_t keyUp(VstKeyCode key);
  // Printable ASCII as key presses (down and up). While a text entry is open
  // keys go to it first; what it leaves goes to the frame.
  void type(const char* text);
  // The open text entry's text, or null when none is open.
  const char* textEntryText() const;

  // --- Services ---
  // Advances the fake clock.
  static void wait(uint32_t milliseconds);
  static uint32_t now();
  // URLs the layer asked to open, in order.
  static std::vector<std::string> openedURLs();
  static void clearOpenedURLs();

 private:
  // The frame's off-screen window; null once the frame is closed.
  OffscreenFrame* window() const;

  CFrame* frame;
};

}  // namespace VSTGUI::offscreen
