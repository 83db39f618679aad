// The texts of a published site: the list page with a cell per radio in rows of three, and one page
// per radio with its pictures and, when asked for, a short sales description and an asking price.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "collection/collection.h"
#include "web/web_settings.h"

namespace korvel {

// From a picture file name such as "pictures\zenith\h500.jpg": the brand directory and the file
// name joined by "_", without extension ("zenith_h500"). None when the name lacks either
// separator or the dot.
std::optional<std::string> WebBaseName(std::string_view pictureFile);

// "classic 1930's " and so on, by year; each ends in a blank.
const char* DecadeAdjective(int year);
// "tube ", "transistor ", or nothing for crystal and hybrid sets.
const char* TechnologyWord(int technology);
// Cost, plus the restoration for a restored set, or the value when that is more; then 20 % on top.
int AskingPrice(const RadioRecord& radio);

// The images of a radio that reached the site; its pages link to these and to nothing else.
struct WebImages {
  bool picture = true;
  bool snapshot = true;
  std::vector<int> extras;  // the numbers i of the files B_i.jpg written
};
// Every image of the radio, as when nothing failed.
WebImages AllWebImages(const RadioRecord& radio);

std::string ListPageHead();
// The cell of the n-th published radio (n from 0): a row opens before every third cell and closes
// after it, so a last row that is not full stays open. Without a snapshot the link is the radio's
// brand and model.
std::string ListPageEntry(const Collection& collection, const RadioRecord& radio, const std::string& base,
                          int n, const WebSettings& settings, const WebImages& images);
std::string ListPageTail();

// The radio's own page: its title, the description when asked for, the main picture and the extras
// that were written.
std::string RadioPage(const Collection& collection, const RadioRecord& radio, const std::string& base,
                      const WebSettings& settings, const WebImages& images);
// The description's sentences, one line each: article, bands, condition, restoration.
std::string RadioSentences(const Collection& collection, const RadioRecord& radio);

}  // namespace korvel
