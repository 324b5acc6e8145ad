// The Linux window of one frame: an X11 child window of the host's window,
// on a display connection of its own.
//
// Drawing goes into a persistent image of the window's size; the parts that
// changed are copied to the window. Nothing here runs on its own: the host
// must call the editor's idle (effEditIdle) regularly, which pumps the events
// and paints. No thread is started and XInitThreads is never called (a
// plug-in cannot know whether the host's Xlib is thread-safe), so every call
// that touches the connection happens on the thread that opened the frame;
// on any other thread invalidRect only marks the whole window dirty.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/cairo/cairotextentry.h"
#include "platform/iplatform.h"
#include "x11events.h"
#include "platform/updateregion.h"

namespace VSTGUI::x11 {

class X11Frame : public IPlatformFrame, private CairoTextEntry::Owner {
 public:
  // Null when the display cannot be opened, `parent` (an X11 Window id) is
  // zero or unusable, or the window cannot be created.
  static X11Frame* create(IPlatformFrameCallback* frame, const CRect& size, void* parent);
  ~X11Frame() override;

  CRect getSize() const override { return size; }
  void invalidRect(const CRect& rect) override;
  bool getCurrentMousePosition(CPoint& where) const override;
  bool getCurrentMouseButtons(CButtonState& buttons) const override;
  IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* field) override;
  // Drains the queue without blocking and delivers the events; stops as soon
  // as a handler has closed the frame.
  void pumpEvents() override;
  // Paints the invalid rects into the image, then shows them and whatever
  // the server asked to be redrawn.
  void paintPending() override;

  // --- For tests and tools ---
  Window getWindow() const { return window; }
  // False once the window was destroyed under us (its parent went first).
  bool hasWindow() const { return !windowGone; }
  CairoTextEntry* getTextEntry() const { return textEntry; }

 private:
  X11Frame(IPlatformFrameCallback* frame, const CRect& size, Display* display);
  bool openWindow(Window parent);
  void setEmbedInfo();
  bool onOwnerThread() const { return std::this_thread::get_id() == owner; }
  bool isViewable() const;

  // --- Events ---
  // True when the events may go on (the frame was not closed meanwhile).
  bool stillOpen(int32_t referencesWhilePumping) const;
  void deliver(XEvent& event);
  void onButtonPress(const XButtonEvent& event);
  void onButtonRelease(const XButtonEvent& event);
  void onKey(XKeyEvent& event, bool press);
  // The pointer in window coordinates and the button/modifier mask.
  bool queryPointer(int& x, int& y, unsigned int& mask) const;
  CButtonState buttonsOf(unsigned int state) const;

  // --- Keyboard focus while an entry is open ---
  void takeKeyboard();
  void returnKeyboard();

  // --- Painting ---
  void paintInto(const std::vector<CRect>& rects);
  void present(const std::vector<CRect>& rects);

  // --- CairoTextEntry::Owner ---
  void textEntryChanged(const CRect& rect) override;
  void textEntryClosed(CairoTextEntry* entry, const CRect& rect) override;

  IPlatformFrameCallback* callback;  // null once the frame has let go of us
  CRect size;
  std::thread::id owner;
  Display* display;
  Window parentWindow = 0;
  Window window = 0;
  bool windowGone = false;
  cairo_surface_t* image = nullptr;
  cairo_surface_t* windowSurface = nullptr;
  UpdateRegion invalid;
  UpdateRegion exposed;
  std::atomic<bool> invalidElsewhere{false};
  bool painting = false;
  int32_t extraButtons = 0;  // X buttons 8 and 9, which have no state bits
  DoubleClickDetector clicks;
  CairoTextEntry* textEntry = nullptr;  // owned by its text field
};

}  // namespace VSTGUI::x11
