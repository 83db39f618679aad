#include "ui/frame/help.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
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

// The desktop's opener, xdg-open, hands the page to the user's browser. When it cannot be started or
// says that it failed (no browser installed, or one that refuses to run, as Chromium does for root),
// the program's own window shows the page: Help never ends in nothing.
void OpenInDesktopBrowser(const QUrl& url) {
  // Never parented nor deleted while it runs: leaving Korvel must not end the browser it started.
  auto* opener = new QProcess;
  opener->setProgram(QStringLiteral("xdg-open"));
  opener->setArguments({url.toString()});
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(opener, &QProcess::errorOccurred, [opener, url](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    ShowHelpWindow(url);
    opener->deleteLater();
  });
  QObject::connect(opener, &QProcess::finished, [opener, url](int code, QProcess::ExitStatus status) {
    if (status != QProcess::NormalExit || code != 0) ShowHelpWindow(url);
    opener->deleteLater();
  });
  opener->start();
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
  if (!Opener()) {
    OpenInDesktopBrowser(url);
    return;
  }
  // No browser to hand the page to: the program shows it itself rather than fail.
  if (!Opener()(url)) ShowHelpWindow(url);
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
