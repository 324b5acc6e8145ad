// Where sorel-render writes: devices, pipes and links are never replaced,
// colliding outputs are refused up front, every writable format is reached
// by its extension, and an interrupted render leaves nothing behind.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "render_fixture.h"

namespace sorel::test {
namespace {

int majorFormat(const std::string& file) {
  SF_INFO info{};
  SNDFILE* f = sf_open(file.c_str(), SFM_READ, &info);
  if (!f) return 0;
  sf_close(f);
  return info.format & SF_FORMAT_TYPEMASK;
}

TEST_F(Render, PipesAndLinksAreWrittenThroughNotReplaced) {
  const std::string in = writeAudio("in.wav", music(20000, 2, 1), 2);
  // A pipe is streamed to (AU can stream); a reader on the other end gets it all.
  ASSERT_EQ(::mkfifo(path("pipe.au").c_str(), 0600), 0);
  const std::string reader = "timeout 60 cat " + path("pipe.au") + " >" + path("heard.au") + " & ";
  Outcome r = render("-q --no-report " + in + " -o " + path("pipe.au"), reader);
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(path("pipe.au"))));
  EXPECT_EQ(readAudio(path("heard.au")).size(), 40000u);

  // A link: its target gets the new content, the link stays.
  writeAudio("old.wav", music(100, 2, 2), 2);
  fs::create_symlink(path("old.wav"), path("link.wav"));
  r = run("-q --no-report " + in + " -o " + path("link.wav"));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(path("link.wav")));
  EXPECT_EQ(readAudio(path("old.wav")).size(), 40000u);

  // A link to nothing and standard output are refused, and make no file.
  fs::create_symlink(path("nowhere.wav"), path("dangling.wav"));
  r = run("-q " + in + " -o " + path("dangling.wav"));
  EXPECT_NE(r.err.find("link to nothing"), std::string::npos) << r.err;
  r = run("-q " + in + " -o -", "cd " + dir.string() + " && ");
  EXPECT_NE(r.err.find("standard output"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(path("-")));
  EXPECT_EQ(files(), (std::vector<std::string>{"heard.au", "in.wav", "link.wav", "old.wav"}));  // the link, followed
}

