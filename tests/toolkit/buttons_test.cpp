// The on/off button: which half of its bitmap it shows, and the click that
// toggles it as one edit gesture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cbitmap.h"
#include "conoffbutton.h"
#include "offscreenfixture.h"
#include "platform/cairo/cairobitmap.h"
#include "recordinglistener.h"
#include "testimage.h"

namespace {

using namespace VSTGUI;
using Log = std::vector<std::string>;

constexpr CColor kOffColour{200, 30, 30, 255};
constexpr CColor kOnColour{30, 200, 30, 255};
const CPoint kInside(20, 20);

class OnOffButtonTest : public sorel::test::OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    images::registerForTest("onoff-test.png", sorel::test::blocksPNG(20, 20, {{kOffColour}, {kOnColour}}));
    auto* bitmap = new CBitmap("onoff-test.png");
    ASSERT_TRUE(bitmap->isLoaded());
    button = new COnOffButton(CRect(10, 10, 30, 30), &listener, 3, bitmap);
    bitmap->forget();
    frame->addView(button);
    driver->idle();
  }

  CColor shown() {
    driver->renderAll();
    return driver->pixel(static_cast<int>(kInside.x), static_cast<int>(kInside.y));
  }

  sorel::test::RecordingListener listener{&log};
  COnOffButton* button = nullptr;
};

TEST_F(OnOffButtonTest, TheLowerHalfShowsOnlyAtTheMaximum) {
  EXPECT_EQ(shown(), kOffColour);
  button->setValue(1.f);
  EXPECT_EQ(shown(), kOnColour);
  button->setMax(2.f);
  EXPECT_EQ(shown(), kOffColour);
  button->setValue(2.f);
  EXPECT_EQ(shown(), kOnColour);
}

TEST_F(OnOffButtonTest, ALeftClickTogglesAndReportsOneGesture) {
  EXPECT_EQ(driver->mouseDown(kInside, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
  driver->mouseUp(kInside, kLButton);
  EXPECT_EQ(button->getValue(), 1.f);
  driver->render();  // repainted by the click itself
  EXPECT_EQ(driver->pixel(20, 20), kOnColour);

  button->setMin(0.25f);
  driver->click(kInside);
  EXPECT_EQ(button->getValue(), 0.25f);
  EXPECT_EQ(shown(), kOffColour);
  EXPECT_EQ(takeLog(), (Log{"begin 3", "editor begin 3", "value 3 1.0000", "editor end 3", "end 3", "begin 3",
                            "editor begin 3", "value 3 0.2500", "editor end 3", "end 3"}));
}

TEST_F(OnOffButtonTest, OtherButtonsDoNothing) {
  EXPECT_EQ(driver->mouseDown(kInside, kRButton), kMouseEventNotHandled);
  driver->mouseUp(kInside, kRButton);
  driver->click(kInside, kLButton | kRButton);
  EXPECT_EQ(button->getValue(), 0.f);
  EXPECT_EQ(takeLog(), Log{});
}

}  // namespace
