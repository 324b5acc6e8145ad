// A control whose background is a vertical strip of equally tall pictures
// (a film strip); the control draws one of them at a time.
#pragma once

#include <cstdint>

#include "cpoint.h"

namespace VSTGUI {

class IMultiBitmapControl {
 public:
  virtual ~IMultiBitmapControl() = default;

  virtual void setHeightOfOneImage(const CCoord& height) { imageHeight = height; }
  virtual CCoord getHeightOfOneImage() const { return imageHeight; }
  virtual void setNumSubPixmaps(int32_t count) { imageCount = count; }
  virtual int32_t getNumSubPixmaps() const { return imageCount; }

 private:
  CCoord imageHeight = 0;
  int32_t imageCount = 0;
};

}  // namespace VSTGUI
