// Where File > Publish for Web writes its pages and images, and whether they carry descriptions.
#pragma once

#include <string>

namespace korvel {

struct WebSettings {
  std::string root = "web";  // first part of every path written
  std::string html = "html";
  std::string pictures = "pictures";
  std::string snapshots = "snapshots";
  std::string listName = "radios";  // the list page, without extension
  bool descriptions = false;
};

}  // namespace korvel
