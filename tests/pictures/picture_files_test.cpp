#include "picture_files_fixture.h"

namespace korvel {
namespace {

using test::PictureFiles;
using test::WritePicture;
namespace fs = std::filesystem;

TEST_F(PictureFiles, NewNamesVaryTheEighthCharacterOrAddOne) {
  Radio("pictures\\rca\\5a410sua.jpg");
  Radio("pictures\\rca\\bench90a.jpg");
  std::string name = "pictures\\rca\\5a410sup.jpg";
  EXPECT_EQ(NewPictureName(registry, name), 1);
  EXPECT_EQ(name, "pictures\\rca\\5a410sub.jpg");
  name = "pictures\\rca\\bench90.jpg";
  EXPECT_EQ(NewPictureName(registry, name), 1);
  EXPECT_EQ(name, "pictures\\rca\\bench90b.jpg");
  name = "noext";
  EXPECT_EQ(NewPictureName(registry, name), 1);
  EXPECT_EQ(name, "noexta");

  for (char c = 'a'; c <= 'z'; ++c) Radio(std::string("full") + c + ".bmp");
  name = "full.bmp";
  EXPECT_EQ(NewPictureName(registry, name), 0);
  EXPECT_EQ(name, "full.bmp");
}

TEST_F(PictureFiles, CheckingNamesAsksTellsAndGivesClashingPicturesDistinctNames) {
  Radio("p\\a.jpg", "p\\s\\a.jpg", {"p\\x.jpg"});
  RadioRecord edited;
  edited.pictureFile = "p\\a.jpg";
  edited.thumbnailFile = "p\\s\\a.jpg";
  edited.extraPictureFiles[0] = "p\\x.jpg";
  edited.extraPictureFiles[1] = "p\\x.jpg";
  edited.extraPictureCount = 2;
  edited.pictureIndex = 7;
  messages.Answer({kAnswerYes, kAnswerOk, kAnswerNo, kAnswerYes, kAnswerOk, kAnswerYes, kAnswerOk});
  CheckPictureNames(registry, edited, true);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                  "Picture file name '" + Full("p\\a.jpg") +
                                      "' is already used, do you want me to generate a new file name?",
                                  "Duplicate picture file name changed to '" + Full("p\\aa.jpg") + "'.",
                                  "Thumbnail picture file name '" + Full("p\\s\\a.jpg") +
                                      "' is already used, do you want me to generate a new file name?",
                                  "Picture file name '" + Full("p\\x.jpg") +
                                      "' is already used, do you want me to generate a new file name?",
                                  "Duplicate picture file name changed to '" + Full("p\\xa.jpg") + "'.",
                                  "Picture file name '" + Full("p\\x.jpg") +
                                      "' is already used, do you want me to generate a new file name?",
                                  "Duplicate picture file name changed to '" + Full("p\\xb.jpg") + "'.",
                              }));
  EXPECT_EQ(edited.pictureFile, "p\\aa.jpg");
  EXPECT_EQ(edited.pictureIndex, -1);  // the caller registers the new name
  EXPECT_EQ(edited.thumbnailFile, "p\\s\\a.jpg");
  EXPECT_EQ(edited.extraPictureFiles[1], "p\\xb.jpg");

  // No free variant: a Warning when asking, silence otherwise.
  for (char c = 'a'; c <= 'z'; ++c) Radio(std::string("q") + c + ".jpg");
  Radio("q.jpg");
  RadioRecord stuck;
  stuck.pictureFile = "q.jpg";
  messages.Clear();
  CheckPictureNames(registry, stuck, false);
  EXPECT_TRUE(messages.messages().empty());
  messages.Answer({kAnswerYes});
  CheckPictureNames(registry, stuck, true);
  ASSERT_EQ(messages.messages().size(), 2u);
  EXPECT_EQ(messages.messages()[1].text, "Couldn't find a new name for '" + Full("q.jpg") + "'.");
  EXPECT_EQ(stuck.pictureFile, "q.jpg");
}

TEST_F(PictureFiles, NamesWhileAddingFollowBrandAndModelAndRegisterNothing) {
  Radio("pictures\\zenith\\h500.jpg", "pictures\\zenith\\smallpix\\h500.jpg");
  RadioRecord work;
  work.brand = test::Position(collection, kTableBrandName, "Zenith");
  work.model = "H500";
  const int entries = registry.EntryCount();
  NamePicturesWhileAdding(collection, registry, work);
  EXPECT_EQ(work.pictureFile, "pictures\\zenith\\h500a.jpg");
  EXPECT_EQ(work.thumbnailFile, "pictures\\zenith\\smallpix\\h500a.jpg");
  EXPECT_EQ(registry.EntryCount(), entries);
  EXPECT_TRUE(messages.messages().empty());

  // A deleted radio's files stay on disk: their names are not free for the next radio.
  WritePicture(Disk("pictures/zenith/h600.jpg"), 4, 4, 9);
  WritePicture(Disk("pictures/zenith/h500a.jpg"), 4, 4, 9);
  work.model = "H600";
  NamePicturesWhileAdding(collection, registry, work);
  EXPECT_EQ(work.pictureFile, "pictures\\zenith\\h600a.jpg")
      << "a new radio took a deleted radio's photograph";
  EXPECT_EQ(work.thumbnailFile, "pictures\\zenith\\smallpix\\h600.jpg");
  work.model = "H500";
  NamePicturesWhileAdding(collection, registry, work);
  EXPECT_EQ(work.pictureFile, "pictures\\zenith\\h500b.jpg");
}

