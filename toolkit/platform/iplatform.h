// What a window-system back-end provides to the layer, and what the layer
// provides back. Only files under platform/<back-end>/ include a window-system
// or drawing-library header; everything else sees these interfaces.
#pragma once

#include <cstddef>
#include <cstdint>

#include "aeffect.h"
#include "cbaseobject.h"
#include "cbuttonstate.h"
#include "ccolor.h"
#include "cfont.h"
#include "crect.h"

namespace VSTGUI {

class CDrawContext;

// The frame's side: everything a back-end reports, in window coordinates.
class IPlatformFrameCallback {
 public:
  virtual ~IPlatformFrameCallback() = default;
  // Paint `updateRect` into `context` (already clipped to it).
  virtual void platformDrawRect(CDrawContext* context, const CRect& updateRect) = 0;
  virtual CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) = 0;
  virtual CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) = 0;
  virtual CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) = 0;
  virtual CMouseEventResult platformOnMouseExited(CPoint& where, const CButtonState& buttons) = 0;
  // One notch is 1.0; positive turns away from the user.
  virtual bool platformOnMouseWheel(const CPoint& where, float distance, const CButtonState& buttons) = 0;
  virtual int32_t platformOnKeyDown(VstKeyCode& key) = 0;
  virtual int32_t platformOnKeyUp(VstKeyCode& key) = 0;
};

// The text field's side of an in-place text entry.
class IPlatformTextEditCallback {
 public:
  virtual ~IPlatformTextEditCallback() = default;
  // The entry's rectangle in window coordinates.
  virtual CRect platformGetEntryRect() const = 0;
  virtual const char* platformGetText() const = 0;
  virtual CFontRef platformGetFont() const = 0;
  virtual CColor platformGetFontColor() const = 0;
  virtual CColor platformGetBackColor() const = 0;
  virtual CHoriTxtAlign platformGetTextAlign() const = 0;
  // The entry gave up the keyboard (Return, Enter, or focus went elsewhere).
  virtual void platformLooseFocus(bool returnPressed) = 0;
  // Keys the entry does not use itself (Escape among them).
  virtual bool platformOnKeyDown(const VstKeyCode& key) = 0;
};

// An open text entry, owned by the text field while it has focus.
class IPlatformTextEdit : public CBaseObject {
 public:
  // The text as typed so far (at most 255 characters).
  virtual const char* getText() const = 0;
  virtual bool setText(const char* text) = 0;
};

// A decoded image. Shared between editors; the layer's CBitmap holds one.
class IPlatformBitmap : public CBaseObject {
 public:
  virtual CCoord getWidth() const = 0;
  virtual CCoord getHeight() const = 0;
  // Back-ends that decode at the first draw can do it now instead, on any
  // thread; the others are always decoded.
  virtual bool isDecoded() const { return true; }
  virtual void decode() const {}
};

// The window of one frame.
class IPlatformFrame : public CBaseObject {
 public:
  virtual CRect getSize() const = 0;
  // Ask for a repaint of `rect` [ui thread].
  virtual void invalidRect(const CRect& rect) = 0;
  // The pointer in window coordinates, also outside the window.
  virtual bool getCurrentMousePosition(CPoint& where) const = 0;
  virtual bool getCurrentMouseButtons(CButtonState& buttons) const = 0;
  virtual IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* field) = 0;
  // Deliver what the window system queued (called before the frame's idle).
  virtual void pumpEvents() = 0;
  // Paint what is invalid now (called after the frame's idle, and by the
  // editor's pacing while a mouse drag runs).
  virtual void paintPending() = 0;
};

// Back-ends, chosen per frame at open.
enum class PlatformBackEnd { kNative, kOffscreen };
// Which back-end the next frame uses; kNative unless a test chose otherwise.
void setPlatformBackEnd(PlatformBackEnd backEnd);

// A window on `parent` (X11 Window id, HWND, or null for off-screen), or null
// when the window system is not available.
IPlatformFrame* createPlatformFrame(IPlatformFrameCallback* frame, const CRect& size, void* parent);

// A decoded image of `name` (case ignored) from the image source, or null.
// Decoded once per process and shared; the caller gets its own reference.
IPlatformBitmap* loadPlatformBitmap(const char* name);

// Services.
// The calling thread, cheaply: no system call, no allocation (the audio
// thread may ask).
uint64_t platformThreadId();
uint32_t platformTicks();  // milliseconds, monotonic
void platformSleep(uint32_t milliseconds);
bool platformOpenURL(const char* url);  // in the desktop's browser
// The screen: pixels, and millimetres from a monitor's EDID; false when
// unknown. Opens no display connection: safe while the effect is built.
bool platformScreenSize(int& widthPixels, int& heightPixels, int& widthMm, int& heightMm);

}  // namespace VSTGUI
