#include "util/alu_case_folding.h"

#include <algorithm>
#include <iterator>

#include "util/alu_encoding.h"

namespace korvel {
namespace {

struct Folding {
  char32_t from;
  char32_t to[3];
};

constexpr Folding kFoldings[] = {
#include "util/alu_case_folding_table.inc"
};

void AppendFoldedCodePoint(std::string& out, char32_t c) {
  const Folding* end = std::end(kFoldings);
  const Folding* found = std::lower_bound(std::begin(kFoldings), end, c,
                                          [](const Folding& f, char32_t v) { return f.from < v; });
  if (found == end || found->from != c) {
    AluAppendUtf8(out, c);
    return;
  }
  for (char32_t to : found->to) {
    if (to != 0) AluAppendUtf8(out, to);
  }
}

// Valid UTF-8 only (checked by the caller).
void AppendFoldedUtf8(std::string_view text, std::string& out) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
      ++i;
      continue;
    }
    const int follow = c >= 0xF0 ? 3 : (c >= 0xE0 ? 2 : 1);
    char32_t cp = c & (0x3F >> follow);
    for (int k = 1; k <= follow; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    AppendFoldedCodePoint(out, cp);
    i += follow + 1;
  }
}

}  // namespace

void AluAppendFolded(std::string_view stored, std::string& out) {
  // Most texts are plain ASCII: folded a byte at a time, in place, without decoding.
  const std::size_t at = out.size();
  out.resize(at + stored.size());
  char* to = out.data() + at;
  unsigned char high = 0;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const auto c = static_cast<unsigned char>(stored[i]);
    high |= c;
    to[i] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  }
  if (high < 0x80) return;
  out.resize(at);
  if (AluIsUtf8(stored)) {
    AppendFoldedUtf8(stored, out);
  } else {
    AppendFoldedUtf8(AluDisplayUtf8(stored), out);
  }
}

std::string AluFoldCase(std::string_view stored) {
  std::string out;
  out.reserve(stored.size());
  AluAppendFolded(stored, out);
  return out;
}

}  // namespace korvel
