#include "import/csv_reader.h"

#include "util/alu_encoding.h"

namespace korvel {
namespace {

char GuessDelimiter(std::string_view text) {
  int commas = 0, semicolons = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') break;
    commas += c == ',';
    semicolons += c == ';';
  }
  return semicolons > commas ? ';' : ',';
}

class Parser {
 public:
  Parser(std::string_view text, char delimiter, CsvTable& table)
      : text_(text), delimiter_(delimiter), table_(table) {}

  void Run() {
    while (pos_ < text_.size()) {
      if (!ReadRow()) return;
    }
  }

 private:
  // One row, up to and including its line end.
  bool ReadRow() {
    CsvRow row;
    row.line = line_;
    for (;;) {
      std::string_view value;
      if (!ReadValue(value)) return false;
      row.values.push_back(value);
      if (pos_ >= text_.size()) break;
      const char c = text_[pos_];
      if (c == delimiter_) {
        ++pos_;
        continue;
      }
      SkipLineEnd();
      break;
    }
    bool any = false;
    for (std::string_view v : row.values) any = any || !v.empty();
    if (any) table_.rows.push_back(std::move(row));
    return true;
  }

  void SkipLineEnd() {
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
  }

  bool Fail(int line, const char* text) {
    table_.errorLine = line;
    table_.error = text;
    table_.rows.clear();
    return false;
  }

  bool ReadValue(std::string_view& value) {
    if (pos_ < text_.size() && text_[pos_] == '"') {
      const int startLine = line_;
      const std::size_t start = ++pos_;
      std::string* unquoted = nullptr;  // made only for a value with doubled quotes
      for (;;) {
        const std::size_t quote = text_.find('"', pos_);
        if (quote == std::string_view::npos) return Fail(startLine, "a quoted value has no closing quote");
        for (std::size_t i = pos_; i < quote; ++i) {
          // A CR LF inside a value is one line break.
          if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= quote || text_[i + 1] != '\n'))) ++line_;
        }
        if (unquoted) unquoted->append(text_.substr(pos_, quote - pos_));
        pos_ = quote + 1;
        if (pos_ < text_.size() && text_[pos_] == '"') {
          if (!unquoted) unquoted = &table_.unquoted->emplace_back(text_.substr(start, quote - start));
          *unquoted += '"';
          ++pos_;
          continue;
        }
        value = unquoted ? std::string_view(*unquoted) : text_.substr(start, quote - start);
        break;
      }
      if (pos_ < text_.size() && text_[pos_] != delimiter_ && text_[pos_] != '\r' && text_[pos_] != '\n')
        return Fail(line_, "a closing quote is followed by more text");
      return true;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == delimiter_ || c == '\r' || c == '\n') break;
      if (c == '"') return Fail(line_, "a quote stands inside a value that is not quoted");
      ++pos_;
    }
    value = text_.substr(start, pos_ - start);
    return true;
  }

  std::string_view text_;
  char delimiter_;
  CsvTable& table_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

CsvTable ReadCsv(std::string_view bytes) {
  CsvTable table;
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);  // spreadsheets' UTF-8 mark
  if (AluIsUtf8(bytes)) {
    table.text = std::make_shared<const std::string>(bytes);
  } else {
    table.text = std::make_shared<const std::string>(AluDisplayUtf8(bytes));
    table.windows1252 = true;
  }
  table.delimiter = GuessDelimiter(*table.text);
  Parser(*table.text, table.delimiter, table).Run();
  return table;
}

}  // namespace korvel
