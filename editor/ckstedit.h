// The editor base shared by the product's editors: the listener of every
// control, and the about view.
#pragma once

#include "aeffguieditor.h"
#include "ccontrollistener.h"
#include "cview.h"

namespace sorel {

class CLst;

// Tags and values the editor handles itself.
constexpr int kTagShowAbout = 100005;
constexpr int kTagCloseAbout = 100006;
constexpr int kTagOpenLink = 100007;

class CKstEditor : public AEffGUIEditor, public VSTGUI::CControlListener {
 public:
  explicit CKstEditor(AudioEffect* owner) : AEffGUIEditor(owner) {}

  // What every editor tick does (hints, lamp hold); the product overrides it.
  virtual void idleTick() {}

  // The pop-up list on show, or null.
  CLst* getOpenList() const { return openList; }

 protected:
  // The editor-internal tags, and the pop-up lists announcing that they
  // opened or closed; true when handled.
  bool handleInternal(int tag, float value, VSTGUI::CControl* control);

  VSTGUI::CControl* aboutView = nullptr;  // created at open, released at close
  bool aboutClosed = true;
  CLst* openList = nullptr;
};

}  // namespace sorel
