// What sorel-render makes of values: rounding without dither, presets that
// carry impossible values, switches and choices, non-finite input, and the
// smaller promises (bare plug-in names, cut files, the demo with a preset,
// rates the meter cannot measure).
#include <cstring>
#include <numeric>
#include <sstream>

#include "param_index.h"
#include "quantiser.h"
#include "render_fixture.h"

namespace sorel::test {
namespace {

// The samples of a PCM file of `bits` as integer codes (exact: libsndfile
// scales them by a power of two into floats that hold 24 bits).
std::vector<int> readIntegers(const std::string& file, int bits) {
  std::vector<int> codes;
  for (float v : Render::readAudio(file)) codes.push_back(static_cast<int>(std::lround(std::ldexp(v, bits - 1))));
  return codes;
}

TEST_F(Render, WithoutDitherIntegersRoundToNearest) {
  const double codes[] = {1157.83, 1157.2, -1157.83, -3.5001, 0.49, 40.5001};
  for (const int bits : {16, 24}) {
    const double full = std::ldexp(1.0, bits - 1);
    std::vector<float> input;
    for (int repeat = 0; repeat < 100; ++repeat)
      for (double code : codes) input.push_back(static_cast<float>(code / full));
    const std::string in = writeAudio("in.wav", input, 1);
    const std::string out = path("out" + std::to_string(bits) + ".wav");
    render("-q --no-report --dither none -s global.on=off --type pcm" + std::to_string(bits) + " " + in + " -o " + out);
    const std::vector<int> got = readIntegers(out, bits);
    ASSERT_EQ(got.size(), input.size());
    for (std::size_t i = 0; i < got.size(); ++i)
      ASSERT_EQ(got[i], std::lround(static_cast<double>(input[i]) * full)) << bits << " bits, sample " << i;
  }
}

// Samples already on the output's grid get no dither: a bypassed 16- or
// 24-bit file comes back sample for sample, and digital silence after music
// is written as zeros once the dither's run of exact frames has passed. Off
// the grid, dither works: a level of a quarter of a code comes out as codes
// averaging a quarter, and the shaped dither's error is quiet at low
// frequencies, where the white dither's is not.
TEST_F(Render, DitherLeavesExactSamplesAloneAndDecorrelatesTheRest) {
  std::vector<float> fade = music(20000, 1, 5, 0.1f);
  fade.resize(60000, 0.0f);
  const std::vector<float> quiet = music(40000, 1, 6, 0.01f);
  writeAudio("fade.wav", fade, 1);
  writeAudio("zeros.wav", std::vector<float>(30000, 0.0f), 2);
  writeAudio("dc.wav", std::vector<float>(40000, 0.25f / 32768.0f), 1);
  writeAudio("quiet.wav", quiet, 1);
  double lowBand[2] = {};
  for (int shaped = 0; shaped < 2; ++shaped) {
    const std::string dither = std::string(" --dither ") + (shaped ? "shaped " : "tpdf ");
    for (const int bits : {16, 24}) {
      const std::string in = writeAudio("exact.wav", music(20000, 2, 4), 2,
                                        SF_FORMAT_WAV | (bits == 16 ? SF_FORMAT_PCM_16 : SF_FORMAT_PCM_24));
      render("-q --no-report -s global.on=off" + dither + in + " -o " + path("exact-out.wav"));
      EXPECT_EQ(readIntegers(path("exact-out.wav"), bits), readIntegers(in, bits)) << dither << bits << " bits";
    }
    const std::string bypass = "-q --no-report --type pcm16 -s global.on=off" + dither;
    render(bypass + path("fade.wav") + " -o " + path("fade-out.wav"));
    const std::vector<int> faded = readIntegers(path("fade-out.wav"), 16);
    ASSERT_EQ(faded.size(), fade.size());
    const auto silent = faded.begin() + 20000 + host::Quantiser::kExactRun;
    EXPECT_TRUE(std::all_of(silent, faded.end(), [](int v) { return v == 0; })) << dither;
    // The plug-in gives exact zeros for silence, processing or not.
    render("-q --no-report --type pcm16 -s stereo.salt=0.8" + dither + path("zeros.wav") + " -o " +
           path("zeros-out.wav"));
    EXPECT_EQ(readIntegers(path("zeros-out.wav"), 16), std::vector<int>(30000, 0)) << dither;
    render(bypass + path("dc.wav") + " -o " + path("dc-out.wav"));
    const std::vector<int> codes = readIntegers(path("dc-out.wav"), 16);
    EXPECT_NEAR(std::accumulate(codes.begin(), codes.end(), 0.0) / 40000.0, 0.25, 0.02) << dither;
    render(bypass + path("quiet.wav") + " -o " + path("quiet-out.wav"));
    const std::vector<int> out = readIntegers(path("quiet-out.wav"), 16);
    ASSERT_EQ(out.size(), quiet.size());
    // The error through a triangular window of 32 samples: its power
    // measures the band below about 1.4 kHz at 44.1 kHz.
    for (std::size_t i = 0; i + 32 <= out.size(); i += 32) {
      double sum = 0.0;
      for (std::size_t k = 0; k < 32; ++k)
        sum += static_cast<double>(std::min(k + 1, 32 - k)) *
               (out[i + k] - static_cast<double>(quiet[i + k]) * 32768.0);
      lowBand[shaped] += sum * sum;
    }
  }
  EXPECT_LT(lowBand[1], lowBand[0] / 20.0);
}

// A preset is held to the rule -s follows: levels 0..1, switches and
// choices only their exact values.
TEST_F(Render, PresetsWithImpossibleValuesAreRefusedByName) {
  const std::string in = writeAudio("in.wav", music(1000, 2, 1), 2);
  auto fx = direct();
  ASSERT_TRUE(fx);
  struct Case {
    int index;
    float value;
    const char* says;
  } cases[] = {
      {moduleParam(kStereoBase, kSaltModule), 10.0f, "stereo.salt ('Salt') holds 10; it must lie between 0 and 1"},
      {moduleParam(kStereoBase, kSaltModule), std::nanf(""), "stereo.salt ('Salt') holds nan"},
      {moduleParam(kStereoBase, kSaltModule), -0.5f, "stereo.salt ('Salt') holds -0.5"},
      {moduleParam(kStereoBase, kSaltModule, kOn), 0.5f, "stereo.salt.on ('Salt On') holds 0.5; it takes off or on"},
      {kPage, 0.5f, "page ('page') holds 0.5; it takes stereo or ms"},
      {kAntiAlias, 0.3f, "aa ('AntiAl') holds 0.3; it takes off or splitfir"},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> chunk = fx->getChunk();
    std::memcpy(chunk.data() + 16 + 4 * c.index, &c.value, 4);  // after the 16-byte header
    const Outcome r = run("--preset " + writePreset("bad.fxp", chunk) + " --save-preset " + path("copy.fxp") + " " +
                          in + " -o " + path("out.wav"));
    EXPECT_EQ(r.status, 2) << c.says;
    EXPECT_NE(r.err.find("bad.fxp: parameter "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  EXPECT_EQ(files(), (std::vector<std::string>{"bad.fxp", "in.wav"}));
}

// What --list marks inert changes nothing in the sound, on either page; a
// marked parameter that did act would make the renders differ.
TEST_F(Render, ParametersListedAsInertChangeNothing) {
  const Outcome listed = render("--list");
  std::istringstream lines(listed.out);
  std::string line, inert;
  int count = 0;
  while (std::getline(lines, line)) {
    if (line.size() < 5 || line.compare(line.size() - 5, 5, "inert") != 0 || !std::isdigit(line[0])) continue;
    std::istringstream fields(line);
    std::string index, name;
    fields >> index >> name;
    const bool isSwitch = name.find("compare.") == 0 && name != "compare.select";
    inert += " -s " + name + (isSwitch ? "=on" : "=0.25");
    ++count;
  }
  EXPECT_EQ(count, 44);  // 36 X values, the spare frequency, three spares, the compare store bookkeeping
  const std::string in = writeAudio("in.wav", music(6000, 2, 13), 2);
  for (const char* page : {"stereo", "ms"}) {
    const std::string sound = std::string("-q --no-report --type float -s page=") + page +
                              " -s stereo.salt=0.6 -s stereo.chili=0.4 -s mid.pepper=0.7 -s side.sugar=0.5 ";
    render(sound + in + " -o " + path("plain.wav"));
    render(sound + inert + " " + in + " -o " + path("inert.wav"));
    EXPECT_EQ(slurp(path("inert.wav")), slurp(path("plain.wav"))) << page;
  }
}

TEST_F(Render, NonFiniteInputIsCountedAndMeasuredAsTheSilenceItBecomes) {
  std::vector<float> input = music(44100 * 2, 2, 3, 0.25f);
  std::vector<float> cleaned = input;
  input[5000] = INFINITY;
  input[7001] = NAN;
  cleaned[5000] = cleaned[7001] = 0.0f;
  const std::string dirty = writeAudio("dirty.wav", input, 2);
  const std::string clean = writeAudio("clean.wav", cleaned, 2);
  const Outcome a = render("--json " + dirty + " -o " + path("a.wav"));
  const Outcome b = render("--json " + clean + " -o " + path("b.wav"));
  EXPECT_NE(a.out.find("\"nonfinite_input_samples\": 2"), std::string::npos) << a.out;
  auto levels = [](const std::string& json) { return json.substr(json.find("\"before\"")); };
  EXPECT_EQ(levels(a.out), levels(b.out).replace(levels(b.out).find("samples\": 0"), 11, "samples\": 2"));
  EXPECT_EQ(readAudio(path("a.wav")), readAudio(path("b.wav")));
}

// A file cut short (a broken download) is rendered as far as it goes, with a
// warning giving the header's exact count and what was there, in every
// container: WAV of any sample width, WAV cut right after its header, AIFF,
// FLAC. A whole file gets no warning.
TEST_F(Render, CutFilesAreRenderedAsFarAsTheyGoWithAWarning) {
  struct Case {
    const char* name;
    int format;
    double keep;  // share of the bytes kept; 0: up to the end of the WAV header
  } cases[] = {
      {"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.5},  {"b.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 0.61},
      {"c.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.0},  {"d.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 0.5},
      {"e.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.5}, {"f.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1.0},
  };
  const std::vector<float> audio = music(30000, 2, 12, 0.5f);  // FLAC takes nothing beyond full scale
  for (const Case& c : cases) {
    const std::string whole = slurp(writeAudio(std::string("whole-") + c.name, audio, 2, c.format));
    std::size_t kept = static_cast<std::size_t>(static_cast<double>(whole.size()) * c.keep);
    if (c.keep == 0.0) kept = whole.find("data") + 8;
    std::ofstream(path(c.name), std::ios::binary).write(whole.data(), static_cast<std::streamsize>(kept));
    const Outcome r = render("-q --no-report " + path(c.name) + " -o " + path("out.wav"));
    const std::size_t held = readAudio(path("out.wav")).size() / 2;
    if (c.keep == 1.0) {
      EXPECT_EQ(r.err, "") << c.name;
      EXPECT_EQ(held, 30000u);
      continue;
    }
    EXPECT_LT(held, 30000u) << c.name;
    EXPECT_NE(r.err.find("announces 30000 frames, the file holds " + std::to_string(held) + ";"), std::string::npos)
        << c.name << ": " << r.err;
  }
}

TEST_F(Render, SmallerPromisesHold) {
  writeAudio("in.wav", music(20000, 2, 4), 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16);

  // A bare library name means the file in the current folder.
  fs::copy_file(SOREL_PLUGIN_PATH, path("copy.so"));
  Outcome r = render("-q --no-report --plugin copy.so in.wav -o bare.wav", "cd " + dir.string() + " && ");

  // A rate the loudness meter cannot take: rendered, reported without levels.
  const std::string slow = writeAudio("slow.wav", music(400, 2, 5), 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 8);
  r = render("-q " + slow + " -o " + path("slow-out.wav"));
  EXPECT_NE(r.err.find("no loudness report"), std::string::npos) << r.err;
  EXPECT_EQ(readAudio(path("slow-out.wav")).size(), 800u);
}

TEST_F(Render, DemoWritesAMasteredFileAndItsReport) {
  // With a preset instead of its built-in setting: the state it renders with
  // (saved after) is the preset's.
  render("-s stereo.salt=0.3 --save-preset " + path("salt.fxp"));
  const Outcome r =
      render("--preset " + path("salt.fxp") + " --save-preset " + path("used.fxp") + " --demo " + path("demo.wav"));
  EXPECT_NE(r.out.find("built-in demo material"), std::string::npos);
  EXPECT_NE(r.out.find("LUFS"), std::string::npos);
  EXPECT_EQ(slurp(path("used.fxp")), slurp(path("salt.fxp")));
  int channels = 0;
  EXPECT_EQ(readAudio(path("demo.wav"), &channels).size(), 2u * 48000u * 8u);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(files(), (std::vector<std::string>{"demo.wav", "salt.fxp", "used.fxp"}));  // the generated source is gone
}

}  // namespace
}  // namespace sorel::test
