#include "util/alu_path.h"

#include <filesystem>
#include <system_error>

namespace korvel {
namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

}  // namespace

PathParts AluSplitPath(std::string_view path) {
  PathParts parts;
  const std::size_t colon = path.find(':');
  if (colon != std::string_view::npos) {
    parts.drive = 0;
    parts.directory = static_cast<int>(colon + 1);
  }
  for (std::size_t i = path.size(); i-- > 1;) {
    if (path[i] == '\\' || path[i] == '/') {
      parts.fileName = static_cast<int>(i + 1);
      break;
    }
  }
  for (std::size_t i = path.size(); i-- > 1 && static_cast<int>(i) >= parts.fileName;) {
    if (path[i] == '.') {
      parts.extension = static_cast<int>(i);
      break;
    }
  }
  return parts;
}

FileType AluFileType(std::string_view path) {
  const PathParts parts = AluSplitPath(path);
  if (parts.extension < 0) return kFileOther;
  std::string extension(path.substr(parts.extension));
  for (char& c : extension) c = LowerAscii(c);
  if (extension == ".bmp") return kFileBitmap;
  if (extension == ".htm" || extension == ".html") return kFileWebPage;
  if (extension == ".jpg" || extension == ".jpeg") return kFileJpeg;
  return kFileOther;
}

std::optional<std::string> AluReplaceExtension(std::string_view extensionSource, std::string_view path) {
  const PathParts source = AluSplitPath(extensionSource);
  const PathParts target = AluSplitPath(path);
  if (source.extension < 0 || target.extension < 0) return std::nullopt;
  std::string result(path.substr(0, target.extension));
  result += extensionSource.substr(source.extension);
  return result;
}

std::string AluNativePath(std::string_view stored) {
  std::string native(stored);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

std::string AluResolvePath(std::string_view stored) {
  namespace fs = std::filesystem;
  const std::string native = AluNativePath(stored);
  std::error_code ec;
  if (native.empty() || fs::exists(native, ec)) return native;

  const fs::path wanted(native);
  fs::path found = wanted.is_absolute() ? wanted.root_path() : fs::path();
  for (const fs::path& component : wanted.relative_path()) {
    const fs::path exact = found / component;
    if (fs::exists(exact, ec)) {
      found = exact;
      continue;
    }
    const fs::path directory = found.empty() ? fs::path(".") : found;
    bool matched = false;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (EqualIgnoringCase(name, component.string())) {
        found /= name;
        matched = true;
        break;
      }
    }
    if (!matched) return native;
  }
  return found.string();
}

}  // namespace korvel
