// The about view in the real editor: opened by the product name, its links
// open installed documentation pages, any other click closes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "caboutview.h"
#include "cframe.h"
#include "editor_host.h"
#include "platform/offscreen/offscreen.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

TEST(AboutView, TheProductNameOpensItALinkOpensAPageAndAnyOtherClickClosesIt) {
  offscreen::Driver::clearOpenedURLs();
  EditorHost host;
  ASSERT_TRUE(host.open());
  CGui& gui = host.gui();
  host.driver().click(CPoint(100, 25));  // the product name
  ASSERT_TRUE(gui.isAboutShown());
  auto* about = dynamic_cast<CAboutView*>(gui.getAboutView());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(gui.getFrame()->getModalView(), about);
  host.driver().renderAll();
  EXPECT_TRUE(host.driver().writePNG(outputPath("editor-about.png")));

  // Every link names a page that exists.
  ASSERT_EQ(about->getLinkCount(), 3);
  for (int i = 0; i < 3; ++i) {
    host.driver().click(about->getLinkArea(i).getCenter());
    EXPECT_TRUE(gui.isAboutShown()) << i;
    const std::vector<std::string> opened = offscreen::Driver::openedURLs();
    ASSERT_EQ(opened.size(), static_cast<size_t>(i + 1));
    EXPECT_TRUE(std::filesystem::is_regular_file(opened.back())) << opened.back();
  }
  // The first credit's text right of its link closes, and opens nothing.
  host.driver().click(CPoint(600, 160));
  EXPECT_FALSE(gui.isAboutShown());
  EXPECT_EQ(gui.getFrame()->getModalView(), nullptr);
  EXPECT_EQ(offscreen::Driver::openedURLs().size(), 3u);
  // It opens again, and a new window starts with it closed.
  host.driver().click(CPoint(100, 25));
  EXPECT_TRUE(gui.isAboutShown());
  host.close();
  EXPECT_TRUE(host.open());
  EXPECT_FALSE(gui.isAboutShown());
}

}  // namespace
}  // namespace sorel::test
