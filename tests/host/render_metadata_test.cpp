// What sorel-render writes besides the samples: tags, the broadcast
// extension and cue points where the output's format holds them, a codec's
// quality and bitrate mode.
#include <cstring>

#include "render_fixture.h"

namespace sorel::test {
namespace {

struct Tagged {
  std::vector<std::pair<int, std::string>> strings;
  std::string description;  // of the broadcast extension; empty when there is none
  std::uint32_t timeReference = 0;
  std::vector<std::uint32_t> cues;  // sample offsets
};

Tagged readTags(const std::string& file) {
  Tagged t;
  SF_INFO info{};
  SNDFILE* f = sf_open(file.c_str(), SFM_READ, &info);
  if (!f) return t;
  for (int kind = SF_STR_FIRST; kind <= SF_STR_LAST; ++kind)
    if (const char* s = sf_get_string(f, kind); s && kind != SF_STR_SOFTWARE) t.strings.emplace_back(kind, s);
  SF_BROADCAST_INFO bext{};
  if (sf_command(f, SFC_GET_BROADCAST_INFO, &bext, sizeof bext) == SF_TRUE) {
    t.description = std::string(bext.description, strnlen(bext.description, sizeof bext.description));
    t.timeReference = bext.time_reference_low;
  }
  SF_CUES cues{};
  if (sf_command(f, SFC_GET_CUE, &cues, sizeof cues) == SF_TRUE)
    for (std::uint32_t i = 0; i < cues.cue_count; ++i) t.cues.push_back(cues.cue_points[i].sample_offset);
  sf_close(f);
  return t;
}

TEST_F(Render, TagsBroadcastExtensionAndCuesAreCarriedWhereTheFormatHoldsThem) {
  const std::string in =
      writeAudio("tagged.wav", music(48000, 2, 9), 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, [](SNDFILE* f) {
        sf_set_string(f, SF_STR_TITLE, "Night Drive");
        sf_set_string(f, SF_STR_ARTIST, "The Testers");
        sf_set_string(f, SF_STR_ALBUM, "Fixtures");
        sf_set_string(f, SF_STR_DATE, "2026-12-07");
        sf_set_string(f, SF_STR_COMMENT, "take 3");
        SF_BROADCAST_INFO bext{};
        std::strcpy(bext.description, "Final mix, take 3");
        std::strcpy(bext.originator, "Sorel tests");
        bext.time_reference_low = 48000u * 60u;
        ASSERT_EQ(sf_command(f, SFC_SET_BROADCAST_INFO, &bext, sizeof bext), SF_TRUE);
        SF_CUES cues{};
        cues.cue_count = 2;
        for (std::uint32_t i = 0; i < 2; ++i) {
          SF_CUE_POINT& cue = cues.cue_points[i];
          cue.indx = static_cast<std::int32_t>(i + 1);
          cue.position = cue.sample_offset = i == 0 ? 1000 : 30000;
          std::memcpy(&cue.fcc_chunk, "data", 4);
        }
        ASSERT_EQ(sf_command(f, SFC_SET_CUE, &cues, sizeof cues), SF_TRUE);
      });
  const Tagged original = readTags(in);
  ASSERT_EQ(original.strings.size(), 5u);
  ASSERT_EQ(original.cues.size(), 2u);
  struct Case {
    const char* name;
    bool broadcast, cues;
  } cases[] = {{"out.wav", true, true}, {"out.flac", false, false}, {"out.rf64", true, false}};
  for (const Case& c : cases) {
    const Outcome r = render("--json " + in + " -o " + path(c.name));
    const Tagged got = readTags(path(c.name));
    EXPECT_EQ(got.strings, original.strings) << c.name;
    EXPECT_EQ(got.description, c.broadcast ? original.description : "") << c.name;
    EXPECT_EQ(got.timeReference, c.broadcast ? original.timeReference : 0u) << c.name;
    EXPECT_EQ(got.cues, c.cues ? original.cues : std::vector<std::uint32_t>{}) << c.name;
    EXPECT_EQ(r.out.find("cannot hold the input's broadcast extension") == std::string::npos, c.broadcast)
        << c.name << r.out;
  }
}

TEST_F(Render, QualityAndBitrateModeReachTheCodecs) {
  const std::string in = writeAudio("in.wav", music(96000, 2, 11), 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000);
  auto size = [&](const std::string& args, const std::string& name) {
    render("-q --no-report " + args + " " + in + " -o " + path(name));
    return fs::exists(path(name)) ? fs::file_size(path(name)) : 0;
  };
  for (const char* codec : {"mp3", "ogg", "opus"}) {
    const auto small = size("--quality 1", std::string("q1.") + codec);
    const auto large = size("--quality 9", std::string("q9.") + codec);
    EXPECT_GT(large, small * 3 / 2) << codec;
  }
  EXPECT_NE(size("--quality 5 --bitrate-mode constant", "cbr.mp3"), size("--quality 5 --bitrate-mode variable", "vbr.mp3"));
  const Outcome r = run("-q --no-report --quality 5 --bitrate-mode constant " + in + " -o " + path("out.ogg"));
  EXPECT_NE(r.out.find("has no bitrate mode"), std::string::npos) << r.out;
  EXPECT_EQ(run("-q --no-report --quality 11 " + in + " -o " + path("bad.mp3")).status, 2);
}

}  // namespace
}  // namespace sorel::test
