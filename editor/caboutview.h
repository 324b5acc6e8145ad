// The about view: a full-window picture with a version line and credit
// lines, shown modally over the editor. A click on a credit link reports the
// link tag (the view stays open); a click anywhere else reports the close tag.
#pragma once

#include <string>
#include <vector>

#include "ccolor.h"
#include "ccontrol.h"
#include "cfont.h"

namespace sorel {

class CAboutView : public VSTGUI::CControl {
 public:
  CAboutView(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, VSTGUI::CBitmap* picture);

  bool isTypeOf(const char* type) const override;
  void draw(VSTGUI::CDrawContext* context) override;
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;

  // The close tag becomes the control's tag until a click decides.
  void setTags(int closeTag, int linkTag);
  // A leading '&' underlines the line and is not drawn.
  void addLine(const char* text, const VSTGUI::CRect& area, VSTGUI::CColor color, VSTGUI::CFontRef font = nullptr);
  void addLink(const VSTGUI::CRect& area, const char* address);
  // The address of the link last clicked, or "".
  const char* currentLinkAddress() const;

  int getLinkCount() const { return static_cast<int>(links.size()); }
  const VSTGUI::CRect& getLinkArea(int index) const { return links[index].area; }

 private:
  struct AboutLink {
    VSTGUI::CRect area;
    std::string address;
  };
  struct AboutLine {
    std::string text;
    VSTGUI::CRect area;
    VSTGUI::CColor color;
    VSTGUI::CFontRef font;
  };

  int closeTag = -1;
  int linkTag = -1;
  std::vector<AboutLink> links;
  std::vector<AboutLine> lines;
  int currentLink = -1;
};

}  // namespace sorel
