// The X11 back-end's translations that need no server: buttons, modifiers,
// keys and double clicks.
#include <gtest/gtest.h>

#include <tuple>

#include "cbuttonstate.h"
#include "platform/x11/x11events.h"
#include "xconstants.h"

namespace {

using namespace VSTGUI;
using namespace VSTGUI::x11;

// (The buttons themselves are pressed for real in the window tests.)
TEST(X11Mapping, LockBitsAndWheelStateAreNotModifiersOrButtons) {
  const unsigned state = ShiftMask | LockMask | ControlMask | Mod1Mask | Mod2Mask | Button1Mask | Button3Mask;
  EXPECT_EQ(modifiersFromState(state), kShift | kControl | kAlt);
  EXPECT_EQ(buttonsFromState(state), kLButton | kRButton);
  EXPECT_EQ(buttonsFromState(Button2Mask | Button4Mask | Button5Mask), kMButton);
  EXPECT_EQ(modifiersFromState(LockMask | Mod2Mask | Mod4Mask), 0);
}

TEST(X11Mapping, LeavingCountsOnlyWhenThePointerReallyLeft) {
  EXPECT_TRUE(isRealLeave(NotifyNormal, NotifyAncestor));
  EXPECT_TRUE(isRealLeave(NotifyNormal, NotifyNonlinear));
  EXPECT_TRUE(isRealLeave(NotifyWhileGrabbed, NotifyAncestor));
  EXPECT_FALSE(isRealLeave(NotifyGrab, NotifyAncestor));
  EXPECT_FALSE(isRealLeave(NotifyUngrab, NotifyAncestor));
  EXPECT_FALSE(isRealLeave(NotifyNormal, NotifyInferior));
}

struct KeyCase {
  unsigned long keySym;
  unsigned state;
  std::tuple<VstInt32, unsigned char, unsigned char> key;  // character, virtual key, modifiers
};

TEST(X11Mapping, KeysBecomeCharactersOrVirtualKeys) {
  // What typing into a window cannot easily show: control and lock
  // combinations, the keypad with Num Lock, and keys the layer drops.
  const KeyCase cases[] = {
      {XK_a, ControlMask, {'a', 0, MODIFIER_CONTROL}},  // not the control character
      {XK_5, Mod1Mask | LockMask, {'5', 0, MODIFIER_ALTERNATE}},
      {XK_asciitilde, ShiftMask, {'~', 0, MODIFIER_SHIFT}},
      {XK_KP_7, Mod2Mask, {'7', 0, 0}},
      {XK_KP_Decimal, Mod2Mask, {'.', 0, 0}},
      {XK_KP_Subtract, 0, {'-', 0, 0}},
      {XK_ISO_Left_Tab, ShiftMask, {0, VKEY_TAB, MODIFIER_SHIFT}},
      {XK_KP_End, 0, {0, VKEY_END, 0}},
      {XK_KP_Right, 0, {0, VKEY_RIGHT, 0}},
      {XK_KP_Delete, 0, {0, VKEY_DELETE, 0}},
      {XK_Up, ShiftMask | ControlMask, {0, VKEY_UP, MODIFIER_SHIFT | MODIFIER_CONTROL}},
  };
  for (const KeyCase& c : cases) {
    VstKeyCode key{-1, 99, 99};
    ASSERT_TRUE(keyCodeFromKeySym(c.keySym, c.state, key)) << std::hex << c.keySym;
    EXPECT_EQ(std::tuple(key.character, key.virt, key.modifier), c.key) << std::hex << c.keySym;
  }
  VstKeyCode key{};
  for (unsigned long unused : {XK_F1, XK_Shift_L, XK_Control_R, XK_eacute, XK_Caps_Lock, 0x20ac /* euro */}) {
    EXPECT_FALSE(keyCodeFromKeySym(unused, 0, key)) << std::hex << unused;
  }
}

TEST(X11DoubleClick, SecondPressSoonAndCloseOfTheSameButton) {
  DoubleClickDetector clicks;
  EXPECT_FALSE(clicks.press(1, 1000, {10, 10}));
  EXPECT_TRUE(clicks.press(1, 1300, {12, 13}));
  EXPECT_FALSE(clicks.press(1, 1400, {12, 13})) << "a third press starts over";
  EXPECT_TRUE(clicks.press(1, 1500, {12, 13}));

  EXPECT_FALSE(clicks.press(1, 5000, {10, 10}));
  EXPECT_FALSE(clicks.press(1, 5401, {10, 10})) << "too slow";
  EXPECT_FALSE(clicks.press(1, 5500, {15, 10})) << "too far";
  EXPECT_FALSE(clicks.press(3, 5600, {15, 10})) << "another button";
  EXPECT_TRUE(clicks.press(3, 5700, {15, 10}));

  // The server's clock wraps around 2^32 milliseconds.
  EXPECT_FALSE(clicks.press(1, 0xffffff00ul, {0, 0}));
  EXPECT_TRUE(clicks.press(1, 0x40ul, {0, 0}));

  EXPECT_FALSE(clicks.press(1, 10000, {0, 0}));
  clicks.reset();
  EXPECT_FALSE(clicks.press(1, 10100, {0, 0}));
}

}  // namespace
