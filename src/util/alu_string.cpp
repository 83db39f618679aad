#include "util/alu_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "util/alu_memory.h"
#include "util/message.h"

namespace korvel {
namespace {

bool IsAsciiLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char Upper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

template <typename Chars>
void Capitalize(Chars& text, std::size_t length) {
  bool inRun = false;
  for (std::size_t i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsAsciiLetter(c)) {
      text[i] = inRun ? Lower(c) : Upper(c);
      inRun = true;
    } else {
      inRun = false;
    }
  }
}

template <typename Chars>
void LowerOutside(Chars& text, std::size_t length) {
  char quote = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else {
      text[i] = Lower(static_cast<unsigned char>(c));
    }
  }
}

}  // namespace

char* AluCopyStringQuiet(const char* text) {
  if (text == nullptr) text = "";
  const std::size_t length = std::strlen(text);
  auto* copy = static_cast<char*>(AluMalloc(length + 1));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, text, length + 1);
  return copy;
}

char* AluCopyString(const char* text) {
  char* copy = AluCopyStringQuiet(text);
  if (copy == nullptr) ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'AluCopyString'.");
  return copy;
}

const char* AluFormat(const char* format, ...) {
  if (format == nullptr) return nullptr;
  // One buffer per thread: the tour thread formats too.
  thread_local char buffer[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

void AluCapitalizeWords(char* text) {
  if (text != nullptr) Capitalize(text, std::strlen(text));
}
void AluCapitalizeWords(std::string& text) {
  Capitalize(text, text.size());
}

void AluLowerOutsideQuotes(char* text) {
  if (text != nullptr) LowerOutside(text, std::strlen(text));
}
void AluLowerOutsideQuotes(std::string& text) {
  LowerOutside(text, text.size());
}

int AluFindText(const std::string& text, const std::string& pattern, bool ignoreCase) {
  if (!ignoreCase) {
    const std::size_t at = text.find(pattern);
    return at == std::string::npos ? -1 : static_cast<int>(at);
  }
  std::string t = text;
  std::string p = pattern;
  for (char& c : t) c = Upper(static_cast<unsigned char>(c));
  for (char& c : p) c = Upper(static_cast<unsigned char>(c));
  const std::size_t at = t.find(p);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

}  // namespace korvel
