// The editor opened and closed 500 times (100 in sanitizer builds), idled,
// off-screen on a directly built effect while a host thread automates it: every reopened
// editor must show the values as they are now, not as they were at the last
// close. (That a real window goes at each close is the X11 plug-in editor test's.)
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "editor_host.h"
#include "platform/iplatform.h"

namespace sorel::test {
namespace {

TEST(EditorCycles, ManyOffScreenOpensShowTheCurrentValues) {
  VSTGUI::setPlatformBackEnd(VSTGUI::PlatformBackEnd::kOffscreen);
  EditorHost host;
  // The knobs of settings the automation thread leaves alone (the volumes).
  std::vector<std::pair<int, int>> knobs;
  for (const auto& row : knobRows())
    if (row.second >= 0 && (row.second < 12 || row.second >= 84)) knobs.push_back(row);
  ASSERT_FALSE(knobs.empty());
  std::atomic<bool> done{false};
  std::thread automation([&] {
    std::mt19937 random(21);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    while (!done.load())
      host.plug().setParameter(kStereoBase + static_cast<int>(random() % (3 * kParamsPerSet)), value(random));
  });
  std::mt19937 random(22);
  int stale = 0;
  for (int cycle = 0; cycle < SOREL_EDITOR_CYCLES; ++cycle) {
    const auto [tag, parameter] = knobs[random() % knobs.size()];
    host.plug().setParameter(parameter, static_cast<float>(cycle % 101) / 100.0f);
    if (!host.open()) {
      ADD_FAILURE() << "the editor did not open at cycle " << cycle;
      break;
    }
    for (int i = 0; i < 3; ++i) host.idle();
    if (host.knob(tag)->getValue() != host.plug().getParameter(parameter)) ++stale;
    host.close();
  }
  done = true;
  automation.join();
  EXPECT_EQ(stale, 0);
}

}  // namespace
}  // namespace sorel::test
