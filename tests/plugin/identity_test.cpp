// What a host learns from the entry point and the dispatcher.
#include <cstring>

#include "loaded_plugin.h"
#include "param_index.h"

namespace sorel::test {
namespace {

using Identity = LoadedPlugin;

VstIntPtr VSTCALLBACK refusingHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 0 : 1;
}

TEST(EntryPoint, RefusesHostsWithoutVersionAndExportsBothNames) {
  auto library = pluginLibrary();
  ASSERT_TRUE(library);
  EXPECT_EQ(library->entryPoint()(refusingHost), nullptr);
  EXPECT_EQ(library->entryPoint()(nullptr), nullptr);
}

TEST_F(Identity, ConstructionAppliesProgramZeroAndResumeAsksForTimeThenMidi) {
  EXPECT_EQ(callCount(audioMasterVersion), 1u);
  EXPECT_EQ(callCount(audioMasterUpdateDisplay), 1u);
  EXPECT_EQ(callCount(audioMasterAutomate), 0u);
  EXPECT_EQ(fx->dispatch(effGetProgram), 0);
  EXPECT_EQ(fx->programName(), "init1");
  host.clearCalls();
  fx->start(48000.0f, 256);
  const auto calls = host.calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].opcode, audioMasterGetTime);
  EXPECT_EQ(calls[0].value, 0xFFFF);
  EXPECT_EQ(calls[1].opcode, audioMasterWantMidi);
  EXPECT_EQ(calls[1].value, 1);
  EXPECT_EQ(fx->close(), 1);  // the address-sanitizer build checks that nothing leaks
}

TEST_F(Identity, UnsupportedOpcodesAndNullBuffersAnswerZero) {
  for (VstInt32 op : {0,  9,  16, 17, 18, 20, 21, 27, 28, 30, 31, 32, 33, 36, 37, 38, 39, 40, 41, 43, 44,   46,
                      53, 54, 55, 56, 57, 62, 64, 65, 66, 67, 68, 70, 71, 72, 74, 75, 76, 77, 80, 99, 1000, -5}) {
    char buffer[512] = {};
    EXPECT_EQ(fx->dispatch(op, 0, 0, buffer), 0) << "opcode " << op;
  }
  // The editor reports its size and refuses a window it cannot use (no parent
  // window).
  ERect* rect = nullptr;
  EXPECT_TRUE(fx->effect()->flags & effFlagsHasEditor);
  ASSERT_EQ(fx->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, 896);
  EXPECT_EQ(rect->bottom - rect->top, 340);
  EXPECT_EQ(fx->dispatch(effEditOpen, 0, 0, nullptr), 0);
  // Null buffers are answered with zero too.
  for (VstInt32 op :
       {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName, effEditGetRect,
        effGetChunk, effSetChunk, effGetProgramNameIndexed, effGetOutputProperties, effGetEffectName,
        effGetVendorString, effGetProductString, effSetSpeakerArrangement, effGetSpeakerArrangement})
    EXPECT_EQ(fx->dispatch(op, 0, 0, nullptr), 0) << "opcode " << op;
  EXPECT_EQ(fx->dispatch(effSetChunk, 0, 1408, nullptr), 0);
  EXPECT_EQ(fx->dispatch(effCanDo, 0, 0, nullptr), -1);
}

TEST_F(Identity, CanDoMatchesExactlyAndNeverAnswersZero) {
  EXPECT_EQ(fx->canDo("receiveVstEvents"), 1);
  EXPECT_EQ(fx->canDo("receiveVstMidiEvent"), 1);
  EXPECT_EQ(fx->canDo("receiveVstTimeInfo"), 1);
  for (const char* no : {"", "receivevstevents", "ReceiveVstTimeInfo", "receiveVstMidiEvents", "receiveVstEvent",
                         "sendVstEvents", "bypass", "receiveVstTimeInfo "})
    EXPECT_EQ(fx->canDo(no), -1) << '"' << no << '"';
}

