// Picture files of the radios: new names, checks of clashing names, thumbnails, and replacing a
// picture by a dropped file, on a scratch data directory with its registry and collection.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "pictures/picture_files.h"
#include "pictures/picture_registration.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WritePicture;

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override { registry.SetDataDirectory(dir.path().string()); }

  // A loaded radio with the given names, registered as after start-up.
  RadioRecord& Radio(const std::string& picture, const std::string& thumbnail = {},
                     const std::vector<std::string>& extras = {}) {
    RadioRecord* r = test::AddLoadedRadio(
        collection, {.id = ++lastId, .model = std::string("M").append(std::to_string(lastId))});
    r->pictureFile = picture;
    r->thumbnailFile = thumbnail;
    for (std::size_t i = 0; i < extras.size(); ++i) r->extraPictureFiles[static_cast<int>(i)] = extras[i];
    r->extraPictureCount = static_cast<int>(extras.size());
    RegisterRadioPictures(registry, *r);
    return *r;
  }
  std::string Disk(const std::string& name) const { return dir / name; }                  // native
  std::string Full(const std::string& name) const { return registry.DisplayPath(name); }  // in messages
  std::string Contents(const std::string& name) const { return test::ReadFile(Disk(name)); }

  TempDir dir;
  PictureRegistry registry;
  Collection collection = test::MakeCollection();
  MessageRecorder messages;
  int lastId = 0;
};

TEST_F(PictureFiles, NewNamesVaryTheEighthCharacterOrAddOne) {
  Radio("pictures\\rca\\5a410sua.jpg");
  Radio("pictures\\rca\\bench90a.jpg");
  for (const auto& [asked, given] : {std::pair{"pictures\\rca\\5a410sup.jpg", "pictures\\rca\\5a410sub.jpg"},
                                     {"pictures\\rca\\bench90.jpg", "pictures\\rca\\bench90b.jpg"},
                                     {"noext", "noexta"}}) {
    std::string name = asked;
    EXPECT_EQ(NewPictureName(registry, name), 1) << asked;
    EXPECT_EQ(name, given);
  }
  for (char c = 'a'; c <= 'z'; ++c) Radio(std::string("full") + c + ".bmp");
  std::string name = "full.bmp";
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
  const auto used = [&](const char* kind, const char* name) {
    return std::string(kind) + " file name '" + Full(name) +
           "' is already used, do you want me to generate a new file name?";
  };
  const auto renamed = [&](const char* name) {
    return "Duplicate picture file name changed to '" + Full(name) + "'.";
  };
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{used("Picture", "p\\a.jpg"), renamed("p\\aa.jpg"),
                                                        used("Thumbnail picture", "p\\s\\a.jpg"),
                                                        used("Picture", "p\\x.jpg"), renamed("p\\xa.jpg"),
                                                        used("Picture", "p\\x.jpg"), renamed("p\\xb.jpg")}));
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
  EXPECT_EQ(test::SizeOf(registry, wide.thumbnailIndex), (std::pair{100, 50}));
  EXPECT_EQ(test::SizeOf(registry, small.thumbnailIndex), (std::pair{80, 60}));

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

const std::string kThreeWay =
    "Do you want to retain the old picture file as one of the extra pictures (yes), delete the old picture "
    "file (no), or cancel the operation (cancel)?";

// A radio "r\a.jpg" with an old picture of shade 10, and a dropped picture of shade 200.
class Replacing : public PictureFiles {
 protected:
  void SetUp() override {
    PictureFiles::SetUp();
    WritePicture(Disk("r/a.jpg"), 8, 6, 10);
    WritePicture(Disk("in/drop.jpg"), 8, 6, 200);
    WritePicture(Disk("in/drop.bmp"), 8, 6, 200);
    old = Contents("r/a.jpg");
    dropped = Contents("in/drop.jpg");
  }
  int Drop(RadioRecord& radio, const std::string& file = "in/drop.jpg") {
    return ReplacePictureFromFile(collection, registry, Disk(file), radio);
  }
  // Dropped with the questions answered so, the messages before forgotten.
  int Drop(std::deque<int> answers, RadioRecord& radio, const std::string& file = "in/drop.jpg") {
    messages.Clear();
    messages.Answer(std::move(answers));
    return Drop(radio, file);
  }
  // Nothing on disk but the pictures and their copies: no backup or part file is left behind.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      if (name.find(".bak") != std::string::npos || name.find(".part") != std::string::npos)
        found.push_back(name);
    }
    return found;
  }
  std::string old, dropped;
};

