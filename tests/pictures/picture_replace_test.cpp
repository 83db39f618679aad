#include <functional>

#include "picture_files_fixture.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::WritePicture;

const std::string kThreeWay =
    "Do you want to retain the old picture file as one of the extra pictures (yes), delete the old picture "
    "file (no), or cancel the operation (cancel)?";

// A radio "r\a.jpg" with an old picture of shade 10, and a dropped picture of shade 200.
class Replacing : public test::PictureFiles {
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
  messages.Answer({kAnswerCancel});
  EXPECT_EQ(Drop(radio), 0);
  messages.Answer({kAnswerNo, kAnswerNo});
  EXPECT_EQ(Drop(radio), 0);
  EXPECT_EQ(Contents("r/a.jpg"), old);

  messages.Clear();
  messages.Answer({kAnswerNo, kAnswerYes});
  EXPECT_EQ(Drop(radio), 1);
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
  messages.Answer({kAnswerYes});
  EXPECT_EQ(Drop(radio), 1);
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
  messages.Clear();
  messages.Answer({kAnswerYes});
  EXPECT_EQ(Drop(full), 0);
  EXPECT_EQ(messages.Texts().back(), "Already have 10 extra picture files.");

  RadioRecord& crowded = Radio("r\\c.jpg");
  WritePicture(Disk("r/c.jpg"), 2, 2, 50);
  for (int n = 0; n <= 20; ++n) WritePicture(Disk("r/c_" + std::to_string(n) + ".jpg"), 2, 2, 50);
  messages.Clear();
  messages.Answer({kAnswerYes});
  EXPECT_EQ(Drop(crowded), 0);
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
  messages.Answer({kAnswerYes});
  EXPECT_EQ(Drop(radio, "in/other.jpg"), 1);
  EXPECT_EQ(radio.pictureFile, "r\\a.jpg");
  EXPECT_EQ(radio.extraPictureFiles[0], "r\\a_0.jpg");
  EXPECT_EQ(Contents("r/a_0.jpg"), old);
}

TEST_F(Replacing, SharedPicturesAreOnlyReplacedAfterAYes) {
  RadioRecord& radio = Radio("r\\a.jpg", "r\\s\\a.jpg");
  Radio("r\\b.jpg", "r\\s\\a.jpg");
  WritePicture(Disk("r/s/a.jpg"), 2, 2, 1);
  messages.Answer({kAnswerNo});
  EXPECT_EQ(Drop(radio, "in/drop.bmp"), 0);
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"Thumbnail picture file '" + Full("r\\s\\a.jpg") +
                                     "' is also used by another radio, do you still want to "
                                     "replace it?"});
  EXPECT_FALSE(registry.IsUsed("r\\a.bmp"));  // the new name's registration is given back

  RadioRecord& sharing = Radio("r\\a.jpg");
  messages.Clear();
  messages.Answer({kAnswerYes, kAnswerNo, kAnswerNo});
  EXPECT_EQ(Drop(sharing), 0);
  EXPECT_EQ(messages.Texts().back(), "Picture file '" + Full("r\\a.jpg") +
                                         "' is also used by another radio, do you still want to replace it?");
  EXPECT_EQ(Contents("r/a.jpg"), old);
}

TEST_F(Replacing, AFailedCopyPutsTheOldFileBackAndChangesNothing) {
  RadioRecord& radio = Radio("r\\a.jpg", {}, {"r\\a_0.jpg"});
  fs::create_directories(Disk("r/a.jpg.part"));  // the copy cannot be written
  messages.Answer({kAnswerNo, kAnswerYes});
  EXPECT_EQ(Drop(radio), 0);
  EXPECT_EQ(messages.Texts().back(), "Could not copy '" + Disk("in/drop.jpg") + "' to '" + Full("r\\a.jpg") +
                                         "', replacing original version.");
  EXPECT_EQ(Contents("r/a.jpg"), old);

  // Retained: the extra copy made on the way is removed again.
  messages.Clear();
  messages.Answer({kAnswerYes});
  EXPECT_EQ(Drop(radio), 0);
  EXPECT_EQ(radio.extraPictureCount, 1);
  EXPECT_FALSE(fs::exists(Disk("r/a_1.jpg")));
  EXPECT_FALSE(registry.IsUsed("r\\a_1.jpg"));
  EXPECT_EQ(Contents("r/a.jpg"), old);
  fs::remove(Disk("r/a.jpg.part"));
  EXPECT_TRUE(Leftovers().empty());

  // No room for a backup: nothing is moved.
  fs::create_directories(Disk("r/a.bak"));
  for (int n = 1; n <= 9; ++n) fs::create_directories(Disk("r/a.bak" + std::to_string(n)));
  messages.Clear();
  messages.Answer({kAnswerNo, kAnswerYes});
  EXPECT_EQ(Drop(radio), 0);
  EXPECT_EQ(messages.Texts().back(), "Couldn't back up picture file '" + Full("r\\a.jpg") +
                                         "' before copy operation, so we're giving up.");
  EXPECT_EQ(Contents("r/a.jpg"), old);

  // The retained copy cannot be made.
  fs::create_directories(Disk("r/a_1.jpg.part"));
  messages.Clear();
  messages.Answer({kAnswerYes});
  EXPECT_EQ(Drop(radio), 0);
  EXPECT_EQ(messages.Texts().back(), "Can't copy " + Full("r\\a.jpg") + " to " + Full("r\\a_1.jpg") + ".");

  // Nothing was there to back up.
  RadioRecord& fresh = Radio("r\\new.jpg");
  fs::create_directories(Disk("r/new.jpg.part"));
  messages.Clear();
  EXPECT_EQ(Drop(fresh), 0);
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
  int w = 0, h = 0;
  ASSERT_TRUE(registry.GetSize(radio.thumbnailIndex, w, h));
  EXPECT_EQ(w * 1000 + h, 100 * 1000 + 50);
}

}  // namespace
}  // namespace korvel
