// The published pages: their sentences, captions, prices and safety record by record, and the site on
// disk, the list page in rows of three, the radio pages, the images at their sizes, and every radio
// that cannot be published reported and left out.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "pictures/gal_bitmap.h"
#include "pictures/picture_registration.h"
#include "support/collection_builder.h"
#include "support/random_collection.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/alu_encoding.h"
#include "util/alu_path.h"
#include "util/message_recorder.h"
#include "web/web_pages.h"
#include "web/web_publish.h"
#include "web/web_text.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::Position;
using test::ReadFile;

class WebPageTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    auto add = [&](int kind, const std::string& entry) { collection.tables[kind].entries.push_back(entry); };
    add(kTableBrandName, "eTone");
    collection.brandManufacturer.push_back(0);
    collection.brandPictureDirectories.emplace_back();
    for (const char* bands : {"Broadcast", "FM", "Shortwave", "AM/FM Broadcast", "AM/FM Broadcast/Shortwave",
                              "Broadcast/Shortwave"})
      add(kTableBands, bands);
    add(kTableCabinetComposition, "Painted Bakelite");
    add(kTableCabinetComposition, "Urea");
  }
  RadioRecord& Radio(const test::RadioFields& fields) {
    radios.push_back(test::MakeRadio(collection, fields));
    return *radios.back();
  }
  void Set(RadioRecord& radio, const std::string& bands, const std::string& composition) {
    radio.bands = Position(collection, kTableBands, bands);
    radio.cabinetComposition = Position(collection, kTableCabinetComposition, composition);
  }
  std::string Sentences(const RadioRecord& radio) { return RadioSentences(collection, radio); }

  Collection collection = test::MakeCollection();
  std::vector<std::unique_ptr<RadioRecord>> radios;
  WebSettings descriptions{.descriptions = true};
};

TEST_F(WebPageTexts, CaptionOfA1965TubeTableRadioAndItsAskingPrice) {
  RadioRecord& radio = Radio({.brand = "Zenith",
                              .model = "H-500",
                              .year = 1965,
                              .cabinetStyle = "Table",
                              .status = kStatusRestored,
                              .technology = kTechTube});
  radio.purchasePrice = 20;
  radio.restorationCost = 30;
  radio.value = 40;
  EXPECT_EQ(ListPageEntry(collection, radio, "zenith_h500", 4, descriptions, AllWebImages(radio)),
            "\t          <td align=center>\n"
            "\t\t     <a href=\"zenith_h500.htm\">\n"
            "\t\t     <img src=\"../snapshots/zenith_h500.jpg\" border=0></a>\n"
            "\t\t     <p>\n"
            "\t\t     <br><font size=4 color=#C60021>Zenith Model H-500</font>\n"
            "\t\t     <br>A 1960's tube table radio.\n"
            "\t\t     <br><b>$60</b><p>\n"
            "\t          </td>\n");
  // Only a restored set counts its restoration; the value wins when it is more.
  radio.status = kStatusSold;
  EXPECT_EQ(AskingPrice(radio), 48);
  radio.value = 10;
  radio.status = kStatusRestoredForSale;
  EXPECT_EQ(AskingPrice(radio), 60);

  // A crystal set has no technology word.
  radio.technology = kTechCrystal;
  radio.year = 1930;
  radio.cabinetStyle = Position(collection, kTableCabinetStyle, "Cathedral");
  EXPECT_NE(ListPageEntry(collection, radio, "b", 0, descriptions, AllWebImages(radio))
                .find("<br>A classic 1930's cathedral radio.\n"),
            std::string::npos);
}