TEST_F(Replacing, NothingToDoAndUnacceptedTypes) {
  RadioRecord& radio = Radio("r\\a.jpg");
  EXPECT_EQ(Drop(radio, "in/missing.jpg"), 1);
  test::WriteFile(Disk("in/empty.jpg"), "");
  EXPECT_EQ(Drop(radio, "in/empty.jpg"), 1);
  EXPECT_EQ(ReplacePictureFromFile(collection, registry, Full("r\\a.jpg"), radio), 1);  // onto itself
  EXPECT_TRUE(messages.messages().empty());

  test::WriteFile(Disk("in/drop.gif"), "GIF89a");
  EXPECT_EQ(Drop(radio, "in/drop.gif"), 0);
  RadioRecord& gif = Radio("r\\b.gif");
  EXPECT_EQ(Drop(gif), 0);
  RadioRecord& none = Radio("");
  EXPECT_EQ(Drop(none), 0);
  const std::string types = "Picture files must have a type of: '.jpg', '.jpeg', or '.bmp'; '";
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{types + Disk("in/drop.gif") + "' does not.",
                                      types + Full("r\\b.gif") + "' does not.", types + "' does not."}));
  EXPECT_EQ(Contents("r/a.jpg"), old);
}

TEST_F(Replacing, CancelOrDeletingTheOldFileAfterASecondYes) {
  RadioRecord& radio = Radio("r\\a.jpg");
  ASSERT_GE(registry.GetBitmap(radio.pictureIndex), 0);
  EXPECT_EQ(Drop({kAnswerCancel}, radio), 0);
  EXPECT_EQ(Drop({kAnswerNo, kAnswerNo}, radio), 0);
  EXPECT_EQ(Contents("r/a.jpg"), old);

  EXPECT_EQ(Drop({kAnswerNo, kAnswerYes}, radio), 1);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{
                kThreeWay, "Are you sure you want to replace picture file '" + Full("r\\a.jpg") + "'?"}));
  EXPECT_EQ(Contents("r/a.jpg"), dropped);
  EXPECT_EQ(registry.CachedSlot(radio.pictureIndex), -1);
  EXPECT_EQ(radio.extraPictureCount, 0);
  EXPECT_FALSE(collection.changed);  // the names are as they were
  EXPECT_TRUE(Leftovers().empty());
}

TEST_F(Replacing, RetainingKeepsTheOldFileAsTheFirstExtraPicture) {
  RadioRecord& radio = Radio("r\\a.jpg", {}, {"r\\a_0.jpg", "r\\a_1.jpg"});
  WritePicture(Disk("r/a_2.jpg"), 2, 2, 50);  // taken on disk
  Radio("r\\a_3.jpg");                        // taken by another radio
  EXPECT_EQ(Drop({kAnswerYes}, radio), 1);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kThreeWay});
  EXPECT_EQ(radio.extraPictureCount, 3);
  EXPECT_EQ(radio.extraPictureFiles[0], "r\\a_4.jpg");
  EXPECT_EQ(radio.extraPictureFiles[2], "r\\a_1.jpg");
  EXPECT_EQ(registry.UseCount(radio.extraPictureIndex[0]), 1);
  EXPECT_EQ(Contents("r/a_4.jpg"), old);
  EXPECT_EQ(Contents("r/a.jpg"), dropped);
  EXPECT_TRUE(collection.changed);
  EXPECT_TRUE(Leftovers().empty());

  RadioRecord& full = Radio("r\\f.jpg", {}, std::vector<std::string>(10, "r\\x.jpg"));
  WritePicture(Disk("r/f.jpg"), 2, 2, 50);
  EXPECT_EQ(Drop({kAnswerYes}, full), 0);
  EXPECT_EQ(messages.Texts().back(), "Already have 10 extra picture files.");

  RadioRecord& crowded = Radio("r\\c.jpg");
  WritePicture(Disk("r/c.jpg"), 2, 2, 50);
  for (int n = 0; n <= 20; ++n) WritePicture(Disk("r/c_" + std::to_string(n) + ".jpg"), 2, 2, 50);
  EXPECT_EQ(Drop({kAnswerYes}, crowded), 0);
  EXPECT_EQ(messages.Texts().back(), "Can't create a name for the file.");
  EXPECT_EQ(crowded.extraPictureCount, 0);
}

TEST_F(Replacing, ADifferentTypeBecomesANewMainPictureName) {
  RadioRecord& radio = Radio("r\\a.jpg");
  const int jpg = radio.pictureIndex;
  EXPECT_EQ(Drop(radio, "in/drop.bmp"), 1);
  EXPECT_TRUE(messages.messages().empty());  // no r\a.bmp yet: nothing to ask
  EXPECT_EQ(radio.pictureFile, "r\\a.bmp");
  EXPECT_EQ(registry.UseCount(radio.pictureIndex), 1);
  EXPECT_EQ(registry.UseCount(jpg), 0);
  EXPECT_EQ(Contents("r/a.jpg"), old);  // not touched
  EXPECT_EQ(Contents("r/a.bmp"), Contents("in/drop.bmp"));
  EXPECT_TRUE(collection.changed);

  // Retaining an existing file of the new type names the extra after it.
  collection.changed = false;
  WritePicture(Disk("in/other.jpg"), 3, 3, 90);
  EXPECT_EQ(Drop({kAnswerYes}, radio, "in/other.jpg"), 1);
  EXPECT_EQ(radio.pictureFile, "r\\a.jpg");
  EXPECT_EQ(radio.extraPictureFiles[0], "r\\a_0.jpg");
  EXPECT_EQ(Contents("r/a_0.jpg"), old);
}

