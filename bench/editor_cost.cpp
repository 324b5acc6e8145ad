// What an instance and its editor cost: the time to create an effect, to open
// its editor and draw it once (the skin's decode included), and the memory a
// second open instance adds. Off-screen, one run per figure, in CPU time of
// the calling thread; a measurement to read, not a test.
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

// CPU time of this thread: on a loaded machine wall time mostly measures the
// other processes.
struct CpuClock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }
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
  const double drawMs = first.open();
  const double openMs = millisecondsSince(start);
  const double openMb = residentMegabytes();

  start = CpuClock::now();
  OpenInstance second{std::make_unique<sorel::CPlug>(silentHost), nullptr};
  const double secondCreateMs = millisecondsSince(start);
  second.open();
  const double secondMb = residentMegabytes();

  std::printf("first instance created:   %6.2f ms, %+6.2f MB\n", createMs, createdMb - startMb);
  std::printf("first editor open + draw: %6.2f ms, %+6.2f MB\n", openMs, openMb - createdMb);
  std::printf("  then a full redraw:      %6.2f ms\n", drawMs);
  std::printf("second instance created:  %6.2f ms\n", secondCreateMs);
  std::printf("second instance open:              %+6.2f MB\n", secondMb - openMb);
  return 0;
}
