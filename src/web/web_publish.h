// File > Publish for Web below the user interface: the list page, a page per radio and the JPEG
// images of a selection, written under the settings' root directory, whose subdirectories must
// exist. Every failure is reported as it happens; radios that cannot be published are skipped.
#pragma once

#include "collection/collection.h"
#include "pictures/picture_registry.h"
#include "web/web_settings.h"

namespace korvel {

// The stored form of a path under the root: "root\sub\name".
std::string WebPath(const WebSettings& settings, const std::string& subdirectory, const std::string& name);

// Publishes the radios of the selection in its order. 1 when the list page was written, 0 when it
// could not be opened or written.
int PublishWeb(const Collection& collection, const PictureRegistry& registry, const RadioList& selection,
               const WebSettings& settings);

}  // namespace korvel
