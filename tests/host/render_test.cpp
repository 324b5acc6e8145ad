// sorel-render end to end, through the real binary: what it writes equals the
// plug-in driven directly, presets round-trip, and every refusal leaves no
// file behind.
#include "param_index.h"
#include "preset.h"
#include "render_fixture.h"

namespace sorel::test {
namespace {

TEST_F(Render, DawIdenticalOutputEqualsThePluginDrivenDirectly) {
  const std::vector<float> input = music(30000, 2, 1);
  const std::string in = writeAudio("in.wav", input, 2);
  render(
      "-q --daw-identical --type float -s page=ms -s mid.salt=0.7 -s side.chili=55% -s aa=splitfir -s vol.in=1.5dB " +
      in + " -o " + path("out.wav"));
  const std::vector<float> rendered = readAudio(path("out.wav"));

  auto fx = direct();
  ASSERT_TRUE(fx);
  fx->start(44100.0f, 512);
  fx->setParameter(kPage, whole(1));
  fx->setParameter(moduleParam(kMidBase, kSaltModule), 0.7f);
  fx->setParameter(moduleParam(kSideBase, kChiliModule), 0.55f);
  fx->setParameter(kAntiAlias, whole(1));
  fx->setParameter(kVolIn, static_cast<float>(std::log(std::pow(10.0, 1.5 / 20.0) / 0.70710677) / std::log(2.0)));
  std::vector<float> left(512), right(512), expected;
  for (std::size_t offset = 0; offset < 30000; offset += 512) {
    const std::size_t n = std::min<std::size_t>(512, 30000 - offset);
    for (std::size_t i = 0; i < n; ++i) left[i] = input[2 * (offset + i)], right[i] = input[2 * (offset + i) + 1];
    float* io[2] = {left.data(), right.data()};
    fx->processReplacing(io, io, static_cast<VstInt32>(n));
    for (std::size_t i = 0; i < n; ++i) expected.push_back(left[i]), expected.push_back(right[i]);
  }
  EXPECT_EQ(rendered, expected);
  EXPECT_NE(rendered, input);
}

// The split-band path's delay is removed and its last sample flushed out:
// with neutral settings the output nulls against the input, at every length.
TEST_F(Render, SplitBandDelayIsRemovedAndNoSampleIsLost) {
  for (const std::size_t frames : {1u, 2u, 8193u}) {
    const std::vector<float> input = music(frames, 2, 3, 0.5f);  // under the input clamp
    const std::string in = writeAudio("in.wav", input, 2);
    render("-q --no-report --type float -s aa=splitfir " + in + " -o " + path("out.wav"));
    const std::vector<float> out = readAudio(path("out.wav"));
    ASSERT_EQ(out.size(), input.size()) << frames;
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], input[i], 1e-6f) << frames << " frames, " << i;
  }
}

