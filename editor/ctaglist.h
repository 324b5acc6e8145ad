// The control tags that show one parameter, in layout order: a singly linked
// list whose head lives in the editor's array.
#pragma once

namespace sorel {

class CTagList {
 public:
  CTagList() = default;
  ~CTagList() { delete next; }
  CTagList(const CTagList&) = delete;
  CTagList& operator=(const CTagList&) = delete;

  // Appends the tag (a tag already listed is not added twice).
  void add(int newTag);
  int getTag() const { return tag; }
  const CTagList* getNext() const { return next; }

 private:
  int tag = -1;
  CTagList* next = nullptr;
};

}  // namespace sorel
