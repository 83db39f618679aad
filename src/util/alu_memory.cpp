#include "util/alu_memory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "util/message.h"

namespace korvel {
namespace {

// The header sits right before the user area. It is 32 bytes so that the user area keeps the
// 16-byte alignment that any object placed in it may need.
struct BlockHeader {
  std::uint32_t capacity;
  std::uint32_t requested;
  std::uint32_t sizeClass;
  std::uint32_t flags;
  BlockHeader* nextFree;
  std::uint64_t reserved;
};
static_assert(sizeof(BlockHeader) == 32);

constexpr std::uint32_t kInUse = 1;
constexpr std::size_t kAlignment = 16;
constexpr std::size_t kLargestRequest = std::size_t{1} << 31;

struct FreeLists {
  std::mutex mutex;  // the GUI thread and the tour thread both allocate and release
  BlockHeader* head[kAluLargestClass + 1] = {};
};

FreeLists& Lists() {
  static FreeLists lists;
  return lists;
}

BlockHeader* HeaderOf(const void* pointer) {
  return reinterpret_cast<BlockHeader*>(const_cast<char*>(static_cast<const char*>(pointer)) -
                                        sizeof(BlockHeader));
}

unsigned char* UserArea(BlockHeader* header) {
  return reinterpret_cast<unsigned char*>(header + 1);
}

// Smallest exponent k >= 4 with 2^k >= n.
int Exponent(std::size_t n) {
  int k = kAluSmallestClass;
  while ((std::size_t{1} << k) < n) ++k;
  return k;
}

}  // namespace

void* AluMalloc(std::size_t size) {
  if (size > kLargestRequest) return nullptr;
  const int k = Exponent(size);
  const int sizeClass = k < kAluLargestClass ? k : kAluLargestClass;
  const std::uint32_t capacity = std::uint32_t{1} << k;

  BlockHeader* block = nullptr;
  {
    std::lock_guard lock(Lists().mutex);
    BlockHeader** link = &Lists().head[sizeClass];
    while (*link != nullptr && (*link)->capacity < size) link = &(*link)->nextFree;
    if (*link != nullptr) {
      block = *link;
      *link = block->nextFree;
    }
  }
  if (block == nullptr) {
    // Room for the header, the capacity, the guard (which may lie past a full user area) and
    // the alignment. Blocks are never given back, so the raw address need not be kept.
    void* raw = std::malloc(sizeof(BlockHeader) + capacity + kAluGuardBytes + kAlignment - 1);
    if (raw == nullptr) return nullptr;
    auto address = reinterpret_cast<std::uintptr_t>(raw);
    address = (address + kAlignment - 1) & ~(std::uintptr_t{kAlignment} - 1);
    block = reinterpret_cast<BlockHeader*>(address);
  }
  block->capacity = capacity;
  block->requested = static_cast<std::uint32_t>(size);
  block->sizeClass = static_cast<std::uint32_t>(sizeClass);
  block->nextFree = nullptr;
  block->flags = kInUse;
  block->reserved = 0;
  std::memset(UserArea(block) + size, 0, kAluGuardBytes);
  return UserArea(block);
}

void AluFree(void* pointer) {
  if (pointer == nullptr) {
    ShowMessage(kError, kButtonsOk, "NULL pointer in 'AluFree'.");
    return;
  }
  BlockHeader* block = HeaderOf(pointer);
  {
    std::unique_lock lock(Lists().mutex);
    if ((block->flags & kInUse) == 0) {
      lock.unlock();
      ShowMessage(kError, kButtonsOk, "Memory being freed more than once in 'AluFree'.");
      return;
    }
    const unsigned char* guard = UserArea(block) + block->requested;
    for (int i = 0; i < kAluGuardBytes; ++i) {
      if (guard[i] != 0) {
        lock.unlock();
        // The block stays in use: whatever overran it may still be writing there.
        ShowMessage(kError, kButtonsOk, "Memory overwrite detected in 'AluFree'.");
        return;
      }
    }
    block->flags &= ~kInUse;
    block->nextFree = Lists().head[block->sizeClass];
    Lists().head[block->sizeClass] = block;
  }
}

AluBlockInfo AluInspect(const void* pointer) {
  const BlockHeader* block = HeaderOf(pointer);
  std::lock_guard lock(Lists().mutex);
  return {block->capacity, block->requested, block->sizeClass, (block->flags & kInUse) != 0};
}

int AluFreeCount(int sizeClass) {
  if (sizeClass < kAluSmallestClass || sizeClass > kAluLargestClass) return 0;
  std::lock_guard lock(Lists().mutex);
  int count = 0;
  for (const BlockHeader* b = Lists().head[sizeClass]; b != nullptr; b = b->nextFree) ++count;
  return count;
}

}  // namespace korvel
