#include "web/web_pages.h"

#include <string>

#include "util/alu_string.h"
#include "web/web_text.h"

namespace korvel {
namespace {

constexpr const char* kRule = "      <hr size=4 width=\"50%\">\n";

const std::string& Entry(const Collection& collection, int kind, int position) {
  return collection.tables[kind].Text(position);
}

std::string Lowered(std::string text) {
  AluLowerOutsideQuotes(text);
  return text;
}

bool Restored(const RadioRecord& radio) {
  return radio.status == kStatusRestored || radio.status == kStatusRestoredForSale;
}

// "Zenith Model H-500", as the caption, the title and the heading show it.
std::string BrandModel(const Collection& collection, const RadioRecord& radio) {
  return WebText(Entry(collection, kTableBrandName, radio.brand)) + " Model " + WebText(radio.model);
}

std::string PageHead(const std::string& title) {
  return "<html>\n"
         "   <head>\n"
         "      <meta charset=\"utf-8\">\n"
         "      <title>" +
         title +
         "</title>\n"
         "   </head>\n"
         "\n"
         "   <body>\n";
}

}  // namespace

std::optional<std::string> WebBaseName(std::string_view pictureFile) {
  const std::size_t first = pictureFile.find('\\');
  if (first == std::string_view::npos) return std::nullopt;
  std::string base(pictureFile.substr(first + 1));
  const std::size_t second = base.find('\\');
  if (second == std::string::npos) return std::nullopt;
  base[second] = '_';
  const std::size_t dot = base.find('.');
  if (dot == std::string::npos) return std::nullopt;
  base.resize(dot);
  return base;
}

const char* DecadeAdjective(int year) {
  if (year < 1920) return "very old ";
  if (year < 1930) return "wonderful 1920's ";
  if (year < 1940) return "classic 1930's ";
  if (year < 1950) return "great 1940's ";
  if (year < 1960) return "typical 1950's ";
  if (year < 1970) return "1960's ";
  return "late model ";
}

const char* TechnologyWord(int technology) {
  switch (technology) {
    case kTechTube:
      return "tube ";
    case kTechTransistor:
      return "transistor ";
    default:
      return "";
  }
}

int AskingPrice(const RadioRecord& radio) {
  long long price = radio.purchasePrice;
  if (Restored(radio)) price += radio.restorationCost;
  if (radio.value > price) price = radio.value;
  return static_cast<int>(price * 6 / 5);
}

WebImages AllWebImages(const RadioRecord& radio) {
  WebImages images;
  for (int i = 0; i < UsedExtraPictures(radio); ++i) images.extras.push_back(i);
  return images;
}

std::string ListPageHead() {
  return PageHead("Radio List") +
         "      <center>\n"
         "         <table border=0 cellspacing=40>\n";
}

std::string ListPageEntry(const Collection& collection, const RadioRecord& radio, const std::string& base,
                          int n, const WebSettings& settings, const WebImages& images) {
  const std::string name = WebUrl(base);
  std::string text;
  if (n % 3 == 0) text += "\t       <tr>\n";
  text += "\t          <td align=center>\n";
  text += "\t\t     <a href=\"" + name + ".htm\">\n";
  if (images.snapshot) {
    text += "\t\t     <img src=\"../" + WebUrl(settings.snapshots) + "/" + name + ".jpg\" border=0></a>\n";
  } else {
    text += "\t\t     " + BrandModel(collection, radio) + "</a>\n";
  }
  text += "\t\t     <p>\n";
  if (settings.descriptions) {
    text += "\t\t     <br><font size=4 color=#C60021>" + BrandModel(collection, radio) + "</font>\n";
    text += std::string("\t\t     <br>A ") + DecadeAdjective(radio.year) + TechnologyWord(radio.technology) +
            WebText(Lowered(Entry(collection, kTableCabinetStyle, radio.cabinetStyle))) + " radio.\n";
    text += AluFormat("\t\t     <br><b>$%d</b><p>\n", AskingPrice(radio));
    text += "\t          </td>\n";
    if (n % 3 == 2) text += "\t       </tr>\n";
  } else {
    text += "\t\t  <font size=3> " + WebText(Entry(collection, kTableBrandName, radio.brand)) + " " +
            WebText(radio.model) + AluFormat(" - %d</font>\n", radio.year);
    text += "\t       </td>\n";
    if (n % 3 == 2) text += "\t    </tr>\n";
  }
  return text;
}

std::string ListPageTail() {
  return "         </table>\n"
         "      </center>\n"
         "   </body>\n"
         "</html>\n";
}

std::string RadioSentences(const Collection& collection, const RadioRecord& radio) {
  const std::string& brand = Entry(collection, kTableBrandName, radio.brand);
  std::string text;
  const char first = brand.empty() ? '\0' : brand[0];
  const bool vowel = first == 'A' || first == 'E' || first == 'I' || first == 'O' || first == 'U';
  text += std::string("      This radio is ") + (vowel ? "an " : "a ") + WebText(brand) + " model " +
          WebText(radio.model) + AluFormat(" from %d.\n", radio.year);

  const std::string& bands = Entry(collection, kTableBands, radio.bands);
  if (bands == "FM" || bands == "Shortwave") {
    text += "      It is a " + WebText(bands) + " only radio.\n";
  } else if (bands == "AM/FM Broadcast") {
    text += "      It is an AM/FM radio.\n";
  } else if (bands == "AM/FM Broadcast/Shortwave" || bands == "Broadcast/Shortwave") {
    text += "      It is multi-band radio covering " + WebText(bands) + ".\n";
  }

  const std::string damage = Lowered(radio.damage);
  if (!damage.empty() && damage != "none") {
    text += "      " + WebText(radio.damage) + "\n";
  } else {
    const std::string c = Lowered(Entry(collection, kTableCabinetComposition, radio.cabinetComposition));
    if (c == "bakelite" || c == "beetle" || c == "catalin" || c == "painted bakelite" || c == "plastic" ||
        c == "urea") {
      text += "      The " + WebText(c) + " case is in good shape, with no \n";
      text += c == "plastic" ? "      cracks or chips.\n" : "      cracks or chips in the plastic.\n";
      if (c == "painted bakelite") {
        text += "      The paint is in fair condition, with \n";
        text += "      a small number of small chips.\n";
      }
    } else if (c == "wood") {
      text += "      The finish is original, and shows normal wear.\n";
      text += "      There are no missing pieces of veneer.\n";
    }
  }

  if (Restored(radio)) {
    text += "      This radio has been electronically restored to working condition.\n";
  } else {
    text += "      It has not been tested and is therefore being sold \"as is\".\n";
  }
  return text;
}

std::string RadioPage(const Collection& collection, const RadioRecord& radio, const std::string& base,
                      const WebSettings& settings, const WebImages& images) {
  const std::string title = BrandModel(collection, radio);
  std::string text = PageHead(title);
  text += "      <center>\n";
  text += "      <h1>" + title + "</h1>\n";
  text += kRule;
  if (settings.descriptions) {
    text += "      </center>\n";
    text += RadioSentences(collection, radio);
    text += "      <center>\n";
    text += kRule;
  }
  // This attribute has always been written without quotes.
  const std::string picture = "      <img src=../" + WebUrl(settings.pictures) + "/" + WebUrl(base);
  if (images.picture) {
    text += picture + ".jpg>\n";
    text += kRule;
  }
  for (int i : images.extras) {
    text += picture + AluFormat("_%d.jpg>\n", i);
    text += kRule;
  }
  text +=
      "      </center>\n"
      "   </body>\n"
      "</html>\n";
  return text;
}

}  // namespace korvel
