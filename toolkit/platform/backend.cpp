// Chooses the back-end for each new frame and routes the services to it.
#include <atomic>

#include "backends.h"

namespace VSTGUI {

namespace {
std::atomic<PlatformBackEnd> chosen{PlatformBackEnd::kNative};
std::atomic<const IImageSource*> imageSource{nullptr};
bool offscreenChosen() { return chosen.load(std::memory_order_relaxed) == PlatformBackEnd::kOffscreen; }
}  // namespace

void setPlatformBackEnd(PlatformBackEnd backEnd) { chosen.store(backEnd, std::memory_order_relaxed); }

IPlatformFrame* createPlatformFrame(IPlatformFrameCallback* frame, const CRect& size, void* parent) {
  if (offscreenChosen()) return offscreen::createFrame(frame, size);
  return native::createFrame(frame, size, parent);
}

IPlatformBitmap* loadPlatformBitmap(const char* name) { return name ? images::load(name) : nullptr; }

void setImageSource(const IImageSource* source) { imageSource.store(source, std::memory_order_release); }
const IImageSource* getImageSource() { return imageSource.load(std::memory_order_acquire); }
const IImageSource* platformModuleImages() { return native::moduleImages(); }

uint64_t platformThreadId() { return native::threadId(); }

uint32_t platformTicks() { return offscreenChosen() ? offscreen::ticks() : native::ticks(); }

void platformSleep(uint32_t milliseconds) {
  if (offscreenChosen()) {
    offscreen::sleep(milliseconds);
  } else {
    native::sleep(milliseconds);
  }
}

bool platformOpenURL(const char* url) {
  if (!url) return false;
  return offscreenChosen() ? offscreen::openURL(url) : native::openURL(url);
}

bool platformScreenSize(int& widthPixels, int& heightPixels, int& widthMm, int& heightMm) {
  if (offscreenChosen()) return false;
  return native::screenSize(widthPixels, heightPixels, widthMm, heightMm);
}

}  // namespace VSTGUI
