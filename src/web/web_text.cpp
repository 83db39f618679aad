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

std::string WebUrl(std::string_view stored) {
  const std::string text = AluDisplayUtf8(stored);
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (plain || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      out += c;
    } else if (c == '\\') {
      out += '/';
    } else {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", byte);
      out += code;
    }
  }
  return out;
}

}  // namespace korvel
