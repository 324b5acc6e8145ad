// The built library's editor opened and closed 500 times (100 in sanitizer
// builds) in a real parent window under a private Xvfb, idled between, as a
// Linux host does it: each
// open must succeed and each close must take the editor's window away.
#include <gtest/gtest.h>
// Xlib defines None and Bool as macros, so it comes after gtest.
#include <X11/Xlib.h>

#include "host.h"
#include "hostwindow.h"
#include "parameters.h"
#include "xvfbserver.h"

namespace sorel::testing {
namespace {

TEST(X11EditorCycles, ManyOpensAndClosesLeaveNoWindowBehind) {
  if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
  XvfbServer server;
  ASSERT_TRUE(server.start());
  {
    host::Host host;
    std::string error;
    auto library = host::PluginLibrary::open(SOREL_PLUGIN_PATH, &error);
    ASSERT_TRUE(library) << error;
    auto effect = host::HostedEffect::create(library, host, &error);
    ASSERT_TRUE(effect) << error;
    effect->start(44100.0f, 256);
    ERect* rect = nullptr;
    ASSERT_EQ(effect->dispatch(effEditGetRect, 0, 0, &rect), 1);
    HostWindow parent(10, 10, rect->right - rect->left, rect->bottom - rect->top);
    ASSERT_TRUE(parent.isOpen());
    for (int cycle = 0; cycle < SOREL_EDITOR_CYCLES; ++cycle) {
      ASSERT_EQ(effect->dispatch(effEditOpen, 0, 0, parent.handle()), 1) << cycle;
      effect->setParameter(cycle % 2 ? kVolOut : kVolIn, static_cast<float>(cycle % 11) / 10.0f);
      effect->dispatch(effEditIdle);
      effect->dispatch(effEditIdle);
      effect->dispatch(effEditClose);
      XSync(parent.getDisplay(), False);
      ASSERT_TRUE(childrenOf(parent.getDisplay(), parent.getWindow()).empty()) << cycle;
    }
  }
  server.stop();
}

}  // namespace
}  // namespace sorel::testing
