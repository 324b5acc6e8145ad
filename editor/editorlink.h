// The two directions between the effect and its editor. The effect tells the
// editor every stored change and notice; the editor reads and sets values
// through the effect's own operations. Neither sees the other's classes.
#pragma once

#include "aeffect.h"

namespace sorel {

class IEditorLink {
 public:
  virtual ~IEditorLink() = default;
  // [any thread, the audio thread included] Must not block or allocate.
  virtual void setParameter(VstInt32 index, float value) = 0;
};

class IEffectLink {
 public:
  virtual ~IEffectLink() = default;
  // Sets a value without telling the host (commands, page, compare stores).
  virtual void setParameterDirect(VstInt32 index, float value) = 0;
  virtual float getParameterDirect(VstInt32 index) = 0;
  // The display text the host is given for the parameter's current value.
  virtual void getParameterText(VstInt32 index, char* text) = 0;
};

}  // namespace sorel
