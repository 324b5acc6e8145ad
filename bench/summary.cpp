#include "summary.h"

#include <algorithm>
#include <cstdio>

namespace sorel::bench {
namespace {

constexpr double kRate = 48000.0;
const std::string kBlock = "/block:";

// "StereoChain+split/avx2/block:512" -> "StereoChain+split/avx2" and "512".
bool splitName(const std::string& name, std::string& stem, std::string& block) {
  const auto at = name.rfind(kBlock);
  if (at == std::string::npos) return false;
  stem = name.substr(0, at);
  block = name.substr(at + kBlock.size());
  return true;
}

}  // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    const auto counter = run.counters.find("ns_per_frame");
    if (counter == run.counters.end() || run.error_occurred) continue;
    const std::string name = run.run_name.str();
    const double ns = counter->second.value * 1e9;  // the counter holds seconds per frame
    if (std::find(order.begin(), order.end(), name) == order.end()) order.push_back(name);
    if (run.run_type == Run::RT_Aggregate) {
      if (run.aggregate_name == "median") medians[name] = ns;
    } else if (!fastest.count(name) || ns < fastest[name]) {
      fastest[name] = ns;
    }
  }
}

double SummaryReporter::nsPerFrame(const std::string& name) const {
  if (auto m = medians.find(name); m != medians.end()) return m->second;
  if (auto f = fastest.find(name); f != fastest.end()) return f->second;
  return 0.0;
}

void SummaryReporter::Finalize() {
  ConsoleReporter::Finalize();
  std::printf("\n%-40s %10s %12s %9s %12s\n", "chain", "ns/frame", "x realtime", "x floor", "x 512-frame");
  for (const std::string& name : order) {
    std::string stem, block;
    if (!splitName(name, stem, block) || stem == floor) continue;
    const double ns = nsPerFrame(name);
    const double floorNs = nsPerFrame(floor + kBlock + block);
    const double large = nsPerFrame(stem + kBlock + "512");
    std::printf("%-40s %10.2f %12.0f", name.c_str(), ns, 1e9 / (ns * kRate));
    if (floorNs > 0.0)
      std::printf(" %9.2f", ns / floorNs);
    else
      std::printf(" %9s", "-");
    if (large > 0.0)
      std::printf(" %12.2f", ns / large);
    else
      std::printf(" %12s", "-");
    std::printf("\n");
  }
  for (const std::string& name : order) {
    std::string stem, block;
    if (splitName(name, stem, block) && stem == floor)
      std::printf("%-40s %10.2f %12.0f\n", name.c_str(), nsPerFrame(name), 1e9 / (nsPerFrame(name) * kRate));
  }
}

}  // namespace sorel::bench
