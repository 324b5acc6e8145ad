// The bar through a target render: it must end full, never move back, and
// move during the passes over the stored master, whatever the search takes
// and whatever rate the master was stored at.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "masterprogress.h"

namespace sorel::host {
namespace {

struct Bar {
  Progress shared;
  std::vector<double> shares;
  void look() {
    shares.push_back(static_cast<double>(shared.framesDone.load()) / static_cast<double>(shared.framesTotal.load()));
  }
};

// One pass over the stored master in the blocks a replay reads.
void replay(MasterProgress& master, Bar& bar, std::int64_t storedFrames) {
  for (std::int64_t at = 0; at < storedFrames; at += 8192) {
    master.replayed(static_cast<std::size_t>(std::min<std::int64_t>(8192, storedFrames - at)));
    bar.look();
  }
}

TEST(MasterProgress, EndsFullNeverMovesBackAndMovesWhileReplaying) {
  const struct {
    std::int64_t input, stored;
    int trials;
  } cases[] = {{441000, 441000, 0}, {441000, 441000, 1}, {441000, 441000, 2},
               {441000, 480001, 3}, {96000, 44100, 7},   {100000, 99999, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.input << " frames stored as " << c.stored << ", " << c.trials << " trials");
    Bar bar;
    bar.shared.framesTotal += c.input;  // the file's first pass, as every render counts it
    MasterProgress master(&bar.shared, c.input);
    bar.shared.framesDone += c.input;
    master.stored(c.stored);
    bar.look();
    for (int t = 0; t < c.trials; ++t) replay(master, bar, c.stored);
    const double searched = bar.shares.back();
    master.searchDone();
    bar.look();
    const double delivering = bar.shares.back();
    replay(master, bar, c.stored);

    EXPECT_EQ(bar.shared.framesDone.load(), bar.shared.framesTotal.load());
    EXPECT_TRUE(std::is_sorted(bar.shares.begin(), bar.shares.end()));
    EXPECT_LT(delivering, 0.99);  // the delivery moves it
    if (c.trials > 0) {
      EXPECT_GT(searched, bar.shares.front());  // so does the search
    }
  }
}

}  // namespace
}  // namespace sorel::host
