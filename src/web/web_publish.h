// File > Publish for Web below the user interface: the list page, a page per radio and the JPEG
// images of a selection, written under the settings' root directory (its subdirectories are made
// when missing). Every failure is reported as it happens; radios that cannot be published are
// skipped, and pictures that cannot be read are left out of their pages, never linked broken.
#pragma once

#include "collection/collection.h"
#include "pictures/picture_registry.h"
#include "web/web_settings.h"

namespace korvel {

// The stored form of a path under the root: "root\sub\name".
std::string WebPath(const WebSettings& settings, const std::string& subdirectory, const std::string& name);

// Publishes the radios of the selection in its order. 1 when the list page was written, 0 when it
// (or its directory) could not be made or written.
int PublishWeb(const Collection& collection, const PictureRegistry& registry, const RadioList& selection,
               const WebSettings& settings);

}  // namespace korvel