TEST_F(PictureFiles, AfterAnEditNamesAreRegisteredAgainAndUnusedFilesOfferedForDeletion) {
  RadioRecord& other = Radio("p\\shared.jpg");
  RadioRecord& radio = Radio("p\\old.jpg", "p\\s\\old.jpg", {"p\\shared.jpg", "p\\e1.jpg"});
  for (const char* name : {"p/old.jpg", "p/s/old.jpg", "p/e1.jpg", "p/shared.jpg"})
    WritePicture(Disk(name), 4, 4, 9);
  const RememberedPictures before = RememberRadioPictures(radio);
  EXPECT_EQ(before.names.size(), 4u);
  const int oldIndex = radio.pictureIndex;

  radio.pictureFile = "p\\new.jpg";
  radio.extraPictureFiles[0] = "p\\e2.jpg";
  radio.extraPictureFiles[1] = "p\\e3.jpg";
  radio.extraPictureFiles[3] = "p\\unreached.jpg";  // after the first empty name
  messages.Answer({kAnswerNo, kAnswerYes});
  ReregisterPictures(registry, radio, before);

  EXPECT_EQ(radio.extraPictureCount, 2);
  EXPECT_EQ(registry.UseCount(oldIndex), 0);
  EXPECT_EQ(registry.UseCount(radio.pictureIndex), 1);
  EXPECT_EQ(registry.UseCount(radio.thumbnailIndex), 1);
  EXPECT_EQ(registry.UseCount(radio.extraPictureIndex[1]), 1);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                  "Are you sure you want to delete '" + Full("p\\old.jpg") + "'?",
                                  "Are you sure you want to delete '" + Full("p\\e1.jpg") + "'?",
                              }));
  EXPECT_TRUE(fs::exists(Disk("p/old.jpg")));  // No
  EXPECT_FALSE(fs::exists(Disk("p/e1.jpg")));  // Yes

  EXPECT_TRUE(fs::exists(Disk("p/shared.jpg")));  // still the other radio's
  ReleaseRadioPictures(registry, other);
  EXPECT_FALSE(registry.IsUsed("p\\shared.jpg"));
  EXPECT_EQ(other.pictureIndex, -1);
}

TEST_F(PictureFiles, ThumbnailsAreAtMostOneHundredPixelsAndAFailureKeepsTheOldOne) {
  RadioRecord& wide = Radio("p\\wide.jpg", "p\\small\\wide.jpg");
  RadioRecord& small = Radio("p\\little.bmp", "p\\small\\little.bmp");
  WritePicture(Disk("p/wide.jpg"), 1000, 500, 100);
  WritePicture(Disk("p/little.bmp"), 80, 60, 100);
  MakeThumbnail(registry, wide);
  MakeThumbnail(registry, small);
  int w = 0, h = 0;
  ASSERT_TRUE(registry.GetSize(wide.thumbnailIndex, w, h));
  EXPECT_EQ(w * 1000 + h, 100 * 1000 + 50);
  ASSERT_TRUE(registry.GetSize(small.thumbnailIndex, w, h));
  EXPECT_EQ(w * 1000 + h, 80 * 1000 + 60);

  fs::remove(Disk("p/wide.jpg"));
  const std::string old = Contents("p/small/wide.jpg");
  MakeThumbnail(registry, wide);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Unable to create new thumbnail picture file '" +
                                                        Full("p\\small\\wide.jpg") + "'."}));
  EXPECT_EQ(Contents("p/small/wide.jpg"), old);

  // A thumbnail that is the main picture itself is left alone.
  RadioRecord& same = Radio("p\\same.jpg", "p\\same.jpg");
  WritePicture(Disk("p/same.jpg"), 300, 200, 100);
  const std::string picture = Contents("p/same.jpg");
  MakeThumbnail(registry, same, false);
  EXPECT_EQ(Contents("p/same.jpg"), picture);
  EXPECT_EQ(messages.messages().size(), 2u);

  // A thumbnail that another radio shares is only replaced after a Yes.
  Radio("p\\other.jpg", "p\\small\\little.bmp");
  WritePicture(Disk("p/little.bmp"), 20, 10, 100);
  const std::string kept = Contents("p/small/little.bmp");
  messages.Clear();
  messages.Answer({kAnswerNo});
  MakeThumbnail(registry, small);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"Thumbnail picture file '" + Full("p\\small\\little.bmp") +
                                      "' is also used by another radio, do you still want to "
                                      "replace it?"}));
  EXPECT_EQ(Contents("p/small/little.bmp"), kept);
}

}  // namespace
}  // namespace korvel