TEST_F(Replacing, SharedPicturesAreOnlyReplacedAfterAYes) {
  RadioRecord& radio = Radio("r\\a.jpg", "r\\s\\a.jpg");
  Radio("r\\b.jpg", "r\\s\\a.jpg");
  WritePicture(Disk("r/s/a.jpg"), 2, 2, 1);
  EXPECT_EQ(Drop({kAnswerNo}, radio, "in/drop.bmp"), 0);
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"Thumbnail picture file '" + Full("r\\s\\a.jpg") +
                                     "' is also used by another radio, do you still want to "
                                     "replace it?"});
  EXPECT_FALSE(registry.IsUsed("r\\a.bmp"));  // the new name's registration is given back

  RadioRecord& sharing = Radio("r\\a.jpg");
  EXPECT_EQ(Drop({kAnswerYes, kAnswerNo, kAnswerNo}, sharing), 0);
  EXPECT_EQ(messages.Texts().back(), "Picture file '" + Full("r\\a.jpg") +
                                         "' is also used by another radio, do you still want to replace it?");
  EXPECT_EQ(Contents("r/a.jpg"), old);
}

TEST_F(Replacing, AFailedCopyPutsTheOldFileBackAndChangesNothing) {
  RadioRecord& radio = Radio("r\\a.jpg", {}, {"r\\a_0.jpg"});
  fs::create_directories(Disk("r/a.jpg.part"));  // the copy cannot be written
  EXPECT_EQ(Drop({kAnswerNo, kAnswerYes}, radio), 0);
  EXPECT_EQ(messages.Texts().back(), "Could not copy '" + Disk("in/drop.jpg") + "' to '" + Full("r\\a.jpg") +
                                         "', replacing original version.");
  EXPECT_EQ(Contents("r/a.jpg"), old);

  // Retained: the extra copy made on the way is removed again.
  EXPECT_EQ(Drop({kAnswerYes}, radio), 0);
  EXPECT_EQ(radio.extraPictureCount, 1);
  EXPECT_FALSE(fs::exists(Disk("r/a_1.jpg")));
  EXPECT_FALSE(registry.IsUsed("r\\a_1.jpg"));
  EXPECT_EQ(Contents("r/a.jpg"), old);
  fs::remove(Disk("r/a.jpg.part"));
  EXPECT_TRUE(Leftovers().empty());

  // No room for a backup: nothing is moved.
  fs::create_directories(Disk("r/a.bak"));
  for (int n = 1; n <= 9; ++n) fs::create_directories(Disk("r/a.bak" + std::to_string(n)));
  EXPECT_EQ(Drop({kAnswerNo, kAnswerYes}, radio), 0);
  EXPECT_EQ(messages.Texts().back(), "Couldn't back up picture file '" + Full("r\\a.jpg") +
                                         "' before copy operation, so we're giving up.");
  EXPECT_EQ(Contents("r/a.jpg"), old);

  // The retained copy cannot be made.
  fs::create_directories(Disk("r/a_1.jpg.part"));
  EXPECT_EQ(Drop({kAnswerYes}, radio), 0);
  EXPECT_EQ(messages.Texts().back(), "Can't copy " + Full("r\\a.jpg") + " to " + Full("r\\a_1.jpg") + ".");

  // Nothing was there to back up.
  RadioRecord& fresh = Radio("r\\new.jpg");
  fs::create_directories(Disk("r/new.jpg.part"));
  EXPECT_EQ(Drop({}, fresh), 0);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Could not copy '" + Disk("in/drop.jpg") + "' to '" +
                                                       Full("r\\new.jpg") + "'."});
  EXPECT_FALSE(collection.changed);
}

TEST_F(Replacing, DroppingOntoTheViewReplacesThenMakesTheThumbnailAndStepsOn) {
  RadioRecord& radio = Radio("r\\a.jpg", "r\\s\\a.jpg");
  WritePicture(Disk("in/big.jpg"), 400, 200, 200);
  std::vector<RadioRecord*> stepped;
  const std::function<void(RadioRecord&)> step = [&](RadioRecord& r) { stepped.push_back(&r); };
  const std::vector<std::string> files{Disk("in/big.jpg")};

  EXPECT_FALSE(DropPictureOnView(collection, registry, nullptr, files, step));
  EXPECT_FALSE(DropPictureOnView(collection, registry, &radio, {}, step));
  messages.Answer({kAnswerNo, kAnswerNo});
  EXPECT_FALSE(DropPictureOnView(collection, registry, &radio, files, step));
  EXPECT_TRUE(stepped.empty());

  messages.Answer({kAnswerNo, kAnswerYes});
  EXPECT_TRUE(DropPictureOnView(collection, registry, &radio, files, step));
  EXPECT_EQ(stepped, std::vector<RadioRecord*>{&radio});
  EXPECT_EQ(test::SizeOf(registry, radio.thumbnailIndex), (std::pair{100, 50}));
}

}  // namespace
}  // namespace korvel
