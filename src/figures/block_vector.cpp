#include "figures/block_vector.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vexa::figures {

namespace {

#if defined(__linux__)
constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::size_t kLargeBlock = 4 * kLargePage;

bool isLarge(std::size_t bytes) {
  return bytes >= kLargeBlock;
}
#endif

}  // namespace

void* AllocateBlock(std::size_t bytes) {
#if defined(__linux__)
  if (isLarge(bytes)) {
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* block = std::aligned_alloc(kLargePage, rounded);
    if (block == nullptr) throw std::bad_alloc();
    // Only advice: without transparent huge pages the block works the same, just slower.
    madvise(block, rounded, MADV_HUGEPAGE);
    return block;
  }
#endif
  return ::operator new(bytes);
}

void FreeBlock(void* block, std::size_t bytes) {
#if defined(__linux__)
  if (isLarge(bytes)) {
    std::free(block);
    return;
  }
#endif
  ::operator delete(block, bytes);
}

}  // namespace vexa::figures
