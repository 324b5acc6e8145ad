// The parameter path: every change, from the host, the editor, a program, a
// compare store, a chunk or the engine, goes through CPlug::setParameter.
#include <cmath>

#include "plug.h"
#include "volume.h"

namespace sorel {
namespace {

constexpr float kAntiAliasOn = 1.0f / 128.0f;

}  // namespace

// [any thread]
void CPlug::setParameter(VstInt32 index, float value) {
  const bool stored = isParameter(index);
  const bool unchanged = stored && value == currentValue(index);
  if (index == kPage && channelCount < 2) value = 0.0f;  // one channel: Stereo page only

  if (!applyBeforeStoring(index, value)) return;
  if (stored) {
    values[index].store(value, std::memory_order_relaxed);
    if (curProgram >= 0 && curProgram < kNumPrograms) programs[curProgram].values[index] = value;
    applyAfterStoring(index, value);
  }
  engine.setParameter(index, value);
  if (editorLink && !unchanged) editorLink->setParameter(index, stored ? currentValue(index) : value);
}

// Returns false when the index was a command that is now complete.
bool CPlug::applyBeforeStoring(VstInt32 index, float value) {
  switch (index) {
    case kCompareSelect:
      if (!applying) recallCompareStore(wholeNumber(value));
      return true;
    case kAntiAlias:
      engine.setSplitBand(value >= kAntiAliasOn);
      return true;
    case kCmdConvertSets: {
      const int mode = wholeNumber(value);
      if (mode < 0 || mode > 3) return true;  // unknown modes fall through as a notice
      convertSets(mode);
      return false;
    }
    case kCmdCaptureA:
    case kCmdCaptureA + 1:
    case kCmdCaptureA + 2:
      captureCompareStore(index - kCmdCaptureA);
      return false;
    default:
      return true;
  }
}

void CPlug::applyAfterStoring(VstInt32 index, float value) {
  switch (index) {
    case kGlobalOn:
      engine.setBypass(value < 0.5f);
      break;
    case kPage:
      engine.setPage(wholeNumber(value));
      break;
    case kVolIn:
      volInPosition = value;
      engine.setInputGain(volumeGain(value, inWide));
      break;
    case kVolOut:
      volOutPosition = value;
      engine.setOutputGain(volumeGain(value, outWide));
      break;
    case kInRange:
      setRange(inWide, value, volInPosition, kVolIn);
      break;
    case kOutRange:
      setRange(outWide, value, volOutPosition, kVolOut);
      break;
    default:
      break;
  }
}

// Switching to ±18 dB from a boosted position would jump by up to 15 dB, so a
// position above the centre drops to the centre (unless a program or chunk is
// loading, which restores the position it carries). The volume is then
// re-applied so its gain follows the new range.
void CPlug::setRange(bool& wide, float value, float& position, VstInt32 volumeIndex) {
  wide = value > 0.5f;
  if (wide && !applying && position > 0.5f) position = 0.5f;
  setParameterDirect(volumeIndex, position);
}

float CPlug::getParameter(VstInt32 index) { return isParameter(index) ? currentValue(index) : 0.0f; }

void CPlug::getParameterName(VstInt32 index, char* text) { copyParameterName(index, text); }

// Units are part of the display text.
void CPlug::getParameterLabel(VstInt32, char*) {}

void CPlug::getParameterDisplay(VstInt32 index, char* text) {
  const float v = isParameter(index) ? currentValue(index) : 0.0f;
  formatParameterDisplay(index, v, inWide, outWide, text);
}

// Copies amount, flavour and switch of every module and the X values of Salt,
// Pepper and Sugar (set offsets 0..20) from one set to another, each through
// setParameter so the engine and editor follow; the host is not told.
void CPlug::convertSets(int mode) {
  auto copySet = [this](int from, int to) {
    for (int r = 0; r < CModuleSet::kActiveParams; ++r) setParameter(to + r, getParameter(from + r));
  };
  switch (mode) {
    case 0:
      copySet(kStereoBase, kMidBase);
      copySet(kStereoBase, kSideBase);
      break;
    case 1:
      copySet(kStereoBase, kMidBase);
      break;
    case 2:
      copySet(kMidBase, kStereoBase);
      break;
    case 3:
      copySet(kMidBase, kSideBase);
      break;
    default:
      break;
  }
}

}  // namespace sorel
