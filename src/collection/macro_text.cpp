#include "collection/macro_text.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "util/alu_date.h"

namespace korvel {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithWord(std::string_view token, std::string_view word) {
  if (token.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(token[i]) != word[i]) return false;
  }
  return true;
}

const LookupTable& FieldNameTable() {
  static const LookupTable table = [] {
    LookupTable t;
    t.modifiable = false;
    for (int f = 0; f < kFieldCount; ++f) t.entries.push_back(FieldName(f));
    return t;
  }();
  return table;
}

// Reads a number as "%d" would; 0 when there is none.
// As "%d" reads it (blanks, a sign, digits, whatever follows ignored; nothing readable is 0), but a
// number too large for the field saturates instead of being undefined.
std::int32_t ReadNumber(const std::string& text) {
  constexpr long long kLimit = std::numeric_limits<std::int32_t>::max();
  std::size_t i = text.find_first_not_of(" \t\r\n\v\f");
  if (i == std::string::npos) return 0;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(value * 10 + (text[i] - '0'), kLimit + 1);
  return static_cast<std::int32_t>(std::clamp(negative ? -value : value, -kLimit - 1, kLimit));
}

// "Field<value": the criterion after an action character.
bool ParseCriterion(std::string_view text, const TableSet& tables, Criterion& c) {
  const std::size_t at = text.find_first_of("=<>");
  if (at == std::string_view::npos) return false;
  c.relation = text[at] == '<' ? kRelationLess : (text[at] == '=' ? kRelationEqual : kRelationGreater);

  std::string fieldName(text.substr(0, at));
  const TableMatch field = FindTableEntryByWords(fieldName, FieldNameTable());
  if (!field.found) return false;
  c.field = field.position;

  const std::string_view rest = text.substr(at + 1);
  std::string value(rest.substr(0, rest.find(',')));
  switch (c.field) {
    case kFieldDateAcquired:
    case kFieldDateDisposed:
    case kFieldDateRestored:
      c.value = AluParseDate(value);
      if (c.value == 0) return false;
      c.text = std::move(value);
      c.hasText = true;
      return true;
    case kFieldIdentifier:
    case kFieldYear:
      c.value = ReadNumber(value);
      return true;
    case kFieldModel:
    case kFieldTube:
      for (char& ch : value) ch = Upper(ch);
      c.text = std::move(value);
      c.hasText = true;
      return true;
    default: {
      const LookupTable& table = tables[FieldTableKind(c.field)];
      const TableMatch entry =
          c.field == kFieldGrill ? FindTableEntry(value, table) : FindTableEntryByWords(value, table);
      if (!entry.found) return false;
      c.value = entry.position;
      c.text = table.Text(entry.position);
      c.hasText = true;
      return true;
    }
  }
}

}  // namespace

std::optional<Criterion> ParseMacroToken(std::string_view token, const TableSet& tables) {
  Criterion c;
  if (token.empty()) return std::nullopt;
  const auto withCriterion = [&](int action) -> std::optional<Criterion> {
    c.action = action;
    if (!ParseCriterion(token.substr(1), tables, c)) return std::nullopt;
    return c;
  };
  const auto stackAction = [&](int action) {
    c.action = action;
    return c;
  };
  switch (token[0]) {
    case '&':
      return token.size() > 1 && token[1] == '&' ? stackAction(kActionAndCombine) : withCriterion(kActionAnd);
    case '|':
      return token.size() > 1 && token[1] == '|' ? stackAction(kActionOrCombine) : withCriterion(kActionOr);
    case '*':
      return stackAction(kActionAll);
    case '+':
      return withCriterion(kActionAdd);
    case '-':
      return withCriterion(kActionSubtract);
    default:
      break;
  }
  if (IsDigit(token[0])) {
    long long id = 0;
    for (char ch : token) {
      if (!IsDigit(ch)) return std::nullopt;
      if (id <= 2147483647) id = id * 10 + (ch - '0');
    }
    c.action = kActionAdd;
    c.field = kFieldIdentifier;
    c.relation = kRelationEqual;
    c.value = static_cast<std::int32_t>(id > 2147483647 ? 2147483647 : id);
    return c;
  }
  if (StartsWithWord(token, "clear")) return stackAction(kActionClear);
  if (StartsWithWord(token, "copy")) return stackAction(kActionCopy);
  if (StartsWithWord(token, "push")) return stackAction(kActionPush);
  if (StartsWithWord(token, "swap")) return stackAction(kActionSwap);
  return std::nullopt;
}

std::string CriterionText(const Criterion& c) {
  const char* prefix = nullptr;
  switch (c.action) {
    case kActionAndCombine:
      return "&&";
    case kActionClear:
      return "clear";
    case kActionCopy:
      return "copy";
    case kActionOrCombine:
      return "||";
    case kActionPush:
      return "push";
    case kActionSwap:
      return "swap";
    case kActionAll:
      return "*";
    case kActionAdd:
      prefix = "+";
      break;
    case kActionSubtract:
      prefix = "-";
      break;
    case kActionAnd:
      prefix = "&";
      break;
    case kActionOr:
      prefix = "|";
      break;
    default:
      return "";  // None has no written form
  }
  std::string text = prefix;
  text += FieldName(c.field) != nullptr ? FieldName(c.field) : "";
  text += RelationName(c.relation) != nullptr ? RelationName(c.relation) : "=";
  text += c.hasText ? c.text : std::to_string(c.value);
  return text;
}

std::string MacroEntryText(const MacroEntry& entry) {
  return entry.parsed ? CriterionText(entry.criterion) : entry.unparsed;
}

MacroEntry ReadMacroEntry(std::string_view token, const TableSet& tables) {
  MacroEntry entry;
  if (std::optional<Criterion> c = ParseMacroToken(token, tables)) {
    entry.criterion = std::move(*c);
  } else {
    entry.parsed = false;
    entry.unparsed = token;
    entry.criterion.action = kActionNone;
  }
  return entry;
}

}  // namespace korvel