TEST_F(Render, ReportMeasuresBeforeAndAfterAndCountsClips) {
  std::vector<float> input = music(44100 * 3, 2, 2, 0.5f);  // peaks well below full scale...
  input[1000] = 1.5f;                                       // ...but for one overload: one block raises the notice
  const std::string in = writeAudio("in.wav", input, 2);
  const Outcome r = render("--json " + in + " -o " + path("out.wav"));
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
    const Outcome r = render(std::string("--json ") + c.args + " " + in + " -o " + path("out.wav"));
    int channels = 0;  // mono stays mono, whatever the page
    EXPECT_EQ(readAudio(path("out.wav"), &channels).size(), c.frames.size()) << c.name;
    EXPECT_EQ(channels, c.channels) << c.name;
    EXPECT_EQ(r.out.find("\"integrated_lufs\": null") == std::string::npos, c.loudness) << c.name << r.out;
    EXPECT_EQ(r.out.find("too quiet for a loudness reading") == std::string::npos, c.loudness) << c.name;
    EXPECT_EQ(r.out.find("\"loudness_range_lu\": null") == std::string::npos, c.range) << c.name << r.out;
    EXPECT_EQ(r.out.find("page=ms on a mono file") != std::string::npos, c.msNote) << c.name << r.out;
  }
  // As text: a quiet file's peak is a level, its loudness no number at all.
  const Outcome text = run("-q " + path("quiet.wav") + " -o " + path("out.wav"));
  EXPECT_NE(text.out.find("-80.00 dBFS"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("too quiet"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find("-inf"), std::string::npos) << text.out;
}

// A file name's bytes that are not UTF-8 (a Latin-1 name) are escaped one by
// one as \u0080..\u00ff; UTF-8, quotes and controls keep JSON's own rules.
TEST_F(Render, JsonStaysValidForFileNamesThatAreNotUtf8) {
  const std::string name = "caf\xE9 \"\xC3\xBC\" \xED\xA0\x80\x01.wav";  // Latin-1, UTF-8, a surrogate, a control
  const std::string in = writeAudio(name, music(1000, 2, 5), 2);
  const Outcome r = render("-q --json --no-report '" + in + "' -o " + path("out.wav"));
  EXPECT_NE(r.out.find("caf\\u00e9 \\\"\xC3\xBC\\\" \\u00ed\\u00a0\\u0080\\u0001.wav\""), std::string::npos) << r.out;
}

// -j, and two sorel-render processes run by GNU parallel (as two machines of
// a catalogue would run them), write the same bytes as one job.
TEST_F(Render, ParallelJobsAndProcessesWriteTheSameBytes) {
  std::string inputs;
  for (int i = 0; i < 4; ++i)
    inputs += " " + writeAudio("in" + std::to_string(i) + ".wav", music(20000, 2, 10u + static_cast<unsigned>(i)), 2);
  const std::string settings = "-q --type pcm16 -s stereo.sugar=0.6 -s aa=splitfir ";
  render(settings + "-j 1 -o " + path("one") + inputs);
  render(settings + "-j 3 -o " + path("three") + inputs);
  fs::create_directories(path("hosts"));
  const std::string hosts = "parallel --will-cite -j2 " + std::string(SOREL_RENDER) + " " + settings + "{} -o " +
                            path("hosts") + "/{/} :::" + inputs + " >/dev/null";
  ASSERT_EQ(std::system(hosts.c_str()), 0) << hosts;
  for (int i = 0; i < 4; ++i) {
    const std::string name = "in" + std::to_string(i) + ".wav";
    const std::string a = slurp(path("one/" + name));
    EXPECT_GT(a.size(), 80000u);
    EXPECT_EQ(a, slurp(path("three/" + name))) << name;
    EXPECT_EQ(a, slurp(path("hosts/" + name))) << name;
  }
}

// Each refusal says why in one line, exits with its kind's status and
// leaves no file behind.
TEST_F(Render, BadCommandLinesSayWhyAndWriteNothing) {
  const std::string in = writeAudio("in.wav", music(1000, 2, 5), 2);
  const std::string six = writeAudio("six.wav", music(100, 6, 4), 6);
  const std::string out = " -o " + path("out.wav");
  struct Case {
    std::string args, says;
    int status;
  } cases[] = {
      {"-s stereo.sallt=0.4 " + in + out, "did you mean stereo.salt", 2},
      {"-s stereo.salt=1.5 " + in + out, "between 0 and 1", 2},
      {"-s stereo.salt=120% " + in + out, "between 0% and 100%", 2},
      {"-s vol.in=+9dB " + in + out, "-3.01dB and 3.01dB", 2},
      {"-s page=sideways " + in + out, "takes stereo or ms", 2},
      {"-s page=1 " + in + out, "stereo or ms", 2},  // choices take only their names or exact encodings
      {"-s page=0.05 " + in + out, "stereo or ms", 2},
      {"-s aa=0.5 " + in + out, "off or splitfir", 2},
      {"-s stereo.salt.on=0.7 " + in + out, "off or on", 2},
      {"-s global.on=50% " + in + out, "off or on", 2},
      {"-s salt " + in + out, "NAME=VALUE", 2},
      {"-s '#87=0.5' " + in + out, "#87 is out of range: this plug-in's parameters are #0 to #86", 2},
      {"-s stereo.salt=0.1 aa=1 " + in + out, "'aa=1' is not a file but looks like a setting", 2},
      {"--block 0 " + in + out, "--block", 2},
      {"--target loud " + in + out, "--target takes a number in LUFS, not 'loud'", 2},
      {"--ceiling -1LUFS " + in + out, "--ceiling takes a number in dBTP, not '-1LUFS'", 2},
      {"--max-limiting -3dB " + in + out, "--max-limiting is a reduction: 0 dB or more", 2},
      {"--deliver radio " + in + out, "a profile is one of", 2},
      {six + out, "6 channels", 3},
      {in, "-o", 2},
      {in + " " + in + " -o " + path("two.wav"), "names a file, but there are 2 inputs", 2},
      {"--demo " + path("d.wav") + out, "give no -o", 2},
      {"--demo " + path("nowhere/d.wav"), "cannot write " + path("nowhere/d.wav") + ": ", 4},
      {"--demo " + dir.string(), "sorel-render: " + dir.string() + " is a folder", 4},
      {in + " -o " + path("out.sd2"), "resource fork", 2},
      {"--save-preset " + path("kept.fxp") + " " + path("missing.wav") + out, "cannot read", 3},  // and saves none
      {"--preset " + path("missing.fxp") + " " + in + out, "missing.fxp", 2},
      {"--plugin " + in + " " + in + out, "cannot load", 2},
      {path("") + out, "it is a folder", 3},
      {in + " " + in + " -o " + path("in.wav/"), "cannot create the output folder " + path("in.wav/") + ": ", 4},
  };
  for (const Case& c : cases) {
    const Outcome r = run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << " said: " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_EQ(files(), (std::vector<std::string>{"in.wav", "six.wav"}));
  // The wide range takes effect before a dB value, whatever the order given.
  render("-q -s vol.in=+9dB -s vol.in.wide=on " + in + out);
}

// What cannot be written fails with the write status and leaves nothing: the
// report or list on a full device, a file past the size limit (SIGXFSZ);
// with --json the failed file has a record of its own.
TEST_F(Render, WriteFailuresExitWithTheirStatusAndLeaveNothing) {
  const std::string in = writeAudio("in.wav", music(200000, 2, 5), 2);
  const std::pair<std::string, std::string> cases[] = {
      {"--list", "cannot write the list: No space left on device"},
      {"-q " + in + " -o " + path("out.wav"), "cannot write the report"},
  };
  for (const auto& [args, says] : cases) {
    const Outcome r = run(args, "", "/dev/full");
    EXPECT_EQ(r.status, 4) << args;
    EXPECT_NE(r.err.find(says), std::string::npos) << args << r.err;
  }
  const Outcome r = run("-q --json --no-report " + in + " -o " + path("big.wav"), "ulimit -f 64; ");
  EXPECT_EQ(r.status, 4);
  EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("\"error\": \"cannot write " + path("big.wav")), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"exit_status\": 4}"), std::string::npos) << r.out;
  EXPECT_EQ(files(), (std::vector<std::string>{"in.wav", "out.wav"}));  // the master is whole; no big.wav
}

