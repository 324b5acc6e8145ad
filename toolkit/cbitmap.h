// An image by name, from the image source the application gave the toolkit
// (imagesource.h). Decoding happens once per process; every CBitmap of the
// same name shares the decoded pixels.
#pragma once

#include <cstdint>
#include <string>

#include "cbaseobject.h"
#include "crect.h"

namespace VSTGUI {

class CDrawContext;
class IPlatformBitmap;

// A resource by number or by name.
class CResourceDescription {
 public:
  CResourceDescription(int32_t resourceId) : id(resourceId) {}  // NOLINT: implicit, as the toolkit uses it
  CResourceDescription(const char* resourceName) : name(resourceName ? resourceName : "") {}  // NOLINT
  bool isNamed() const { return id < 0; }
  // A numbered resource is looked up by its decimal number as a name.
  std::string lookupName() const { return isNamed() ? name : std::to_string(id); }

 private:
  int32_t id = -1;
  std::string name;
};

class CBitmap : public CBaseObject {
 public:
  explicit CBitmap(const CResourceDescription& description);
  ~CBitmap() override;

  // A missing resource gives a 0 x 0 bitmap that is not loaded.
  bool isLoaded() const { return platformBitmap != nullptr; }
  CCoord getWidth() const;
  CCoord getHeight() const;
  // Whether the pixels are ready to draw (a missing image has none to wait for).
  bool isDecoded() const;
  // Decodes the pixels now rather than at the first draw; safe on any thread.
  void decode() const;
  void draw(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint(0, 0), float alpha = 1.f);
  IPlatformBitmap* getPlatformBitmap() const { return platformBitmap; }

 private:
  IPlatformBitmap* platformBitmap;
};

}  // namespace VSTGUI
