#pragma once
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "editor/LineStore.h"

// The line start states of a text just set, computed on a thread of its own while the editor finishes
// loading and paints, so that a jump far into the document right after loading finds them known.
//
// The thread reads only what nothing changes: a copy of the few lines before the shared text, and the
// shared text itself (LineStore::SharedLines), with a scanner of its own. It writes only its own array
// of states and publishes how far that is filled with a release store; the owner reads states [1, Known()]
// after an acquire load, without locks. Stopping is asked for through the stop token, which the thread
// checks after every few lines (a stop and join costs microseconds; a single line of up to a megabyte,
// the longest a shared text keeps, is the most it finishes first).
// The text the states are computed for: lines [0, prefix.size()) as copies, then `run.lines` lines of the
// shared text, which follow them in the document.
struct LineStateInput {
  std::vector<std::string> prefix;
  LineStore::SharedRun run;
};

class LineStateWorker {
public:
  using Input = LineStateInput;
  // Starts the thread. lineState(text) steps one whole line and its end and returns the stored start
  // word of the next line; it is called in text order from line 0, on the worker's thread only.
  template <class LineStateFn>
  LineStateWorker(Input input, LineStateFn lineState);
  ~LineStateWorker() = default;  // the thread (the last member) is stopped and joined first
  LineStateWorker(const LineStateWorker&) = delete;
  LineStateWorker& operator=(const LineStateWorker&) = delete;

  // The last line whose start state the worker computes when it is not stopped.
  int LastLine() const { return last_; }
  // States of lines 1 .. Known() are ready.
  int Known() const { return static_cast<int>(progress_.load(std::memory_order_acquire) >> 1); }
  bool Running() const { return (progress_.load(std::memory_order_acquire) & kEnded) == 0; }
  // The stored start word of line `line` (1 <= line <= Known()).
  std::uint16_t State(int line) const { return states_[static_cast<std::size_t>(line)]; }
  // Waits until the state of line `line` is ready or the thread has ended; returns Known().
  int WaitFor(int line) const;
  // Asks the thread to stop and waits for it; the states ready by then stay.
  void Stop();

private:
  static constexpr std::uint64_t kEnded = 1;
  // The thread publishes after this many lines or bytes.
  static constexpr int kChunkLines = 256;
  static constexpr std::size_t kChunkBytes = 32 * 1024;
  void Publish(int lines, bool ended) {
    progress_.store(static_cast<std::uint64_t>(lines) << 1 | (ended ? kEnded : 0), std::memory_order_release);
    progress_.notify_all();
  }
  template <class LineStateFn>
  void Run(std::stop_token stop, const Input& input, LineStateFn& lineState);

  int last_ = 0;
  std::unique_ptr<std::uint16_t[]> states_;
  // Lines stepped (whose next lines' states are ready) << 1, with kEnded once the thread is done.
  std::atomic<std::uint64_t> progress_{0};
  std::jthread thread_;
};

template <class LineStateFn>
LineStateWorker::LineStateWorker(Input input, LineStateFn lineState)
    : last_(static_cast<int>(input.prefix.size()) + input.run.lines),
      states_(std::make_unique_for_overwrite<std::uint16_t[]>(static_cast<std::size_t>(last_) + 1)) {
  // The input (and with it the hold on the shared text) goes with the thread and is let go when it ends.
  thread_ = std::jthread([this, in = std::move(input), fn = std::move(lineState)](std::stop_token stop) mutable {
    Run(stop, in, fn);
    in = {};
    Publish(Known(), true);
  });
}

template <class LineStateFn>
void LineStateWorker::Run(std::stop_token stop, const Input& input, LineStateFn& lineState) {
  int line = 0;
  for (const std::string& text : input.prefix) {
    states_[static_cast<std::size_t>(++line)] = lineState(text);
  }
  Publish(line, false);
  const std::string_view bytes = input.run.text.Bytes();
  std::size_t entry = input.run.firstEntry;
  std::size_t byte = input.run.firstByte;
  while (line < last_ && !stop.stop_requested()) {
    const int chunkEnd = std::min(last_, line + kChunkLines);
    const std::size_t chunkStart = byte;
    while (line < chunkEnd && byte - chunkStart < kChunkBytes) {
      const std::uint32_t length = input.run.text.Length(entry++);
      states_[static_cast<std::size_t>(++line)] = lineState(bytes.substr(byte, length));
      byte += length;
    }
    Publish(line, false);
  }
}
