#include "cled.h"

#include <cmath>
#include <cstring>

#include "cbitmap.h"
#include "cframe.h"
#include "cviewcontainer.h"
#include "steps.h"
#include "vstguieditorinterface.h"

namespace sorel {

using namespace VSTGUI;

namespace {
constexpr float kStepValue = 0.0078125f;           // one whole-number step: 1/128
constexpr float kReadScale = 128.00999450683594f;  // values a hair below k/128 still read as k
constexpr float kMemberReadBack = 127.98999786376953f;
constexpr float kTwoPi = 6.2831855f;

int framesOf(CBitmap* bitmap, const CRect& size) {
  const auto height = static_cast<int>(size.getHeight());
  if (!bitmap || height <= 0) return 1;
  return static_cast<int>(bitmap->getHeight()) / height;
}
}  // namespace

CLed::CLed(int styleIn, const CRect& rect, CControlListener* l, int32_t t, CBitmap* bitmap, int totalCount,
           int directionIn, int gapIn, bool noMembers)
    : COnOffButton(rect, l, t, bitmap),
      frameCount(framesOf(bitmap, rect)),
      memberCount(totalCount - 1),
      direction(directionIn),
      gap(gapIn),
      style(styleIn) {
  if (memberCount > 0 && !noMembers) createMembers();
  if (memberCount < 0 || (memberCount > 0 && !members)) memberCount = 0;
  setOn(true);
}

CLed::CLed(const CRect& rect, CBitmap* bitmap, int index, CLed* head, int styleIn)
    : COnOffButton(rect, nullptr, -1, bitmap),
      frameCount(framesOf(bitmap, rect)),
      groupHead(head),
      memberIndex(index),
      style(styleIn) {}

CLed::~CLed() {
  for (int i = 0; members && i < memberCount; ++i) {
    if (!members[i]) continue;
    members[i]->groupHead = nullptr;
    members[i]->forget();
  }
  delete[] members;
}

CLed** CLed::allocMembers(int count) { return new CLed*[count](); }

CLed* CLed::newMember(const CRect& rect, CBitmap* bitmap, int index, CLed* head, int styleIn) {
  return new CLed(rect, bitmap, index, head, styleIn);
}

void CLed::createMembers() {
  const float angle = static_cast<float>(direction) * kTwoPi / 360.f;
  const auto width = static_cast<int>(size.getWidth());
  const auto height = static_cast<int>(size.getHeight());
  const auto stepX = static_cast<int>(std::sin(angle) * static_cast<float>(width + gap));
  const auto stepY = static_cast<int>(std::cos(angle) * static_cast<float>(height + gap));
  members = allocMembers(memberCount);
  for (int k = 1; k <= memberCount; ++k) {
    CRect rect = size;
    rect.offset(k * stepX, k * stepY);
    CLed* member = newMember(rect, getBackground(), k, this, style);
    member->setTag(tag);
    members[k - 1] = member;
  }
}

void CLed::setOn(bool state) {
  on = state;
  storeValue(state ? 1.f : 0.f);
}

void CLed::setMomentary(bool alsoMembers) {
  storeValue(0.f);
  momentary = true;
  on = false;
  if (!alsoMembers) return;
  for (int i = 0; i < memberCount; ++i) {
    CLed* member = members[i];
    member->storeValue(0.f);
    member->momentary = false;
    member->forwardIndex = true;
    member->on = false;
  }
}

CLed* CLed::getMember(int i) const { return i >= 0 && i < memberCount ? members[i] : nullptr; }

void CLed::setMemberPosition(int i, int dx, int dy) {
  if (i < 1 || i > memberCount) return;
  CRect rect = size;
  rect.offset(dx, dy);
  members[i - 1]->setViewSize(rect, true);
  members[i - 1]->setMouseableArea(rect);
}

void CLed::setMemberBitmap(int i, CBitmap* bitmap, int frames) {
  if (i > memberCount || i < 0) return;
  CLed* target = i == 0 ? this : members[i - 1];
  CRect rect(0, 0, 0, 0);
  if (bitmap) {
    const CRect& current = target->getViewSize();
    rect = CRect(current.left, current.top, current.left + bitmap->getWidth(),
                 current.top + static_cast<int>(bitmap->getHeight()) / (frames > 0 ? frames : 1));
  }
  target->setBackground(bitmap);
  target->setViewSize(rect, true);
  target->setDirty(true);
}

void CLed::addMembersTo(CViewContainer* a, CViewContainer* b) {
  for (int i = 0; i < memberCount; ++i) {
    CLed* member = members[i];
    if (!member->containerMember) continue;
    for (CViewContainer* container : {a, b}) {
      if (!container) continue;
      member->remember();
      if (!container->addView(member)) member->forget();
    }
  }
  if (a) a->setDirty(true);
  if (b) b->setDirty(true);
}

void CLed::notify() {
  if (!getMouseEnabled()) return;
  if (!groupHead) {
    if (listener) listener->valueChanged(this);
  } else {
    groupHead->memberClicked(0, memberIndex);
  }
}

CMouseEventResult CLed::onMouseDown(CPoint& where, const CButtonState& buttons) {
  beginEdit();
  lastButtons = buttons;
  if (momentary) {
    storeValue(0.f);
    on = true;
    if (listener) listener->valueChanged(this);
    invalid();
    momentaryPressed = true;
  } else if (forwardIndex && groupHead) {
    const float kept = groupHead->storedValue();
    groupHead->storeValue(static_cast<float>(memberIndex) * kStepValue);
    if (CControlListener* headListener = groupHead->getListener()) headListener->valueChanged(groupHead);
    groupHead->storeValue(kept);
    storeValue(0.f);
    on = true;
    invalid();
  } else if (CButtonState(buttons.getButtonState()).isLeftButton()) {
    if (!getBackground()) {
      if (memberCount > 0) on = true;
      if (listener) {
        listener->valueChanged(this);
      } else {
        notify();
      }
    } else {
      toggle(0, where);
      notify();
    }
  }
  if (!momentaryPressed) endEdit();
  return kMouseEventHandled;
}

void CLed::toggle(int, const CPoint&) {
  if (!getMouseEnabled() || !(lastButtons.getButtonState() & kLButton)) return;
  if (isPlain()) {
    on = !on;
  } else if (memberCount > 0) {
    for (int i = 0; i < memberCount; ++i) members[i]->setOn(false);
    on = true;
  }
  storeValue(on ? 1.f : 0.f);
  if (CFrame* frame = getFrame()) {
    if (VSTGUIEditorInterface* editor = frame->getEditor()) editor->doIdleStuff();
  }
}

void CLed::memberClicked(int, int index) {
  on = false;
  storeValue(static_cast<float>(index) * kStepValue);
  for (int k = 0; k < memberCount; ++k) members[k]->setOn(k + 1 == index);
  if (listener) listener->valueChanged(this);
  setDirty(true);
}

CMouseEventResult CLed::onMouseUp(CPoint&, const CButtonState& buttons) {
  lastButtons = buttons;
  if (momentary || forwardIndex) {
    storeValue(0.f);
    on = false;
    invalid();
  }
  if (momentaryPressed) {
    momentaryPressed = false;
    endEdit();
  }
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CLed::onMouseMoved(CPoint&, const CButtonState& buttons) {
  lastButtons = buttons;
  return kMouseEventHandled;
}

void CLed::setTransparency(bool state) {
  COnOffButton::setTransparency(state);
  for (int i = 0; i < memberCount; ++i) members[i]->setTransparency(state);
}

void CLed::setValue(float v) {
  const bool same = v == lastSetValue;
  lastSetValue = v;
  if (momentary) {
    on = false;
    return;
  }
  const int n = truncatedSteps(v, kReadScale);
  if (isPlain()) {
    setOn(n != 0);
    if (!same) setDirty(true);
    return;
  }
  on = n == 0;
  for (int k = 0; k < memberCount; ++k) members[k]->setOn(k == n - 1);
  storeValue(v);
  setDirty(true);
}

float CLed::getValue() const {
  if (momentary) return storedValue();
  if (isPlain()) return on ? 1.f : 0.f;
  if (groupHead) return storedValue() / kMemberReadBack;
  return on ? 0.f : storedValue();
}

void CLed::draw(CDrawContext* context) {
  if (CBitmap* bitmap = getBackground()) {
    // Two-state drawing: the upper half while dark, the lower half while lit.
    const bool firstFrame = style == kStyleFirstFrameOnly || frameCount == 1;
    const CCoord top = !firstFrame && on ? bitmap->getHeight() / 2 : 0;
    bitmap->draw(context, size, CPoint(0, top), 1.f);
  }
  setDirty(false);
}

bool CLed::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CLed") == 0 || COnOffButton::isTypeOf(type));
}

}  // namespace sorel
