// The Linux services: links in the browser.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/backends.h"
#include "scopedenv.h"
#include "waituntil.h"

namespace {

using namespace VSTGUI;

// A stand-in for xdg-open in a PATH of its own, writing what it was given.
class FakeOpener : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/sorel-x11-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void installOpener() {
    std::ofstream script(dir + "/xdg-open");
    // It holds its answer until the test lets it go (or ten seconds pass).
    script << "#!/bin/sh\nfor i in $(seq 200); do [ -e \"" << dir
           << "/go\" ] && break; sleep 0.05; done\nprintf '%s' \"$1\" > \"" << output() << ".part\"\nmv \"" << output()
           << ".part\" \"" << output() << "\"\n";
    script.close();
    chmod((dir + "/xdg-open").c_str(), 0755);
  }
  std::string output() const { return dir + "/opened"; }
  // What the opener wrote, waiting up to two seconds for it.
  std::string opened() const {
    std::stringstream text;
    if (sorel::testing::waitUntil([&] { return std::ifstream(output()).good(); }))
      text << std::ifstream(output()).rdbuf();
    return text.str();
  }

  std::string dir;
  const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  const sorel::testing::ScopedEnv pathBack{"PATH", savedPath.c_str()};
};

TEST_F(FakeOpener, ALinkStartsTheOpenerWithoutWaitingOrLeavingAChildAndBadOnesAreRefused) {
  setenv("PATH", dir.c_str(), 1);
  EXPECT_FALSE(native::openURL("https://example.org")) << "no opener";
  installOpener();
  EXPECT_FALSE(native::openURL("--help"));
  EXPECT_FALSE(native::openURL(""));
  EXPECT_FALSE(platformOpenURL(nullptr));

  setenv("PATH", (dir + ":" + savedPath).c_str(), 1);  // the stand-in first
  EXPECT_TRUE(native::openURL("https://example.org/a?b=c&d"));
  EXPECT_FALSE(std::ifstream(output())) << "the opener runs on its own: openURL did not wait for it";
  std::ofstream(dir + "/go").put('\n');
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "no child of ours is left to reap";
  EXPECT_EQ(errno, ECHILD);
  EXPECT_EQ(opened(), "https://example.org/a?b=c&d");
}

}  // namespace
