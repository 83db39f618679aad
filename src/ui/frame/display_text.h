// Stored texts are bytes: valid UTF-8 is shown as it is, anything else as Windows-1252.
#pragma once

#include <QString>
#include <string>

#include "util/alu_encoding.h"

namespace korvel {

inline QString DisplayText(const std::string& text) {
  return QString::fromStdString(AluDisplayUtf8(text));
}

}  // namespace korvel
