#include "util/alu_text.h"

#include <algorithm>
#include <cstring>

#include "util/message.h"

namespace korvel {
namespace {

// Steps shared by both splits: cut to what fits, drop trailing blanks and control characters,
// and empty the line texts.
void PrepareSplit(std::string& text, std::vector<std::string>& lines, int count, int width) {
  const std::size_t room = static_cast<std::size_t>(std::max(count, 0)) * std::max(width, 0);
  if (text.size() > room) {
    ShowMessage(kWarning, kButtonsOk, "Too much text.");
    text.resize(room);
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  lines.assign(static_cast<std::size_t>(std::max(count, 0)), std::string());
  std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 32; });
}

}  // namespace

char* AluReadLine(char* buffer, int size, std::FILE* file, bool* cut) {
  if (cut != nullptr) *cut = false;
  if (buffer == nullptr || size < 2 || file == nullptr) return nullptr;
  if (std::fgets(buffer, size, file) == nullptr) return nullptr;
  std::size_t length = std::strlen(buffer);
  const bool complete = length > 0 && buffer[length - 1] == '\n';
  if (!complete && length == static_cast<std::size_t>(size - 1)) {
    // The line did not fit: skip what is left of it.
    int c;
    bool skipped = false;
    while ((c = std::getc(file)) != EOF && c != '\n') {
      if (c != '\r') skipped = true;
    }
    if (skipped && cut != nullptr) *cut = true;
  }
  while (length > 0 && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r')) buffer[--length] = '\0';
  return buffer;
}

int AluSplitUpMultiline(std::string& text, std::vector<std::string>& lines, int count, int width) {
  PrepareSplit(text, lines, count, width);
  const std::size_t w = static_cast<std::size_t>(std::max(width, 0));
  std::size_t at = 0;
  int filled = 0;
  while (at < text.size() && filled < count) {
    std::size_t end;
    std::size_t next;
    if (text.size() - at > w) {
      // A line may end at a blank right after `width` characters: the word then fills the line.
      const std::size_t blank = text.rfind(' ', at + w);
      if (blank == std::string::npos || blank < at) return 0;
      end = blank;
      next = blank + 1;
    } else {
      end = text.size();
      next = end;
    }
    lines[filled++] = text.substr(at, end - at);
    at = next;
  }
  return 1;
}

int AluSplitUpDelimitedMultiline(std::string& text, std::vector<std::string>& lines, int count, int width,
                                 const std::string& delimiters) {
  PrepareSplit(text, lines, count, width);
  if (delimiters.empty()) return 0;
  const char delimiter = delimiters[0];
  const std::size_t longest = width > 1 ? static_cast<std::size_t>(width - 1) : 0;
  std::size_t at = 0;
  int filled = 0;
  while (at < text.size() && filled < count) {
    std::size_t end = text.find(delimiter, at);
    if (end == std::string::npos) end = text.size();
    std::size_t next = end + 1;
    if (end - at > longest) {
      end = at + longest;
      next = end;
      if (longest == 0) next = at + 1;  // never stand still on a zero width
    }
    lines[filled++] = text.substr(at, end - at);
    at = next;
  }
  return 1;
}

}  // namespace korvel
