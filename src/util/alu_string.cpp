#include "util/alu_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "util/alu_encoding.h"
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

// A letter beyond ASCII, as far as words go: accented Latin, Greek, Cyrillic and the scripts after
// them, and combining accents; punctuation, symbols and the multiplication and division signs are not.
bool IsWordCodePoint(char32_t c) {
  if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x2BFF) return false;  // punctuation, currency, arrows, maths, shapes
  if (c >= 0x3000 && c <= 0x303F) return false;  // CJK punctuation
  return true;
}

// Upper or lower case of the letters whose two forms take two bytes each in UTF-8 (Latin-1,
// Latin Extended-A, Greek, Cyrillic), so that a text keeps its length. Others stay as they are.
char32_t CaseOf(char32_t c, bool upper) {
  // Latin Extended-A keeps its pairs side by side, the capital first.
  const auto pairWithin = [&](char32_t first, char32_t last) -> char32_t {
    if (c < first || c > last) return 0;
    const bool isUpper = (c - first) % 2 == 0;
    if (isUpper == upper) return c;
    return isUpper ? c + 1 : c - 1;
  };
  if (upper) {
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
      return c - 0x20;
    }
    if (c == 0xFF) return 0x178;
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  } else {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
      return c + 0x20;
    }
    if (c == 0x178) return 0xFF;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  }
  for (const auto& [first, last] : {std::pair<char32_t, char32_t>{0x100, 0x12F},
                                    {0x132, 0x137},
                                    {0x139, 0x148},
                                    {0x14A, 0x177},
                                    {0x179, 0x17E}}) {
    if (const char32_t mapped = pairWithin(first, last)) return mapped;
  }
  return c;
}

// Words of valid UTF-8 text run on through their accented letters ("über" is one word, "Über"),
// whose case changes too where it keeps the length. Other text goes byte by byte: only ASCII
// letters make words, as collections made on Windows have always been capitalised.
template <typename Chars>
void Capitalize(Chars& text, std::size_t length) {
  const bool utf8 = AluIsUtf8(std::string_view(&text[0], length));
  bool inRun = false;
  for (std::size_t i = 0; i < length;) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsAsciiLetter(c)) {
      text[i] = inRun ? Lower(c) : Upper(c);
      inRun = true;
      ++i;
      continue;
    }
    if (!utf8 || c < 0x80) {
      inRun = false;
      ++i;
      continue;
    }
    const std::size_t size = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    auto code = static_cast<char32_t>(c & (0x7Fu >> size));
    for (std::size_t k = 1; k < size; ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    if (!IsWordCodePoint(code)) {
      inRun = false;
    } else {
      const char32_t mapped = CaseOf(code, !inRun);
      if (size == 2 && mapped >= 0x80 && mapped < 0x800) {
        text[i] = static_cast<char>(0xC0 | (mapped >> 6));
        text[i + 1] = static_cast<char>(0x80 | (mapped & 0x3F));
      }
      // A combining accent belongs to the letter before it and does not begin a word.
      inRun = inRun || !(code >= 0x300 && code <= 0x36F);
    }
    i += size;
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
