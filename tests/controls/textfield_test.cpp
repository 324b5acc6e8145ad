// Text fields: the read-out that takes typed values, the silent field, and
// the hint line with its colours and mouse lock.
#include <gtest/gtest.h>

#include <string>

#include "ckstexted.h"
#include "ctextedai.h"
#include "offscreenfixture.h"
#include "recordinglistener.h"
#include "strip.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;
using Log = std::vector<std::string>;

const VstKeyCode kReturn{0, VKEY_RETURN, 0};
const CRect kField(10, 10, 110, 30);

class TextFieldTest : public OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    background = makeStrip("textfield-back.png", 1, 100, 20);
    field = new CKstTextEd(kField, &listener, 72, "ignored", background);
    field->setFont(kNormalFontBig);
    field->setFontColor(kBlackCColor);
    frame->addView(field);
  }
  void TearDown() override {
    background->forget();
    OffscreenTest::TearDown();
  }

  // Pixels inside the field that are not the background's colour.
  int inkedPixels() {
    driver->renderAll();
    int count = 0;
    for (int y = 11; y < 29; ++y) {
      for (int x = 11; x < 109; ++x) count += driver->pixel(x, y) != frameColour(0);
    }
    return count;
  }

  RecordingListener listener{&log};
  CBitmap* background = nullptr;
  CKstTextEd* field = nullptr;
};

TEST_F(TextFieldTest, KeepsAtMost255CharactersNullKeepsTheTextAndOnlyATypedValueIsReported) {
  field->setShowText(true);
  EXPECT_STREQ(field->getText(), "");  // the constructor's text is not kept
  field->setText(std::string(300, 'x').c_str());
  EXPECT_EQ(std::string(field->getText()), std::string(255, 'x'));
  field->setText("ok");
  driver->idle();
  field->setText(nullptr);
  EXPECT_STREQ(field->getText(), "ok");
  EXPECT_TRUE(field->isDirty());

  // Only a typed value reaches the listener, as the field's text.
  field->setText("50.00%");
  driver->idle();
  field->setValue(0.25f);  // a value changes neither the drawing nor the listener
  EXPECT_FALSE(field->isDirty());
  EXPECT_EQ(field->getValue(), 0.25f);
  EXPECT_TRUE(takeLog().empty());
  driver->click(CPoint(50, 20));
  driver->type("25");
  driver->keyDown(kReturn);
  EXPECT_EQ(takeLog(), (Log{"begin 72", "editor begin 72", "value 72 0.2500", "editor end 72", "end 72"}));
  EXPECT_STREQ(field->getText(), "25");
}

TEST_F(TextFieldTest, WithShowTextOffOnlyTheBackgroundIsDrawn) {
  field->setText("compare");
  EXPECT_EQ(inkedPixels(), 0);
  EXPECT_STREQ(field->getText(), "");
  field->setShowText(true);
  EXPECT_GT(inkedPixels(), 20);
  field->setLook(false, 0);
  driver->renderAll();
  EXPECT_NE(driver->pixel(12, 12), frameColour(0));  // no background any more
}

TEST_F(TextFieldTest, AHintLineStaysUnclickableAndKeepsItsColourWithoutAnInactiveOne) {
  auto* hint = new CTextEdAI(CRect(10, 40, 110, 60), &listener, 58, "", nullptr);
  frame->addView(hint);
  hint->setShowText(true);
  hint->setMouseEnabled(false);
  hint->setMouseLock(true);
  hint->setMouseEnabled(true);
  EXPECT_FALSE(hint->getMouseEnabled());
  driver->click(CPoint(50, 50));
  EXPECT_EQ(frame->getFocusView(), nullptr);

  const CColor active{44, 44, 44, 255};
  hint->setFontColor(active);
  hint->setActiveLook(false);
  EXPECT_EQ(hint->getFontColor(), active);
  hint->setInactiveFontColor(CColor{112, 112, 112, 255});
  hint->setActiveLook(false);
  EXPECT_EQ(hint->getFontColor(), (CColor{112, 112, 112, 255}));
  hint->setActiveLook(true);
  EXPECT_EQ(hint->getFontColor(), active);
}

}  // namespace
}  // namespace sorel::test
