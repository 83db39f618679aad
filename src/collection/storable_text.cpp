#include "collection/storable_text.h"

#include "collection/data_file.h"
#include "util/alu_string.h"

namespace korvel {

std::string StorageProblem(std::string_view text, StoredText kind) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 32)
      return "The text may not hold line breaks or other control characters.";
  }
  switch (kind) {
    case StoredText::kLongText:
      // A long text that begins with a blank loses it when it is read back.
      if (!text.empty() && text[0] == ' ') return "The text may not begin with a blank.";
      return {};
    case StoredText::kTableEntry:
      if (text.size() > static_cast<std::size_t>(kTableEntryTextLimit))
        return "An entry holds at most 68 characters.";
      // The file writes an entry right after its position: leading digits would be read as part of it.
      if (!text.empty() && text[0] >= '0' && text[0] <= '9') return "An entry may not begin with a digit.";
      return {};
    case StoredText::kShortLine:
      if (text.size() > static_cast<std::size_t>(kShortLineLimit))
        return "The text holds at most 72 characters.";
      return {};
    case StoredText::kLine:
    case StoredText::kTubeType:
      if (text.size() > static_cast<std::size_t>(kLongLineLimit))
        return "The text holds at most 1024 characters.";
      return {};
  }
  return {};
}

std::string TableEntryProblem(std::string_view text, int position) {
  std::string problem = StorageProblem(text, StoredText::kTableEntry);
  if (!problem.empty() && problem.rfind("An entry holds", 0) != 0) return problem;
  const int limit = kShortLineLimit - static_cast<int>(std::to_string(position).size());
  if (text.size() > static_cast<std::size_t>(limit))
    return AluFormat("An entry here holds at most %d characters.", limit);
  return {};
}

}  // namespace korvel
