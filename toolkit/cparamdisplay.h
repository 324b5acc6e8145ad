// A control that shows its value as text over a background: a bitmap, or
// (when opaque) a colour with a one-pixel frame. Subclasses draw other texts
// with the same drawBack/drawText pair.
#pragma once

#include "ccolor.h"
#include "ccontrol.h"
#include "cfont.h"

namespace VSTGUI {

// Style bits of the text controls.
enum : int32_t {
  kShadowText = 1 << 1,   // the text again in the shadow colour, one pixel down and right, below it
  k3DIn = 1 << 2,         // no frame outline
  k3DOut = 1 << 3,        // no frame outline
  kNoTextStyle = 1 << 6,  // background only
  kNoDrawStyle = 1 << 7,  // nothing at all
  kNoFrame = 1 << 14,     // background colour without the outline
};

class CParamDisplay : public CControl {
 public:
  explicit CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
  ~CParamDisplay() override;

  void draw(CDrawContext* context) override;

  // Keeps a reference to the font.
  virtual void setFont(CFontRef font);
  virtual void setFontColor(CColor color);
  CColor getFontColor() const { return fontColor; }
  virtual void setBackColor(CColor color);
  CColor getBackColor() const { return backColor; }
  virtual void setFrameColor(CColor color);
  virtual void setShadowColor(CColor color);
  virtual void setHoriAlign(CHoriTxtAlign align);
  // Moves the text in from the left and right edges by x, from the top and
  // bottom by y.
  virtual void setTextInset(const CPoint& inset);
  virtual void setAntialias(bool state);
  virtual void setStyle(int32_t style);
  int32_t getStyle() const { return displayStyle; }

  // The background bitmap (`newBack` instead when given); without one, an
  // opaque display fills its back colour and outlines it in the frame colour.
  virtual void drawBack(CDrawContext* context, CBitmap* newBack = nullptr);
  // `text` in the view's rectangle (or `rect`, local coordinates) less the
  // text inset, with the display's font, colours, alignment and antialiasing.
  virtual void drawText(CDrawContext* context, const char* text);
  virtual void drawText(CDrawContext* context, const char* text, const CRect& rect);

  bool isTypeOf(const char* type) const override;

 protected:
  CFontRef fontID;
  CColor fontColor = kWhiteCColor;
  CColor backColor = kBlackCColor;
  CColor frameColor = kBlackCColor;
  CColor shadowColor = kBlackCColor;
  CHoriTxtAlign horiTxtAlign = kCenterText;
  CPoint textInset;
  bool antialias = true;
  int32_t displayStyle;
};

}  // namespace VSTGUI
