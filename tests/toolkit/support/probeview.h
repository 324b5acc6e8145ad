// Probe views that log what reaches them. ProbeView fills itself with one
// colour and logs "<name> down x,y", "move", "up", "enter", "exit", "focus",
// "blur", "wheel", "key"; its answers can be set per test, and so can an
// extra action on mouse down. ProbeContainer logs "enter" and "exit" only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cdrawcontext.h"
#include "cview.h"
#include "cviewcontainer.h"

namespace sorel::test {

// `Base` logging "<name> enter" and "<name> exit".
template <class Base>
class HoverLogging : public Base {
 public:
  HoverLogging(const VSTGUI::CRect& rect, std::string viewName, std::vector<std::string>* sharedLog)
      : Base(rect), name(std::move(viewName)), log(sharedLog) {}

  VSTGUI::CMouseEventResult onMouseEntered(VSTGUI::CPoint&, const VSTGUI::CButtonState&) override {
    log->push_back(name + " enter");
    return VSTGUI::kMouseEventHandled;
  }
  VSTGUI::CMouseEventResult onMouseExited(VSTGUI::CPoint&, const VSTGUI::CButtonState&) override {
    log->push_back(name + " exit");
    return VSTGUI::kMouseEventHandled;
  }

 protected:
  std::string name;
  std::vector<std::string>* log;
};

using ProbeContainer = HoverLogging<VSTGUI::CViewContainer>;

class ProbeView : public HoverLogging<VSTGUI::CView> {
 public:
  ProbeView(const VSTGUI::CRect& rect, std::string viewName, std::vector<std::string>* sharedLog,
            VSTGUI::CColor fill = VSTGUI::kWhiteCColor)
      : HoverLogging(rect, std::move(viewName), sharedLog), color(fill) {
    ++alive;
  }
  ~ProbeView() override { --alive; }

  VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState&) override {
    record("down", where);
    if (onDown) onDown();
    return downResult;
  }
  VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const VSTGUI::CButtonState&) override {
    record("move", where);
    return moveResult;
  }
  VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState&) override {
    record("up", where);
    return VSTGUI::kMouseEventHandled;
  }
  bool onWheel(const VSTGUI::CPoint& where, const float&, const VSTGUI::CButtonState&) override {
    record("wheel", where);
    return wheelTaken;
  }
  int32_t onKeyDown(VstKeyCode& key) override {
    log->push_back(name + " key " + std::to_string(key.character));
    return keyResult;
  }
  void takeFocus() override { log->push_back(name + " focus"); }
  void looseFocus() override { log->push_back(name + " blur"); }
  void draw(VSTGUI::CDrawContext* context) override {
    ++draws;
    context->setFillColor(color);
    context->drawRect(getViewSize(), VSTGUI::kDrawFilled);
    setDirty(false);
  }

  VSTGUI::CMouseEventResult downResult = VSTGUI::kMouseEventHandled;
  VSTGUI::CMouseEventResult moveResult = VSTGUI::kMouseEventHandled;
  bool wheelTaken = true;
  int32_t keyResult = -1;
  std::function<void()> onDown;
  int draws = 0;
  // ProbeViews not yet destroyed, for leak checks.
  static inline int alive = 0;

 private:
  void record(const char* event, const VSTGUI::CPoint& where) {
    log->push_back(name + " " + event + " " + std::to_string(static_cast<int>(where.x)) + "," +
                   std::to_string(static_cast<int>(where.y)));
  }

  VSTGUI::CColor color;
};

}  // namespace sorel::test
