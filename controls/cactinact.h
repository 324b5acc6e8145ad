// A one-flag mix-in for controls that can look active or inactive: the
// drop-down box and the hint line.
#pragma once

namespace sorel {

class CActInact {
 public:
  virtual ~CActInact() = default;

  virtual void setActiveLook(bool active) = 0;
  // Only remembers the flag.
  virtual void setActive(int state) { active = state; }

 protected:
  int active = 0;
};

}  // namespace sorel
