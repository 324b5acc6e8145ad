// The X11 back-end's translations that need no server: buttons, modifiers,
// keys, double clicks and the merging of update rects.
#include <gtest/gtest.h>

#include "cbuttonstate.h"
#include "platform/x11/x11events.h"
#include "platform/updateregion.h"
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
  EXPECT_EQ(buttonBit(6), 0);
  EXPECT_EQ(wheelNotches(7), 0.f);
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
  VstInt32 character;
  unsigned char virt;
  unsigned char modifier;
};

TEST(X11Mapping, KeysBecomeCharactersOrVirtualKeys) {
  // What typing into a window cannot easily show: control and lock
  // combinations, the keypad with Num Lock, and keys the layer drops.
  const KeyCase cases[] = {
      {XK_a, ControlMask, 'a', 0, MODIFIER_CONTROL},  // not the control character
      {XK_5, Mod1Mask | LockMask, '5', 0, MODIFIER_ALTERNATE},
      {XK_asciitilde, ShiftMask, '~', 0, MODIFIER_SHIFT},
      {XK_KP_7, Mod2Mask, '7', 0, 0},
      {XK_KP_Decimal, Mod2Mask, '.', 0, 0},
      {XK_KP_Subtract, 0, '-', 0, 0},
      {XK_ISO_Left_Tab, ShiftMask, 0, VKEY_TAB, MODIFIER_SHIFT},
      {XK_KP_End, 0, 0, VKEY_END, 0},
      {XK_KP_Right, 0, 0, VKEY_RIGHT, 0},
      {XK_KP_Delete, 0, 0, VKEY_DELETE, 0},
      {XK_Up, ShiftMask | ControlMask, 0, VKEY_UP, MODIFIER_SHIFT | MODIFIER_CONTROL},
  };
  for (const KeyCase& c : cases) {
    VstKeyCode key{-1, 99, 99};
    ASSERT_TRUE(keyCodeFromKeySym(c.keySym, c.state, key)) << std::hex << c.keySym;
    EXPECT_EQ(key.character, c.character) << std::hex << c.keySym;
    EXPECT_EQ(key.virt, c.virt) << std::hex << c.keySym;
    EXPECT_EQ(key.modifier, c.modifier) << std::hex << c.keySym;
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

TEST(X11UpdateRegion, MergesOverlapsKeepsSeparateRectsAndClips) {
  UpdateRegion region(CRect(0, 0, 200, 100));
  region.add(CRect(10.5, 10.2, 20.1, 19.9));
  ASSERT_EQ(region.get().size(), 1u);
  EXPECT_EQ(region.get()[0], CRect(10, 10, 21, 20)) << "grown to whole pixels";

  region.add(CRect(21, 10, 30, 20));  // touches only: stays apart
  EXPECT_EQ(region.get().size(), 2u);
  region.add(CRect(100, 50, 300, 300));  // clipped to the window
  region.add(CRect(-5, -5, 0, 50));      // nothing left after clipping
  ASSERT_EQ(region.get().size(), 3u);
  EXPECT_EQ(region.get()[2], CRect(100, 50, 200, 100));

  // A rect across the first two joins them, and the union reaches the third.
  region.add(CRect(15, 15, 105, 55));
  ASSERT_EQ(region.get().size(), 1u);
  EXPECT_EQ(region.get()[0], CRect(10, 10, 200, 100));

  EXPECT_EQ(region.take().size(), 1u);
  EXPECT_TRUE(region.empty());

  // Many small rects end up as their bounding box.
  for (int i = 0; i <= static_cast<int>(UpdateRegion::kMaxRects); ++i) region.add(CRect(i * 10, 0, i * 10 + 5, 5));
  ASSERT_EQ(region.get().size(), 1u);
  EXPECT_EQ(region.get()[0], CRect(0, 0, static_cast<CCoord>(UpdateRegion::kMaxRects * 10 + 5), 5));
}

}  // namespace
