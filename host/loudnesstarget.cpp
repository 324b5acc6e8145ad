#include "loudnesstarget.h"

#include <algorithm>

#include "deliverychain.h"
#include "levelmeter.h"
#include "meterthread.h"
#include "peakrecorder.h"

namespace sorel::host {
namespace {

constexpr double kToleranceLu = 0.01;
constexpr int kMostPasses = 8;

struct Trial {
  double gainDb;
  double lufs;
  double limitingDb;
  double loudestDb;  // the loudest true peak before the limiter, less the gain
};

bool trial(SignalStore& store, SignalStore* peaks, int rate, double gainDb, const LimiterSettings& limiterSettings,
           const std::function<void(std::size_t)>& replayed, Trial& out, std::string* error) {
  // The same chain the delivered file goes through, so it measures the same.
  const int channels = store.channelCount();
  DeliveryChain chain(channels);
  chain.applyGain(gainDb);
  chain.limit(rate, limiterSettings);
  auto level = LevelMeter::create(channels, rate, error);
  if (!level) return false;
  level->loudnessOnly();
  MeterThread meter(std::move(level));  // beside the limiter, on the other core
  PeakReader given(peaks);
  if (!given.restart(error)) return false;
  auto take = [&](std::vector<float>& block) {
    const std::size_t frames = block.size() / static_cast<std::size_t>(channels);
    chain.process(block, given.next(frames));
    meter.add(block.data(), block.size());
    if (replayed) replayed(frames);
    return true;
  };
  if (!store.replay(8192, take, error)) return false;
  std::vector<float> tail;
  chain.finish(tail, given.next(static_cast<std::size_t>(chain.limiter()->latency())));
  meter.add(tail.data(), tail.size());
  if (!given.complete(error)) return false;
  const TruePeakLimiter& limiter = *chain.limiter();
  out = {gainDb, meter.finish().integratedLufs, -20.0 * std::log10(limiter.leastGain()),
         20.0 * std::log10(std::max(limiter.loudestPeak(), 1e-30f)) - gainDb};
  return true;
}

}  // namespace

bool findTargetGain(SignalStore& store, SignalStore* peaks, int rate, double sourceLufs, double sourcePeakDb,
                    const TargetRequest& request, TargetOutcome& outcome, std::string* error) {
  outcome = TargetOutcome{};
  if (!std::isfinite(sourceLufs) || !std::isfinite(request.targetLufs)) return true;
  outcome.reachable = true;
  outcome.gainDb = request.targetLufs - sourceLufs;
  if (!std::isfinite(request.ceilingDb)) {
    outcome.lufs = request.targetLufs;  // a gain moves loudness by itself
    return true;
  }
  LimiterSettings settings = request.limiter;
  settings.ceilingDb = request.ceilingDb;
  // Under the limiter's threshold by more than its arithmetic's rounding: it
  // will not act, and the gain moves the loudness by itself.
  if (sourcePeakDb + outcome.gainDb < request.ceilingDb - settings.marginDb - 1e-4) {
    outcome.lufs = request.targetLufs;
    return true;
  }
  Trial a;
  if (!trial(store, peaks, rate, outcome.gainDb, settings, request.replayed, a, error)) return false;
  int passes = 1;
  // The gain at which the loudest peak takes the whole allowance.
  const double most = request.ceilingDb - settings.marginDb + request.maxLimitingDb - a.loudestDb;
  // Only trials within the allowance count.
  Trial best = a, b = a;
  if (a.gainDb > most) best.lufs = -INFINITY;
  double next = std::min(most, a.gainDb + (request.targetLufs - a.lufs));
  while (std::fabs(best.lufs - request.targetLufs) > kToleranceLu && passes < kMostPasses &&
         next != b.gainDb) {
    a = b;
    if (!trial(store, peaks, rate, next, settings, request.replayed, b, error)) return false;
    ++passes;
    if (b.gainDb <= most && std::fabs(b.lufs - request.targetLufs) < std::fabs(best.lufs - request.targetLufs))
      best = b;
    if (b.gainDb >= most && b.lufs < request.targetLufs) break;  // the allowance is spent
    // Secant through the last two trials; a flat step falls back to the loudness error.
    const double slope = (b.lufs - a.lufs) / (b.gainDb - a.gainDb);
    const double step = (request.targetLufs - b.lufs) / (std::isfinite(slope) && slope > 0.05 ? slope : 1.0);
    next = std::min(most, b.gainDb + step);
  }
  outcome.gainDb = best.gainDb;
  outcome.lufs = best.lufs;
  outcome.limitingDb = best.limitingDb;
  // Short of the target only when the allowance stopped the gain (or, never
  // seen, the passes ran out): said, never hidden.
  const double off = request.targetLufs - best.lufs;
  outcome.missedLu = std::fabs(off) > kToleranceLu ? off : 0.0;
  outcome.passes = passes;
  return true;
}

}  // namespace sorel::host
