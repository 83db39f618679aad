#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "util/alu_memory.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

// Every byte asked for is the caller's, also in a block given back and handed out again for less:
// its guard follows the new request, so a program that stays within it is never told of an overwrite.
TEST(Allocator, EveryRequestedByteIsTheCallersAndAReusedBlockGuardsItsNewSize) {
  MessageRecorder recorder;
  for (const std::size_t request : {0, 1, 16, 17, 512, 513, 1025, 4096}) {
    void* p = AluMalloc(request);
    ASSERT_NE(p, nullptr);
    EXPECT_GE(AluInspect(p).capacity, request);
    EXPECT_TRUE(AluInspect(p).inUse);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u) << request;
    std::memset(p, 0x5A, request);
    AluFree(p);
  }
  for (int longer = 18; longer <= 32; ++longer) {
    char* first = static_cast<char*>(AluMalloc(static_cast<std::size_t>(longer)));
    std::memset(first, 0x7F, static_cast<std::size_t>(longer));
    AluFree(first);
    char* again = static_cast<char*>(AluMalloc(17));
    std::memset(again, 0x11, 17);
    AluFree(again);
  }
  EXPECT_TRUE(recorder.messages().empty()) << recorder.Texts()[0];
}

TEST(Allocator, MisusedFreesAreReportedAndTheProgramGoesOn) {
  MessageRecorder recorder;
  AluFree(nullptr);
  void* twice = AluMalloc(40);
  AluFree(twice);
  const int waiting = AluFreeCount(6);
  AluFree(twice);
  EXPECT_EQ(AluFreeCount(6), waiting);  // not linked in a second time
  EXPECT_EQ(recorder.Texts(), (std::vector<std::string>{"NULL pointer in 'AluFree'.",
                                                        "Memory being freed more than once in 'AluFree'."}));

  // Any of the four guard bytes counts; an overrun block stays in use and is never handed out again.
  for (int offset = 0; offset < kAluGuardBytes; ++offset) {
    char* overrun = static_cast<char*>(AluMalloc(100));
    overrun[100 + offset] = 'x';
    AluFree(overrun);
    EXPECT_EQ(recorder.Texts().back(), "Memory overwrite detected in 'AluFree'.") << offset;
    EXPECT_TRUE(AluInspect(overrun).inUse);
    void* next = AluMalloc(100);
    EXPECT_NE(next, overrun);
    AluFree(next);
  }
  EXPECT_EQ(recorder.messages().size(), 2u + kAluGuardBytes);
  for (const Message& m : recorder.messages()) EXPECT_EQ(m.severity, kError);
}

TEST(Allocator, TwoThreadsCanAllocateAndFreeAtTheSameTime) {
  MessageRecorder recorder;
  // Each thread fills its blocks with its own byte; a block handed to both would show the other's.
  auto work = [](char fill, int* damaged) {
    for (int round = 0; round < 50; ++round) {
      std::vector<char*> blocks;
      for (int i = 0; i < 200; ++i) {
        blocks.push_back(static_cast<char*>(AluMalloc(24 + i % 40)));
        std::memset(blocks.back(), fill, 24);
      }
      for (char* p : blocks) {
        for (int i = 0; i < 24; ++i) *damaged += p[i] != fill;
        AluFree(p);
      }
    }
  };
  int damagedA = 0, damagedB = 0;
  std::thread a(work, 'a', &damagedA), b(work, 'b', &damagedB);
  a.join();
  b.join();
  EXPECT_EQ(damagedA + damagedB, 0);
  EXPECT_TRUE(recorder.messages().empty());
}

}  // namespace
}  // namespace korvel
