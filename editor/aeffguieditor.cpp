#include "aeffguieditor.h"

#include "audioeffectx.h"
#include "cframe.h"
#include "platform/iplatform.h"
#ifdef _WIN32
#include "platform/win32/parentwindows.h"
#include "platform/win32/win32module.h"
#endif

int32_t AEffGUIEditor::knobMode = VSTGUI::kCircularMode;

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner) {
  if (owner) owner->setEditor(this);
  nextIdleTick = VSTGUI::platformTicks();
#ifdef _WIN32
  oleInitialized = VSTGUI::platformOleInitialize();
#endif
}

AEffGUIEditor::~AEffGUIEditor() {
#ifdef _WIN32
  if (oleInitialized) VSTGUI::platformOleUninitialize();
#endif
}

AudioEffectX* AEffGUIEditor::effectX() const { return static_cast<AudioEffectX*>(effect); }

bool AEffGUIEditor::getRect(ERect** ppRect) {
  if (!ppRect) return false;
  *ppRect = &rect;
  return true;
}

bool AEffGUIEditor::open(void* ptr) {
  AEffEditor::open(ptr);
  return true;
}

void AEffGUIEditor::close() { AEffEditor::close(); }

void AEffGUIEditor::idle() {
  if (inIdle || !frame) return;
  inIdle = true;
  VSTGUI::CFrame::UIScope scope;
  VSTGUI::CFrame* current = frame;
  current->remember();
  if (VSTGUI::IPlatformFrame* window = current->getPlatformFrame()) {
    window->remember();
    window->pumpEvents();
    // A handler may have closed the editor while the events ran.
    if (frame == current) {
      current->idle();
      window->paintPending();
    }
    window->forget();
  }
  current->forget();
  inIdle = false;
}

bool AEffGUIEditor::onWheel(float distance) {
  if (!frame) return false;
  VSTGUI::CFrame::UIScope scope;
  VSTGUI::CPoint where;
  if (!frame->getCurrentMouseLocation(where)) return false;
  return frame->platformOnMouseWheel(where, distance, frame->getCurrentMouseButtons());
}

bool AEffGUIEditor::setKnobMode(VstInt32 val) {
  knobMode = val;
  return true;
}

void AEffGUIEditor::doIdleStuff() {
  const uint32_t now = VSTGUI::platformTicks();
  if (static_cast<int32_t>(nextIdleTick - now) > 0) {
    VSTGUI::platformSleep(4);
    if (nextIdleTick - now > 50) return;
  }
  idle();
  if (frame) {
    if (VSTGUI::IPlatformFrame* window = frame->getPlatformFrame()) window->paintPending();
  }
  nextIdleTick = now + 100;
  if (effect) {
    inIdleStuff = true;
    effectX()->masterIdle();
    inIdleStuff = false;
  }
}

void AEffGUIEditor::beginEdit(int32_t index) {
  if (effect) effect->beginEdit(index);
}

void AEffGUIEditor::endEdit(int32_t index) {
  if (effect) effect->endEdit(index);
}

bool AEffGUIEditor::beforeSizeChange(const VSTGUI::CRect& newSize, const VSTGUI::CRect&) {
  if (!effect) return false;
  const auto width = static_cast<VstInt32>(newSize.getWidth());
  const auto height = static_cast<VstInt32>(newSize.getHeight());
  if (effectX()->canHostDo("sizeWindow")) return effectX()->sizeWindow(width, height);
#ifdef _WIN32
  // The host cannot: its windows around ours grow or shrink by hand.
  if (frame) return VSTGUI::win32::resizeParentWindows(frame->getPlatformFrame(), width, height);
#endif
  return false;
}
