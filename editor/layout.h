// The editor's window described as data: the page containers and one row per
// control tag. At every open the editor walks these rows in order.
#pragma once

#include "parameters.h"
#include "skinimages.h"

namespace sorel {

constexpr int kNumTags = 122;
constexpr int kNumPages = 3;
// Pages 0 (Stereo) and 1 (M/S) are shown by the page parameter; the last
// container holds pop-up menus only and is never shown.
constexpr int kNumShownPages = 2;

struct PageDesc {
  int x, y;
  int width, height;  // -1: the image's size
  int flag;
  int image;
};

extern const PageDesc kPages[kNumPages];

// Layout type codes.
enum ControlType : int {
  kTypeNone = 0,
  kTypeButton = 2,       // momentary push button
  kTypeLed = 3,          // on/off switch
  kTypeLamp = 4,         // display-only lamp
  kTypeClickArea = 5,    // invisible momentary click area
  kTypeButtonGroup = 9,  // push-button group (the A/B/C selectors)
  kTypePane = 19,        // static image
  kTypeTextField = 27,   // text field that shows no text
  kTypeHintLine = 33,    // hover hint line
  kTypeDropdown = 35,    // drop-down list
  kTypeKnob = 47,        // animated knob with a value read-out above it
};

// Read-out widths chosen by a knob row's b column.
constexpr int kReadoutWide = 10004;    // 90 px
constexpr int kReadoutNarrow = 10005;  // 70 px

struct ControlDesc {
  const char* text;  // the hover hint, or a text field's text
  ControlType type;
  int image;             // skin image index, -1 none
  ParamIndex parameter;  // kNoParam: none
  int container;         // page container, -1 the frame
  int x, y;
  int n;     // frames in the image strip (3 for a group)
  int w, h;  // -1 or 0: from the image
  int a, b;  // type-specific
};

extern const ControlDesc kLayout[kNumTags];
// The parameter a tag's control sets, or -1.
inline int parameterOfTag(int tag) { return tag >= 0 && tag < kNumTags ? kLayout[tag].parameter : -1; }

// A push-button group (column a of a type-9 row).
struct GroupDesc {
  int count;     // head plus members
  int vertical;  // 0: the members follow the head to the right
  int perLine;
  int mode;
  int dx, dy;  // pixels between neighbours
};

// Where a drop-down's pop-up opens (column a of a type-35 row).
struct ListStyle {
  int offsetX, gapY;
};

// A drop-down's entries (column b of a type-35 row): `count` strings of
// kListStrings from `first`, and a title string or -1.
struct ListDesc {
  int first, count, title;
};

// An entry with this text is a separator.
constexpr const char* kListSeparator = "*SPACE*";

// What a command control does when pressed (the rows that are not simply a
// parameter's control).
enum class Command : int {
  kSelectStore,   // the A/B/C selector: recall the store it reports
  kCaptureStore,  // "State->A/B/C": arg is the store, 0..2
  kShowPage,      // the page buttons: arg is the page to show
  kOpenMenu,      // the transfer buttons: arg is the menu's tag
  kTransfer,      // a transfer menu: its entry is the conversion mode
  kShowAbout,     // the click areas over the product name
};

struct CommandDesc {
  int tag;
  Command command;
  int arg;
};

constexpr int kNumCommands = 17;
extern const CommandDesc kCommands[kNumCommands];
// The command row of a tag, or null.
const CommandDesc* commandOf(int tag);

// Tags the editor addresses by role.
constexpr int kTagHintLines[] = {58, 59};
constexpr int kTagClipLamps[] = {112, 113};
constexpr int kTagMonoBadge = 60;
// Hidden while the input is mono: the way to the M/S page.
constexpr int kTagMidSideWays[] = {61, 63};

extern const GroupDesc kGroups[1];
extern const ListStyle kListStyles[2];
extern const ListDesc kLists[2];
extern const char* const kListStrings[6];

}  // namespace sorel
