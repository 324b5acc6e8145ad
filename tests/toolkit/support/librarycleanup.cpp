// After the last test, frees the font and pattern caches cairo and fontconfig
// keep for the whole process, so that LeakSanitizer reports only what the
// layer itself leaves behind. Every cairo context and font is gone by then;
// decoded images may still sit in the image cache, which needs none of this.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace sorel::test {
namespace {

class LibraryCleanup : public ::testing::Environment {
 public:
  void TearDown() override {
    cairo_debug_reset_static_data();
    FcFini();
  }
};

[[maybe_unused]] const ::testing::Environment* const cleanup = ::testing::AddGlobalTestEnvironment(new LibraryCleanup);

}  // namespace
}  // namespace sorel::test
