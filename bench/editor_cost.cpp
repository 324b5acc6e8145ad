// What an instance and its editor cost: the time to create an effect, to open
// its editor and draw it once (the skin's decode included), and the memory a
// second open instance adds. Off-screen, one run per figure; a measurement to
// read, not a test.
#include <chrono>
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

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct OpenInstance {
  std::unique_ptr<sorel::CPlug> effect;
  std::unique_ptr<VSTGUI::offscreen::Driver> driver;

  // Returns the time of the first draw alone.
  double open() {
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effEditOpen, 0, 0, nullptr, 0);
    driver = std::make_unique<VSTGUI::offscreen::Driver>(static_cast<sorel::CGui*>(effect->getEditor())->getFrame());
    record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0);
    const auto start = std::chrono::steady_clock::now();
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
  auto start = std::chrono::steady_clock::now();
  OpenInstance first{std::make_unique<sorel::CPlug>(silentHost), nullptr};
  const double createMs = millisecondsSince(start);
  const double createdMb = residentMegabytes();

  start = std::chrono::steady_clock::now();
  const double drawMs = first.open();
  const double openMs = millisecondsSince(start);
  const double openMb = residentMegabytes();

  start = std::chrono::steady_clock::now();
  OpenInstance second{std::make_unique<sorel::CPlug>(silentHost), nullptr};
  const double secondCreateMs = millisecondsSince(start);
  second.open();
  const double secondMb = residentMegabytes();

  std::printf("first instance created:   %6.2f ms, %+6.2f MB\n", createMs, createdMb - startMb);
  std::printf("first editor open + draw: %6.2f ms, %+6.2f MB\n", openMs, openMb - createdMb);
  std::printf("  of which the first draw: %6.2f ms\n", drawMs);
  std::printf("second instance created:  %6.2f ms\n", secondCreateMs);
  std::printf("second instance open:              %+6.2f MB\n", secondMb - openMb);
  return 0;
}
