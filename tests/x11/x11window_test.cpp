// The X11 frame on a real (virtual) X server: a host window, a frame opened
// on it through the native back-end, input synthesized by xdotool at screen
// positions, and the window's pixels read back from the server.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "ccontrol.h"
#include "cdrawcontext.h"
#include "cframe.h"
#include "ctextedit.h"
#include "hostwindow.h"
#include "platform/x11/x11errortrap.h"
#include "platform/x11/x11frame.h"
#include "scopedenv.h"
#include "toolrunner.h"
#include "waituntil.h"
#include "xvfbserver.h"

namespace {

using namespace VSTGUI;
using sorel::testing::HostWindow;
using sorel::testing::inputFocus;
using sorel::testing::ScopedEnv;
using sorel::testing::waitUntil;
using sorel::testing::xdotool;
using sorel::testing::XvfbServer;

// A key as it reached a control: character, virtual key, modifiers.
using Key = std::tuple<VstInt32, unsigned char, unsigned char>;

constexpr long kRed = 0xff0000;
constexpr long kGreen = 0x00ff00;

// A switch that flips on every press and shows its value as red or green;
// it keeps what reached it.
class ToggleControl : public CControl {
 public:
  ToggleControl(const CRect& rect, CControlListener* owner, int32_t id) : CControl(rect, owner, id) {}

  void draw(CDrawContext* context) override {
    context->setFillColor(getValue() > 0.5f ? CColor{0, 255, 0, 255} : CColor{255, 0, 0, 255});
    context->drawRect(getViewSize(), kDrawFilled);
    setDirty(false);
  }
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
    downs.push_back(buttons);
    lastDown = where;
    if (onPress) onPress();
    if (!getFrame()) return kMouseEventHandled;  // closed from inside
    beginEdit();
    setValue(getValue() > 0.5f ? 0.f : 1.f);
    valueChanged();
    endEdit();
    return tracking ? kMouseEventHandled : kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override {
    moves.emplace_back(where, buttons);
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override {
    ups.emplace_back(where, buttons);
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseExited(CPoint&, const CButtonState&) override {
    ++exits;
    return kMouseEventHandled;
  }
  bool onWheel(const CPoint&, const float& distance, const CButtonState&) override {
    wheel.push_back(distance);
    return true;
  }
  int32_t onKeyDown(VstKeyCode& key) override {
    keys.emplace_back(key.character, key.virt, key.modifier);
    return 1;
  }
  int32_t onKeyUp(VstKeyCode&) override {
    ++keyUps;
    return 1;
  }

  bool tracking = false;
  std::function<void()> onPress;
  std::vector<CButtonState> downs;
  CPoint lastDown;
  std::vector<std::pair<CPoint, CButtonState>> moves;
  std::vector<std::pair<CPoint, CButtonState>> ups;
  std::vector<float> wheel;
  std::vector<Key> keys;
  int keyUps = 0;
  int exits = 0;
};

// One editor's worth: a frame on a host window, with a toggle in it.
struct OpenEditor {
  OpenEditor(const CRect& frameSize, const CRect& toggleSize, int32_t tag)
      : frame(new CFrame(frameSize, nullptr)), toggle(new ToggleControl(toggleSize, nullptr, tag)) {
    frame->setBackgroundColor(kBlackCColor);
    frame->addView(toggle);
  }
  ~OpenEditor() {
    if (frame) frame->close();
  }
  bool open(void* parent) {
    setPlatformBackEnd(PlatformBackEnd::kNative);
    return frame->open(parent);
  }
  x11::X11Frame* window() const { return frame ? static_cast<x11::X11Frame*>(frame->getPlatformFrame()) : nullptr; }
  // What the editor's idle does.
  void idle() {
    if (!frame || !frame->getPlatformFrame()) return;
    CFrame::UIScope scope;
    IPlatformFrame* platform = frame->getPlatformFrame();
    platform->remember();
    frame->remember();
    platform->pumpEvents();
    if (frame->isOpen()) {
      frame->idle();
      platform->paintPending();
    }
    frame->forget();
    platform->forget();
  }

  CFrame* frame;
  ToggleControl* toggle;
};

// Runs the editor's idle until `done` holds (true) or two seconds pass.
bool idleUntil(OpenEditor& editor, const std::function<bool()>& done) {
  return waitUntil(done, 2000, 5, [&] { editor.idle(); });
}

// Opens `editor` on `host` and idles it until (x, y) shows the toggle; its window, or 0.
Window show(const HostWindow& host, OpenEditor& editor, int x, int y) {
  if (!editor.open(host.handle())) return 0;
  const Window window = editor.window()->getWindow();
  return idleUntil(editor, [&] { return host.pixel(window, x, y) == kRed; }) ? window : 0;
}

class X11FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server.start()) << "Xvfb did not start";
  }

