// What the effect tells its editor: every stored change and every notice
// (input clip, mono input) by index and value. The editor implements it; the
// effect never sees the editor's classes.
#pragma once

#include "aeffect.h"

namespace sorel {

class IEditorLink {
 public:
  virtual ~IEditorLink() = default;
  // [any thread, the audio thread included] Must not block or allocate.
  virtual void setParameter(VstInt32 index, float value) = 0;
};

}  // namespace sorel
