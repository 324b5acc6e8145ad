#include "decodeahead.h"

#include <algorithm>
#include <mutex>
#include <system_error>
#include <thread>

#include "cbitmap.h"
#include "cviewcontainer.h"

namespace VSTGUI {

namespace {

void collect(const CView& view, std::vector<CBitmap*>& into) {
  if (!view.isVisible()) return;
  CBitmap* background = view.getBackground();
  if (background && std::find(into.begin(), into.end(), background) == into.end()) into.push_back(background);
  if (const auto* container = dynamic_cast<const CViewContainer*>(&view)) {
    for (int32_t i = 0; i < container->getNbViews(); ++i) {
      if (const CView* child = container->getView(i)) collect(*child, into);
    }
  }
}

// The work list, taken from both ends under a lock.
class TwoEndedQueue {
 public:
  explicit TwoEndedQueue(std::vector<const CBitmap*> bitmaps) : work(std::move(bitmaps)), back(work.size()) {}

  const CBitmap* take(bool largest) {
    std::lock_guard<std::mutex> hold(lock);
    if (front == back) return nullptr;
    return largest ? work[front++] : work[--back];
  }

  void decodeFrom(bool largest) {
    while (const CBitmap* bitmap = take(largest)) bitmap->decode();
  }

 private:
  std::mutex lock;
  std::vector<const CBitmap*> work;  // largest first
  size_t front = 0, back;
};

// A helper decoding from the large end; no thread when none can be had.
std::thread startHelper(TwoEndedQueue& queue) {
  try {
    return std::thread([&queue] {
      try {
        queue.decodeFrom(true);
      } catch (...) {
        // what is left undecoded decodes at its first draw
      }
    });
  } catch (const std::system_error&) {
    return {};  // the caller does it all
  }
}

}  // namespace

std::vector<CBitmap*> visibleBitmaps(const CViewContainer& container) {
  std::vector<CBitmap*> found;
  collect(container, found);
  return found;
}

void decodeAhead(const std::vector<CBitmap*>& bitmaps) {
  std::vector<const CBitmap*> work;
  for (const CBitmap* bitmap : bitmaps) {
    if (bitmap && !bitmap->isDecoded() && std::find(work.begin(), work.end(), bitmap) == work.end())
      work.push_back(bitmap);
  }
  auto pixels = [](const CBitmap* bitmap) { return bitmap->getWidth() * bitmap->getHeight(); };
  std::stable_sort(work.begin(), work.end(), [&](const CBitmap* a, const CBitmap* b) { return pixels(a) > pixels(b); });
  const bool worthAHelper = work.size() > 1;
  TwoEndedQueue queue(std::move(work));

  std::thread helper = worthAHelper ? startHelper(queue) : std::thread();
  struct JoinOnExit {
    std::thread& thread;
    ~JoinOnExit() {
      if (thread.joinable()) thread.join();
    }
  } join{helper};
  queue.decodeFrom(false);
}

}  // namespace VSTGUI
