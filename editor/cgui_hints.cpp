// The hint line: on each tick it explains the control under the mouse, keeps
// the dragged control's text during a drag, and stays blank while a pop-up
// list is open, over hidden controls and over controls without a hint.
#include <cstring>

#include "cframecm.h"
#include "cgui.h"
#include "clst.h"
#include "ctextlabel.h"
#include "cviewcontainer1.h"

namespace sorel {

using namespace VSTGUI;

void CGui::updateHint() {
  CPoint mouse;
  const bool inside = guiFrame->getCurrentMouseLocation(mouse);
  if (openList) {
    if (inside) openList->trackHover(mouse);
    if (openList && inside && openList->getViewSize().pointInside(mouse)) return;
  }
  if (gestureActive || !aboutClosed) {
    if (gestureActive && gestureTag > 0 && gestureTag < kNumTags && tagRecords[gestureTag].hintable) {
      showHint(gestureTag, true);
    }
    return;
  }
  if (inside) {
    for (int tag = 0; tag < kNumTags; ++tag) {
      if (!tagRecords[tag].hintable || !controls[tag]) continue;
      CRect area = controls[tag]->getViewSize();
      const int container = kLayout[tag].container;
      if (container >= 0 && container < kNumPages && pages[container]) {
        const CRect page = pages[container]->getViewSize();
        area.offset(page.left, page.top);
      }
      if (area.pointInside(mouse) && showHint(tag, false)) return;
    }
  }
  showHint(-1, false);
}

const char* CGui::getHintText() const {
  auto* hint = dynamic_cast<CTextLabel*>(controls[kTagHintLines[0]]);
  return hint ? hint->getText() : "";
}

bool CGui::showHint(int tag, bool) {
  const char* text = "";
  bool claimed = false;
  if (openList) {
    claimed = true;
  } else if (tag > 0 && tag < kNumTags && kLayout[tag].container == currentPage &&
             (!controls[tag] || controls[tag]->isVisible())) {
    text = kLayout[tag].text;
    claimed = true;
  }
  // A text field redraws on every setText, and the hint is the same on most
  // ticks: only a new text is set.
  for (int line : kTagHintLines) {
    auto* hint = dynamic_cast<CTextLabel*>(controls[line]);
    if (hint && std::strcmp(hint->getText(), text) != 0) hint->setText(text);
  }
  return claimed;
}

}  // namespace sorel
