#include "ctaglist.h"

namespace sorel {

void CTagList::add(int newTag) {
  if (tag < 0) {
    tag = newTag;
    return;
  }
  CTagList* last = this;
  for (;; last = last->next) {
    if (last->tag == newTag) return;
    if (!last->next) break;
  }
  last->next = new CTagList;
  last->next->tag = newTag;
}

}  // namespace sorel
