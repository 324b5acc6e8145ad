#include "cgui.h"

#include "audioeffect.h"
#include "cbitmap.h"
#include "ccontrol.h"
#include "cframecm.h"
#include "clst.h"
#include "cviewcontainer1.h"
#include "decodeahead.h"
#include "skinsource.h"

namespace sorel {

using namespace VSTGUI;

CGui::CGui(AudioEffect* owner, IEffectLink* effectLink) : CKstEditor(owner), link(effectLink) {
  skin = decideSkinScale(gatherSkinScaleFacts());
  VSTGUI::setImageSource(skinImageSource());
  loadSkin();
  for (auto& value : pendingValues) value.store(0.f, std::memory_order_relaxed);
  for (auto& bits : pendingBits) bits.store(0, std::memory_order_relaxed);
  rect = {0, 0, static_cast<VstInt16>(skinImages[kImgBack]->getHeight()),
          static_cast<VstInt16>(skinImages[kImgBack]->getWidth())};
}

CGui::~CGui() {
  if (guiFrame) close();
  for (CBitmap* image : skinImages) {
    if (image) image->forget();
  }
}

void CGui::loadSkin() {
  for (int i = 0; i < kNumSkinImages; ++i) {
    const SkinImage& row = kSkinImages[i];
    if (row.kind > 1) continue;
    skinImages[i] = new CBitmap(skin.large ? row.largeName : row.name);
  }
}

bool CGui::open(void* parentWindow) {
  if (guiFrame) return false;
  AEffGUIEditor::open(parentWindow);
  CFrame::UIScope scope;
  CBitmap* back = skinImages[kImgBack];
  rect = {0, 0, static_cast<VstInt16>(back->getHeight()), static_cast<VstInt16>(back->getWidth())};
  guiFrame = new CFrameCM(CRect(0, 0, back->getWidth(), back->getHeight()), this);
  if (!guiFrame->open(parentWindow)) {
    guiFrame->close();
    guiFrame = nullptr;
    AEffEditor::close();
    return false;
  }
  frame = guiFrame;
  guiFrame->setBackground(back);
  buildPages();
  buildControls();
  attachControls();
  buildAboutView();
  knobMode = kLinearMode;
  for (auto& bits : pendingBits) bits.store(0, std::memory_order_relaxed);
  clipNotice.store(false, std::memory_order_relaxed);
  uiThread.store(platformThreadId(), std::memory_order_relaxed);
  isOpenFlag.store(true, std::memory_order_release);
  showPage(0);
  refreshAll();  // also says which selector buttons may be pressed
  applyMonoBadge();
  decodeAhead(visibleBitmaps(*guiFrame));
  return true;
}

void CGui::close() {
  isOpenFlag.store(false, std::memory_order_release);
  if (guiFrame) {
    CFrame::UIScope scope;
    guiFrame->setModalView(nullptr);
    releaseAboutView();
    detachControls();
    for (CViewContainer1*& page : pages) {
      if (!page) continue;
      page->removeAll(false);
      if (page->isAttached()) {
        guiFrame->removeView(page, true);
      } else {
        page->forget();
      }
      page = nullptr;
    }
    for (CControl*& control : controls) {
      if (control) control->forget();
      control = nullptr;
    }
    for (TagRecord& record : tagRecords) {
      if (record.readout) record.readout->forget();
      record.readout = nullptr;
    }
    guiFrame->close();
  }
  guiFrame = nullptr;
  frame = nullptr;
  openList = nullptr;
  currentPage = -1;
  clipHold = 0;
  gestureActive = false;
  AEffGUIEditor::close();
}

void CGui::idle() {
  if (!guiFrame) return;
  {
    CFrame::UIScope scope;
    applyPending();
  }
  AEffGUIEditor::idle();
  idleTick();
  idleTick();
}

void CGui::idleTick() {
  if (!isEditorOpen() || !guiFrame) return;
  updateHint();
  if (clipHold > 0 && --clipHold == 0) setClipLamps(0.f);
}

}  // namespace sorel
