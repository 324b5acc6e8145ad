// The console table, followed by what the table leaves to arithmetic: each
// chain's cost per frame as a ratio to the recurrence floor measured in the
// same run at the same block size, its real-time factor at 48 kHz, and the
// cost per frame of 32-frame blocks as a ratio to 512-frame blocks. With
// --benchmark_repetitions the medians are used.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace sorel::bench {

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter(std::string floorName, OutputOptions options)
      : ConsoleReporter(options), floor(std::move(floorName)) {}
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::string floor;                      // the floor's name without "/block:N"
  std::map<std::string, double> fastest;  // ns per frame by run name: the quickest repetition
  std::map<std::string, double> medians;  // the same from median aggregates
  std::vector<std::string> order;         // run names as first seen
  double nsPerFrame(const std::string& name) const;
};

}  // namespace sorel::bench
