// Publishing a selection onto disk: the list page in rows of three, the radio pages, the images at
// their sizes, and every radio that cannot be published reported and left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "pictures/gal_bitmap.h"
#include "pictures/picture_registration.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"
#include "web/web_publish.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;

std::pair<int, int> SizeOf(const std::string& path) {
  GalBitmap bitmap;
  int width = -1, height = -1;
  if (GalLoadBitmap(path, bitmap)) GalGetBitmapSize(bitmap, width, height);
  return {width, height};
}

class Publishing : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.SetDataDirectory(dir / "data");
    settings.root = dir / "site";
    for (const char* sub : {"html", "pictures", "snapshots"})
      fs::create_directories(dir.path() / "site" / sub);
  }
  // A radio of the selection whose picture names are under pictures\ in the data directory.
  RadioRecord& Radio(const std::string& brand, const std::string& model, const std::string& picture,
                     std::vector<std::string> extras = {}) {
    RadioRecord* r = test::AddLoadedRadio(collection, {.id = ++lastId, .brand = brand, .model = model});
    r->pictureFile = picture;
    const std::size_t slash = picture.rfind('\\');
    if (slash != std::string::npos)
      r->thumbnailFile = picture.substr(0, slash) + "\\smallpix" + picture.substr(slash);
    for (std::size_t i = 0; i < extras.size(); ++i) r->extraPictureFiles[static_cast<int>(i)] = extras[i];
    r->extraPictureCount = static_cast<int>(extras.size());
    RegisterRadioPictures(registry, *r);
    InsertRadio(collection.tables, r, selection);
    return *r;
  }
  void Picture(const std::string& name, int width, int height) {
    std::string native = name;
    std::replace(native.begin(), native.end(), '\\', '/');
    test::WritePicture(dir / ("data/" + native), width, height, 90);
  }
  std::string Site(const std::string& name) const { return dir / ("site/" + name); }
  std::string Shown(const std::string& sub, const std::string& name) const {
    return settings.root + "\\" + sub + "\\" + name;
  }

  test::TempDir dir;
  PictureRegistry registry;
  Collection collection = test::MakeCollection();
  RadioList selection;
  WebSettings settings;
  MessageRecorder messages;
  int lastId = 0;
};

std::string Cell(const std::string& base, const std::string& caption) {
  return "\t          <td align=center>\n"
         "\t\t     <a href=\"" +
         base +
         ".htm\">\n"
         "\t\t     <img src=\"../snapshots/" +
         base +
         ".jpg\" border=0></a>\n"
         "\t\t     <p>\n"
         "\t\t  <font size=3> " +
         caption +
         " - 1940</font>\n"
         "\t       </td>\n";
}

TEST_F(Publishing, FourRadiosFillOneRowAndOpenASecondAndTheSkippedTakeNoCell) {
  Radio("Crosley", "11", "pictures\\crosley\\11.jpg",
        {"pictures\\crosley\\11b.jpg", "pictures\\crosley\\gone.jpg"});
  Picture("pictures\\crosley\\11.jpg", 1000, 750);
  Picture("pictures\\crosley\\smallpix\\11.jpg", 120, 90);
  Picture("pictures\\crosley\\11b.jpg", 600, 800);
  Radio("Emerson", "E", "nopictur.bmp");  // no directories: not publishable
  Radio("Philco", "90", "pictures\\philco\\90.jpg");
  fs::create_directory(Site("html/philco_90.htm"));  // its page cannot be opened
  Radio("RCA Victor", "R", "pictures\\rca\\r.jpg");  // its picture is missing, its snapshot is not
  Picture("pictures\\rca\\smallpix\\r.jpg", 100, 75);
  // Stored in Windows-1252: the files are named as the pages, in UTF-8, link to them.
  Radio("Unknown", "U", "pictures\\unknown\\u&\xE9.jpg");
  Picture("pictures\\unknown\\u&\xE9.jpg", 400, 300);
  Picture("pictures\\unknown\\smallpix\\u&\xE9.jpg", 40, 30);
  Radio("Zenith", "Z", "pictures\\zenith\\z.jpg");
  Picture("pictures\\zenith\\z.jpg", 300, 400);
  Picture("pictures\\zenith\\smallpix\\z.jpg", 30, 40);

  ASSERT_EQ(PublishWeb(collection, registry, selection, settings), 1);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{
                "The picture 'pictures\\crosley\\gone.jpg' of the Crosley 11 cannot be read; its pages are "
                "published without it.",
                "Picture file name 'nopictur.bmp', in unexpected format.  Skipping this radio.",
                "Unable to open '" + Shown("html", "philco_90.htm") + "'.",
                "The picture 'pictures\\rca\\r.jpg' of the RCA Victor R cannot be read; its pages are "
                "published without it.",
            }));
  EXPECT_EQ(messages.messages()[1].severity, kWarning);
  EXPECT_EQ(messages.messages()[2].severity, kError);

  EXPECT_EQ(ReadFile(Site("html/radios.htm")),
            "<html>\n"
            "   <head>\n"
            "      <meta charset=\"utf-8\">\n"
            "      <title>Radio List</title>\n"
            "   </head>\n"
            "\n"
            "   <body>\n"
            "      <center>\n"
            "         <table border=0 cellspacing=40>\n"
            "\t       <tr>\n" +
                Cell("crosley_11", "Crosley 11") + Cell("rca_r", "RCA Victor R") +
                Cell("unknown_u%26%C3%A9", "Unknown U") +
                "\t    </tr>\n"
                "\t       <tr>\n" +
                Cell("zenith_z", "Zenith Z") +
                "         </table>\n"
                "      </center>\n"
                "   </body>\n"
                "</html>\n");
  EXPECT_EQ(ReadFile(Site("html/crosley_11.htm")),
            "<html>\n"
            "   <head>\n"
            "      <meta charset=\"utf-8\">\n"
            "      <title>Crosley Model 11</title>\n"
            "   </head>\n"
            "\n"
            "   <body>\n"
            "      <center>\n"
            "      <h1>Crosley Model 11</h1>\n"
            "      <hr size=4 width=\"50%\">\n"
            "      <img src=../pictures/crosley_11.jpg>\n"
            "      <hr size=4 width=\"50%\">\n"
            "      <img src=../pictures/crosley_11_0.jpg>\n"
            "      <hr size=4 width=\"50%\">\n"
            "      </center>\n"
            "   </body>\n"
            "</html>\n");
  // Pictures and extras shrink to 500 pixels on their longer side; a snapshot keeps its size.
  EXPECT_EQ(SizeOf(Site("pictures/crosley_11.jpg")), std::make_pair(500, 375));
  EXPECT_EQ(SizeOf(Site("snapshots/crosley_11.jpg")), std::make_pair(120, 90));
  EXPECT_EQ(SizeOf(Site("pictures/crosley_11_0.jpg")), std::make_pair(375, 500));
  EXPECT_EQ(SizeOf(Site("pictures/unknown_u&\xC3\xA9.jpg")), std::make_pair(400, 300));
  EXPECT_TRUE(fs::exists(Site("html/unknown_u&\xC3\xA9.htm")));
  EXPECT_TRUE(fs::exists(Site("snapshots/unknown_u&\xC3\xA9.jpg")));
  // A picture that cannot be read is left out of the page; the snapshot is there all the same.
  EXPECT_EQ(ReadFile(Site("html/rca_r.htm")).find("<img"), std::string::npos);
  EXPECT_TRUE(fs::exists(Site("snapshots/rca_r.jpg")));
  EXPECT_FALSE(fs::exists(Site("pictures/crosley_11_1.jpg")));
  EXPECT_FALSE(fs::exists(Site("html/emerson_e.htm")));
}

