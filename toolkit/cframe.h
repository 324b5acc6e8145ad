// The root container: owns the platform window, routes the window's events
// to the views, keeps focus, hover and the modal view, and forwards edit
// gestures to the editor.
#pragma once

#include <vector>

#include "cviewcontainer.h"
#include "platform/iplatform.h"
#include "vstguieditorinterface.h"

namespace VSTGUI {

class CFrame : public CViewContainer, public IPlatformFrameCallback {
 public:
  CFrame(const CRect& size, VSTGUIEditorInterface* editor);

  // Creates the window on `parent`; false when refused (second open, or no
  // window system).
  bool open(void* parent);
  bool isOpen() const { return platformFrame != nullptr; }
  // Removes the modal view (without releasing it), removes and forgets the
  // children, releases the window and forgets the frame itself.
  void close();

  VSTGUIEditorInterface* getEditor() const { return editor; }
  IPlatformFrame* getPlatformFrame() const { return platformFrame; }
  virtual int32_t getKnobMode() const;

  // False when a modal view is already set or `view` is attached.
  bool setModalView(CView* view);
  CView* getModalView() const { return modalView; }
  void setFocusView(CView* view);
  CView* getFocusView() const { return focusView; }

  void beginEdit(int32_t tag);
  void endEdit(int32_t tag);

  bool getCurrentMouseLocation(CPoint& where) const;
  CButtonState getCurrentMouseButtons() const;

  // Repaints the dirty views (the whole frame when the frame is dirty).
  void idle();
  void invalidRect(const CRect& rect) override;
  void invalid() override;

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override;
  int32_t onKeyUp(VstKeyCode& keyCode) override;
  bool isTypeOf(const char* type) const override;

  // --- From the platform window ---
  void platformDrawRect(CDrawContext* context, const CRect& updateRect) override;
  CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult platformOnMouseExited(CPoint& where, const CButtonState& buttons) override;
  bool platformOnMouseWheel(const CPoint& where, float distance, const CButtonState& buttons) override;
  int32_t platformOnKeyDown(VstKeyCode& key) override;
  int32_t platformOnKeyUp(VstKeyCode& key) override;

  // Drops every reference the frame keeps to a view being detached.
  void onViewRemoved(CView* view);

  // Window and drawing work may only happen inside a UI scope: the editor's
  // open, idle and close, and the events they deliver. Elsewhere (another
  // thread, or the host's automation between idles) views only set flags.
  class UIScope {
   public:
    UIScope();
    ~UIScope();
    UIScope(const UIScope&) = delete;
    UIScope& operator=(const UIScope&) = delete;
  };
  static bool onUIThread();

 protected:
  // Frames go with their last reference (close() drops the creator's).
  ~CFrame() override;

 private:
  void updateHover(const CPoint& where, const CButtonState& buttons);
  void clearHover(const CButtonState& buttons);
  bool pressInProgress() const { return mouseDownView != nullptr; }

  VSTGUIEditorInterface* editor;
  IPlatformFrame* platformFrame = nullptr;
  CView* modalView = nullptr;
  CView* focusView = nullptr;
  std::vector<CView*> hoverChain;  // outermost first, each remembered
};

}  // namespace VSTGUI
