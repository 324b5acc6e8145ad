// Text fields: the read-out that takes typed values, the silent field, and
// the hint line's colours.
#include <gtest/gtest.h>

#include <string>

#include "ckstexted.h"
#include "ctextedai.h"
#include "offscreenfixture.h"

namespace sorel::test {
namespace {

using namespace VSTGUI;

const CRect kField(10, 10, 110, 30);

class TextFieldTest : public OffscreenTest {
 protected:
  void SetUp() override {
    OffscreenTest::SetUp();
    field = new CKstTextEd(kField, &listener, 72, "ignored", strip("textfield-back.png", 1, 100, 20));
    field->setFont(kNormalFontBig);
    field->setFontColor(kBlackCColor);
    frame->addView(field);
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

  CKstTextEd* field = nullptr;
};

TEST_F(TextFieldTest, KeepsAtMost255CharactersNullKeepsTheTextAndAValueIsSilent) {
  field->setShowText(true);
  EXPECT_STREQ(field->getText(), "");  // the constructor's text is not kept
  field->setText(std::string(300, 'x').c_str());
  EXPECT_EQ(std::string(field->getText()), std::string(255, 'x'));
  field->setText("ok");
  driver->idle();
  field->setText(nullptr);
  EXPECT_STREQ(field->getText(), "ok");
  EXPECT_TRUE(field->isDirty());

  // A value changes neither the drawing nor the listener (a typed value
  // reaching it: the editor's read-out tests).
  field->setText("50.00%");
  driver->idle();
  field->setValue(0.25f);
  EXPECT_FALSE(field->isDirty());
  EXPECT_EQ(field->getValue(), 0.25f);
  EXPECT_TRUE(takeLog().empty());
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

// (That a hint line stays unclickable: the editor's tests.)
TEST_F(TextFieldTest, AHintLineKeepsItsColourWithoutAnInactiveOne) {
  auto* hint = new CTextEdAI(CRect(10, 40, 110, 60), &listener, 58, "", nullptr);
  frame->addView(hint);
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