TEST_F(Identity, OutputPinsAreStereoPairsThatKeepTheHostsFlags) {
  VstPinProperties pin;
  std::memset(&pin, 0x5A, sizeof pin);
  pin.flags = kVstPinIsActive;
  EXPECT_EQ(fx->dispatch(effGetOutputProperties, 0, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "output 1-2");
  EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
  EXPECT_EQ(fx->dispatch(effGetOutputProperties, 0x7FFFFFFF, 0, &pin), 1);
  EXPECT_STREQ(pin.label, "output 2147483648-2147483649");
}

TEST_F(Identity, ProgramNamesByIndex) {
  char name[64];
  std::memset(name, 'x', sizeof name);
  EXPECT_EQ(fx->dispatch(effGetProgramNameIndexed, 0, 0, name), 1);
  EXPECT_STREQ(name, "init1");
  EXPECT_EQ(fx->dispatch(effGetProgramNameIndexed, 1, 0, name), 0);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(fx->dispatch(effGetProgramNameIndexed, -1, 0, name), 0);

  char longName[] = "a name far longer than the twenty-eight byte field";
  fx->dispatch(effSetProgramName, 0, 0, longName);
  EXPECT_EQ(fx->programName(), std::string(longName, 27));
  char shortName[] = "Loud master";
  fx->dispatch(effSetProgramName, 0, 0, shortName);
  EXPECT_EQ(fx->programName(), "Loud master");
  // Only program 0 exists.
  fx->dispatch(effSetProgram, 0, 1);
  fx->dispatch(effSetProgram, 0, -1);
  EXPECT_EQ(fx->dispatch(effGetProgram), 0);
}

TEST_F(Identity, SpeakerArrangementTakesUpToTwoInputChannels) {
  auto *in = reinterpret_cast<VstSpeakerArrangement*>(0x1), *out = in;
  EXPECT_EQ(fx->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
  EXPECT_EQ(in, nullptr);
  EXPECT_EQ(out, nullptr);

  fx->setParameter(kPage, whole(1));
  EXPECT_FALSE(fx->setChannels(6));
  EXPECT_EQ(fx->getParameter(kPage), whole(1));  // still stereo: the M/S page stays possible
  EXPECT_TRUE(fx->setChannels(1));
  EXPECT_EQ(fx->getParameter(kPage), whole(1));  // the call itself leaves "page" alone
  fx->setParameter(kPage, whole(1));
  EXPECT_EQ(fx->getParameter(kPage), 0.0f);  // but on one channel only page 0 can be set
  EXPECT_TRUE(fx->setChannels(2));
  fx->setParameter(kPage, whole(1));
  EXPECT_EQ(fx->getParameter(kPage), whole(1));
}

TEST_F(Identity, MidiProgramChangeZeroReappliesTheProgram) {
  auto midi = [](int status, int data1) {
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.byteSize = sizeof e;
    e.midiData[0] = static_cast<char>(status);
    e.midiData[1] = static_cast<char>(data1);
    return e;
  };
  // Change to 5 (any channel), a note, a SysEx, a change to -128 (read as a signed byte).
  VstMidiEvent toFive = midi(0xC5, 5), noteOn = midi(0x90, 0), negative = midi(0xC5, 0x80), change = midi(0xC5, 0);
  VstEvent sysex{};
  sysex.type = kVstSysExType;
  struct {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[4];
  } list{4,
         0,
         {reinterpret_cast<VstEvent*>(&toFive), reinterpret_cast<VstEvent*>(&noteOn), &sysex,
          reinterpret_cast<VstEvent*>(&negative)}};
  host.clearCalls();
  EXPECT_EQ(fx->dispatch(effProcessEvents, 0, 0, &list), 1);
  EXPECT_EQ(callCount(audioMasterUpdateDisplay), 0u);

  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&change);
  EXPECT_EQ(fx->dispatch(effProcessEvents, 0, 0, &list), 1);
  EXPECT_EQ(callCount(audioMasterUpdateDisplay), 2u);
  EXPECT_EQ(fx->dispatch(effProcessEvents, 0, 0, nullptr), 1);
}

}  // namespace
}  // namespace sorel::test
