// Empties cairo's and fontconfig's process-wide caches once every test has
// run, so the leak checker of the sanitizer build reports only real leaks.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace {

class LibraryCaches : public ::testing::Environment {
 public:
  void TearDown() override {
    cairo_debug_reset_static_data();
    FcFini();
  }
};

[[maybe_unused]] const ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new LibraryCaches);

}  // namespace
