// The off-screen services: a clock that only moves when told to, and links
// that are recorded instead of opened.
#include "offscreenservices.h"

#include <atomic>
#include <mutex>

#include "platform/backends.h"

namespace VSTGUI::offscreen {

namespace {
std::atomic<uint32_t> clock{0};

struct URLLog {
  std::mutex lock;
  std::vector<std::string> urls;
};

URLLog& urlLog() {
  static URLLog log;
  return log;
}
}  // namespace

uint32_t ticks() { return clock.load(std::memory_order_relaxed); }

void sleep(uint32_t milliseconds) { clock.fetch_add(milliseconds, std::memory_order_relaxed); }

bool openURL(const char* url) {
  URLLog& log = urlLog();
  std::lock_guard<std::mutex> hold(log.lock);
  log.urls.emplace_back(url ? url : "");
  return true;
}

std::vector<std::string> recordedURLs() {
  URLLog& log = urlLog();
  std::lock_guard<std::mutex> hold(log.lock);
  return log.urls;
}

void clearRecordedURLs() {
  URLLog& log = urlLog();
  std::lock_guard<std::mutex> hold(log.lock);
  log.urls.clear();
}

}  // namespace VSTGUI::offscreen
