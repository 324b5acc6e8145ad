// Building the window from the tables at open, and taking it apart at close.
#include "canimknobkst.h"
#include "cbitmap.h"
#include "cframecm.h"
#include "cgui.h"
#include "cled.h"
#include "cpane.h"
#include "cviewcontainer1.h"

namespace sorel {

using namespace VSTGUI;

namespace {
constexpr CColor kPageBackColor{111, 111, 111, 0};
constexpr int kKnobFrames = 129;
constexpr float kKnobZoomFactor = 10.f;

// Takes a view off its parent; a view of a page not on show has none and is
// taken off that page.
void takeOff(CView* view, CViewContainer* page, bool withForget) {
  if (auto* parent = dynamic_cast<CViewContainer*>(view->getParentView())) {
    parent->removeView(view, withForget);
  } else if (page) {
    page->removeView(view, withForget);
  }
}
}  // namespace

CCoord CGui::scaled(int v) const { return static_cast<CCoord>(static_cast<int>(static_cast<float>(v) * skin.scale)); }

CRect CGui::scaledRect(const ControlDesc& row, CBitmap* image, int frames) const {
  const CCoord x = scaled(row.x);
  const CCoord y = scaled(row.y);
  if (row.w > 0 && row.h > 0) return CRect(x, y, x + scaled(row.w), y + scaled(row.h));
  const auto width = static_cast<int>(image ? image->getWidth() : 0);
  const auto height = static_cast<int>(image ? image->getHeight() : 0) / (frames > 0 ? frames : 1);
  return CRect(x, y, x + width, y + height);
}

void CGui::buildPages() {
  for (int i = 0; i < kNumPages; ++i) {
    const PageDesc& desc = kPages[i];
    CBitmap* image = skinImages[desc.image];
    const CCoord width = desc.width > 0 ? scaled(desc.width) : image->getWidth();
    const CCoord height = desc.height > 0 ? scaled(desc.height) : image->getHeight();
    const CRect size(scaled(desc.x), scaled(desc.y), scaled(desc.x) + width, scaled(desc.y) + height);
    pages[i] = new CViewContainer1(size, guiFrame, image);
    pages[i]->setBackgroundColor(kPageBackColor);
  }
}

CControl* CGui::createControl(int tag, const ControlDesc& row) {
  CBitmap* image = row.image >= 0 ? skinImages[row.image] : nullptr;
  switch (row.type) {
    case kTypePane: {
      if (!image) return nullptr;
      CRect size = scaledRect(row, image, 1);
      auto* pane = new CPane(size, image);
      pane->setMouseEnabled(false);
      pane->setTransparency(true);
      pane->setWindowAligned(row.a > 0);
      return pane;
    }
    case kTypeKnob: {
      if (!image) return nullptr;
      const CRect size = scaledRect(row, image, kKnobFrames);
      auto* knob = new CAnimKnobKst(size, this, tag, kKnobFrames, size.getHeight(), image, CPoint(0, 0));
      knob->setZoomFactor(kKnobZoomFactor);
      knob->setCircularHitArea(true);
      tagRecords[tag].hintable = true;
      if (row.b == kReadoutWide || row.b == kReadoutNarrow) tagRecords[tag].readout = createReadout(tag, row, size);
      return knob;
    }
    case kTypeButton:
      return image ? createButton(tag, row, image) : nullptr;
    case kTypeLed:
    case kTypeLamp:
      return image ? createLed(tag, row, image) : nullptr;
    case kTypeClickArea:
      return createClickArea(tag, row);
    case kTypeButtonGroup:
      return image ? createButtonGroup(tag, row, image) : nullptr;
    case kTypeTextField:
      return createTextField(tag, row, image);
    case kTypeHintLine:
      return createHintLine(tag, row);
    case kTypeDropdown:
      return createDropdown(tag, row);
    default:
      return nullptr;
  }
}

void CGui::buildControls() {
  for (int tag = 0; tag < kNumTags; ++tag) {
    const ControlDesc& row = kLayout[tag];
    if (isParameter(row.parameter)) tagLists[row.parameter].add(tag);
    CControl* control = createControl(tag, row);
    controls[tag] = control;
    if (control && isParameter(row.parameter)) {
      const float initial = kParamTable[row.parameter].defaultValue;
      control->setDefaultValue(initial);
      control->setValue(initial);
    }
  }
}

void CGui::attachControls() {
  for (int tag = 0; tag < kNumTags; ++tag) {
    CControl* control = controls[tag];
    if (!control) continue;
    const int container = kLayout[tag].container;
    // A control of the never-shown container sits on the frame, so that its
    // pop-up list has a frame to open in.
    CViewContainer* parent = guiFrame;
    if (container >= 0 && container < kNumShownPages) parent = pages[container];
    if (auto* group = dynamic_cast<CLed*>(control)) group->addMembersTo(parent, nullptr);
    parent->addView(control);
    if (CControl* readout = tagRecords[tag].readout) parent->addView(readout);
  }
}

void CGui::detachControls() {
  for (int tag = 0; tag < kNumTags; ++tag) {
    const int container = kLayout[tag].container;
    CViewContainer* page = container >= 0 && container < kNumPages ? pages[container] : nullptr;
    // Group members: each container holds its own reference.
    if (auto* group = dynamic_cast<CLed*>(controls[tag])) {
      for (int i = 0; i < group->getMemberCount(); ++i) takeOff(group->getMember(i), page, true);
    }
    for (CControl* view : {controls[tag], tagRecords[tag].readout}) {
      if (view) takeOff(view, page, false);
    }
  }
}

}  // namespace sorel
