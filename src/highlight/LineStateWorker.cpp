#include "highlight/LineStateWorker.h"

int LineStateWorker::WaitFor(int line) const {
  for (;;) {
    const std::uint64_t p = progress_.load(std::memory_order_acquire);
    if (static_cast<int>(p >> 1) >= line || (p & kEnded) != 0) return static_cast<int>(p >> 1);
    // Woken by the next Publish, which always changes the value.
    progress_.wait(p, std::memory_order_acquire);
  }
}

int LineStateWorker::WaitFor(int line, std::chrono::microseconds most) const {
  const auto end = std::chrono::steady_clock::now() + most;
  while (Known() < line && Running() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  return Known();
}

void LineStateWorker::Stop() {
  thread_.request_stop();
  if (thread_.joinable()) thread_.join();
}

int LineStateWorker::LinesStillRead(const LineStore& lines, const LineStore::SharedRun& run) const {
  const auto first = static_cast<int>(prefix_.size());
  if (run.lines == 0 || run.text.Identity() != text_ || run.firstLine != first || run.firstEntry != firstEntry_)
    return 0;
  for (int i = 0; i < first; ++i)
    if (lines.Line(i) != prefix_[static_cast<std::size_t>(i)]) return 0;
  return first + run.lines;
}
