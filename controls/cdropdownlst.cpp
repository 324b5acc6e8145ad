#include "cdropdownlst.h"

#include <cstring>

#include "cbitmap.h"
#include "cdrawcontext.h"
#include "cframe.h"
#include "clst.h"
#include "steps.h"

namespace sorel {

using namespace VSTGUI;

namespace {
constexpr float kStepValue = 0.0078125f;  // one entry: 1/128
constexpr float kIndexScale = 128.f;

CRect listPlace(const CRect& box, int offsetX, int gapY) {
  CRect place = box;
  place.offset(offsetX, box.getHeight() + gapY);
  return place;
}
}  // namespace

CDropdownLst::CDropdownLst(const CRect& rect, CControlListener* l, int32_t t, void*, void*, int listOffsetX,
                           int listGapY)
    : CControl(rect, l, t),
      list(new CLst(listPlace(rect, listOffsetX, listGapY), nullptr, kListTag, this)),
      font(kNormalFont) {
  font->remember();
  list->setFillColor(fillColor);
  list->setListFrameColor(frameColor);
  list->setFontColor(textColor);
}

CDropdownLst::~CDropdownLst() {
  closeList();
  list->forget();
  if (boxBitmap) boxBitmap->forget();
  font->forget();
}

void CDropdownLst::addEntry(const char* text) {
  list->addEntry(text);
  if (list->getEntryCount() == 1) currentText = list->entryText(0);
}

int CDropdownLst::getEntryCount() const { return list->getEntryCount(); }

void CDropdownLst::setValue(float v) {
  int index = truncatedSteps(v, kIndexScale);
  if (index > getEntryCount() - 1) index = getEntryCount() - 1;
  if (index < 0) index = 0;
  selectedIndex = index;
  const char* text = list->entryText(index);
  currentText = text ? text : "";
  CControl::setValue(v);
  setDirty(true);
}

void CDropdownLst::select(int index) {
  selectedIndex = index;
  if (open) {
    const char* text = list->entryText(index);
    currentText = text ? text : "";
    closeList();
  }
  const float newValue = static_cast<float>(index) * kStepValue;
  if (newValue != CControl::getValue() || hasTitle || hidden) {
    CControl::setValue(newValue);
    if (listener) listener->valueChanged(this);
  }
  setDirty(true);
  if (CFrame* frame = getFrame()) frame->setDirty(true);
  redrawCount = 2;
}

void CDropdownLst::openList() {
  CFrame* frame = getFrame();
  if (open || !list || !frame) return;
  list->remember();  // the frame's reference
  frame->addView(list);
  list->setDirty(true);
  open = true;
  if (listener) listener->valueChanged(list);
  frame->setFocusView(list);
}

void CDropdownLst::closeList() {
  if (closing || !open) return;
  closing = true;
  CFrame* frame = list->getFrame();
  if (auto* parent = dynamic_cast<CViewContainer*>(list->getParentView())) parent->removeView(list, true);
  if (frame) frame->setDirty(true);
  open = false;
  if (listener) listener->valueChanged(list);
  setDirty(true);
  if (frame) frame->setDirty(true);
  closing = false;
}

void CDropdownLst::moveList(int dx, int dy) { list->moveBy(-dx, dy); }

void CDropdownLst::setTitle(const char* text) {
  hasTitle = text != nullptr;
  title = text ? text : "";
}

void CDropdownLst::setBoxBitmap(CBitmap* bitmap) {
  if (bitmap) bitmap->remember();
  if (boxBitmap) boxBitmap->forget();
  boxBitmap = bitmap;
}

void CDropdownLst::setTextColor(CColor color) {
  textColor = color;
  list->setFontColor(color);
}

void CDropdownLst::setFillColor(CColor color) {
  fillColor = color;
  list->setFillColor(color);
}

void CDropdownLst::setFrameColor(CColor color) {
  frameColor = color;
  list->setListFrameColor(color);
}

void CDropdownLst::setFont(CFontRef newFont) {
  if (!newFont) return;
  newFont->remember();
  font->forget();
  font = newFont;
  list->setFont(newFont);
}

void CDropdownLst::setMouseEnabled(bool enabled) {
  CControl::setMouseEnabled(enabled);
  setDirty(true);
}

void CDropdownLst::draw(CDrawContext* context) {
  if (hidden) {
    setDirty(false);
    return;
  }
  if (redrawCount > 0) {
    --redrawCount;
  } else {
    setDirty(false);
  }
  if (boxBitmap) {
    boxBitmap->draw(context, size, CPoint(0, 0), 1.f);
  } else if (drawBox) {
    context->setFillColor(fillColor);
    context->drawRect(size, kDrawFilled);
    context->setFrameColor(frameColor);
    context->drawRect(size, kDrawStroked);
  }
  if (!showText) return;
  const char* text = hasTitle ? title.c_str() : currentText;
  if (!text || !*text) return;
  context->setFont(font);
  context->setFontColor(getMouseEnabled() ? textColor : disabledTextColor);
  const CRect rect(size.left + 1, size.top, size.right, size.bottom);
  context->drawString(text, rect, static_cast<CHoriTxtAlign>(textAlignment), true);
}

CMouseEventResult CDropdownLst::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (buttons.getModifierState() & kAlt) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  if (getMouseEnabled() && showText && acceptsClicks) openList();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CDropdownLst::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CDropdownLst") == 0 || CControl::isTypeOf(type));
}

}  // namespace sorel
