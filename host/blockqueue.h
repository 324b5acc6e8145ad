// A bounded queue of sample blocks between two threads of the render
// pipeline (reader, processing, writer, meters). The renderer is a host
// program: it may block and allocate; the plug-in's audio call never does.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace sorel::host {

class BlockQueue {
 public:
  explicit BlockQueue(std::size_t capacity = 64) : most(capacity) {}

  // Waits while the queue is full; false once the consumer has given up.
  bool push(std::vector<float> block) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return queue.size() < most || abandoned; });
    if (abandoned) return false;
    queue.push_back(std::move(block));
    changed.notify_all();
    return true;
  }
  // The producer is done: pop drains what is left, then returns nothing.
  void close() {
    std::lock_guard lock(mutex);
    closed = true;
    changed.notify_all();
  }
  // The consumer stops early (an error): producers are released.
  void abandon() {
    std::lock_guard lock(mutex);
    abandoned = true;
    queue.clear();
    changed.notify_all();
  }
  std::optional<std::vector<float>> pop() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return closed || abandoned || !queue.empty(); });
    if (queue.empty()) return std::nullopt;
    std::vector<float> block = std::move(queue.front());
    queue.pop_front();
    changed.notify_all();
    return block;
  }

 private:
  std::size_t most;
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::vector<float>> queue;
  bool closed = false;
  bool abandoned = false;
};

}  // namespace sorel::host
