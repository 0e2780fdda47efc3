#include "platform/memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace voske::platform {

namespace {
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
}  // namespace

void AdviseLargePages(const void* data, std::size_t bytes) {
  if (!data || bytes < 2 * kLargePage) return;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
  if (last <= first) return;
#ifdef MADV_HUGEPAGE
  ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace voske::platform
