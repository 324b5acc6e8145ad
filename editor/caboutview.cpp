#include "caboutview.h"

#include <cstring>

#include "cbitmap.h"
#include "cdrawcontext.h"

namespace sorel {

using namespace VSTGUI;

CAboutView::CAboutView(const CRect& area, CControlListener* owner, CBitmap* image) : CControl(area, owner, 0, image) {}

bool CAboutView::isTypeOf(const char* type) const {
  return type && (std::strcmp(type, "CAboutView") == 0 || CControl::isTypeOf(type));
}

void CAboutView::setTags(int close, int link) {
  closeTag = close;
  linkTag = link;
  setTag(close);
}

void CAboutView::addLine(const char* text, const CRect& area, CColor color, CFontRef font) {
  lines.push_back({text ? text : "", area, color, font});
}

void CAboutView::addLink(const CRect& area, const char* address) { links.push_back({area, address ? address : ""}); }

const char* CAboutView::currentLinkAddress() const {
  if (currentLink < 0 || currentLink >= static_cast<int>(links.size())) return "";
  return links[currentLink].address.c_str();
}

void CAboutView::draw(CDrawContext* context) {
  CControl::draw(context);  // the picture
  for (const AboutLine& line : lines) {
    const bool underlined = !line.text.empty() && line.text[0] == '&';
    const char* text = line.text.c_str() + (underlined ? 1 : 0);
    CRect area = line.area;
    area.offset(size.left, size.top);
    context->saveGlobalState();
    if (line.font) context->setFont(line.font);
    const CCoord width = context->getStringWidth(text);
    if (underlined) {
      context->setFrameColor(line.color);
      context->drawLine(CPoint(area.left, area.bottom), CPoint(area.left + width, area.bottom));
    }
    context->setFontColor(line.color);
    context->drawString(text, area, kLeftText, true);
    context->restoreGlobalState();
  }
  setDirty(false);
}

CMouseEventResult CAboutView::onMouseDown(CPoint& where, const CButtonState&) {
  setTag(closeTag);
  const CPoint local(where.x - size.left, where.y - size.top);
  for (size_t i = 0; i < links.size(); ++i) {
    if (links[i].area.pointInside(local)) {
      setTag(linkTag);
      currentLink = static_cast<int>(i);
      break;
    }
  }
  if (listener) listener->valueChanged(this);
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

}  // namespace sorel
