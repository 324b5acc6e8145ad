#include "masterprogress.h"

namespace sorel::host {

MasterProgress::MasterProgress(Progress* bar, std::int64_t frames) : shared(bar), inputFrames(frames) {
  if (shared) shared->framesTotal += inputFrames * (kTrialsSetAside + 1);
}

void MasterProgress::stored(std::int64_t frames) { storedFrames = frames; }

void MasterProgress::replayed(std::size_t frames) {
  if (!shared || storedFrames <= 0) return;
  if (inPass == 0 && searching) ++trialsStarted;
  inPass += static_cast<std::int64_t>(frames);
  const bool counts = !searching || trialsStarted <= kTrialsSetAside;
  // In double: a long file's frames multiplied by another length can pass 2^63.
  const auto share = static_cast<std::int64_t>(static_cast<double>(inPass) / static_cast<double>(storedFrames) *
                                               static_cast<double>(inputFrames));
  const std::int64_t reached = inPass >= storedFrames ? inputFrames : share;
  if (counts) shared->framesDone += reached - counted;
  counted = reached;
  if (inPass >= storedFrames) inPass = counted = 0;
}

void MasterProgress::searchDone() {
  searching = false;
  inPass = counted = 0;
  if (shared && trialsStarted < kTrialsSetAside) shared->framesTotal -= inputFrames * (kTrialsSetAside - trialsStarted);
}

}  // namespace sorel::host