TEST_F(WebPageTexts, SentencesFollowTheBrandBandsDamageCabinetAndStatus) {
  RadioRecord& emerson =
      Radio({.brand = "Emerson", .model = "AX-235", .year = 1938, .status = kStatusRestored});
  Set(emerson, "Broadcast", "Catalin");
  emerson.damage = "NoNe";
  EXPECT_EQ(Sentences(emerson),
            "      This radio is an Emerson model AX-235 from 1938.\n"
            "      The catalin case is in good shape, with no \n"
            "      cracks or chips in the plastic.\n"
            "      This radio has been electronically restored to working condition.\n");

  // A lower-case first letter takes "a"; damage is written as entered.
  RadioRecord& etone = Radio({.brand = "eTone", .model = "7", .year = 1951, .status = kStatusForSale});
  Set(etone, "FM", "Plastic");
  etone.damage = "Crack in the TOP";
  EXPECT_EQ(Sentences(etone),
            "      This radio is a eTone model 7 from 1951.\n"
            "      It is a FM only radio.\n"
            "      Crack in the TOP\n"
            "      It has not been tested and is therefore being sold \"as is\".\n");

  // Bands, cabinet composition, and what is said of them.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"AM/FM Broadcast", "Plastic",
       "      It is an AM/FM radio.\n"
       "      The plastic case is in good shape, with no \n"
       "      cracks or chips.\n"},
      {"Broadcast/Shortwave", "Painted Bakelite",
       "      It is multi-band radio covering Broadcast/Shortwave.\n"
       "      The painted bakelite case is in good shape, with no \n"
       "      cracks or chips in the plastic.\n"
       "      The paint is in fair condition, with \n"
       "      a small number of small chips.\n"},
      {"AM/FM Broadcast/Shortwave", "Wood",
       "      It is multi-band radio covering AM/FM Broadcast/Shortwave.\n"
       "      The finish is original, and shows normal wear.\n"
       "      There are no missing pieces of veneer.\n"},
      {"Shortwave", "Unknown", "      It is a Shortwave only radio.\n"},
      {"AM", "Urea",  // bands outside the list say nothing
       "      The urea case is in good shape, with no \n"
       "      cracks or chips in the plastic.\n"},
  };
  RadioRecord& philco = Radio({.brand = "Philco", .model = "90", .year = 1931});
  for (const auto& [bands, composition, middle] : cases) {
    Set(philco, bands, composition);
    EXPECT_EQ(Sentences(philco), std::string("      This radio is a Philco model 90 from 1931.\n") + middle +
                                     "      It has not been tested and is therefore being sold \"as is\".\n")
        << bands << ", " << composition;
  }
}

// Fails unless every tag of the page is one the pages are made of, every attribute value is whole
// and every & begins an entity: what a collection holds can only have become text.
void ExpectOnlyTheProgramsMarkup(const std::string& page) {
  static const std::set<std::string> tags = {"a",  "b",     "body", "br",    "center", "font",
                                             "h1", "head",  "hr",   "html",  "img",    "meta",
                                             "p",  "table", "td",   "title", "tr"};
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (page[i] == '&') {
      const bool entity = page.compare(i, 5, "&amp;") == 0 || page.compare(i, 4, "&lt;") == 0 ||
                          page.compare(i, 4, "&gt;") == 0 || page.compare(i, 6, "&quot;") == 0;
      if (!entity) RC_FAIL("a text's & reached the page bare: " + page.substr(i, 20));
    } else if (page[i] == '>') {
      RC_FAIL("a text's > reached the page bare: " + page.substr(i > 20 ? i - 20 : 0, 40));
    } else if (page[i] == '<') {
      std::size_t end = page.find_first_of(" >", i);
      RC_ASSERT(end != std::string::npos);
      std::string name = page.substr(i + 1, end - i - 1);
      if (!name.empty() && name[0] == '/') name.erase(0, 1);
      if (!tags.contains(name)) RC_FAIL("a text became the tag <" + name + "> on the page");
      // Attributes: name=value, the value quoted or running up to a blank or the tag's end.
      for (i = end; page[i] != '>'; ++i) {
        RC_ASSERT(i < page.size());
        if (page[i] == '"') {
          const std::size_t close = page.find('"', i + 1);
          RC_ASSERT(close != std::string::npos);
          const std::string value = page.substr(i + 1, close - i - 1);
          if (value.find_first_of("<>") != std::string::npos) RC_FAIL("an attribute value was cut: " + value);
          i = close;
        } else if (page[i] == '<') {
          RC_FAIL("a tag was left open: " + page.substr(end, 40));
        }
      }
    }
  }
}

