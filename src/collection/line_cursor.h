// Lines of a file held in memory, without their CR and LF.
#pragma once

#include <cstring>
#include <string_view>

namespace korvel {

class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : at_(bytes.data()), end_(bytes.data() + bytes.size()) {}

  // The next line; past the end, an empty line and Ended() turns true.
  std::string_view Next() {
    if (at_ >= end_) {
      ended_ = true;
      return {};
    }
    ++lineNumber_;
    const char* start = at_;
    const char* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - start));
    const char* stop = newline != nullptr ? newline : end_;
    at_ = newline != nullptr ? newline + 1 : end_;
    // CR LF and CR alone (old Macintosh editors) both end a line; CRs running up to an LF are
    // one line end with it.
    if (const char* cr = static_cast<const char*>(std::memchr(start, '\r', stop - start)); cr != nullptr) {
      const char* after = cr;
      while (after < stop && *after == '\r') ++after;
      if (after != stop || newline == nullptr) {
        stop = cr;
        at_ = cr + 1;
      }
    }
    while (stop > start && (stop[-1] == '\r' || stop[-1] == '\n')) --stop;
    return {start, static_cast<std::size_t>(stop - start)};
  }

  // The next line, left to be read again.
  std::string_view Peek() const {
    LineCursor copy = *this;
    return copy.Next();
  }

  // True once a line was asked for past the end of the file.
  bool Ended() const { return ended_; }
  bool AtEnd() const { return at_ >= end_; }
  // Where the next line starts, and how many bytes are left after it.
  const char* Position() const { return at_; }
  std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }
  // Number of the line last given (1 for the first).
  int LineNumber() const { return lineNumber_; }

 private:
  const char* at_;
  const char* end_;
  int lineNumber_ = 0;
  bool ended_ = false;
};

}  // namespace korvel
