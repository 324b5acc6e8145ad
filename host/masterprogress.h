// The progress bar's share of a target render, counted in the input's
// frames: the file is read once into the store, the stored master is
// replayed once per gain trial and once more into the output file. How many
// trials the search takes is known only at its end, so the bar sets
// `kTrialsSetAside` aside when the render starts; a search that takes fewer
// gives the rest back when it ends (the bar jumps forward), and trials past
// those set aside hold the bar where it is. The bar never moves back.
// Used by the one thread that renders the file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render.h"

namespace sorel::host {

class MasterProgress {
 public:
  static constexpr int kTrialsSetAside = 2;

  // Adds the passes after the first to the shared total (none when null).
  MasterProgress(Progress* shared, std::int64_t inputFrames);
  // The stored master's length (its rate may differ from the input's).
  void stored(std::int64_t storedFrames);
  // Frames of the stored master replayed by a trial or by the delivery.
  void replayed(std::size_t frames);
  // The search ended: later replays are the delivery's.
  void searchDone();

 private:
  Progress* shared;
  std::int64_t inputFrames;
  std::int64_t storedFrames = 0;
  std::int64_t inPass = 0;   // stored frames into the current pass
  std::int64_t counted = 0;  // input frames the current pass has added to the bar
  int trialsStarted = 0;
  bool searching = true;
};

}  // namespace sorel::host
