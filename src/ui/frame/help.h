// Help > Contents and Index and Help > About.
#pragma once

#include <QUrl>
#include <functional>
#include <string>

namespace korvel {

// Opens the help file (an HTML page, relative to the current directory) in the desktop's viewer.
// A missing file or a viewer that cannot be started is reported as a warning.
void OpenHelp(const std::string& helpFile);

// Shows the About text as a note, exactly as written; an empty text shows nothing.
void ShowAbout(const std::string& aboutText);

// Replaces the desktop's viewer, e.g. to capture the URL in tests; none restores it.
using HelpOpener = std::function<bool(const QUrl&)>;
void SetHelpOpener(HelpOpener opener);

}  // namespace korvel
