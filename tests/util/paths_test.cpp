#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/temp_dir.h"
#include "util/alu_path.h"

namespace korvel {
namespace {

using test::TempDir;
using test::WriteFile;

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
