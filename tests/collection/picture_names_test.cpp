#include <gtest/gtest.h>

#include "collection/changes.h"
#include "collection/picture_names.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

TEST(PictureNames, ShortNamesKeepTheModelNumberLongest) {
  EXPECT_EQ(ShortName("Super Heterodyne 5-A"), "sprhtr5a");
  EXPECT_EQ(ShortName("Acme-Standard"), "cmstndrd");
  EXPECT_EQ(ShortName("H-500"), "h-500");  // short enough: the dash stays
  EXPECT_EQ(ShortName("5A410"), "5a410");
  EXPECT_EQ(ShortName("12345678901"), "12345678");
  EXPECT_EQ(ShortName("Mr. Who's?"), "mrwhos");
  EXPECT_EQ(ShortName("Trans-Oceanic"), "transcnc");
  EXPECT_EQ(ShortName(""), "");
}

TEST(PictureNames, BrandDirectoriesComeFromExistingPicturesOrTheBrandName) {
  Collection c = test::MakeCollection();
  c.tables[kTableBrandName].entries = {"Acme", "Acme Radio Corp", "Unknown"};
  c.brandManufacturer = {0, 0, 0};
  c.asLoadedTables = c.tables;
  RadioRecord* pictured = test::AddLoadedRadio(c, {.id = 1, .brand = "Acme", .model = "A1"});
  pictured->pictureFile = "pictures\\acme\\h500.jpg";
  pictured->thumbnailFile = "";
  RadioRecord* acme = test::AddLoadedRadio(c, {.id = 2, .brand = "Acme", .model = "H-500"});
  RadioRecord* corp = test::AddLoadedRadio(c, {.id = 3, .brand = "Acme Radio Corp", .model = "5A410"});
  RadioRecord* placeholder = test::AddLoadedRadio(c, {.id = 4, .brand = "Acme Radio Corp", .model = "X"});
  placeholder->pictureFile = kPicturePlaceholder;

  ShareAsLoadedCopy(c);  // as loading leaves the radios
  FixupPictureFileNames(c);
  // The radios given names count as changed, against their names as read.
  EXPECT_EQ(test::Ids(SummarizeChanges(c).changedRadios), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(c.asLoaded.FindById(4)->pictureFile, kPicturePlaceholder);
  EXPECT_EQ(c.brandPictureDirectories, (std::vector<std::string>{"acme", "Acme Rad", "Unknown"}));
  EXPECT_EQ(acme->pictureFile, "pictures\\acme\\h-500.jpg");
  EXPECT_EQ(acme->thumbnailFile, "pictures\\acme\\smallpix\\h-500.jpg");
  EXPECT_EQ(corp->pictureFile, "pictures\\Acme Rad\\5a410.jpg");
  EXPECT_EQ(placeholder->pictureFile, "pictures\\Acme Rad\\x.jpg");
  // A radio with a picture keeps its names, even without a thumbnail.
  EXPECT_EQ(pictured->pictureFile, "pictures\\acme\\h500.jpg");
  EXPECT_EQ(pictured->thumbnailFile, "");
}

TEST(PictureNames, APathWithoutADirectoryGivesNoBrandDirectory) {
  Collection c = test::MakeCollection();
  RadioRecord* r = test::AddLoadedRadio(c, {.id = 1, .brand = "Zenith", .model = "H500"});
  r->pictureFile = "h500.jpg";
  r->brand = 99;  // outside the table: must not be used as an index
  test::AddLoadedRadio(c, {.id = 2, .brand = "Zenith", .model = "Royal 500"});
  FixupPictureFileNames(c);
  EXPECT_EQ(c.radios.FindById(2)->pictureFile, "pictures\\Zenith\\royal500.jpg");
  EXPECT_EQ(PicturePath(c, 99, "H500", false), "pictures\\\\h500.jpg");
}

}  // namespace
}  // namespace korvel
