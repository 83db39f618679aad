// Files and paths as the collection stores them: backslashes, any case, and copies that keep the old file.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/temp_dir.h"
#include "util/alu_file.h"
#include "util/alu_path.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Bytes that a text-mode copy or a copy stopping at a zero byte would change.
std::string BinaryBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>("\r\n\0\x1a\xff"[i % 5] + i / 5);
  return bytes;
}

TEST(Files, AFileExistsOnlyWhenItHoldsAByte) {
  TempDir dir;
  EXPECT_FALSE(AluFileExists(dir / "missing.dat"));
  WriteFile(dir / "empty.dat", "");
  EXPECT_FALSE(AluFileExists(dir / "empty.dat"));
  WriteFile(dir / "one.dat", "x");
  EXPECT_TRUE(AluFileExists(dir / "one.dat"));
  EXPECT_FALSE(AluFileExists(dir.path().string()));  // a directory is not a file

  // Stored names: backslashes, and a case that differs from the disk.
  fs::create_directory(dir.path() / "Pictures");
  WriteFile(dir / "Pictures/H500.jpg", "jpeg");
  EXPECT_TRUE(AluFileExists(dir.path().string() + "\\pictures\\h500.JPG"));
}

TEST(Files, DirectoriesAreMadeUpToTheFileName) {
  TempDir dir;
  const std::string root = dir.path().string();
  EXPECT_EQ(AluCreateDirectoriesFor(root + "\\pictures\\zenith\\h500.jpg"), 1);
  EXPECT_TRUE(fs::is_directory(dir.path() / "pictures" / "zenith"));
  EXPECT_FALSE(fs::exists(dir.path() / "pictures" / "zenith" / "h500.jpg"));
  EXPECT_EQ(AluCreateDirectoriesFor(root + "/pictures/zenith/other.jpg"), 1);  // already there
  EXPECT_EQ(AluCreateDirectoriesFor("radios.dat"), 0);                         // no directory part
  WriteFile(dir / "blocked", "a file where a directory should go");
  EXPECT_EQ(AluCreateDirectoriesFor(root + "/blocked/inner/x.jpg"), 0);
}

TEST(Files, CopiesAreExactWhateverTheSizeAndMakeTheTargetDirectories) {
  TempDir dir;
  for (std::size_t size : {0, 1, 1023, 1024, 1025, 65536, 200001}) {
    const std::string bytes = BinaryBytes(size);
    WriteFile(dir / "source.bin", bytes);
    WriteFile(dir / "target.bin", std::string(300000, 'T'));  // a longer old target is replaced
    EXPECT_EQ(AluCopyFile(dir / "source.bin", dir / "target.bin"), 1) << size;
    EXPECT_EQ(ReadFile(dir / "target.bin"), bytes) << size;
  }
  EXPECT_EQ(AluCopyFile(dir / "source.bin", dir.path().string() + "\\pictures\\zenith\\h500.jpg"), 1);
  EXPECT_EQ(ReadFile(dir / "pictures/zenith/h500.jpg"), BinaryBytes(200001));
}

TEST(Files, AFailedCopyLeavesNoTargetBehindAndCopyingOntoItselfIsHarmless) {
  TempDir dir;
  WriteFile(dir / "radios.bak", "the only backup");
  EXPECT_EQ(AluCopyFile(dir / "missing.dat", dir / "radios.bak"), 0);
  EXPECT_EQ(ReadFile(dir / "radios.bak"), "the only backup");

  // A directory opens on this system but cannot be read: the new target must not survive.
  fs::create_directory(dir.path() / "folder");
  EXPECT_EQ(AluCopyFile(dir / "folder", dir / "new.bak"), 0);
  EXPECT_FALSE(fs::exists(dir.path() / "new.bak"));
  EXPECT_EQ(AluCopyFile(dir / "folder", dir / "radios.bak"), 0);
  EXPECT_EQ(ReadFile(dir / "radios.bak"), "the only backup") << "an unreadable source wiped the old copy";

  WriteFile(dir / "radios.dat", "collection");
  EXPECT_EQ(AluCopyFile(dir / "radios.dat", dir / "radios.dat"), 1);
  EXPECT_EQ(ReadFile(dir / "radios.dat"), "collection");
  EXPECT_EQ(AluCopyFile(dir / "radios.dat", dir.path().string() + "\\RADIOS.DAT"), 1);
  EXPECT_EQ(ReadFile(dir / "radios.dat"), "collection");
}

