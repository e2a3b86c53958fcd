#include "editor/LargeBuffers.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {
// Below this the allocator serves the memory from its own pages, which the hint would not help.
constexpr std::size_t kLargeBytes = std::size_t{4} << 20;
}  // namespace

void AdviseLargeBuffer(const void* data, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  if (data == nullptr || bytes < kLargeBytes) return;
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + page - 1) / page * page;
  const std::uintptr_t last = (begin + bytes) / page * page;
  // The pages inside the buffer only: the allocator's own bookkeeping before it stays as it is. A
  // refusal (no such pages on this kernel) is no error.
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

void ReserveLarge(std::string& s, std::size_t bytes) {
  s.reserve(s.size() + bytes);
  AdviseLargeBuffer(s.data(), s.capacity());
}
