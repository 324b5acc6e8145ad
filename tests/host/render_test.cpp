// sorel-render end to end, through the real binary: what it writes equals the
// plug-in driven directly, presets round-trip, and every refusal leaves no
// file behind.
#include "preset.h"
#include "render_fixture.h"

namespace sorel::test {
namespace {

TEST_F(Render, DawIdenticalOutputEqualsThePluginDrivenDirectly) {
  const std::vector<float> input = music(30000, 2, 1);
  const std::string in = writeAudio("in.wav", input, 2);
  const Outcome r = run("-q --daw-identical --type float -s page=ms -s mid.salt=0.7 -s side.chili=55% -s aa=splitfir -s vol.in=1.5dB " +
                        in + " -o " + path("out.wav"));
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<float> rendered = readAudio(path("out.wav"));

  auto fx = direct();
  ASSERT_TRUE(fx);
  fx->start(44100.0f, 512);
  fx->setParameter(1, 1.0f / 128.0f);
  fx->setParameter(36, 0.7f);
  fx->setParameter(78, 0.55f);
  fx->setParameter(86, 1.0f / 128.0f);
  fx->setParameter(2, static_cast<float>(std::log(std::pow(10.0, 1.5 / 20.0) / 0.70710677) / std::log(2.0)));
  std::vector<float> left(512), right(512), expected;
  for (std::size_t offset = 0; offset < 30000; offset += 512) {
    const std::size_t n = std::min<std::size_t>(512, 30000 - offset);
    for (std::size_t i = 0; i < n; ++i) left[i] = input[2 * (offset + i)], right[i] = input[2 * (offset + i) + 1];
    float* io[2] = {left.data(), right.data()};
    fx->processReplacing(io, io, static_cast<VstInt32>(n));
    for (std::size_t i = 0; i < n; ++i) expected.push_back(left[i]), expected.push_back(right[i]);
  }
  ASSERT_EQ(rendered.size(), expected.size());
  EXPECT_EQ(rendered, expected);
  EXPECT_NE(rendered, input);
}

// The split-band path's delay is removed and its last sample flushed out:
// with neutral settings the output nulls against the input, at every length.
TEST_F(Render, SplitBandDelayIsRemovedAndNoSampleIsLost) {
  for (const std::size_t frames : {1u, 2u, 8193u}) {
    std::vector<float> input = music(frames, 2, 3);
    for (float& v : input) v *= 0.5f;  // under the input clamp
    const std::string in = writeAudio("in.wav", input, 2);
    const Outcome r = run("-q --no-report --type float -s aa=splitfir " + in + " -o " + path("out.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<float> out = readAudio(path("out.wav"));
    ASSERT_EQ(out.size(), input.size()) << frames;
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], input[i], 1e-6f) << frames << " frames, " << i;
  }
}

TEST_F(Render, ReportMeasuresBeforeAndAfterAndCountsClips) {
  std::vector<float> input = music(44100 * 3, 2, 2);
  for (float& v : input) v *= 0.5f;  // peaks well below full scale...
  input[1000] = 1.5f;                // ...but for one overload: one block raises the notice
  const std::string in = writeAudio("in.wav", input, 2);
  const Outcome r = run("--json " + in + " -o " + path("out.wav"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"input_clip_blocks\": 1,"), std::string::npos) << r.out << r.err;
  EXPECT_NE(r.out.find("\"integrated_lufs\": -"), std::string::npos);
  EXPECT_NE(r.out.find("\"after\": {\"sample_peak_dbfs\": 0.000"), std::string::npos) << r.out;  // clamped
  const Outcome silent = run("--json -s global.on=off " + in + " -o " + path("bypassed.wav"));
  EXPECT_NE(silent.out.find("\"input_clip_blocks\": 0,"), std::string::npos) << silent.out;
}

// What the report cannot give or the file cannot use is said per file: a
// loudness too short or quiet to read, an undefined range (null, not 0), an
// M/S page that one channel cannot have.
TEST_F(Render, ReportNotesWhatItCannotMeasureOrUse) {
  const std::vector<float> quiet(20000, 0.0001f);
  struct Case {
    const char* name;
    std::vector<float> frames;
    int channels;
    const char* args;
    bool loudness, range, msNote;
  } cases[] = {
      {"long.wav", music(44100 * 4, 2, 7), 2, "-s page=ms", true, true, false},
      {"short.wav", music(44100 * 2, 2, 7), 2, "", true, false, false},
      {"quiet.wav", quiet, 1, "", false, false, false},
      {"mono-ms.wav", music(44100, 1, 8), 1, "-s page=ms", true, false, true},
      {"mono.wav", music(44100, 1, 8), 1, "-s page=stereo", true, false, false},
  };
  for (const Case& c : cases) {
    const std::string in = writeAudio(c.name, c.frames, c.channels);
    const Outcome r = run(std::string("--json ") + c.args + " " + in + " -o " + path("out.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("\"integrated_lufs\": null") == std::string::npos, c.loudness) << c.name << r.out;
    EXPECT_EQ(r.out.find("too quiet for a loudness reading") == std::string::npos, c.loudness) << c.name;
    EXPECT_EQ(r.out.find("\"loudness_range_lu\": null") == std::string::npos, c.range) << c.name << r.out;
    EXPECT_EQ(r.out.find("page=ms on a mono file") != std::string::npos, c.msNote) << c.name << r.out;
  }
}

TEST_F(Render, MonoStaysMonoAndMoreThanTwoChannelsAreRefused) {
  const std::string mono = writeAudio("mono.wav", music(5000, 1, 3), 1);
  ASSERT_EQ(run("-q -s page=ms -s stereo.pepper=1 " + mono + " -o " + path("mono-out.flac")).status, 0);
  int channels = 0;
  EXPECT_EQ(readAudio(path("mono-out.flac"), &channels).size(), 5000u);
  EXPECT_EQ(channels, 1);
  const std::string wide = writeAudio("six.wav", music(100, 6, 4), 6);
  const Outcome r = run(wide + " -o " + path("six-out.wav"));
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("6 channels"), std::string::npos) << r.err;
  EXPECT_EQ(files(), (std::vector<std::string>{"mono-out.flac", "mono.wav", "six.wav"}));
}

TEST_F(Render, ParallelJobsWriteTheSameBytes) {
  std::string inputs;
  for (int i = 0; i < 4; ++i)
    inputs += " " + writeAudio("in" + std::to_string(i) + ".wav", music(20000, 2, 10u + static_cast<unsigned>(i)), 2);
  ASSERT_EQ(run("-q --type pcm16 -s stereo.sugar=0.6 -j 1 -o " + path("one") + inputs).status, 0);
  ASSERT_EQ(run("-q --type pcm16 -s stereo.sugar=0.6 -j 3 -o " + path("three") + inputs).status, 0);
  for (int i = 0; i < 4; ++i) {
    const std::string name = "in" + std::to_string(i) + ".wav";
    const std::string a = slurp(path("one/" + name)), b = slurp(path("three/" + name));
    EXPECT_GT(a.size(), 80000u);
    EXPECT_EQ(a, b) << name;
  }
}

TEST_F(Render, BadCommandLinesSayWhyAndWriteNothing) {
  const std::string in = writeAudio("in.wav", music(1000, 2, 5), 2);
  const std::string out = " -o " + path("out.wav");
  const std::pair<std::string, std::string> cases[] = {
      {"-s stereo.sallt=0.4 " + in + out, "did you mean stereo.salt"},
      {"-s stereo.salt=1.5 " + in + out, "between 0 and 1"},
      {"-s stereo.salt=120% " + in + out, "between 0% and 100%"},
      {"-s vol.in=+9dB " + in + out, "-3.01dB and 3.01dB"},
      {"-s page=sideways " + in + out, "takes stereo or ms"},
      {"-s page=1 " + in + out, "stereo or ms"},  // choices take only their names or exact encodings
      {"-s page=0.05 " + in + out, "stereo or ms"},
      {"-s aa=0.5 " + in + out, "off or splitfir"},
      {"-s stereo.salt.on=0.7 " + in + out, "off or on"},
      {"-s global.on=50% " + in + out, "off or on"},
      {"-s salt " + in + out, "NAME=VALUE"},
      {"-s '#87=0.5' " + in + out, "unknown parameter '#87'"},
      {"--block 0 " + in + out, "--block"},
      {in, "-o"},
      {"--save-preset " + path("kept.fxp") + " " + path("missing.wav") + out, "cannot read"},  // and saves none
      {"--preset " + path("missing.fxp") + " " + in + out, "missing.fxp"},
      {"--plugin " + in + " " + in + out, "cannot load"},
      {path("") + out, "it is a folder"},
  };
  for (const auto& [args, says] : cases) {
    const Outcome r = run(args);
    EXPECT_NE(r.status, 0) << args;
    EXPECT_NE(r.err.find(says), std::string::npos) << args << " said: " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_EQ(files(), (std::vector<std::string>{"in.wav"}));
  // The wide range takes effect before a dB value, whatever the order given.
  EXPECT_EQ(run("-q -s vol.in=+9dB -s vol.in.wide=on " + in + out).status, 0);
}

TEST_F(Render, PresetsRoundTripAndForeignOnesAreRefused) {
  // A state with compare stores in it, made through the plug-in itself.
  auto fx = direct();
  ASSERT_TRUE(fx);
  fx->setParameter(12, 0.3f);
  fx->setParameter(91, 0.0f);  // capture into B
  fx->setParameter(10, 1.0f);
  fx->setParameter(40, 0.8f);
  host::Preset preset;
  preset.kind = host::PresetKind::kProgram;
  preset.uniqueID = fx->effect()->uniqueID;
  preset.pluginVersion = fx->effect()->version;
  preset.count = 87;
  preset.programName = "album";
  preset.chunk = fx->getChunk();
  std::string error;
  ASSERT_TRUE(host::writePresetFile(path("a.fxp"), preset, &error)) << error;

  ASSERT_EQ(
      run("--preset " + path("a.fxp") + " --save-preset " + path("b.fxb") + " --save-preset " + path("c.fxp")).status,
      1);  // one --save-preset only
  const Outcome saved = run("--preset " + path("a.fxp") + " --save-preset " + path("b.fxb"));
  ASSERT_EQ(saved.status, 0) << saved.err;
  host::Preset bank;
  ASSERT_TRUE(host::readPresetFile(path("b.fxb"), bank, &error)) << error;
  EXPECT_EQ(bank.kind, host::PresetKind::kBank);
  EXPECT_EQ(bank.chunk, preset.chunk);  // every value and every compare store

  // Settings apply on top of a preset, and --list shows the result.
  const Outcome listed = run("--preset " + path("b.fxb") + " -s stereo.pepper=25% --list");
  EXPECT_NE(listed.out.find("stereo.salt            Salt             0.300000"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("25.00%"), std::string::npos);

  preset.uniqueID = kFourCC('A', 'B', 'C', 'D');
  ASSERT_TRUE(host::writePresetFile(path("foreign.fxp"), preset, &error));
  const std::string in = writeAudio("in.wav", music(100, 2, 6), 2);
  Outcome r = run("--preset " + path("foreign.fxp") + " " + in + " -o " + path("out.wav"));
  EXPECT_NE(r.err.find("'ABCD', not 'SORL'"), std::string::npos) << r.err;
  // A well-formed file whose chunk the plug-in refuses: nothing applies.
  preset.uniqueID = kFourCC('S', 'O', 'R', 'L');
  preset.chunk.resize(100);
  ASSERT_TRUE(host::writePresetFile(path("cut.fxp"), preset, &error));
  r = run("--preset " + path("cut.fxp") + " " + in + " -o " + path("out.wav"));
  EXPECT_NE(r.err.find("refused"), std::string::npos) << r.err;
  std::ofstream(path("junk.fxp")) << "not a preset at all";
  r = run("--preset " + path("junk.fxp") + " " + in + " -o " + path("out.wav"));
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(files(), (std::vector<std::string>{"a.fxp", "b.fxb", "cut.fxp", "foreign.fxp", "in.wav", "junk.fxp"}));
}

}  // namespace
}  // namespace sorel::test
