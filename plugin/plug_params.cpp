// The parameter path: every change, from the host, the editor, a program, a
// compare store, a chunk or the engine, goes through CPlug::setParameter.
#include <cmath>

#include "plug.h"

namespace sorel {
// [any thread]
void CPlug::setParameter(VstInt32 index, float value) { change(index, value, Origin::kOutside); }

// Stores the raw value and hands it on; nothing derived is kept here, so two
// threads changing related values at once leave no mixed state behind.
void CPlug::change(VstInt32 index, float value, Origin origin) {
  const bool stored = isParameter(index);
  const bool unchanged = stored && value == currentValue(index);
  if (index == kPage && channelCount < 2) value = 0.0f;  // one channel: Stereo page only

  if (!applyBeforeStoring(index, value, origin)) return;
  if (stored) {
    values[index].store(value, std::memory_order_relaxed);
    applyAfterStoring(index, value, origin);
  }
  engine.setParameter(index, value);
  if (editorLink && !unchanged) editorLink->setParameter(index, stored ? currentValue(index) : value);
}

// Returns false when the index was a command that is now complete.
bool CPlug::applyBeforeStoring(VstInt32 index, float value, Origin origin) {
  switch (index) {
    case kCompareSelect:
      if (origin == Origin::kOutside) recallCompareStore(wholeNumber(value));
      return true;
    case kCmdConvertSets: {
      const int mode = wholeNumber(value);
      if (mode < 0 || mode >= kNumConversions) return true;  // unknown modes fall through as a notice
      convertSets(static_cast<Conversion>(mode));
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

void CPlug::applyAfterStoring(VstInt32 index, float value, Origin origin) {
  switch (index) {
    // The frame's other settings (bypass, page, volumes, split band) are
    // taken from the stored values at block start (plug_audio.cpp).
    case kInRange:
      lowerForWideRange(value, kVolIn, origin);
      break;
    case kOutRange:
      lowerForWideRange(value, kVolOut, origin);
      break;
    default:
      break;
  }
}

// Switching to ±18 dB from a boosted position would jump by up to 15 dB, so a
// position above the centre drops to the centre (unless a program or chunk is
// loading, which restores the position it carries). The gain needs no help to
// follow the range: the engine derives it from both at the next block.
void CPlug::lowerForWideRange(float rangeValue, VstInt32 volumeIndex, Origin origin) {
  if (switchIsOn(rangeValue) && origin == Origin::kOutside && currentValue(volumeIndex) > 0.5f)
    setParameterDirect(volumeIndex, 0.5f);
}

float CPlug::getParameter(VstInt32 index) { return isParameter(index) ? currentValue(index) : 0.0f; }

void CPlug::getParameterName(VstInt32 index, char* text) { copyParameterName(index, text); }

// Units are part of the display text.
void CPlug::getParameterLabel(VstInt32, char*) {}

void CPlug::getParameterDisplay(VstInt32 index, char* text) {
  const float v = isParameter(index) ? currentValue(index) : 0.0f;
  formatParameterDisplay(index, v, isWide(kInRange), isWide(kOutRange), text);
}

// Copies what a conversion carries from one set to another, each value
// through setParameter so the engine and editor follow; the host is not told.
void CPlug::convertSets(Conversion mode) {
  auto copySet = [this](int from, int to) {
    for (int r = 0; r < kConvertedPerSet; ++r) setParameter(to + r, getParameter(from + r));
  };
  switch (mode) {
    case Conversion::kStereoToMidAndSide:
      copySet(kStereoBase, kMidBase);
      copySet(kStereoBase, kSideBase);
      break;
    case Conversion::kStereoToMid:
      copySet(kStereoBase, kMidBase);
      break;
    case Conversion::kMidToStereo:
      copySet(kMidBase, kStereoBase);
      break;
    case Conversion::kMidToSide:
      copySet(kMidBase, kSideBase);
      break;
  }
}

}  // namespace sorel
