#include "web/web_text.h"

#include <cstdio>

#include "util/alu_encoding.h"

namespace korvel {

std::string WebText(std::string_view stored) {
  const std::string text = AluDisplayUtf8(stored);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

std::string WebUnquotedUrl(std::string_view stored) {
  const std::string text = WebText(stored);
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace korvel
