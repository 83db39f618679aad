#include "ui/frame/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "util/message.h"

namespace korvel {
namespace {

HelpOpener& Opener() {
  static HelpOpener opener;
  return opener;
}

// The program's own help window, for a desktop without a web browser. One is kept and raised again.
void ShowHelpWindow(const QUrl& url) {
  static QPointer<QDialog> window;
  if (window == nullptr) {
    window = new QDialog(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName("helpWindow");
    window->setWindowTitle("Korvel Help");
    auto* browser = new QTextBrowser(window);
    browser->setObjectName("helpBrowser");
    browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    window->resize(820, 640);
  }
  window->findChild<QTextBrowser*>("helpBrowser")->setSource(url);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

std::string LocateHelpFile(const std::string& helpFile) {
  const QString name = QFile::decodeName(QByteArray::fromStdString(helpFile));
  if (helpFile.empty() || QFileInfo(name).isAbsolute() || QFileInfo(name).isFile()) return helpFile;
  // Beside an installed program, then in the source tree of a build.
  QStringList places;
  const QString programDirectory = QCoreApplication::applicationDirPath();
  if (!programDirectory.isEmpty()) places << programDirectory + "/../share/doc/korvel";
#ifdef KORVEL_SOURCE_HELP_DIR
  places << QStringLiteral(KORVEL_SOURCE_HELP_DIR);
#endif
  for (const QString& place : places) {
    const QFileInfo candidate(QDir(place).filePath(name));
    if (candidate.isFile()) return QFile::encodeName(candidate.canonicalFilePath()).toStdString();
  }
  return helpFile;
}

void OpenHelp(const std::string& helpFile) {
  const std::string located = LocateHelpFile(helpFile);
  const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(located)));
  if (helpFile.empty() || !file.isFile()) {
    ShowMessage(kWarning, kButtonsOk, "The help file '%s' was not found.", helpFile.c_str());
    return;
  }
  const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
  const bool opened = Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
  // No browser to hand the page to: the program shows it itself rather than fail.
  if (!opened) ShowHelpWindow(url);
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