// Standard input in any format (FLAC cannot be decoded from a stream: it is
// spooled to $TMPDIR, and nothing is left there), named by its format in an
// output folder; a replaced output keeps its permissions.
TEST_F(Render, PipedInputsAndReplacedOutputs) {
  const std::string flac = writeAudio("in.flac", music(30000, 2, 14, 0.5f), 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
  fs::create_directories(path("tmp"));
  const std::string piped = "export TMPDIR=" + path("tmp") + "; cat " + flac + " | ";
  render("-q --no-report " + flac + " -o " + path("direct.wav"));
  render("-q --no-report - -o " + path("piped.wav"), piped);
  EXPECT_EQ(slurp(path("piped.wav")), slurp(path("direct.wav")));
  render("-q --no-report - -o " + path("folder/"), piped);
  EXPECT_EQ(readAudio(path("folder/stdin.flac")), readAudio(path("direct.wav")));
  EXPECT_TRUE(fs::is_empty(path("tmp")));
  for (const auto mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
    fs::permissions(path("direct.wav"), mode);
    render("-q --no-report " + flac + " -o " + path("direct.wav"));
    EXPECT_EQ(fs::status(path("direct.wav")).permissions(), mode);
  }
}

TEST_F(Render, CollidingOutputsAreRefusedBeforeRendering) {
  fs::create_directories(dir / "d1");
  fs::create_directories(dir / "d2");
  const std::string a = writeAudio("d1/x.wav", music(1000, 2, 3), 2);
  const std::string b = writeAudio("d2/x.wav", music(1000, 2, 4), 2);
  const std::string c = writeAudio("d2/y.wav", music(1000, 2, 5), 2);
  Outcome r = run("-q -j 2 " + c + " " + a + " " + b + " -o " + path("out/"));
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("would both be written to"), std::string::npos) << r.err;
  r = run("-q " + c + " " + c + " -o " + path("out/"));
  EXPECT_NE(r.err.find("given twice"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::is_empty(dir / "out"));  // not even the file that did not collide
}

TEST_F(Render, EveryExtensionReachesItsFormat) {
  const std::string in = writeAudio("in.wav", music(48000, 2, 6), 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000);
  const std::pair<const char*, int> cases[] = {{"out.mp3", SF_FORMAT_MPEG},  {"out.opus", SF_FORMAT_OGG},
                                               {"out.flac", SF_FORMAT_FLAC}, {"out.aiff", SF_FORMAT_AIFF},
                                               {"out.caf", SF_FORMAT_CAF},   {"out.w64", SF_FORMAT_W64}};
  for (const auto& [name, major] : cases) {
    render("-q --no-report " + in + " -o " + path(name));
    EXPECT_EQ(majorFormat(path(name)), major) << name;
  }
  // A codec's file as input to a plain container: samples, not the codec.
  render("-q --no-report " + path("out.mp3") + " -o " + path("back.wav"));
  EXPECT_EQ(majorFormat(path("back.wav")), SF_FORMAT_WAV);
  Outcome r = run("-q " + in + " -o " + path("out.xyz"));
  EXPECT_NE(r.err.find("cannot write '.xyz' files"), std::string::npos) << r.err;
  // Opus takes 48 kHz but not 44.1: the message names the user's file only.
  const std::string odd = writeAudio("odd.wav", music(1000, 2, 7), 2);
  r = run("-q " + odd + " -o " + path("odd.opus"));
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("odd.opus"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("partial"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(path("out.xyz")));
  EXPECT_FALSE(fs::exists(path("odd.opus")));
}

// The inputs are pipes that deliver a WAV header and a little audio, then
// nothing: the render waits mid-file, with its partial outputs open, until
// the signal comes. Nothing here depends on timing.
class Interrupted : public Render {
 protected:
  // Starts sorel-render on `count` piped inputs; returns its process id.
  pid_t startOnPipes(int count, std::vector<int>& feeders) {
    const std::vector<float> audio = music(48000, 2, 8);
    writeAudio("source.wav", audio, 2);
    const std::string bytes = slurp(path("source.wav"));
    std::vector<std::string> args = {SOREL_RENDER, "-q", "-j", std::to_string(count), "-o", path("out/")};
    for (int i = 0; i < count; ++i) {
      fs::create_directories(dir / ("in" + std::to_string(i)));
      args.push_back(path("in" + std::to_string(i) + "/x" + std::to_string(i) + ".wav"));
      EXPECT_EQ(::mkfifo(args.back().c_str(), 0600), 0);
    }
    const pid_t child = ::fork();
    if (child == 0) {
      ::signal(SIGHUP, SIG_IGN);  // as nohup starts it: a hang-up must not end the render
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    for (int i = 0; i < count; ++i) {
      const int fd = ::open(args[6 + static_cast<std::size_t>(i)].c_str(), O_WRONLY);
      EXPECT_GE(fd, 0);
      EXPECT_EQ(::write(fd, bytes.data(), bytes.size() / 2), static_cast<ssize_t>(bytes.size() / 2));
      feeders.push_back(fd);
    }
    return child;
  }

  std::size_t partialFiles() const {
    std::size_t n = 0;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(dir / "out", ignored))
      n += entry.path().filename().string().find(".partial") != std::string::npos;
    return n;
  }
};

TEST_F(Interrupted, SignalsRemovePartialFilesAndExitWith128PlusTheSignal) {
  for (const auto& [jobs, signal] : {std::pair{2, SIGTERM}, std::pair{1, SIGINT}}) {
    std::vector<int> feeders;
    const pid_t child = startOnPipes(jobs, feeders);
    // Both renders are under way once their partial files exist.
    for (int wait = 0; wait < 3000 && partialFiles() < static_cast<std::size_t>(jobs); ++wait)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(partialFiles(), static_cast<std::size_t>(jobs));
    ::kill(child, SIGHUP);
    ::kill(child, signal);
    int status = 0;
    ::waitpid(child, &status, 0);
    for (int fd : feeders) ::close(fd);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    EXPECT_TRUE(fs::is_empty(dir / "out")) << jobs << " jobs";
    fs::remove_all(dir / "in0");
    fs::remove_all(dir / "in1");
  }
}

}  // namespace
}  // namespace sorel::test
