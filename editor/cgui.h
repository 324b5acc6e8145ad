// The product's editor: builds the window from the layout tables at every
// open, keeps controls and parameters in step both ways, lights the clip lamps
// and shows the mono badge.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "ckstedit.h"
#include "ctaglist.h"
#include "editorlink.h"
#include "layout.h"
#include "parameters.h"
#include "skinscale.h"

namespace VSTGUI {
class CBitmap;
class CControl;
}  // namespace VSTGUI

namespace sorel {

class CFrameCM;
class CViewContainer1;

struct TagRecord {
  bool hintable = false;
  VSTGUI::CControl* readout = nullptr;  // the knob's value read-out
};

class CGui : public CKstEditor, public IEditorLink {
 public:
  static constexpr int kClipHoldTicks = 75;

  CGui(AudioEffect* owner, IEffectLink* effectLink);
  ~CGui() override;

  // --- Host side ---
  bool open(void* parentWindow) override;
  void close() override;
  void idle() override;
  bool setKnobMode(VstInt32) override { return false; }
  bool isOpen() override { return guiFrame != nullptr; }

  // --- Effect side [any thread] ---
  void setParameter(VstInt32 index, float value) override;

  // --- Controls ---
  void valueChanged(VSTGUI::CControl* control) override;
  void beginEdit(int32_t tag) override;
  void endEdit(int32_t tag) override;
  void idleTick() override;

  // --- Read by tests and by the commands ---
  VSTGUI::CControl* getControl(int tag) const { return tag >= 0 && tag < kNumTags ? controls[tag] : nullptr; }
  CViewContainer1* getPage(int index) const { return index >= 0 && index < kNumPages ? pages[index] : nullptr; }
  int getCurrentPage() const { return currentPage; }
  const CTagList& tagsOf(int parameter) const { return tagLists[parameter]; }
  VSTGUI::CControl* getReadout(int tag) const { return tag >= 0 && tag < kNumTags ? tagRecords[tag].readout : nullptr; }
  const char* getHintText() const;
  int getClipHold() const { return clipHold; }
  bool isMonoInput() const { return monoInput.load(std::memory_order_relaxed); }
  VSTGUI::CControl* getAboutView() const { return aboutView; }
  bool isAboutShown() const { return !aboutClosed; }
  bool isEditorOpen() const { return isOpenFlag.load(std::memory_order_acquire); }

 private:
  void loadSkin();
  void buildPages();
  void buildControls();
  void attachControls();
  void detachControls();
  VSTGUI::CControl* createControl(int tag, const ControlDesc& row);
  // One recipe per layout type code.
  VSTGUI::CControl* createButton(int tag, const ControlDesc& row, VSTGUI::CBitmap* image);
  VSTGUI::CControl* createLed(int tag, const ControlDesc& row, VSTGUI::CBitmap* image);
  VSTGUI::CControl* createClickArea(int tag, const ControlDesc& row);
  VSTGUI::CControl* createButtonGroup(int tag, const ControlDesc& row, VSTGUI::CBitmap* image);
  VSTGUI::CControl* createTextField(int tag, const ControlDesc& row, VSTGUI::CBitmap* image);
  VSTGUI::CControl* createHintLine(int tag, const ControlDesc& row);
  VSTGUI::CControl* createDropdown(int tag, const ControlDesc& row);
  VSTGUI::CControl* createReadout(int tag, const ControlDesc& row, const VSTGUI::CRect& knob);
  // A layout coordinate times the skin scale, truncated.
  VSTGUI::CCoord scaled(int v) const;
  VSTGUI::CRect scaledRect(const ControlDesc& row, VSTGUI::CBitmap* image, int frames) const;

  // True inside the window's own calls on the thread that opened it. Other
  // threads are told apart without touching thread-local storage, which may
  // allocate on a thread's first use.
  bool inWindowCall() const;
  void applyParameter(VstInt32 index, float value);
  void applyPending();
  void refreshAll();
  void showPage(int page);
  // Button 0 is the selectors' "A" (the heads), 1 and 2 their members.
  void enableSelectors(int button, bool enabled);
  void applyMonoBadge();
  void setClipLamps(float value);
  void automateParameter(VstInt32 index, float value);
  void runCommand(const CommandDesc& command, float value);
  void buildAboutView();
  void updateHint();
  // Sets both hint lines; true when the tag claimed them.
  bool showHint(int tag, bool duringGesture);
  void releaseAboutView();
  void openCurrentLink();

  IEffectLink* link;
  CFrameCM* guiFrame = nullptr;
  std::array<CViewContainer1*, kNumPages> pages{};
  std::array<VSTGUI::CControl*, kNumTags> controls{};
  std::array<TagRecord, kNumTags> tagRecords{};
  std::array<CTagList, kNumParams> tagLists;
  std::array<VSTGUI::CBitmap*, kNumSkinImages> skinImages{};
  SkinScale skin;
  int currentPage = -1;
  int clipHold = 0;
  int gestureTag = -1;
  bool gestureActive = false;

  // Values that arrive outside the window's own thread wait here for the next
  // idle: each one a single atomic word, with one pending bit per parameter.
  std::atomic<bool> isOpenFlag{false};
  std::atomic<uint64_t> uiThread{0};  // the thread that opened the window
  std::atomic<bool> monoInput{false};
  std::atomic<bool> monoChanged{false};
  std::atomic<bool> clipNotice{false};
  std::array<std::atomic<float>, kNumParams> pendingValues{};
  std::array<std::atomic<uint64_t>, 2> pendingBits{};
};

}  // namespace sorel
