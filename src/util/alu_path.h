// Paths as the collection stores them (backslash separators) and their mapping to native paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// Positions of the four parts of a path, -1 where a part is absent. The first character is never
// taken as a separator or as the dot of an extension.
struct PathParts {
  int drive = -1;      // 0 when the path contains ":"
  int directory = 0;   // after the first ":", or 0
  int fileName = 0;    // after the last "\" or "/"
  int extension = -1;  // the last "." of the file name
};
PathParts AluSplitPath(std::string_view path);

enum FileType : int { kFileBitmap = 0, kFileWebPage = 1, kFileJpeg = 2, kFileOther = 3 };
// By extension, in lower case: .bmp, .htm/.html, .jpg/.jpeg, anything else.
FileType AluFileType(std::string_view path);

// The path with its extension replaced by the extension of `extensionSource`; none when either
// has no extension.
std::optional<std::string> AluReplaceExtension(std::string_view extensionSource, std::string_view path);

// The one place where a stored name becomes an operating-system path: backslashes become
// slashes. A drive prefix is kept, so it never matches anything on this system.
std::string AluNativePath(std::string_view stored);

// The native path of a stored name; when that does not exist, the path whose components match
// it letter case aside (collections made on systems that ignore case), else the plain mapping.
std::string AluResolvePath(std::string_view stored);

}  // namespace korvel