  XvfbServer server;
};

// (What a click does to the control's value, its listener and the editor is
// the toolkit's, checked off-screen; here: that presses, wheel turns and keys
// arrive, where, with which buttons and modifiers, and that the control repaints.)
TEST_F(X11FrameTest, PressesTheWheelAndKeysReachTheControlAndItRepaints) {
  HostWindow host(40, 60, 300, 200);
  ASSERT_TRUE(host.isOpen());
  OpenEditor editor(CRect(0, 0, 300, 200), CRect(50, 50, 150, 150), 7);
  ToggleControl& toggle = *editor.toggle;
  toggle.setWantsFocus(true);
  const Window window = show(host, editor, 100, 100);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(host.pixel(window, 10, 10), 0x000000) << "the frame's background";

  ASSERT_TRUE(host.pointerAt(window, 100, 100, {"click", "--repeat", "2", "--delay", "60", "1"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return toggle.downs.size() == 2; }));
  EXPECT_EQ(toggle.downs[0](), kLButton);
  EXPECT_EQ(toggle.downs[1](), kLButton | kDoubleClick);
  EXPECT_EQ(toggle.lastDown, CPoint(100, 100)) << "in window coordinates";

  ASSERT_TRUE(xdotool({"keydown", "shift", "click", "3", "keyup", "shift"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return toggle.downs.size() == 3; }));
  EXPECT_EQ(toggle.getValue(), 1.f);
  EXPECT_TRUE(idleUntil(editor, [&] { return host.pixel(window, 100, 100) == kGreen; }));
  EXPECT_EQ(host.pixel(window, 49, 100), 0x000000);

  ASSERT_TRUE(xdotool({"keydown", "ctrl", "keydown", "alt", "click", "2", "keyup", "alt", "keyup", "ctrl"}));
  ASSERT_TRUE(xdotool({"click", "8", "click", "9"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return toggle.downs.size() == 6; }));
  EXPECT_EQ(toggle.downs[2](), kRButton | kShift);
  EXPECT_EQ(toggle.downs[3](), kMButton | kControl | kAlt);
  EXPECT_EQ(toggle.downs[4](), kButton4);
  EXPECT_EQ(toggle.downs[5](), kButton5) << "button 8 was released in between";

  // Buttons 4 and 5 turn the wheel one notch each way; 6 and 7 scroll
  // sideways, which nothing uses. None of them is a press.
  ASSERT_TRUE(xdotool({"click", "4", "click", "5", "click", "6", "click", "7", "click", "4"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return toggle.wheel.size() == 3; }));
  EXPECT_EQ(toggle.wheel, (std::vector<float>{1.f, -1.f, 1.f}));
  EXPECT_EQ(toggle.downs.size(), 6u);
  EXPECT_TRUE(toggle.ups.empty()) << "the control asked for no moves or ups";

  // The click made the toggle the focus view; without a window manager the
  // keyboard follows the pointer.
  ASSERT_EQ(editor.frame->getFocusView(), &toggle);
  ASSERT_TRUE(xdotool(
      {"key", "a", "shift+b", "ctrl+c", "Return", "KP_Enter", "Left", "BackSpace", "Delete", "Escape", "F5", "Home"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return toggle.keys.size() == 10; }));
  const std::vector<Key> expected = {
      {'a', 0, 0},       {'B', 0, MODIFIER_SHIFT}, {'c', 0, MODIFIER_CONTROL}, {0, VKEY_RETURN, 0}, {0, VKEY_ENTER, 0},
      {0, VKEY_LEFT, 0}, {0, VKEY_BACK, 0},        {0, VKEY_DELETE, 0},        {0, VKEY_ESCAPE, 0}, {0, VKEY_HOME, 0}};
  EXPECT_EQ(toggle.keys, expected);
  EXPECT_TRUE(idleUntil(editor, [&] { return toggle.keyUps == 10; })) << "F5 and the modifier keys are dropped";

  // Leaving the window ends the hover.
  EXPECT_EQ(toggle.exits, 0);
  ASSERT_TRUE(host.pointerAt(DefaultRootWindow(host.getDisplay()), 700, 500));
  EXPECT_TRUE(idleUntil(editor, [&] { return toggle.exits == 1; }));
}

