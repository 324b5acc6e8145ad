// A loudness meter fed on a thread of its own. True-peak measurement costs far
// more than processing, so the render loop only hands blocks over and the two
// meters (before, after) run beside it on the other cores.
#pragma once

#include <memory>
#include <thread>

#include "blockqueue.h"
#include "levelmeter.h"

namespace sorel::host {

class MeterThread {
 public:
  explicit MeterThread(std::unique_ptr<LevelMeter> meter);
  ~MeterThread();  // finishes what was handed over
  MeterThread(const MeterThread&) = delete;
  MeterThread& operator=(const MeterThread&) = delete;

  void add(const float* interleaved, std::size_t samples) {
    queue.push(std::vector<float>(interleaved, interleaved + samples));
  }
  // Waits for everything handed over, then reads the meter.
  Levels finish();
  // The meter itself, once finished.
  const LevelMeter& finished() const { return *meter; }

 private:
  std::unique_ptr<LevelMeter> meter;
  BlockQueue queue{256};
  std::thread worker;
};

}  // namespace sorel::host