// Missing directories are made; one that cannot be is said once, and nothing links into it.
TEST_F(Publishing, DirectoriesAreMadeOrSaidOnce) {
  Radio("Zenith", "Z 1#", "pictures\\zenith\\z 1#.jpg", {"pictures\\zenith\\z2.jpg"});
  Picture("pictures\\zenith\\z 1#.jpg", 300, 400);
  Picture("pictures\\zenith\\smallpix\\z 1#.jpg", 30, 40);
  Picture("pictures\\zenith\\z2.jpg", 30, 40);
  settings.root = dir / "new site";
  settings.pictures = "images\\large";
  ASSERT_EQ(PublishWeb(collection, registry, selection, settings), 1);
  EXPECT_TRUE(messages.Texts().empty()) << messages.Texts()[0];
  EXPECT_EQ(SizeOf(dir / "new site/images/large/zenith_z 1#_0.jpg"), std::make_pair(30, 40));
  EXPECT_NE(ReadFile(dir / "new site/html/radios.htm").find("src=\"../snapshots/zenith_z%201%23.jpg\""),
            std::string::npos);
  EXPECT_NE(
      ReadFile(dir / "new site/html/zenith_z 1#.htm").find("<img src=../images/large/zenith_z%201%23.jpg>"),
      std::string::npos);

  test::WriteFile(dir / "new site/blocked", "a file where a directory should be");
  settings.pictures = "blocked";
  ASSERT_EQ(PublishWeb(collection, registry, selection, settings), 1);
  ASSERT_EQ(messages.Texts().size(), 1u);
  EXPECT_EQ(messages.Texts()[0].rfind("Unable to create the directory '" + settings.root + "\\blocked': ", 0),
            0u)
      << messages.Texts()[0];
  EXPECT_EQ(ReadFile(dir / "new site/html/zenith_z 1#.htm").find("<img"), std::string::npos);
  messages.Clear();
  settings.html = "blocked";
  EXPECT_EQ(PublishWeb(collection, registry, selection, settings), 0);
  EXPECT_EQ(messages.Texts().size(), 1u);
}

TEST_F(Publishing, AListPageThatCannotBeOpenedOrWrittenFailsTheCommand) {
  Radio("Zenith", "Z", "pictures\\zenith\\z.jpg");
  fs::create_directory(Site("html/radios.htm"));
  EXPECT_EQ(PublishWeb(collection, registry, selection, settings), 0);
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"Unable to open '" + Shown("html", "radios.htm") + "'."});
  EXPECT_TRUE(fs::is_empty(Site("pictures")));
  fs::remove(Site("html/radios.htm"));

  // A page that cannot be written to the end is a failure too, not a published site.
  if (!fs::exists("/dev/full")) return;
  messages.Clear();
  fs::create_symlink("/dev/full", Site("html/radios.htm"));
  EXPECT_EQ(PublishWeb(collection, registry, selection, settings), 0);
  ASSERT_FALSE(messages.Texts().empty());
  EXPECT_EQ(messages.Texts().back(), "Unable to write '" + Shown("html", "radios.htm") + "'.");
}

}  // namespace
}  // namespace korvel
