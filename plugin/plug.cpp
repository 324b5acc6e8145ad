#include "plug.h"

#include "cgui.h"

#include <cstdio>
#include <cstring>

namespace sorel {
namespace {

void copyText(char* out, const char* text) { std::memcpy(out, text, std::strlen(text) + 1); }

}  // namespace

CPlug::CPlug(audioMasterCallback master) : AudioEffectX(master, kNumPrograms, kNumParams) {
  programs = std::make_unique<ProgramRecord[]>(kNumPrograms);
  programs[0].name[0] = 0;
  stores.fill(defaultProgram());

  setNumInputs(2);
  setNumOutputs(2);
  isSynth(false);
  programsAreChunks(true);
  curProgram = -1;
  canProcessReplacing(true);
  setUniqueID(kFourCC('S', 'O', 'R', 'L'));

  for (int i = 0; i < kNumParams; ++i) values[i].store(kParamTable[i].defaultValue, std::memory_order_relaxed);
  for (int p = 0; p < kNumPrograms; ++p) {
    programs[p] = defaultProgram();
    std::snprintf(programs[p].name, kProgramNameSize, "init%d", p + 1);
  }
  // The editor registers itself with the effect, which deletes it.
  setEditorLink(new CGui(this, this));
  setProgram(0);
}

VstInt32 CPlug::canDo(const char* text) {
  if (!text) return -1;
  for (const char* known : {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo"})
    if (std::strcmp(text, known) == 0) return 1;
  return -1;
}

bool CPlug::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
  const long long first = static_cast<long long>(index) + 1;
  std::snprintf(properties->label, sizeof properties->label, "output %lld-%lld", first, first + 1);
  properties->flags |= kVstPinIsStereo;
  return true;
}

bool CPlug::getEffectName(char* name) {
  copyText(name, "SOREL");
  return true;
}

bool CPlug::getVendorString(char* text) {
  copyText(text, "Kestrune");
  return true;
}

bool CPlug::getProductString(char* text) {
  copyText(text, "SOREL");
  return true;
}

// Only a MIDI program change to program 0 does anything: it re-applies it.
VstInt32 CPlug::processEvents(VstEvents* events) {
  if (!events) return 1;
  VstEvent* const* list = events->events;  // numEvents entries, whatever the declared size
  for (VstInt32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = list[i];
    if (!event || event->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    if ((static_cast<unsigned char>(midi->midiData[0]) & 0xF0) != 0xC0) continue;
    const auto program = static_cast<signed char>(midi->midiData[1]);
    if (program < 0 || program >= kNumPrograms) continue;
    setProgram(program);
    updateDisplay();
  }
  return 1;
}

}  // namespace sorel
