// The sentences, captions, prices and safety of the published pages, record by record.
#include <gtest/gtest.h>

#include "support/collection_builder.h"
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

TEST_F(WebPageTexts, CollectionTextsAreShownAsUtf8TextNeverAsMarkup) {
  collection.tables[kTableBrandName].entries.push_back("T\xE9l\xE9 \"Ond\xE9\"");  // Windows-1252
  collection.brandManufacturer.push_back(0);
  RadioRecord& radio =
      Radio({.brand = "Zenith", .model = "<b>5&6</b>", .year = 1948, .cabinetStyle = "Table"});
  radio.brand = collection.tables[kTableBrandName].Count() - 1;
  radio.damage = "Knob <missing> & \"cracked\"";
  radio.extraPictureCount = 1;
  const std::string base = "Acme Rad_a&b\xE9";
  const std::string brand = "T\xC3\xA9l\xC3\xA9 &quot;Ond\xC3\xA9&quot;";
  const std::string model = "&lt;b&gt;5&amp;6&lt;/b&gt;";

  const std::string entry = ListPageEntry(collection, radio, base, 0, {}, AllWebImages(radio));
  EXPECT_NE(entry.find("<a href=\"Acme%20Rad_a%26b%C3%A9.htm\">"), std::string::npos) << entry;
  EXPECT_NE(entry.find("<font size=3> " + brand + " " + model + " - 1948</font>"), std::string::npos)
      << entry;

  const std::string page = RadioPage(collection, radio, base, descriptions, AllWebImages(radio));
  EXPECT_EQ(page.rfind("<html>\n   <head>\n      <meta charset=\"utf-8\">\n      <title>", 0), 0u) << page;
  EXPECT_NE(page.find("<title>" + brand + " Model " + model + "</title>\n"), std::string::npos) << page;
  EXPECT_NE(page.find("<h1>" + brand + " Model " + model + "</h1>\n"), std::string::npos);
  EXPECT_NE(page.find("      This radio is a " + brand + " model " + model + " from 1948.\n"),
            std::string::npos);
  EXPECT_NE(page.find("      Knob &lt;missing&gt; &amp; &quot;cracked&quot;\n"), std::string::npos);
  // The picture's attribute has no quotes: a blank in the name must not end it.
  EXPECT_NE(page.find("      <img src=../pictures/Acme%20Rad_a%26b%C3%A9.jpg>\n"), std::string::npos);
  EXPECT_NE(page.find("      <img src=../pictures/Acme%20Rad_a%26b%C3%A9_0.jpg>\n"), std::string::npos);
  EXPECT_EQ(page.find('<', page.find("<h1>") + 4), page.find("</h1>"));  // nothing inside but text
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
