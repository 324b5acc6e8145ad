// sorel-render's delivery, end to end: the profiles' loudness and ceiling
// as libebur128 reads the written file, the truth about overs (warning,
// JSON, exit status), lossy output measured as decoded, the output rate,
// reproducible bytes, and one plot per input.
#include "delivery_signals.h"
#include "render_fixture.h"

namespace sorel::test {
namespace {

host::Levels levelsOf(const std::string& file, int* rate = nullptr) {
  int channels = 0, sampleRate = 0;
  const std::vector<float> x = Render::readAudio(file, &channels, &sampleRate);
  if (rate) *rate = sampleRate;
  return x.empty() ? host::Levels{} : measure(x, sampleRate, channels);
}

// A JSON field's text, up to the next comma or brace; the first after
// `within` when given ("after": the output's levels).
std::string field(const std::string& json, const std::string& name, const std::string& within = "") {
  const auto at = json.find("\"" + name + "\": ", within.empty() ? 0 : json.find("\"" + within + "\""));
  if (at == std::string::npos) return "";
  const auto start = at + name.size() + 4;
  return json.substr(start, json.find_first_of(",}", start) - start);
}

TEST_F(Render, DeliveryProfilesLandTheirLoudnessUnderTheirCeiling) {
  // The demo, and a loud master that needs the limiter to get there.
  const std::string loud = writeAudio("loud.wav", host::demoMaterial(48000, 10.0), 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                                      48000);
  struct Case {
    std::string args;
    double lufs, ceiling;
  } cases[] = {{"--demo " + path("demo.wav") + " --deliver streaming", -14.0, -1.0},
               {"--deliver apple -s vol.out.wide=on -s vol.out=+9dB " + loud + " -o " + path("apple.wav"), -16, -1},
               {"--target -10LUFS --ceiling -0.5dBTP -s vol.out.wide=on -s vol.out=+9dB " + loud + " -o " +
                    path("ten.wav"),
                -10, -0.5}};
  for (const Case& c : cases) {
    const Outcome r = render("-q --json " + c.args);
    const std::string out = field(r.out, "output");
    const host::Levels l = levelsOf(out.substr(1, out.size() - 2));
    EXPECT_NEAR(l.integratedLufs, c.lufs, 0.1) << c.args;
    EXPECT_LE(l.truePeakDb, c.ceiling) << c.args;
    EXPECT_EQ(field(r.out, "true_peak_over"), "false");
    EXPECT_EQ(field(r.out, "target_missed_lu"), "0.000");
  }
}

TEST_F(Render, OversAreAWarningAJsonFieldAndWithFailOnOversAFailure) {
  const std::string in = writeAudio("in.wav", host::demoMaterial(44100, 4.0), 2);
  const std::string hot = "-s vol.out.wide=on -s vol.out=+12dB " + in + " -o " + path("hot.wav");
  const Outcome plain = render("-q --json " + hot);
  EXPECT_EQ(field(plain.out, "true_peak_over"), "true");
  EXPECT_NE(field(plain.out, "full_scale_samples"), "0");
  EXPECT_NE(plain.err.find("over full scale (0 dBTP)"), std::string::npos) << plain.err;
  const Outcome failing = run("-q --fail-on-overs " + hot);
  EXPECT_EQ(failing.status, 5);
  EXPECT_TRUE(fs::exists(path("hot.wav")));  // the file is still written
  render("-q --fail-on-overs --ceiling -1dBTP " + hot);
  EXPECT_LE(levelsOf(path("hot.wav")).truePeakDb, -1.0);
}

// A lossy file is measured as it decodes, and a converted rate keeps the
// ceiling at the new rate.
TEST_F(Render, LossyOutputIsMeasuredAsDecodedAndANewRateKeepsTheCeiling) {
  const std::string in = writeAudio("in.wav", host::demoMaterial(48000, 4.0), 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                                    48000);
  const std::string hot = "-q --json --ceiling -1dBTP -s vol.out.wide=on -s vol.out=+9dB " + in;
  const Outcome r = render(hot + " -o " + path("out.ogg"));
  EXPECT_EQ(field(r.out, "after_decoded"), "true");
  const host::Levels decoded = levelsOf(path("out.ogg"));
  EXPECT_NEAR(std::stod(field(r.out, "true_peak_dbtp", "after")), decoded.truePeakDb, 0.01);
  EXPECT_NEAR(std::stod(field(r.out, "integrated_lufs", "after")), decoded.integratedLufs, 0.01);
  render(hot + " --rate 44100 -o " + path("out.wav"));
  int rate = 0;
  const host::Levels l = levelsOf(path("out.wav"), &rate);
  EXPECT_EQ(rate, 44100);
  EXPECT_LE(l.truePeakDb, -1.0);
  EXPECT_GT(l.truePeakDb, -1.5);
}

TEST_F(Render, ACeilingAbovePeaksChangesNoByte) {
  // The limiter's lookahead delay is taken out again and its gain is exactly
  // 1 where nothing reaches the ceiling: the same file as without it. The
  // float WAV has no PEAK chunk, which would carry the second it was written.
  const std::string in = writeAudio("in.wav", music(44100 * 3, 2, 4, 0.25f), 2);  // true peak about -6 dBTP
  const std::string common = "-q --no-report -s stereo.salt=30% " + in;
  render(common + " -o " + path("plain.wav"));
  render(common + " --ceiling -1dBTP -o " + path("limited.wav"), "sleep 1; ");
  EXPECT_TRUE(slurp(path("plain.wav")) == slurp(path("limited.wav")));
}

TEST_F(Render, TargetRendersAreTheSameBytesEveryTimeAndWithJobs) {
  const std::string a = writeAudio("a.wav", host::demoMaterial(44100, 5.0), 2);
  const std::string b = writeAudio("b.wav", music(44100 * 5, 2, 9), 2);
  const std::string common = "-q --target -12LUFS --ceiling -1dBTP --plot " + path("p.png") + " " + a + " " + b;
  render(common + " -o " + path("one/"));
  render("-j 2 " + common + " -o " + path("two/"));
  for (const char* name : {"a.wav", "b.wav"})
    EXPECT_EQ(slurp(path(std::string("one/") + name)), slurp(path(std::string("two/") + name))) << name;
  // One picture per input, named after it.
  EXPECT_TRUE(fs::exists(path("p-a.png")));
  EXPECT_TRUE(fs::exists(path("p-b.png")));
}

}  // namespace
}  // namespace sorel::test
