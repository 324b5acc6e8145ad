#include "limitergain.h"

#include <algorithm>
#include <cmath>

namespace sorel::host {

LimiterGain::LimiterGain(int attack, int reach, double release)
    : attackFrames(std::max(1, attack)),
      reachFrames(std::max(0, reach)),
      recover(release > 0.0 ? 1.0 - std::exp(-1.0 / release) : 1.0),
      ring(static_cast<std::size_t>(attackFrames + 2 * reachFrames)),
      recent(static_cast<std::size_t>(attackFrames), 1.0),
      sum(attackFrames) {}

// The least need over the last attack + 2 * reach frames.
float LimiterGain::holdPush(float need) {
  const std::size_t size = ring.size();
  const std::int64_t window = static_cast<std::int64_t>(size);
  // Ring positions wrap by a comparison: a division per frame costs more than the rest.
  auto at = [&](std::size_t i) { return i >= size ? i - size : i; };
  if (count > 0 && ring[head].first <= frame - window) {
    head = at(head + 1);
    --count;
  }
  while (count > 0 && ring[at(head + count - 1)].second >= need) --count;
  ring[at(head + count)] = {frame, need};
  ++count;
  ++frame;
  return ring[head].second;
}

float LimiterGain::push(float need) {
  if (!(need <= 1.0f)) need = 1.0f;  // NaN needs nothing
  const double held = holdPush(std::max(need, 0.0f));
  // Within a millionth of 1 (-0.00001 dB) the release is done: exactly 1.
  envelope = held < envelope ? held : envelope + (held - envelope) * recover;
  if (envelope > 1.0 - 1e-6) envelope = 1.0;

  double& oldest = recent[recentAt];
  belowOne -= oldest < 1.0;
  belowOne += envelope < 1.0;
  sum += envelope - oldest;
  oldest = envelope;
  if (++recentAt == recent.size()) recentAt = 0;
  if (belowOne == 0) {
    sum = attackFrames;  // drops the running sum's rounding
    return 1.0f;
  }
  return static_cast<float>(std::min(1.0, sum / attackFrames));
}

}  // namespace sorel::host
