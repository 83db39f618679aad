// The printed catalogue of a selection: a first page with the collection's title, the date, the
// number of radios and what they cost and are worth; then each radio with its picture, its
// description as the view draws it and the names of its extra pictures, several radios to a page
// when they are short, and at the foot of every page its number and the brands and models on it.
#pragma once

#include <string>

#include "collection/collection.h"
#include "draw/surface.h"
#include "pictures/picture_registry.h"

namespace korvel {

// The pages of a print job. The page's surface covers the whole sheet in device pixels (y up) and
// carries two fonts with their metrics: 0 for the text, 1 for the title.
class CataloguePages {
 public:
  virtual ~CataloguePages() = default;
  virtual bool StartPage() = 0;
  virtual bool EndPage() = 0;
  virtual draw::Surface& page() = 0;
};

inline constexpr int kCatalogueTextFont = 0;
inline constexpr int kCatalogueTitleFont = 1;

struct CatalogueInput {
  const Collection& collection;
  const RadioList& radios;  // in radio order
  PictureRegistry& registry;
  std::string title;  // the collection's name
  std::string date;   // as the records write dates
};

// Prints the catalogue; gives the number of pages printed, or 0 when a page could not be started or
// ended (the job has then failed).
int PrintCatalogue(CataloguePages& pages, const CatalogueInput& input);

// The collection's name on the first page: its data directory's name.
std::string CatalogueTitle(const std::string& dataDirectory);
// Today's date as the records write dates ("07Dec2026").
std::string TodayText();

// "$12,345": whole dollars with thousands grouped.
std::string GroupedDollars(long long dollars);

}  // namespace korvel
