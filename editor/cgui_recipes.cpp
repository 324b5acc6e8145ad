// How each layout type code becomes a control: switches, lamps, click areas,
// push buttons, the A/B/C selectors, text fields, hint lines, drop-down lists
// and the knobs' value read-outs.
#include "cbitmap.h"
#include "ccbuttonmo.h"
#include "cdropdownlstai.h"
#include "cgui.h"
#include "ckstexted.h"
#include "clst.h"
#include "ctextedai.h"

namespace sorel {

using namespace VSTGUI;

namespace {
constexpr CColor kTextFieldColor{44, 44, 44, 255};
constexpr CColor kReadoutBackColor{44, 44, 44, 0};
constexpr CColor kHintInactiveColor{112, 112, 112, 255};
constexpr CColor kListInactiveText{112, 112, 112, 255};
constexpr CColor kListFrameColor{12, 14, 11, 255};
constexpr CColor kListFill{88, 88, 88, 255};
constexpr CColor kListFont{180, 180, 180, 255};
constexpr CColor kListHighlight{235, 235, 235, 255};
constexpr CColor kListBoxText{112, 112, 112, 255};
constexpr int kListGrowRight = 3;
constexpr int kListGrowBottom = 5;
constexpr int kListRowHeight = 13;
constexpr int kGroupGap = 55;
constexpr int kSimpleDrawingGroup = 10001;
constexpr CCoord kReadoutTop = 18;  // read-outs run from 18 to 4 px above their knob
constexpr CCoord kReadoutBottom = 4;
constexpr CCoord kReadoutWideWidth = 90;
constexpr CCoord kReadoutNarrowWidth = 70;
constexpr CCoord kReadoutFontSize = 16;
constexpr CCoord kHintInsetX = 2;

// The read-outs' font, shared by every editor for the whole process.
CFontRef readoutFont() {
  static const CFontRef font = new CFontDesc("Arial", kReadoutFontSize);
  return font;
}

}  // namespace

CControl* CGui::createButton(int tag, const ControlDesc& row, CBitmap* image) {
  auto* button = new CCButtonMO(0, scaledRect(row, image, row.n), this, tag, image, 1, 0, 0, false);
  button->setValue(0.f);
  button->setMomentary(false);
  button->setValue(0.f);
  tagRecords[tag].hintable = true;
  return button;
}

CControl* CGui::createLed(int tag, const ControlDesc& row, CBitmap* image) {
  auto* led = new CLed(0, scaledRect(row, image, row.n), this, tag, image, 1, 0, 0, false);
  led->setValue(0.f);
  if (row.type == kTypeLamp) {
    led->setMouseEnabled(false);
    led->setTransparency(true);
    led->setValue(0.f);
  } else {
    tagRecords[tag].hintable = true;
  }
  return led;
}

CControl* CGui::createClickArea(int tag, const ControlDesc& row) {
  const CCoord x = scaled(row.x);
  const CCoord y = scaled(row.y);
  auto* area = new CLed(0, CRect(x, y, x + scaled(row.w), y + scaled(row.h)), this, tag, nullptr, 1, 0, 0, false);
  area->setMomentary(false);
  return area;
}

CControl* CGui::createButtonGroup(int tag, const ControlDesc& row, CBitmap* image) {
  const GroupDesc& group = kGroups[row.a >= 0 ? row.a : 0];
  auto* head = new CCButtonMO(0, scaledRect(row, image, row.n), this, tag, image, group.count, 0, kGroupGap, false);
  if (row.b == kSimpleDrawingGroup) {
    head->setSimpleDrawing(true);
    head->setActOnRelease(0);
  }
  head->setValue(0.f);
  for (int i = 1; i < group.count; ++i) {
    head->setMemberPosition(i, static_cast<int>(scaled(i * group.dx)), static_cast<int>(scaled(i * group.dy)));
  }
  head->setMomentary(true);
  return head;
}

CControl* CGui::createTextField(int tag, const ControlDesc& row, CBitmap* image) {
  const CCoord x = scaled(row.x);
  const CCoord y = scaled(row.y);
  auto* field = new CKstTextEd(CRect(x, y, x + scaled(row.w), y + scaled(row.h)), this, tag, row.text, image);
  field->setAlignment(kCenterText);
  field->setText(row.text);
  field->setMouseEnabled(false);
  field->setFont(kNormalFontBig);
  field->setFontColor(kTextFieldColor);
  field->setTransparency(true);
  return field;
}

CControl* CGui::createHintLine(int tag, const ControlDesc& row) {
  const CCoord x = scaled(row.x);
  const CCoord y = scaled(row.y);
  auto* hint = new CTextEdAI(CRect(x, y, x + scaled(row.w), y + scaled(row.h)), this, tag, "", nullptr);
  hint->setLook(true, 0);
  hint->setShowText(true);
  hint->setMouseEnabled(false);
  hint->setMouseLock(true);
  hint->setFontColor(kTextFieldColor);
  hint->setInactiveFontColor(kHintInactiveColor);
  hint->setAlignment(kLeftText);
  hint->setFont(kNormalFontVeryBig);
  hint->setTextInset(CPoint(kHintInsetX, 0));
  return hint;
}

CControl* CGui::createDropdown(int tag, const ControlDesc& row) {
  const CCoord x = scaled(row.x);
  const CCoord y = scaled(row.y);
  const ListStyle& style = kListStyles[row.a >= 0 ? row.a : 0];
  const ListDesc& entries = kLists[row.b >= 0 ? row.b : 0];
  auto* box = new CDropdownLstAI(CRect(x, y, x + scaled(row.w), y + scaled(row.h)), this, tag, nullptr, nullptr,
                                 style.offsetX, style.gapY);
  for (int i = 0; i < entries.count; ++i) box->addEntry(kListStrings[entries.first + i]);
  if (entries.title >= 0) box->setTitle(kListStrings[entries.title]);
  CLst* list = box->getList();
  box->setInactiveTextColor(kListInactiveText);
  box->setFrameColor(kListFrameColor);
  box->setFont(kNormalFont);
  list->grow(0, 0, kListGrowRight, kListGrowBottom);
  box->setActiveTextColor(kListBoxText);
  box->setTextColor(kListBoxText);
  box->setDisabledTextColor(kListInactiveText);
  box->setFillColor(kListFill);
  list->setFontColor(kListFont);
  list->setHighlightColor(kListHighlight);
  box->setTextAlignment(kCenterText);
  list->resetDisabled();
  list->setRowHeight(static_cast<int>(scaled(kListRowHeight)));
  if (row.h == 0) box->setHidden(true);
  return box;
}

CControl* CGui::createReadout(int tag, const ControlDesc& row, const CRect& knob) {
  const CCoord width = scaled(static_cast<int>(row.b == kReadoutWide ? kReadoutWideWidth : kReadoutNarrowWidth));
  const CCoord centre = (knob.left + knob.right) / 2;
  const CRect size(centre - width / 2, knob.top - scaled(static_cast<int>(kReadoutTop)), centre + width / 2,
                   knob.top - scaled(static_cast<int>(kReadoutBottom)));
  auto* readout = new CKstTextEd(size, this, tag, "", nullptr);
  readout->setMouseEnabled(true);
  readout->setFont(readoutFont());
  readout->setFontColor(kTextFieldColor);
  readout->setBackColor(kReadoutBackColor);
  readout->setFrameColor(kReadoutBackColor);
  readout->setShowText(true);
  readout->setAlignment(kCenterText);
  return readout;
}

}  // namespace sorel