TEST(Files, ANewCopyGoesIntoTheDirectoryThatIsThereWhateverItsCase) {
  TempDir dir;
  fs::create_directory(dir.path() / "Pictures");
  WriteFile(dir / "h500.jpg", "jpeg");
  EXPECT_EQ(AluCopyFile(dir / "h500.jpg", dir.path().string() + "\\pictures\\h500.bak"), 1);
  EXPECT_EQ(ReadFile(dir / "Pictures/h500.bak"), "jpeg");
  EXPECT_FALSE(fs::exists(dir.path() / "pictures"));
  EXPECT_FALSE(fs::exists(dir.path() / "Pictures/h500.bak.part"));
}

void ExpectParts(const std::string& path, int drive, int directory, int fileName, int extension) {
  SCOPED_TRACE(path);
  const PathParts parts = AluSplitPath(path);
  EXPECT_EQ(parts.drive, drive);
  EXPECT_EQ(parts.directory, directory);
  EXPECT_EQ(parts.fileName, fileName);
  EXPECT_EQ(parts.extension, extension);
}

TEST(PathParts, DriveDirectoryFileNameAndExtension) {
  ExpectParts("c:\\radios\\pictures\\x.jpg", 0, 2, 19, 20);
  ExpectParts("x", -1, 0, 0, -1);
  ExpectParts(".bmp", -1, 0, 0, -1);  // a leading dot is not an extension
  ExpectParts("\\x.jpg", -1, 0, 0, 2);
  ExpectParts("pics/zenith\\h500.tar.gz", -1, 0, 12, 20);  // both separators, the last dot
  ExpectParts("radios.old\\catalogue", -1, 0, 11, -1);     // a dot in a directory is not one
}

TEST(PathParts, FileTypesComeFromTheExtensionInAnyCase) {
  EXPECT_EQ(AluFileType("PHOTO.JPEG"), kFileJpeg);
  EXPECT_EQ(AluFileType("dial.BMP"), kFileBitmap);
  EXPECT_EQ(AluFileType("help\\index.htm"), AluFileType("help/INDEX.HTML"));
  EXPECT_EQ(AluFileType("help/INDEX.HTML"), kFileWebPage);
  for (const char* other : {"readme", "photo.jpgx", "photo.jp", "pics.jpg\\photo", ".bmp", "photo."}) {
    EXPECT_EQ(AluFileType(other), kFileOther) << other;
  }
}

TEST(PathParts, ReplacingTheExtensionNeedsOneOnBothSides) {
  EXPECT_EQ(AluReplaceExtension("x.bak", "c:\\data\\radios.dat"), "c:\\data\\radios.bak");
  EXPECT_EQ(AluReplaceExtension("old\\backup.tar.gz", "radios.v2.dat"), "radios.v2.gz");
  EXPECT_EQ(AluReplaceExtension("x.bak", "radios"), std::nullopt);
  EXPECT_EQ(AluReplaceExtension("bak", "radios.dat"), std::nullopt);
  EXPECT_EQ(AluReplaceExtension("x.bak", "data.v2\\radios"), std::nullopt);
}

TEST(StoredPaths, BackslashesBecomeSlashesAndCaseDifferencesAreResolved) {
  EXPECT_EQ(AluNativePath("pictures\\zenith\\h500.jpg"), "pictures/zenith/h500.jpg");

  TempDir dir;
  std::filesystem::create_directories(dir.path() / "Pictures" / "Zenith");
  const std::string actual = dir / "Pictures/Zenith/H500.JPG";
  WriteFile(actual, "jpeg");
  const std::string root = dir.path().string();

  EXPECT_EQ(AluResolvePath(root + "\\Pictures\\Zenith\\H500.JPG"), actual);
  EXPECT_EQ(AluResolvePath(root + "\\pictures\\ZENITH\\h500.jpg"), actual);

  // An exact match wins over one that differs only in case.
  WriteFile(dir / "Pictures/Zenith/h500.jpg", "other");
  EXPECT_EQ(AluResolvePath(root + "\\Pictures\\Zenith\\h500.jpg"), dir / "Pictures/Zenith/h500.jpg");

  // Nothing matching: the plain mapping, so that the caller's failure names the stored path.
  EXPECT_EQ(AluResolvePath(root + "\\pictures\\philco\\h500.jpg"), root + "/pictures/philco/h500.jpg");
}

}  // namespace
}  // namespace korvel
