// Reference counting shared by every view, bitmap and font of the layer.
#pragma once

#include <cstdint>

namespace VSTGUI {

class CBaseObject {
 public:
  CBaseObject() = default;
  virtual ~CBaseObject() = default;
  CBaseObject(const CBaseObject&) = delete;
  CBaseObject& operator=(const CBaseObject&) = delete;

  // A new object starts with one reference: its creator's.
  void remember() { ++references; }
  // Deletes the object when the last reference goes.
  void forget() {
    if (--references == 0) delete this;
  }
  int32_t getNbReference() const { return references; }

  virtual bool isTypeOf(const char* type) const;
  virtual CBaseObject* newCopy() const { return nullptr; }

 private:
  int32_t references = 1;
};

}  // namespace VSTGUI