RC_GTEST_PROP(WebPages, NoCollectionTextReachesAPageAsMarkup, ()) {
  const std::string text = test::RandomText(40);
  const std::string shown = WebText(text);
  std::string back = shown;
  for (const auto& [entity, c] : std::vector<std::pair<std::string, std::string>>{
           {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
    for (std::size_t at = back.find(entity); at != std::string::npos; at = back.find(entity, at + 1)) {
      back.replace(at, entity.size(), c);
    }
  }
  RC_ASSERT(back == AluDisplayUtf8(text));  // shown as the program shows it
  RC_ASSERT(shown.find_first_of("<>\"") == std::string::npos);
  RC_ASSERT(WebUrl(text).find_first_of(" \t<>\"") == std::string::npos);

  const Collection c = test::RandomCollection();
  const std::string base = test::RandomText(20);
  for (const RadioRecord* r : c.radios) {
    ExpectOnlyTheProgramsMarkup(ListPageEntry(c, *r, base, 0, {.descriptions = true}, AllWebImages(*r)));
    ExpectOnlyTheProgramsMarkup(RadioPage(c, *r, base, {.descriptions = true}, AllWebImages(*r)));
  }
}

// Addresses reach the file of that name whatever it holds, and only the images written are linked.
TEST_F(WebPageTexts, AddressesAreEncodedAndOnlyWrittenImagesLinked) {
  const std::pair<const char*, const char*> names[] = {
      {"zenith_h#500", "zenith_h%23500"},
      {"what?", "what%3F"},
      {"100%", "100%25"},
      {"a b\tc", "a%20b%09c"},
      {"sub\\dir", "sub/dir"},
      {"caf\xe9", "caf%C3%A9"},
      {"<\"'&>", "%3C%22%27%26%3E"},
      {"Ok-1.2_x~/y", "Ok-1.2_x~/y"},
  };
  for (const auto& [stored, url] : names) EXPECT_EQ(WebUrl(stored), url) << stored;

  RadioRecord& radio = Radio({.brand = "Zenith", .model = "Z", .year = 1948});
  radio.extraPictureCount = 3;
  const WebImages images{.picture = false, .snapshot = false, .extras = {1}};
  const std::string entry = ListPageEntry(collection, radio, "z#1", 0, {}, images);
  EXPECT_EQ(entry.find("<img"), std::string::npos) << "a snapshot that was not written is linked: " << entry;
  EXPECT_NE(entry.find("<a href=\"z%231.htm\">\n\t\t     Zenith Model Z</a>\n"), std::string::npos) << entry;
  const std::string page = RadioPage(collection, radio, "z#1", {}, images);
  EXPECT_EQ(page.find("<img"), page.find("<img src=../pictures/z%231_1.jpg>")) << page;
  EXPECT_EQ(page.find("<img", page.find("<img") + 1), std::string::npos) << page;
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos) << "the page does not declare UTF-8";
}

TEST(WebBaseName, BrandDirectoryAndFileNameWithoutExtension) {
  EXPECT_EQ(WebBaseName("pictures\\zenith\\h500.jpg"), "zenith_h500");
  EXPECT_EQ(WebBaseName("pictures\\Acme Rad\\h-500.x.jpg"), "Acme Rad_h-500");
  EXPECT_EQ(WebBaseName("a\\b\\c\\d.jpg"), "b_c\\d");  // only the next separator is joined
  for (const char* none : {"zenith.jpg", "pictures\\h500.jpg", "pictures\\zenith\\h500", ""})
    EXPECT_EQ(WebBaseName(none), std::nullopt) << none;
}

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
    test::WritePicture(dir / ("data/" + AluNativePath(name)), width, height, 90);
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

// A page of the site: its title, then what stands inside its <center>.
std::string Page(const std::string& title, const std::string& body) {
  return "<html>\n   <head>\n      <meta charset=\"utf-8\">\n      <title>" + title +
         "</title>\n   </head>\n\n   <body>\n      <center>\n" + body +
         "      </center>\n   </body>\n</html>\n";
}

// One radio's cell of the list page, without descriptions.
std::string Cell(const std::string& base, const std::string& caption) {
  return "\t          <td align=center>\n\t\t     <a href=\"" + base +
         ".htm\">\n\t\t     <img src=\"../snapshots/" + base +
         ".jpg\" border=0></a>\n\t\t     <p>\n\t\t  <font size=3> " + caption +
         " - 1940</font>\n\t       </td>\n";
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
            Page("Radio List", "         <table border=0 cellspacing=40>\n\t       <tr>\n" +
                                   Cell("crosley_11", "Crosley 11") + Cell("rca_r", "RCA Victor R") +
                                   Cell("unknown_u%26%C3%A9", "Unknown U") + "\t    </tr>\n\t       <tr>\n" +
                                   Cell("zenith_z", "Zenith Z") + "         </table>\n"));
  const std::string rule = "      <hr size=4 width=\"50%\">\n";
  EXPECT_EQ(ReadFile(Site("html/crosley_11.htm")),
            Page("Crosley Model 11", "      <h1>Crosley Model 11</h1>\n" + rule +
                                         "      <img src=../pictures/crosley_11.jpg>\n" + rule +
                                         "      <img src=../pictures/crosley_11_0.jpg>\n" + rule));
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
