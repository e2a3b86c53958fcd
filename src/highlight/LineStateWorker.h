#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "editor/LineStore.h"

// The text a LineStateWorker computes the states of: lines [0, prefix.size()) as copies, then `run.lines`
// lines of a shared text, which follow them in the document.
struct LineStateInput {
  std::vector<std::string> prefix;
  LineStore::SharedRun run;
};

// The line start states of a text just set, computed on a thread of its own while the editor finishes
// loading and paints, so that a jump far into the document right after loading finds them known.
//
// The thread reads only what nothing changes: its copies of the lines before the shared text, and the
// shared text itself (LineStore::SharedLines, following its layout while that is still going on), with a
// scanner of its own. It writes only its own array of states and publishes how far that is filled with
// a release store; the owner reads states [1, Known()] after an acquire load, without locks. A stop is
// asked for through the stop token, which the thread checks after every few lines: a stop and join costs
// microseconds. It ends before a line of a megabyte or more (a single line is what it always finishes,
// so a stop never waits for more than about a millisecond); idle time computes the states from there.
class LineStateWorker {
public:
  // Starts the thread. lineState(text) steps one whole line and its end and returns the stored start
  // word of the next line; it is called in text order from line 0, on the worker's thread only.
  template <class LineStateFn>
  LineStateWorker(LineStateInput input, LineStateFn lineState);
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
  // The same, for at most `most`.
  int WaitFor(int line, std::chrono::microseconds most) const;
  // Asks the thread to stop and waits for it; the states ready by then stay.
  void Stop();
  // How many of `lines`' lines from line 0 on are still those the worker reads, given the store's first
  // shared run (LineStore::FirstSharedRun): 0 when the lines before it or the run are others.
  int LinesStillRead(const LineStore& lines, const LineStore::SharedRun& run) const;

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
  void Run(std::stop_token stop, const LineStore::SharedRun& run, LineStateFn& lineState);

  // Read by both threads, written by neither after the constructor.
  const std::vector<std::string> prefix_;
  const void* text_;
  const std::size_t firstEntry_;
  const int last_;
  std::unique_ptr<std::uint16_t[]> states_;
  // Lines stepped (whose next lines' states are ready) << 1, with kEnded once the thread is done.
  std::atomic<std::uint64_t> progress_{0};
  std::jthread thread_;
};

template <class LineStateFn>
LineStateWorker::LineStateWorker(LineStateInput input, LineStateFn lineState)
    : prefix_(std::move(input.prefix)),
      text_(input.run.text.Identity()),
      firstEntry_(input.run.firstEntry),
      last_(static_cast<int>(prefix_.size()) + input.run.lines),
      states_(std::make_unique_for_overwrite<std::uint16_t[]>(static_cast<std::size_t>(last_) + 1)) {
  // The run (and with it the hold on the shared text) goes with the thread and is let go when it ends.
  thread_ = std::jthread([this, run = std::move(input.run), fn = std::move(lineState)](std::stop_token stop) mutable {
    Run(stop, run, fn);
    run = {};
    Publish(Known(), true);
  });
}

template <class LineStateFn>
void LineStateWorker::Run(std::stop_token stop, const LineStore::SharedRun& run, LineStateFn& lineState) {
  int line = 0;
  for (const std::string& text : prefix_) states_[static_cast<std::size_t>(++line)] = lineState(text);
  Publish(line, false);
  std::size_t entry = run.firstEntry, byte = run.firstByte, laidOut = 0;
  while (line < last_ && !stop.stop_requested()) {
    if (entry >= laidOut) {
      // Ahead of the layout: wait for it (it is published in stretches, and always ends).
      laidOut = run.text.WaitLaidOut(entry + 1);
      if (entry >= laidOut) break;
    }
    const int chunkEnd = std::min(last_, line + kChunkLines);
    const std::size_t chunkStart = byte;
    while (line < chunkEnd && entry < laidOut && byte - chunkStart < kChunkBytes) {
      const std::string_view text = run.text.Line(entry++, byte);
      if (text.size() >= LineStore::RoomyLineBytes) {
        Publish(line, false);
        return;
      }
      states_[static_cast<std::size_t>(++line)] = lineState(text);
      byte += text.size();
    }
    Publish(line, false);
  }
}
