#pragma once
// Reads a fuzzer's bytes as a stream of small decisions. Past the end every read gives zero, so any
// input is a valid one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class FuzzInput {
public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // A number in [0, count), from one byte (two when count is above 256).
  int Below(int count) {
    if (count <= 1) return 0;
    unsigned v = Byte();
    if (count > 256) v = v << 8 | Byte();
    return static_cast<int>(v % static_cast<unsigned>(count));
  }
  bool Flag() { return (Byte() & 1) != 0; }
  // Up to `limit` bytes, the length taken from the input first.
  std::string Bytes(int limit) { return Take(static_cast<std::size_t>(Below(limit + 1))); }
  std::string Take(std::size_t n) {
    if (n > size_ - pos_) n = size_ - pos_;
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  std::string Rest() { return Take(size_ - pos_); }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A failed check: the message goes to stderr and the process aborts, which libFuzzer reports as a crash
// and keeps the input.
[[noreturn]] void FuzzFail(const std::string& what);
#define FUZZ_CHECK(condition, what)                                               \
  do {                                                                            \
    if (!(condition)) FuzzFail(std::string(#condition) + ": " + std::string(what)); \
  } while (false)

// The string with bytes outside printable ASCII written as \xHH, for messages.
std::string Escaped(std::string_view s);

// A folder of this process for the files a target writes, in memory where possible (/dev/shm), removed
// when the process ends.
const std::string& ScratchFolder();

// QUILL_FUZZ_SKIP_PENDING=1: the faults kept under tests/fuzz/pending/ end an input quietly instead of
// failing it, so a run can look for other faults until the work that mends those has landed.
bool SkipPendingFaults();
