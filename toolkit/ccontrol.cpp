#include "ccontrol.h"

#include <algorithm>
#include <cstring>

#include "cframe.h"

namespace VSTGUI {

int32_t CControl::kZoomModifier = kShift;
int32_t CControl::kDefaultValueModifier = kControl;

CControl::CControl(const CRect& rect, CControlListener* l, int32_t t, CBitmap* background)
    : CView(rect), listener(l), tag(t) {
  if (background) setBackground(background);
  setMouseEnabled(true);
}

void CControl::setValue(float val) {
  if (val != val) val = vmin;  // NaN
  value.store(std::clamp(val, std::min(vmin, vmax), std::max(vmin, vmax)), std::memory_order_relaxed);
}

void CControl::setValueNormalized(float val) {
  const float range = getMax() - getMin();
  setValue(getMin() + std::clamp(val, 0.f, 1.f) * range);
}

float CControl::getValueNormalized() const {
  const float range = getMax() - getMin();
  return range == 0.f ? 0.f : (getValue() - getMin()) / range;
}

void CControl::bounceValue() { setValue(getValue()); }

void CControl::valueChanged() {
  if (listener) listener->valueChanged(this);
}

void CControl::setDirty(bool state) {
  if (!state) oldValue.store(getValue(), std::memory_order_relaxed);
  CView::setDirty(state);
}

bool CControl::isDirty() const { return getOldValue() != getValue() || CView::isDirty(); }

void CControl::beginEdit() {
  if (++editing != 1) return;
  if (listener) listener->controlBeginEdit(this);
  if (CFrame* frame = getFrame()) frame->beginEdit(tag);
}

void CControl::endEdit() {
  if (editing == 0) return;
  if (--editing != 0) return;
  if (CFrame* frame = getFrame()) frame->endEdit(tag);
  if (listener) listener->controlEndEdit(this);
}

bool CControl::checkDefaultValue(CButtonState buttons) {
  if (!buttons.isLeftButton() || buttons.getModifierState() != kDefaultValueModifier) return false;
  if (getValue() != getDefaultValue()) {
    beginEdit();
    setValue(getDefaultValue());
    valueChanged();
    endEdit();
  }
  return true;
}

bool CControl::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CControl") == 0 || CView::isTypeOf(type));
}

}  // namespace VSTGUI
