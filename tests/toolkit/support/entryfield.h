// A minimal text field for the back-end's text entry: it opens the entry
// when it takes focus and releases it when it loses focus, and logs
// "<name> commit <text>" (Return), "<name> escape", "<name> key <character>".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cframe.h"

namespace sorel::test {

class EntryField : public VSTGUI::CView, public VSTGUI::IPlatformTextEditCallback {
 public:
  EntryField(const VSTGUI::CRect& rect, std::vector<std::string>* sharedLog) : CView(rect), log(sharedLog) {
    setWantsFocus(true);
  }
  ~EntryField() override { release(); }

  void takeFocus() override {
    if (VSTGUI::IPlatformFrame* window = getFrame() ? getFrame()->getPlatformFrame() : nullptr) {
      entry = window->createPlatformTextEdit(this);
    }
  }
  void looseFocus() override {
    if (entry) text = entry->getText();
    release();
  }
  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint&, const VSTGUI::CButtonState&) override {
    return VSTGUI::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  int32_t onKeyDown(VstKeyCode& key) override {
    log->push_back("field key " + std::to_string(key.virt));
    return 1;
  }

  // --- IPlatformTextEditCallback ---
  VSTGUI::CRect platformGetEntryRect() const override {
    VSTGUI::CRect r = getViewSize();
    return r.inset(inset, inset);
  }
  const char* platformGetText() const override { return text.c_str(); }
  VSTGUI::CFontRef platformGetFont() const override { return VSTGUI::kNormalFont; }
  VSTGUI::CColor platformGetFontColor() const override { return fontColor; }
  VSTGUI::CColor platformGetBackColor() const override { return backColor; }
  VSTGUI::CHoriTxtAlign platformGetTextAlign() const override { return VSTGUI::kCenterText; }
  void platformLooseFocus(bool returnPressed) override {
    log->push_back(std::string("field commit ") + (entry ? entry->getText() : "") + (returnPressed ? "" : " (away)"));
    if (onCommit) {
      onCommit();
    } else if (getFrame()) {
      getFrame()->setFocusView(nullptr);
    }
  }
  bool platformOnKeyDown(const VstKeyCode& key) override {
    if (key.virt != VKEY_ESCAPE) return false;
    log->push_back("field escape");
    release();
    return true;
  }

  std::string text = "0.50";
  VSTGUI::CColor fontColor{44, 44, 44, 255};
  VSTGUI::CColor backColor{0, 0, 0, 0};
  VSTGUI::CCoord inset = 2;
  std::function<void()> onCommit;
  VSTGUI::IPlatformTextEdit* entry = nullptr;

 private:
  void release() {
    if (!entry) return;
    VSTGUI::IPlatformTextEdit* open = entry;
    entry = nullptr;
    open->forget();
  }

  std::vector<std::string>* log;
};

}  // namespace sorel::test
