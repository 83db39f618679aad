#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>
#include <vector>

#include "ui/frame/command_ids.h"
#include "ui/frame/help.h"
#include "ui/frame/message_box.h"
#include "ui/frame/program_menu.h"
#include "util/message.h"

namespace korvel {
namespace {

// The program's own help window, when it shows.
QWidget* ShownHelpWindow() {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == "helpWindow" && top->isVisible()) return top;
  return nullptr;
}

class Help : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMessages();
    InstallMessageBoxes(&owner_);
    SetHelpOpener([this](const QUrl& url) {
      opened_.push_back(url);
      return opens_;
    });
    ASSERT_TRUE(directory_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(directory_.path());
    QFile page("korvel.htm");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body>Korvel</body></html>");
  }
  void TearDown() override {
    QDir::setCurrent(previous_);
    SetHelpOpener(nullptr);
    ResetMessages();
  }

  QWidget owner_;
  QTemporaryDir directory_;
  QString previous_;
  std::vector<QUrl> opened_;
  bool opens_ = true;
  std::vector<int> commands_;
};

// A missing page is reported, except the guide, which the program carries; a page the opener does not
// open shows in the program's own window.
TEST_F(Help, AMissingPageIsReportedAndOneWithoutABrowserOpensInTheProgramsOwnWindow) {
  MessageBoxScript script;
  OpenHelp("missing.htm");
  OpenHelp("");
  EXPECT_TRUE(opened_.empty());
  ASSERT_EQ(script.boxes().size(), 2u);
  EXPECT_EQ(script.boxes()[0].text, "The help file 'missing.htm' was not found.");
  EXPECT_EQ(script.boxes()[0].caption, "Warning");

  opens_ = false;
  OpenHelp("korvel.htm");
  EXPECT_EQ(opened_.size(), 1u);
  EXPECT_EQ(script.boxes().size(), 2u);  // no "could not be opened"
  ASSERT_NE(ShownHelpWindow(), nullptr);
  QTextBrowser* browser = ShownHelpWindow()->findChild<QTextBrowser*>();
  EXPECT_EQ(browser->source(), QUrl::fromLocalFile(QDir(directory_.path()).absoluteFilePath("korvel.htm")));
  EXPECT_TRUE(browser->toPlainText().contains("Korvel"));
  browser->window()->close();

  opens_ = true;
  QFile::remove("korvel.htm");
  OpenHelp("korvel.htm");
  ASSERT_EQ(opened_.size(), 2u);
  EXPECT_TRUE(opened_[1].toLocalFile().endsWith("/resources/help/korvel.htm"));
  EXPECT_TRUE(QFileInfo(opened_[1].toLocalFile()).isFile());
  EXPECT_EQ(script.boxes().size(), 2u);
}

// The desktop's opener starts but fails, as xdg-open does when the browser refuses to run: the
// program's own window shows the page.
TEST_F(Help, ABrowserThatDoesNotOpenLeavesThePageToTheProgramsOwnWindow) {
  SetHelpOpener(nullptr);
  QFile opener(QDir(directory_.path()).filePath("xdg-open"));
  ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
  opener.write("#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/asked\"\nexit 3\n");
  opener.close();
  opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", directory_.path().toLocal8Bit() + ":" + path);
  MessageBoxScript script;
  OpenHelp("korvel.htm");
  const bool appeared = QTest::qWaitFor([&] { return ShownHelpWindow() != nullptr; }, 5000);
  qputenv("PATH", path);
  EXPECT_TRUE(QFile::exists(QDir(directory_.path()).filePath("asked")))
      << "the desktop's opener was not asked";
  ASSERT_TRUE(appeared) << "Help showed nothing when the browser did not open";
  EXPECT_TRUE(script.boxes().empty());
  ShownHelpWindow()->close();
}

// The Help menu's items are the frame's own: Contents opens the page in the current directory,
// About shows its text as written.
TEST_F(Help, ContentsOpensTheCurrentDirectorysPageAndAboutShowsItsTextAsWritten) {
  const std::string about =
      "Korvel was first written in 1989 to keep track of a growing radio collection; 100% of it "
      "has changed since. %s %d %n";
  ProgramMenuBar bar({"korvel.htm", about, "Korvel V1.27.13.15"},
                     [this](int id) { commands_.push_back(id); });
  MessageBoxScript script;
  bar.FindCommand(kCommandHelpContents)->trigger();
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], QUrl::fromLocalFile(QDir(directory_.path()).absoluteFilePath("korvel.htm")));
  EXPECT_TRUE(script.boxes().empty());

  QAction* item = bar.FindCommand(kCommandAbout);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "&About Korvel V1.27.13.15");
  item->trigger();
  ASSERT_EQ(script.boxes().size(), 1u);
  EXPECT_EQ(script.boxes()[0].text, QString::fromStdString(about));
  EXPECT_EQ(script.boxes()[0].caption, "Note");
  EXPECT_EQ(script.boxes()[0].buttons, std::vector<int>{kAnswerOk});
  EXPECT_EQ(script.boxes()[0].parent, &owner_);
  EXPECT_TRUE(commands_.empty());

  ShowAbout("");  // nothing to say, no box
  EXPECT_EQ(script.boxes().size(), 1u);
}

}  // namespace
}  // namespace korvel
