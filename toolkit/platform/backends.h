// The entry points of each back-end; backend.cpp picks one per frame.
#pragma once

#include <cstdint>

#include "imagesource.h"
#include "iplatform.h"

namespace VSTGUI {

namespace offscreen {
IPlatformFrame* createFrame(IPlatformFrameCallback* frame, const CRect& size);
uint32_t ticks();                 // the fake clock
void sleep(uint32_t milliseconds);  // advances the fake clock
bool openURL(const char* url);    // recorded, not opened
}  // namespace offscreen

namespace native {
// null when the window system is not reachable or `parent` is unusable.
IPlatformFrame* createFrame(IPlatformFrameCallback* frame, const CRect& size, void* parent);
uint64_t threadId();
uint32_t ticks();
void sleep(uint32_t milliseconds);
bool openURL(const char* url);
bool screenSize(int& widthPixels, int& heightPixels, int& widthMm, int& heightMm);
const IImageSource* moduleImages();  // null where the platform keeps none
}  // namespace native

namespace images {
// Decodes (once per process) the PNG of that name that a test registered or
// the image source holds; null if absent.
IPlatformBitmap* load(const char* name);
}  // namespace images

}  // namespace VSTGUI
