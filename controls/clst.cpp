#include "clst.h"

#include <cstring>

#include "cdrawcontext.h"
#include "cdropdownlst.h"
#include "cframe.h"

namespace sorel {

using namespace VSTGUI;

CLst::CLst(const CRect& rect, CControlListener* l, int32_t t, CDropdownLst* ownerIn)
    : CParamDisplay(rect), owner(ownerIn), origin(rect) {
  listener = l;
  tag = t;
  setWantsFocus(true);  // the open list holds the frame's focus
  updateSize();
}

CLst::~CLst() {
  while (entries) {
    SList* next = entries->next;
    delete entries;
    entries = next;
  }
}

void CLst::addEntry(const char* text) {
  auto* entry = new SList{};
  std::strncpy(entry->text, text ? text : "", kTextCapacity - 1);
  entry->index = nextIndex++;
  SList** tail = &entries;
  while (*tail) tail = &(*tail)->next;
  *tail = entry;
  ++entryCount;
  rows.push_back(Row{entry->text, entry->index, 0, 0});
  updateSize();
}

const char* CLst::entryText(int index) const {
  if (index < 0 || index >= entryCount) return nullptr;
  for (const SList* entry = entries; entry; entry = entry->next) {
    if (entry->index == index) return entry->text;
  }
  return nullptr;
}

void CLst::resetDisabled() { disabled.assign(static_cast<std::size_t>(entryCount), false); }

void CLst::setEntryDisabled(int index, bool state) {
  if (index >= 0 && static_cast<std::size_t>(index) < disabled.size())
    disabled[static_cast<std::size_t>(index)] = state;
}

void CLst::setRowHeight(int height) {
  rowHeight = height;
  updateSize();
}

void CLst::grow(int l, int t, int r, int b) {
  growth = CRect(growth.left + l, growth.top + t, growth.right + r, growth.bottom + b);
  updateSize();
}

void CLst::moveBy(CCoord dx, CCoord dy) {
  origin.offset(dx, dy);
  updateSize();
}

void CLst::updateSize() {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].top = static_cast<int>(i) * rowHeight;
    rows[i].bottom = rows[i].top + rowHeight;
  }
  const CRect rect(origin.left - growth.left, origin.top - growth.top, origin.right + growth.right,
                   origin.top + rowHeight * entryCount + growth.bottom);
  setViewSize(rect, false);
  setMouseableArea(rect);
}

int CLst::entryAt(CCoord y) const {
  const CCoord fromTop = y - size.top;
  for (const Row& row : rows) {
    if (row.top <= fromTop && fromTop <= row.bottom) return row.index;
  }
  return -1;
}

float CLst::getValue() const {
  if (!owner) return CParamDisplay::getValue();
  return owner->isOpen() && !owner->isClosing() ? kOpenValue : kClosedValue;
}

bool CLst::hitTest(const CPoint&, const CButtonState&) { return true; }

void CLst::draw(CDrawContext* context) {
  setDirty(false);
  context->setFillColor(fillColor);
  context->setFrameColor(listFrameColor);
  context->drawRect(size, kDrawFilled);
  context->setFont(fontID);
  for (const Row& row : rows) {
    const CRect rect(size.left + textIndent, size.top + row.top, size.right, size.top + row.bottom);
    context->setFontColor(row.index == hovered ? highlightColor : fontColor);
    context->drawString(row.text.c_str(), rect, horiTxtAlign, true);
  }
}

CMouseEventResult CLst::onMouseDown(CPoint& where, const CButtonState&) {
  handleClick(where);
  invalid();
  return kMouseEventHandled;
}

void CLst::handleClick(const CPoint& where) {
  hovered = -1;
  clicked = -1;
  if (!size.pointInside(where)) {
    if (owner) owner->closeList();
    return;
  }
  clicked = entryAt(where.y);
  if (clicked < 0) {
    // The margin below the last row: nothing chosen, the list closes.
    setDirty(true);
    if (owner) owner->closeList();
    return;
  }
  if (static_cast<std::size_t>(clicked) < disabled.size() && disabled[static_cast<std::size_t>(clicked)]) return;
  value.store(static_cast<float>(clicked) / static_cast<float>(entryCount), std::memory_order_relaxed);
  CFrame* frame = getFrame();
  if (frame) frame->beginEdit(tag);
  if (!owner && listener) listener->valueChanged(this);
  if (frame) frame->endEdit(tag);
  selected = clicked;
  if (owner) {
    owner->select(clicked);
    clicked = -1;
  }
}

CMouseEventResult CLst::onMouseUp(CPoint&, const CButtonState&) { return kMouseEventHandled; }

CMouseEventResult CLst::onMouseMoved(CPoint&, const CButtonState&) { return kMouseEventHandled; }

void CLst::trackHover(const CPoint& where) {
  const int before = hovered;
  if (size.pointInside(where)) {
    hovered = entryAt(where.y);
  } else if (owner) {
    const CView* parent = getParentView();
    if (!parent || !parent->getViewSize().pointInside(where)) {
      owner->closeList();
      hovered = -1;
    }
  }
  if (hovered != before) {
    setDirty(true);
    invalid();
  }
}

bool CLst::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CLst") == 0 || CParamDisplay::isTypeOf(type));
}

}  // namespace sorel
