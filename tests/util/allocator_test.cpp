#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "util/alu_memory.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

TEST(Allocator, RequestsRoundUpToPowerOfTwoCapacitiesAndClasses) {
  MessageRecorder recorder;
  struct Case {
    std::size_t request;
    std::uint32_t capacity, sizeClass;
  };
  for (const Case c : {Case{0, 16, 4}, Case{1, 16, 4}, Case{16, 16, 4}, Case{17, 32, 5}, Case{512, 512, 9},
                       Case{513, 1024, 10}, Case{1025, 2048, 10}}) {
    void* p = AluMalloc(c.request);
    ASSERT_NE(p, nullptr);
    const AluBlockInfo info = AluInspect(p);
    EXPECT_EQ(info.capacity, c.capacity) << c.request;
    EXPECT_EQ(info.sizeClass, c.sizeClass) << c.request;
    EXPECT_EQ(info.requested, c.request);
    EXPECT_TRUE(info.inUse);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u);
    std::memset(p, 0x5A, c.request);  // the whole request is the caller's: freeing stays clean
    AluFree(p);
  }
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(Allocator, FreedBlocksAreReusedMostRecentFirstAtTheNewSize) {
  MessageRecorder recorder;
  char* first = static_cast<char*>(AluMalloc(20));
  char* second = static_cast<char*>(AluMalloc(30));
  AluFree(first);
  AluFree(second);
  EXPECT_EQ(AluMalloc(25), second);
  // The guard follows the new, shorter request even though old bytes lie there.
  std::memset(second, 0x7F, 25);
  AluFree(second);
  ASSERT_EQ(AluMalloc(17), second);
  for (int i = 17; i < 17 + kAluGuardBytes; ++i) EXPECT_EQ(second[i], 0) << i;
  EXPECT_EQ(AluMalloc(18), first);
  AluFree(first);
  AluFree(second);

  void* record = AluMalloc(512);
  AluFree(record);
  EXPECT_EQ(AluMalloc(300), record);
  EXPECT_EQ(AluInspect(record).capacity, 512u);
  void* big = AluMalloc(4096);
  AluFree(big);
  EXPECT_EQ(AluMalloc(600), big);
  EXPECT_EQ(AluInspect(big).capacity, 1024u);
  EXPECT_EQ(AluInspect(big).sizeClass, 10u);
  // Now too small for 2 KB: the large class passes it over.
  AluFree(big);
  void* twoKilobytes = AluMalloc(2000);
  EXPECT_NE(twoKilobytes, big);
  EXPECT_EQ(AluInspect(twoKilobytes).capacity, 2048u);
  AluFree(twoKilobytes);
  AluFree(record);
  EXPECT_TRUE(recorder.messages().empty());
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
