#include "meterthread.h"

namespace sorel::host {

MeterThread::MeterThread(std::unique_ptr<LevelMeter> m) : meter(std::move(m)) {
  worker = std::thread([this] {
    const auto channels = static_cast<std::size_t>(meter->channelCount());
    while (auto block = queue.pop()) meter->add(block->data(), static_cast<std::int64_t>(block->size() / channels));
  });
}

MeterThread::~MeterThread() { finish(); }

Levels MeterThread::finish() {
  queue.close();
  if (worker.joinable()) worker.join();
  return meter->levels();
}

}  // namespace sorel::host
