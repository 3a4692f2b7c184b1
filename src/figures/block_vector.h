#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace vexa::figures {

// Memory for a block of `bytes`; big blocks are asked for in large pages where the system offers
// them: a 12-megapixel map is 48 MB, and faulting it in 4 KB at a time costs ten times the parse.
void* AllocateBlock(std::size_t bytes);
void FreeBlock(void* block, std::size_t bytes);

// Allocates through AllocateBlock, and its resize() default-initialises new elements: plain
// numbers stay unset, for blocks that are written whole before they are read (zeroing 48 MB
// first would cost a fifth of a parse); records with member initialisers get them.
template <typename T>
struct BlockAllocator {
  using value_type = T;

  BlockAllocator() = default;
  template <typename U>
  BlockAllocator(const BlockAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) { return static_cast<T*>(AllocateBlock(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { FreeBlock(p, n * sizeof(T)); }

  void construct(T* p) noexcept { ::new (static_cast<void*>(p)) T; }
  template <typename... Args>
  void construct(T* p, Args&&... args) {
    ::new (static_cast<void*>(p)) T(std::forward<Args>(args)...);
  }

  friend bool operator==(const BlockAllocator&, const BlockAllocator&) { return true; }
};

template <typename T>
using BlockVector = std::vector<T, BlockAllocator<T>>;

}  // namespace vexa::figures
