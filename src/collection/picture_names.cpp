#include "collection/picture_names.h"

#include <algorithm>

namespace korvel {
namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsVowel(char c) {
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

constexpr std::size_t kShortNameLength = 8;

// Length of the run of letters at the start.
std::size_t LeadingLetters(const std::string& s) {
  std::size_t n = 0;
  while (n < s.size() && IsLetter(s[n])) ++n;
  return n;
}

}  // namespace

bool HasOwnPicture(const RadioRecord& record) {
  return !record.pictureFile.empty() && record.pictureFile != kPicturePlaceholder;
}

std::string ShortName(std::string_view text) {
  std::string s;
  for (char c : text) {
    if (c == ' ' || c == '.' || c == '?' || c == '\'') continue;
    s += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  if (s.size() <= kShortNameLength) return s;
  std::erase(s, '-');
  if (s.size() <= kShortNameLength) return s;

  // Vowels first, from the end of the leading word, so the consonants keep it recognisable.
  while (s.size() > kShortNameLength) {
    const std::size_t run = LeadingLetters(s);
    std::size_t vowel = run;
    for (std::size_t i = run; i-- > 0;) {
      if (IsVowel(s[i])) {
        vowel = i;
        break;
      }
    }
    if (vowel == run) break;
    s.erase(vowel, 1);
  }
  while (s.size() > kShortNameLength) {
    const std::size_t run = LeadingLetters(s);
    if (run == 0) break;
    s.erase(run - 1, 1);
  }
  if (s.size() > kShortNameLength) s.resize(kShortNameLength);
  return s;
}

std::string PicturePath(const Collection& collection, int brand, std::string_view model, bool thumbnail) {
  const auto& directories = collection.brandPictureDirectories;
  std::string directory;
  if (brand >= 0 && brand < static_cast<int>(directories.size())) directory = directories[brand];
  if (directory.empty()) directory = ShortName(collection.tables[kTableBrandName].Text(brand));
  std::string path = "pictures\\" + directory + "\\";
  if (thumbnail) path += "smallpix\\";
  path += ShortName(model);
  path += ".jpg";
  return path;
}

void SetPictureNames(const Collection& collection, RadioRecord& record) {
  record.pictureFile = PicturePath(collection, record.brand, record.model, false);
  record.thumbnailFile = PicturePath(collection, record.brand, record.model, true);
}

void FixupPictureFileNames(Collection& collection) {
  const LookupTable& brands = collection.tables[kTableBrandName];
  auto& directories = collection.brandPictureDirectories;
  directories.assign(brands.Count(), std::string());

  for (const RadioRecord* r : collection.radios) {
    if (r->brand < 0 || r->brand >= brands.Count() || !directories[r->brand].empty()) continue;
    if (!HasOwnPicture(*r)) continue;
    const std::string& path = r->pictureFile;
    const std::size_t last = path.rfind('\\');
    if (last == std::string::npos || last == 0) continue;
    const std::size_t before = path.rfind('\\', last - 1);
    if (before == std::string::npos) continue;
    directories[r->brand] = path.substr(before + 1, last - before - 1);
  }
  for (int b = 0; b < brands.Count(); ++b) {
    if (directories[b].empty()) directories[b] = brands.entries[b].substr(0, kShortNameLength);
  }
  for (RadioRecord* r : collection.radios) {
    if (HasOwnPicture(*r)) continue;
    std::string picture = PicturePath(collection, r->brand, r->model, false);
    std::string thumbnail = PicturePath(collection, r->brand, r->model, true);
    if (picture == r->pictureFile && thumbnail == r->thumbnailFile) continue;
    if (!PrepareRadioChange(collection, *r)) continue;
    r->pictureFile = std::move(picture);
    r->thumbnailFile = std::move(thumbnail);
  }
}

}  // namespace korvel
