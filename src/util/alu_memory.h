// The guarded allocator: size classes, free lists and checks for the three commonest misuses
// (freeing nothing, freeing twice, writing past the end).
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvel {

constexpr int kAluSmallestClass = 4;  // capacity 16
constexpr int kAluLargestClass = 10;  // 1024 and every larger power of two
constexpr int kAluGuardBytes = 4;

// Gives the user area of a block of at least `size` bytes, or nullptr when the system heap is
// exhausted. Only the four guard bytes after the requested size are cleared.
void* AluMalloc(std::size_t size);

// Returns the block to its class's free list; reports a null pointer, a second release and an
// overwritten guard, and then leaves the block alone.
void AluFree(void* pointer);

// What the header of a live block says (for tests and diagnostics).
struct AluBlockInfo {
  std::uint32_t capacity;
  std::uint32_t requested;
  std::uint32_t sizeClass;
  bool inUse;
};
AluBlockInfo AluInspect(const void* pointer);

// Number of free blocks waiting in one class's list.
int AluFreeCount(int sizeClass);

}  // namespace korvel