TEST_F(X11FrameTest, ADragKeepsReportingOutsideTheWindowUntilRelease) {
  HostWindow host(100, 100, 200, 150);
  OpenEditor editor(CRect(0, 0, 200, 150), CRect(20, 20, 80, 80), 3);
  editor.toggle->tracking = true;
  const Window window = show(host, editor, 50, 50);
  ASSERT_NE(window, 0u);
  ToggleControl& toggle = *editor.toggle;

  ASSERT_TRUE(host.pointerAt(window, 50, 50, {"mousedown", "1"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return toggle.downs.size() == 1; }));
  editor.idle();
  const std::size_t movesBefore = toggle.moves.size();

  // Three moves between two idles arrive as one, at the last position; all
  // of them lie beyond the window's right and bottom edges.
  std::vector<std::string> moves;
  int rootX = 0, rootY = 0;
  for (const CPoint& p : {CPoint(220, 170), CPoint(240, 200), CPoint(260, 230)}) {
    ASSERT_TRUE(
        sorel::testing::toRoot(host.getDisplay(), window, static_cast<int>(p.x), static_cast<int>(p.y), rootX, rootY));
    moves.insert(moves.end(), {"mousemove", std::to_string(rootX), std::to_string(rootY)});
  }
  ASSERT_TRUE(xdotool(moves));
  ASSERT_TRUE(sorel::testing::waitForPointer(host.getDisplay(), rootX, rootY));
  platformSleep(50);
  editor.idle();
  ASSERT_EQ(toggle.moves.size(), movesBefore + 1);
  EXPECT_EQ(toggle.moves.back().first, CPoint(260, 230));
  EXPECT_EQ(toggle.moves.back().second(), kLButton);

  CPoint where;
  ASSERT_TRUE(editor.frame->getCurrentMouseLocation(where));
  EXPECT_EQ(where, CPoint(260, 230));
  EXPECT_EQ(editor.frame->getCurrentMouseButtons()(), kLButton);

  ASSERT_TRUE(xdotool({"mouseup", "1"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return toggle.ups.size() == 1; }));
  EXPECT_EQ(toggle.ups[0].first, CPoint(260, 230));
  EXPECT_EQ(toggle.ups[0].second(), kLButton) << "the released button is reported";
  EXPECT_EQ(editor.frame->getCurrentMouseButtons()(), 0);

  // The pointer far away, above and left of the window.
  ASSERT_TRUE(host.pointerAt(DefaultRootWindow(host.getDisplay()), 0, 0));
  ASSERT_TRUE(editor.frame->getCurrentMouseLocation(where));
  EXPECT_EQ(where, CPoint(-100, -100));
}

TEST_F(X11FrameTest, AnOpenTextEntryTakesTheKeyboardAndIsPaintedOnTop) {
  HostWindow host(30, 30, 200, 100);
  OpenEditor editor(CRect(0, 0, 200, 100), CRect(0, 0, 10, 10), 1);
  auto* field = new CTextEdit(CRect(20, 20, 180, 60), nullptr, 2, "old");
  field->setTransparency(true);  // the frame's black shows; an entry without a colour of its own is white
  field->setBackColor(kTransparentCColor);
  editor.frame->addView(field);
  const Window window = show(host, editor, 5, 5);
  ASSERT_NE(window, 0u);

  ASSERT_TRUE(host.pointerAt(window, 100, 40, {"click", "1"}));
  EXPECT_TRUE(idleUntil(editor, [&] { return host.pixel(window, 150, 40) == 0xffffff; })) << "the entry on top";
  EXPECT_EQ(inputFocus(host.getDisplay()), window);

  // The keyboard stays with the entry wherever the pointer goes; the
  // selected text is replaced, and Return commits it.
  ASSERT_TRUE(host.pointerAt(DefaultRootWindow(host.getDisplay()), 600, 600, {"key", "2", "5", "Return"}));
  ASSERT_TRUE(idleUntil(editor, [&] { return editor.window()->getTextEntry() == nullptr; }));
  EXPECT_STREQ(field->getText(), "25");
  EXPECT_TRUE(idleUntil(editor, [&] { return host.pixel(window, 150, 40) == 0x000000; }))
      << "the entry's area repainted";
  EXPECT_EQ(inputFocus(host.getDisplay()), host.getWindow()) << "the host has its keyboard back";
}

