// A font: family name, em height in pixels and style bits. Reference-counted;
// the drawing back-end finds the face (on Linux fontconfig maps "Arial" to a
// metric-compatible face).
#pragma once

#include <cstdint>
#include <string>

#include "cbaseobject.h"
#include "cpoint.h"

namespace VSTGUI {

enum CTxtFace : int32_t { kNormalFace = 0, kBoldFace = 1 << 1, kItalicFace = 1 << 2, kUnderlineFace = 1 << 3 };

class CFontDesc : public CBaseObject {
 public:
  CFontDesc(const char* name = "", const CCoord& size = 0, const int32_t style = 0)
      : fontName(name ? name : ""), fontSize(size), fontStyle(style) {}

  const char* getName() const { return fontName.c_str(); }
  CCoord getSize() const { return fontSize; }
  int32_t getStyle() const { return fontStyle; }
  void setStyle(int32_t style) { fontStyle = style; }

 private:
  std::string fontName;
  CCoord fontSize;
  int32_t fontStyle;
};

using CFontRef = CFontDesc*;

// The toolkit's standard fonts, all "Arial"; they live for the whole process.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;

}  // namespace VSTGUI
