// What an instance and its editor cost: the time to create an effect, to open
// its editor and draw it once (the skin's decode included), and the memory a
// second open instance adds. Off-screen, one run per figure. Times are CPU
// time of the calling thread, and for the open also wall time and the CPU
// time of the whole process (opening decodes on a helper thread too); a
// measurement to read, not a test.
#include <time.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "cframe.h"
#include "cgui.h"
#include "platform/backends.h"
#include "platform/offscreen/offscreen.h"
#include "plug.h"

namespace {

VstIntPtr VSTCALLBACK silentHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

double residentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

double milliseconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// CPU time of this thread: on a loaded machine wall time mostly measures the
// other processes.
struct CpuClock {
  static double now() { return milliseconds(CLOCK_THREAD_CPUTIME_ID); }
};

double millisecondsSince(double start) { return CpuClock::now() - start; }

struct OpenInstance {
  std::unique_ptr<sorel::CPlug> effect;
  std::unique_ptr<VSTGUI::offscreen::Driver> driver;

  // Returns the time of the first draw alone.
  double open() {
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effEditOpen, 0, 0, nullptr, 0);
    driver = std::make_unique<VSTGUI::offscreen::Driver>(static_cast<sorel::CGui*>(effect->getEditor())->getFrame());
    record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0);
    const double start = CpuClock::now();
    driver->renderAll();
    return millisecondsSince(start);
  }
  ~OpenInstance() {
    driver.reset();
    if (effect) effect->getAeffect()->dispatcher(effect->getAeffect(), effEditClose, 0, 0, nullptr, 0);
  }
};

}  // namespace

int main() {
  VSTGUI::setPlatformBackEnd(VSTGUI::PlatformBackEnd::kOffscreen);
  const double startMb = residentMegabytes();
  double start = CpuClock::now();
  OpenInstance first{std::make_unique<sorel::CPlug>(silentHost), nullptr};
  const double createMs = millisecondsSince(start);
  const double createdMb = residentMegabytes();

  start = CpuClock::now();
  const double wallStart = milliseconds(CLOCK_MONOTONIC), processStart = milliseconds(CLOCK_PROCESS_CPUTIME_ID);
  const double drawMs = first.open();
  const double openMs = millisecondsSince(start);
  const double openWallMs = milliseconds(CLOCK_MONOTONIC) - wallStart;
  const double openProcessMs = milliseconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
  const double openMb = residentMegabytes();

  start = CpuClock::now();
  OpenInstance second{std::make_unique<sorel::CPlug>(silentHost), nullptr};
  const double secondCreateMs = millisecondsSince(start);
  second.open();
  const double secondMb = residentMegabytes();

  std::printf("first instance created:   %6.2f ms, %+6.2f MB\n", createMs, createdMb - startMb);
  std::printf("first editor open + draw: %6.2f ms, %+6.2f MB (wall %.2f ms, all threads' CPU %.2f ms)\n", openMs,
              openMb - createdMb, openWallMs, openProcessMs);
  std::printf("  then a full redraw:      %6.2f ms\n", drawMs);
  std::printf("second instance created:  %6.2f ms\n", secondCreateMs);
  std::printf("second instance open:              %+6.2f MB\n", secondMb - openMb);
  return 0;
}
