#include <gtest/gtest.h>

#include <cstring>

#include "pictures/bmp_header.h"
#include "pictures/picture_registry.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::TempDir;

// Writes a small 24-bit BMP of the given width under the directory.
void WritePicture(const std::string& path, int width) {
  GalBitmap bitmap;
  const std::size_t n = GalRowBytes(width) * 2 + kBmpHeaderSize + kBmpSpare;
  GalReserve(bitmap, n);
  std::memset(bitmap.image.get(), 0x40, n);
  WriteBmpHeader(bitmap.image.get(), width, 2, static_cast<std::uint32_t>(n), 0);
  ASSERT_EQ(GalWriteBitmap(path, bitmap), 1) << path;
}

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { registry.SetDataDirectory(dir.path().string()); }
  std::string Name(int i) const { return "pictures\\brand\\p" + std::to_string(i) + ".bmp"; }
  TempDir dir;
  PictureRegistry registry;
  MessageRecorder messages;
};

TEST_F(Registry, NamesAreCountedAndKeepTheirIndex) {
  WritePicture(dir / "pictures/brand/p1.bmp", 3);
  const int first = registry.Register(Name(1));
  EXPECT_EQ(registry.Register(Name(1)), first);
  EXPECT_EQ(registry.UseCount(first), 2);
  EXPECT_EQ(registry.Path(first), dir.path().string() + "\\" + Name(1));
  EXPECT_EQ(registry.Register(""), -1);
  EXPECT_EQ(registry.Path(-1), "");
  EXPECT_EQ(registry.UseCount(-1), 0);

  ASSERT_GE(registry.GetBitmap(first), 0);
  registry.Release(first);
  EXPECT_TRUE(registry.IsUsed(Name(1)));
  EXPECT_GE(registry.CachedSlot(first), 0);
  registry.Release(first);
  EXPECT_FALSE(registry.IsUsed(Name(1)));
  EXPECT_EQ(registry.CachedSlot(first), -1);     // the slot is freed...
  EXPECT_EQ(registry.Register(Name(1)), first);  // ...the index stays
  registry.Release(first);
  registry.Release(first);  // below zero: nothing happens
  EXPECT_EQ(registry.UseCount(first), 0);

  // Paths with bytes above 127 are registered like any other.
  EXPECT_GE(registry.Register("pictures\\caf\xe9\\r\xe9gence.jpg"), 0);
}

TEST_F(Registry, TheLeastRecentlyUsedPictureMakesWay) {
  std::vector<int> indices;
  for (int i = 0; i <= kPictureCacheSlots; ++i) {
    WritePicture(dir / ("pictures/brand/p" + std::to_string(i) + ".bmp"), 1 + i % 5);
    indices.push_back(registry.Register(Name(i)));
  }
  for (int i = 0; i < kPictureCacheSlots; ++i) ASSERT_GE(registry.GetBitmap(indices[i]), 0) << i;
  registry.GetBitmap(indices[0]);  // picture 0 used again: picture 1 is now the oldest
  const int slot = registry.GetBitmap(indices[kPictureCacheSlots]);
  ASSERT_GE(slot, 0);
  EXPECT_EQ(registry.CachedSlot(indices[1]), -1);
  EXPECT_EQ(registry.CachedSlot(indices[0]) >= 0, true);
  // Fetching the evicted one reads its file again.
  std::filesystem::remove(dir / "pictures/brand/p1.bmp");
  EXPECT_EQ(registry.GetBitmap(indices[1]), -1);
  WritePicture(dir / "pictures/brand/p1.bmp", 4);
  ASSERT_GE(registry.GetBitmap(indices[1]), 0);
  int w = 0, h = 0;
  EXPECT_TRUE(registry.GetSize(indices[1], w, h));
  EXPECT_EQ(w, 4);
}

TEST_F(Registry, FailedLoadsLeaveNoSlotAndForgettingReloads) {
  const int missing = registry.Register("pictures\\brand\\none.jpg");
  EXPECT_EQ(registry.GetBitmap(missing), -1);
  EXPECT_EQ(registry.CachedSlot(missing), -1);
  int w = 0, h = 0;
  EXPECT_FALSE(registry.GetSize(missing, w, h));
  EXPECT_EQ(w, -1);
  EXPECT_EQ(registry.GetBitmap(-1), -1);

  WritePicture(dir / "pictures/brand/p7.bmp", 2);
  const int index = registry.Register(Name(7));
  ASSERT_TRUE(registry.GetSize(index, w, h));
  EXPECT_EQ(w, 2);
  WritePicture(dir / "pictures/brand/p7.bmp", 5);  // the file is replaced
  registry.GetSize(index, w, h);
  EXPECT_EQ(w, 2);  // still the cached bitmap
  registry.ForgetBitmap(index);
  registry.GetSize(index, w, h);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(registry.UseCount(index), 1);

  const int copy = registry.Register("pictures\\brand\\copy.jpg");
  EXPECT_EQ(registry.CopyByIndex(index, copy, 1, 1000), 1);
  EXPECT_EQ(registry.CopyByIndex(index, -1, 1, 1000), 0);
  EXPECT_TRUE(messages.messages().empty());
}

}  // namespace
}  // namespace korvel