TEST_F(Render, PresetsRoundTripAndForeignOnesAreRefused) {
  // A state with compare stores in it, made through the plug-in itself.
  auto fx = direct();
  ASSERT_TRUE(fx);
  fx->setParameter(moduleParam(kStereoBase, kSaltModule), 0.3f);
  fx->setParameter(kCmdCaptureA + 1, 0.0f);  // capture into B
  fx->setParameter(kCompValidA + 1, 1.0f);
  fx->setParameter(moduleParam(kMidBase, kSaltModule, kX2), 0.8f);
  const std::vector<unsigned char> chunk = fx->getChunk();
  writePreset("a.fxp", chunk);

  ASSERT_EQ(
      run("--preset " + path("a.fxp") + " --save-preset " + path("b.fxb") + " --save-preset " + path("c.fxp")).status,
      2);  // one --save-preset only
  render("--preset " + path("a.fxp") + " --save-preset " + path("b.fxb"));
  host::Preset bank;
  std::string error;
  ASSERT_TRUE(host::readPresetFile(path("b.fxb"), bank, &error)) << error;
  EXPECT_EQ(bank.kind, host::PresetKind::kBank);
  EXPECT_EQ(bank.chunk, chunk);  // every value and every compare store

  // Settings apply on top of a preset, and --list shows the result; choices
  // take their names or exact encodings (any other way is a bad command line).
  const Outcome listed = run("--preset " + path("b.fxb") +
                             " -s stereo.pepper=25% -s page=0.0078125 -s aa=splitfir -s side.chili.on=0 --list");
  EXPECT_NE(listed.out.find("stereo.salt            Salt             0.300000"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("25.00%"), std::string::npos);
  EXPECT_NE(listed.out.find("page                   page             ms "), std::string::npos);
  EXPECT_NE(listed.out.find(" aa                     AntiAl           splitfir "), std::string::npos);
  EXPECT_NE(listed.out.find("side.chili.on          Chili            off "), std::string::npos);

  const std::string in = writeAudio("in.wav", music(100, 2, 6), 2);
  Outcome r = run("--preset " + writePreset("foreign.fxp", chunk, kFourCC('A', 'B', 'C', 'D')) + " " + in + " -o " +
                  path("out.wav"));
  EXPECT_NE(r.err.find("'ABCD', not 'SORL'"), std::string::npos) << r.err;
  // A well-formed file whose chunk the plug-in refuses: nothing applies.
  r = run("--preset " + writePreset("cut.fxp", {chunk.begin(), chunk.begin() + 100}) + " " + in + " -o " +
          path("out.wav"));
  EXPECT_NE(r.err.find("refused"), std::string::npos) << r.err;
  std::ofstream(path("junk.fxp")) << "not a preset at all";
  r = run("--preset " + path("junk.fxp") + " " + in + " -o " + path("out.wav"));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("junk.fxp': not a VST preset"), std::string::npos) << r.err;  // names the file
  EXPECT_EQ(files(), (std::vector<std::string>{"a.fxp", "b.fxb", "cut.fxp", "foreign.fxp", "in.wav", "junk.fxp"}));
}

}  // namespace
}  // namespace sorel::test
