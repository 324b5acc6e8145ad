#include "gatedloudness.h"

#include <algorithm>
#include <cmath>

namespace sorel::host {
namespace {

double lufs(double energy) { return -0.691 + 10.0 * std::log10(energy); }
const double kAbsoluteGate = std::pow(10.0, (-70.0 + 0.691) / 10.0);

// The blocks over the absolute gate and over `relativeLu` under their mean.
std::vector<double> gated(const std::vector<double>& energies, double relativeLu) {
  double sum = 0.0;
  long count = 0;
  for (double e : energies)
    if (e >= kAbsoluteGate) sum += e, ++count;
  std::vector<double> kept;
  if (count == 0) return kept;
  const double threshold = sum / static_cast<double>(count) * std::pow(10.0, -relativeLu / 10.0);
  for (double e : energies)
    if (e >= kAbsoluteGate && e >= threshold) kept.push_back(e);
  return kept;
}

}  // namespace

void GatedLoudness::addSegment(double energy) {
  recent[static_cast<std::size_t>(segments % 30)] = energy;
  ++segments;
  auto lastSegments = [&](int n) {
    double sum = 0.0;
    for (int i = 1; i <= n; ++i) sum += recent[static_cast<std::size_t>((segments - i) % 30)];
    return sum / (static_cast<double>(n) * frames);
  };
  if (segments >= 4) blocks.push_back(lastSegments(4));
  if (++sinceShortTerm == 30) {
    shortTerms.push_back(lastSegments(30));
    sinceShortTerm = 20;
  }
}

double GatedLoudness::shortTermLufs() const {
  const long n = std::min(segments, 30L);
  double sum = 0.0;
  for (long i = 1; i <= n; ++i) sum += recent[static_cast<std::size_t>((segments - i) % 30)];
  return n > 0 ? lufs(sum / (static_cast<double>(n) * frames)) : -INFINITY;
}

double GatedLoudness::integratedLufs() const {
  const std::vector<double> kept = gated(blocks, 10.0);
  if (kept.empty()) return -INFINITY;
  double sum = 0.0;
  for (double e : kept) sum += e;
  return lufs(sum / static_cast<double>(kept.size()));
}

double GatedLoudness::rangeLu() const {
  if (shortTerms.empty() || !std::isfinite(integratedLufs())) return NAN;
  std::vector<double> kept = gated(shortTerms, 20.0);
  if (kept.empty()) return 0.0;
  std::sort(kept.begin(), kept.end());
  const double n = static_cast<double>(kept.size() - 1);
  const double low = kept[static_cast<std::size_t>(n * 0.10 + 0.5)];
  const double high = kept[static_cast<std::size_t>(n * 0.95 + 0.5)];
  return lufs(high) - lufs(low);
}

}  // namespace sorel::host
