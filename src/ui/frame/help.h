// Help > Contents and Index and Help > About.
#pragma once

#include <QUrl>
#include <functional>
#include <string>

namespace korvel {

// Opens the help file (an HTML page) in the desktop's browser, or in the program's own help window
// whenever the browser did not open (the opener could not start, or reported a failure). A relative name is
// looked for in the current directory, then beside the installed program (share/doc/korvel) and in the source
// tree; a missing file is reported as a warning.
void OpenHelp(const std::string& helpFile);

// Where OpenHelp finds the help file: the name itself when it exists or cannot be found elsewhere.
std::string LocateHelpFile(const std::string& helpFile);

// Shows the About text as a note, exactly as written; an empty text shows nothing.
void ShowAbout(const std::string& aboutText);

// Replaces the desktop's viewer, e.g. to capture the URL in tests; none restores it.
using HelpOpener = std::function<bool(const QUrl&)>;
void SetHelpOpener(HelpOpener opener);

}  // namespace korvel