// The frame's X errors are its own (the host destroying its window first
// does not kill the process); other connections' errors reach the host's
// handler, which is back in place afterwards.
TEST_F(X11FrameTest, TheFramesXErrorsStayItsOwnAndOthersReachTheHostsHandler) {
  static std::vector<unsigned char> hostErrors;
  const XErrorHandler hostHandler = [](Display*, XErrorEvent* error) {
    hostErrors.push_back(error->error_code);
    return 0;
  };
  const XErrorHandler before = XSetErrorHandler(hostHandler);

  // The host destroys its window 0: once the editor has painted (it sees the
  // window go, then paints and closes), 1: before the editor has heard of it
  // (it paints and closes), 2: right before it closes the editor.
  for (int when = 0; when < 3; ++when) {
    HostWindow host(10, 10, 200, 200);
    OpenEditor editor(CRect(0, 0, 200, 200), CRect(0, 0, 100, 100), 1);
    ASSERT_TRUE(when == 0 ? show(host, editor, 5, 5) != 0 : editor.open(host.handle())) << when;
    if (when == 1) editor.idle();
    host.destroyWindow();
    if (when == 0) {
      ASSERT_TRUE(idleUntil(editor, [&] { return !editor.window()->hasWindow(); }));
      editor.frame->invalid();
      editor.idle();
      CPoint where;
      EXPECT_FALSE(editor.frame->getCurrentMouseLocation(where));
    } else if (when == 1) {
      CFrame::UIScope scope;
      editor.frame->invalid();
      editor.frame->getPlatformFrame()->paintPending();
    }
  }
  EXPECT_TRUE(hostErrors.empty()) << "the frame's errors are its own";

  Display* ours = XOpenDisplay(nullptr);
  Display* hosts = XOpenDisplay(nullptr);
  ASSERT_TRUE(ours && hosts);
  const Window missing = 0x3fffff;
  {
    x11::X11ErrorTrap trap(ours, missing);
    XMapWindow(hosts, missing);
    XSync(hosts, False);
    EXPECT_EQ(hostErrors, std::vector<unsigned char>{BadWindow});
    XMapWindow(ours, missing);
    trap.sync();
    EXPECT_EQ(trap.errorCount(), 1);
    EXPECT_TRUE(trap.watchedFailed());
    {
      x11::X11ErrorTrap inner(hosts);  // nested, for another connection
      XUnmapWindow(ours, missing);
      XSync(ours, False);
    }
    EXPECT_EQ(trap.errorCount(), 2) << "the outer trap still catches its own";
  }
  EXPECT_EQ(hostErrors.size(), 1u);
  XCloseDisplay(ours);
  XCloseDisplay(hosts);
  EXPECT_EQ(XSetErrorHandler(before), hostHandler);
}

TEST_F(X11FrameTest, OpenFailsCleanlyWithoutADisplayOrAParent) {
  HostWindow host(10, 10, 100, 100);
  {
    OpenEditor editor(CRect(0, 0, 100, 100), CRect(0, 0, 50, 50), 1);
    EXPECT_FALSE(editor.open(nullptr));
    EXPECT_FALSE(editor.open(reinterpret_cast<void*>(uintptr_t{0x3fffff}))) << "no such window";
    EXPECT_FALSE(editor.frame->isOpen());
  }
  {
    const ScopedEnv noDisplay("DISPLAY", nullptr);
    OpenEditor editor(CRect(0, 0, 100, 100), CRect(0, 0, 50, 50), 1);
    EXPECT_FALSE(editor.open(host.handle()));
    editor.idle();
  }
}

TEST_F(X11FrameTest, AHandlerClosingTheEditorStopsThePump) {
  HostWindow host(10, 10, 200, 200);
  OpenEditor editor(CRect(0, 0, 200, 200), CRect(0, 0, 200, 200), 1);
  const Window window = show(host, editor, 5, 5);
  ASSERT_NE(window, 0u);
  int presses = 0;
  editor.toggle->onPress = [&] {
    ++presses;
    editor.frame->close();  // as a host would on a click that closes the editor
    editor.frame = nullptr;
  };
  IPlatformFrame* platform = editor.window();
  platform->remember();
  // Two clicks queued before the pump runs: the second must not be delivered.
  ASSERT_TRUE(host.pointerAt(window, 50, 50, {"click", "--repeat", "2", "--delay", "20", "1"}));
  XSync(host.getDisplay(), False);
  platformSleep(100);
  {
    CFrame::UIScope scope;
    platform->pumpEvents();
    platform->paintPending();
    platform->pumpEvents();
  }
  EXPECT_EQ(presses, 1);
  platform->forget();
}

}  // namespace
