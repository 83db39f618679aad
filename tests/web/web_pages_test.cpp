// The sentences, captions, prices and safety of the published pages, record by record.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <set>

#include "support/collection_builder.h"
#include "support/random_collection.h"
#include "util/alu_encoding.h"
#include "web/web_pages.h"
#include "web/web_text.h"

namespace korvel {
namespace {

using test::Position;

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

  struct Case {
    const char* bands;
    const char* composition;
    const char* middle;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    Set(philco, c.bands, c.composition);
    EXPECT_EQ(Sentences(philco), std::string("      This radio is a Philco model 90 from 1931.\n") +
                                     c.middle +
                                     "      It has not been tested and is therefore being sold \"as is\".\n")
        << c.bands << ", " << c.composition;
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
  EXPECT_EQ(WebBaseName("zenith.jpg"), std::nullopt);
  EXPECT_EQ(WebBaseName("pictures\\h500.jpg"), std::nullopt);
  EXPECT_EQ(WebBaseName("pictures\\zenith\\h500"), std::nullopt);
  EXPECT_EQ(WebBaseName(""), std::nullopt);
}

}  // namespace
}  // namespace korvel
