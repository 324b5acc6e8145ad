// Parameters both ways: the effect's changes fanned out to the controls, and
// the controls' changes sent to the effect.
#include "audioeffect.h"
#include "ccontrol.h"
#include "cframecm.h"
#include "cgui.h"
#include "cled.h"
#include "ctextlabel.h"
#include "cviewcontainer1.h"
#include "typedvalue.h"

namespace sorel {

using namespace VSTGUI;

bool CGui::inWindowCall() const {
  return platformThreadId() == uiThread.load(std::memory_order_relaxed) && CFrame::onUIThread();
}

void CGui::setParameter(VstInt32 index, float value) {
  if (index == kCmdMonoInput) {
    monoInput.store(switchIsOn(value), std::memory_order_relaxed);
    monoChanged.store(true, std::memory_order_release);
    if (isEditorOpen() && inWindowCall()) applyMonoBadge();
    return;
  }
  if (!isEditorOpen()) return;
  if (!inWindowCall()) {
    // Another thread, or the host between idles: the next idle applies it.
    if (index == kCmdInputClip) {
      clipNotice.store(true, std::memory_order_release);
    } else if (isParameter(index)) {
      pendingValues[index].store(value, std::memory_order_relaxed);
      pendingBits[index / 64].fetch_or(uint64_t{1} << (index % 64), std::memory_order_release);
    }
    return;
  }
  applyParameter(index, value);
}

void CGui::applyPending() {
  for (int word = 0; word < 2; ++word) {
    uint64_t bits = pendingBits[word].exchange(0, std::memory_order_acquire);
    while (bits) {
      const int bit = __builtin_ctzll(bits);
      bits &= bits - 1;
      const int index = word * 64 + bit;
      applyParameter(index, pendingValues[index].load(std::memory_order_relaxed));
    }
  }
  if (clipNotice.exchange(false, std::memory_order_acquire)) applyParameter(kCmdInputClip, 1.f);
  if (monoChanged.exchange(false, std::memory_order_acquire)) applyMonoBadge();
}

void CGui::applyParameter(VstInt32 index, float value) {
  if (!guiFrame) return;
  if (index == kPage) showPage(wholeNumber(value));
  if (index >= kCompValidA && index <= kCompValidA + 2) {
    enableSelectors(index - kCompValidA, switchIsOn(value));
    return;
  }
  if (index == kCmdInputClip) {
    setClipLamps(1.f);
    clipHold = kClipHoldTicks;
    return;
  }
  if (!isParameter(index)) return;
  for (const CTagList* node = &tagLists[index]; node; node = node->getNext()) {
    const int tag = node->getTag();
    if (tag < 0) continue;
    if (auto* readout = dynamic_cast<CTextLabel*>(tagRecords[tag].readout)) {
      char text[64] = {};
      link->getParameterText(index, text);
      readout->setText(text);
    }
    if (controls[tag]) controls[tag]->setValue(value);
  }
  if (index == kCompareSelect || index == kInRange || index == kOutRange) guiFrame->invalid();
}

void CGui::enableSelectors(int button, bool enabled) {
  for (const CommandDesc& row : kCommands) {
    if (row.command != Command::kSelectStore) continue;
    auto* head = dynamic_cast<CLed*>(controls[row.tag]);
    if (!head) continue;
    if (button == 0) {
      head->setMouseEnabled(enabled);
    } else if (CLed* member = head->getMember(button - 1)) {
      member->setMouseEnabled(enabled);
    }
  }
}

void CGui::refreshAll() {
  if (!guiFrame) return;
  for (int index = 0; index < kNumParams; ++index) applyParameter(index, link->getParameterDirect(index));
}

void CGui::showPage(int page) {
  if (!guiFrame || page < 0 || page >= kNumPages || !pages[page]) return;
  for (int i = 0; i < kNumPages; ++i) {
    CViewContainer1* other = pages[i];
    if (i == page || !other || other == guiFrame->getModalView()) continue;
    if (other->isAttached()) guiFrame->removeView(other, false);
  }
  guiFrame->addView(pages[page]);
  currentPage = page;
}

void CGui::applyMonoBadge() {
  if (!guiFrame) return;
  const bool mono = monoInput.load(std::memory_order_relaxed);
  for (int tag : kTagMidSideWays) {
    if (CControl* control = controls[tag]) {
      control->setVisible(!mono);
      control->setMouseEnabled(!mono);
    }
  }
  if (CControl* badge = controls[kTagMonoBadge]) badge->setVisible(mono);
}

void CGui::setClipLamps(float value) {
  for (int tag : kTagClipLamps) {
    if (CControl* lamp = controls[tag]) {
      lamp->setValue(value);
      lamp->invalid();
    }
  }
}

void CGui::automateParameter(VstInt32 index, float value) {
  if (effect) effect->setParameterAutomated(index, value);
}

void CGui::beginEdit(int32_t tag) {
  gestureTag = tag;
  gestureActive = true;
  if (effect) effect->beginEdit(parameterOfTag(tag));
}

void CGui::endEdit(int32_t tag) {
  if (tag < 0) tag = gestureTag;
  gestureActive = false;
  if (effect) effect->endEdit(parameterOfTag(tag));
}

}  // namespace sorel
