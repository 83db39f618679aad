// File > Save, Open Collection and New Collection: the helpers they share with the exit question,
// and the directory chooser with the hook by which tests answer it.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "collection/collection.h"

class QFileDialog;
class QWidget;

namespace korvel {

// "%d radios added, %d radios modified, %d radios deleted; inventory was (not) modified.": what
// changed since the collection was loaded or last saved.
std::string ChangeCountsText(const Collection& collection);

// The data file a directory (a native path) already holds, radata.dat or radata.org; empty for none.
std::string HeldDataFile(const std::string& directory);

// Asks for a directory with Qt's chooser, starting in `start` (a stored data directory). Gives the
// chosen directory as a native path, or none when the user cancelled.
std::optional<std::string> ChooseDirectory(QWidget* parent, const char* caption, const std::string& start);

// While set, the chooser is not run: the script gets the prepared dialog (it may show and look at
// it) and gives the answer, a directory or none for Cancel.
// Qt's file chooser for a file to write, starting at `suggested`; nothing when the user cancels.
// The chooser script below answers it too.
std::optional<std::string> ChooseSaveFile(QWidget* parent, const char* caption, const std::string& suggested,
                                          const char* filter);
// Qt's file chooser for an existing file to read, starting in `start`; answered by the script too.
std::optional<std::string> ChooseOpenFile(QWidget* parent, const char* caption, const std::string& start,
                                          const char* filter);
// Qt's file chooser for existing files to read (several may be chosen), starting in `start` (a
// native directory); none when the user cancels. The chooser script answers it with one file.
std::vector<std::string> ChooseOpenFiles(QWidget* parent, const char* caption, const std::string& start,
                                         const char* filter);
// The sample collection installed beside the program (share/korvel/sample), or empty for a program
// run from its build tree. Tests name one of their own; empty gives the installed one back.
std::string InstalledSampleDirectory();
void SetInstalledSampleDirectory(std::string directory);

using DirectoryChooserScript = std::function<std::optional<QString>(QFileDialog& dialog)>;
void SetDirectoryChooserScript(DirectoryChooserScript script);

}  // namespace korvel
