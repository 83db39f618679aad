#include "ui/frame/help.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>

#include "util/message.h"

namespace korvel {
namespace {

HelpOpener& Opener() {
  static HelpOpener opener;
  return opener;
}

}  // namespace

void OpenHelp(const std::string& helpFile) {
  const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(helpFile)));
  if (helpFile.empty() || !file.isFile()) {
    ShowMessage(kWarning, kButtonsOk, "The help file '%s' was not found.", helpFile.c_str());
    return;
  }
  const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
  const bool opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
  if (!opened) {
    ShowMessage(kWarning, kButtonsOk, "The help file '%s' could not be opened.",
                file.absoluteFilePath().toLocal8Bit().constData());
  }
}

void ShowAbout(const std::string& aboutText) {
  if (aboutText.empty()) return;
  // Through "%s": the text is never a format of its own.
  ShowMessage(kNote, kButtonsOk, "%s", aboutText.c_str());
}

void SetHelpOpener(HelpOpener opener) {
  Opener() = std::move(opener);
}

}  // namespace korvel
