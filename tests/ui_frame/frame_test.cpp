// The frame around the views: the menu, its keys, message boxes and help.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <deque>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "selection/saved_selections.h"
#include "ui/frame/accelerators.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/help.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/message_box.h"
#include "ui/frame/program_menu.h"
#include "util/message.h"

namespace korvel {
namespace {

using Answers = std::vector<int>;

class Menu : public ::testing::Test {
 protected:
  Menu()
      : bar_({"korvel.htm", "About text", "Korvel V1.27.13.15"},
             [this](int id) { commands_.push_back(id); }) {}

  QMenu* Saved() { return bar_.FindMenu({"view", "saved"}); }
  QMenu* Size() { return bar_.FindMenu({"tour", "size"}); }

  std::vector<int> commands_;
  ProgramMenuBar bar_;
};

// The commands' items, submenus opened, separators left out.
std::vector<QAction*> Items(const QList<QAction*>& actions) {
  std::vector<QAction*> items;
  for (QAction* action : actions) {
    if (action->menu() != nullptr) {
      const std::vector<QAction*> inner = Items(action->menu()->actions());
      items.insert(items.end(), inner.begin(), inner.end());
    } else if (!action->isSeparator()) {
      items.push_back(action);
    }
  }
  return items;
}

std::vector<QString> Texts(const QMenu* menu) {
  std::vector<QString> texts;
  for (QAction* action : menu->actions()) texts.push_back(action->text());
  return texts;
}

std::vector<int> CheckedIds(const QMenu* menu) {
  std::vector<int> ids;
  for (QAction* action : menu->actions()) {
    if (action->isChecked()) ids.push_back(action->data().toInt());
  }
  return ids;
}

// Every command once in its menu; the keys an item shows are the ones that run it.
TEST_F(Menu, HoldsEveryCommandOnceInItsMenuShowingTheKeysThatRunIt) {
  std::vector<QString> titles;
  for (QAction* action : bar_.actions()) titles.push_back(action->text());
  EXPECT_EQ(titles, (std::vector<QString>{"&File", "&Edit", "&View", "&Inventory", "&Graphs", "&Tour",
                                          "&Options", "&Help"}));

  std::vector<int> ids;
  int shown = 0;
  for (QAction* item : Items(bar_.actions())) {
    ids.push_back(item->data().toInt());
    const qsizetype tab = item->text().indexOf(u'\t');
    if (tab < 0) continue;
    ++shown;
    EXPECT_EQ(AcceleratorCommand(QKeySequence(item->text().mid(tab + 1))), item->data().toInt())
        << item->text().toStdString();
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids,
            (std::vector<int>{101, 102, 103, 104, 105, 106, 107, 108, 110, 114, 115, 201,   202,  203, 204,
                              205, 206, 207, 208, 302, 303, 310, 341, 342, 355, 356, 401,   402,  403, 404,
                              502, 503, 505, 506, 507, 508, 509, 510, 511, 512, 601, 30101, 30102}));
  EXPECT_EQ(shown, 20);
  EXPECT_EQ(bar_.FindCommand(kCommandPrint)->text(), "&Print\tCtrl+P");
  EXPECT_EQ(bar_.FindCommand(kCommandSave)->text(), "&Save\tCtrl+S");
  EXPECT_EQ(bar_.FindCommand(kCommandGraphSalesProfit)->text(), "&Sales/Profit");
  EXPECT_EQ(bar_.FindCommand(kCommandDelete)->text(), "&Delete");

  EXPECT_EQ(Texts(Saved()), std::vector<QString>{"<empty>"});
  EXPECT_EQ(Texts(Size()),
            (std::vector<QString>{"&1x1", "&2x2", "&3x3", "&4x4", "&5x5", "&6x6", "&7x7", "&8x8"}));
  EXPECT_EQ(Texts(bar_.FindMenu({"help"})),
            (std::vector<QString>{"&Contents and Index", "&About Korvel V1.27.13.15"}));
}

TEST_F(Menu, PathLookupIgnoresMnemonicsCaseAndAccelerators) {
  ASSERT_NE(Saved(), nullptr);
  EXPECT_EQ(Saved()->title(), "&Saved");
  EXPECT_EQ(bar_.FindMenu({"View", "SAVED"}), Saved());
  EXPECT_EQ(Size()->title(), "Si&ze");
  EXPECT_EQ(bar_.FindMenu({"view", "new"}), nullptr);  // an item, not a submenu
  EXPECT_EQ(bar_.FindMenu({"views"}), nullptr);
  EXPECT_EQ(bar_.FindMenu({"view", "saved", "<empty>"}), nullptr);
  EXPECT_EQ(bar_.FindMenu({}), nullptr);

  // The text before the tab counts, with "&&" standing for a shown "&".
  QMenu* size = Size();
  size->menuAction()->setText("Si&ze && Speed\tF9");
  EXPECT_EQ(bar_.FindMenu({"tour", "size & speed"}), size);
  EXPECT_EQ(bar_.FindMenu({"tour", "size"}), nullptr);
}

// Saved selections take over the empty item and recall themselves; the tour sizes run their commands but
// are ticked only by the program.
TEST_F(Menu, SavedSelectionsRecallThemselvesAndTourSizesAreTickedByTheProgram) {
  ASSERT_NE(bar_.FindCommand(kCommandSavedFirst), nullptr);
  EXPECT_FALSE(bar_.FindCommand(kCommandSavedFirst)->isEnabled());  // nothing to recall yet

  SelectionState state;
  state.saved.resize(2);
  state.saved[0].name = "Philco & Zenith";
  state.saved[1].name = "Tubes\tonly";
  SavedMenuItems saved(bar_);
  RebuildSavedMenu(state, saved);
  EXPECT_EQ(Texts(Saved()), (std::vector<QString>{"Philco && Zenith", "Tubes only"}));
  EXPECT_EQ(saved.ItemCount(), 2);
  EXPECT_TRUE(bar_.FindCommand(310)->isEnabled());
  EXPECT_EQ(bar_.FindCommand(311), Saved()->actions()[1]);

  bar_.FindCommand(311)->trigger();
  bar_.FindCommand(310)->trigger();
  EXPECT_EQ(commands_, (std::vector<int>{311, 310}));

  // A rebuild renames in place and adds only what is new.
  state.saved.insert(state.saved.begin(), SelectionParameters{});
  state.saved[0].name = "Atwater Kent";
  RebuildSavedMenu(state, saved);
  EXPECT_EQ(Texts(Saved()), (std::vector<QString>{"Atwater Kent", "Philco && Zenith", "Tubes only"}));

  // An old settings file may hold more than the 30 commands reach.
  state.saved.resize(49);
  RebuildSavedMenu(state, saved);
  EXPECT_EQ(saved.ItemCount(), 30);
  EXPECT_EQ(Saved()->actions().back()->data().toInt(), kCommandSavedLast);

  // The tour sizes are ticked by the program, not by choosing one.
  commands_.clear();
  const int n = 3;
  ASSERT_TRUE(
      bar_.CheckMenuPair(kTourMenuPosition, kTourSizeMenuPosition, kCommandTourSizeBase + n, n - 1, true));
  EXPECT_EQ(CheckedIds(Size()), std::vector<int>{507});

  // Choosing 6x6 runs the command; the ticks move only when the program moves them.
  bar_.FindCommand(510)->trigger();
  bar_.FindCommand(507)->trigger();
  EXPECT_EQ(commands_, (std::vector<int>{510, 507}));
  EXPECT_EQ(CheckedIds(Size()), std::vector<int>{507});
  bar_.CheckMenuPair(kTourMenuPosition, kTourSizeMenuPosition, 507, 2, false);
  bar_.CheckMenuPair(kTourMenuPosition, kTourSizeMenuPosition, 510, 5, true);
  EXPECT_EQ(CheckedIds(Size()), std::vector<int>{510});
}

// A window that keeps the keys it receives, as the program's windows hand them to their handlers.
class KeyWindow : public QWidget {
 public:
  KeyWindow() { setFocusPolicy(Qt::StrongFocus); }
  std::vector<QKeyCombination> keys;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // The test presses the modifier keys on their own first.
    const Qt::Key key = event->keyCombination().key();
    if (key != Qt::Key_Control && key != Qt::Key_Shift) keys.push_back(event->keyCombination());
  }
};

class Accelerators : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallAccelerators(&window_, [this](int id) { commands_.push_back(id); });
    window_.resize(200, 100);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    window_.setFocus();
  }

  KeyWindow window_;
  std::vector<int> commands_;
};

// Each key runs its one command and still reaches the window; keys without a command only reach it.
TEST_F(Accelerators, KeysRunTheirCommandsAndStillReachTheWindow) {
  struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int id;
  };
  const std::vector<Press> presses{
      {Qt::Key_P, Qt::ControlModifier, kCommandPrint},
      {Qt::Key_W, Qt::ControlModifier, kCommandPublishWeb},
      {Qt::Key_Q, Qt::ControlModifier, kCommandExit},
      {Qt::Key_C, Qt::ControlModifier, kCommandCopy},
      {Qt::Key_V, Qt::ControlModifier, kCommandGraphCostValue},
      {Qt::Key_O, Qt::ControlModifier, kCommandOpenCollection},
      {Qt::Key_S, Qt::ControlModifier, kCommandSave},
      {Qt::Key_N, Qt::ControlModifier, kCommandNewCollection},
      {Qt::Key_F, Qt::ControlModifier, kCommandChangeFont},
      {Qt::Key_Up, Qt::NoModifier, kCommandLineUp},
      {Qt::Key_Down, Qt::NoModifier, kCommandLineDown},
      {Qt::Key_Up, Qt::ControlModifier, kCommandPageUp},
      {Qt::Key_Down, Qt::ControlModifier, kCommandPageDown},
      {Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, kCommandJumpToLetterFirst},
      {Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier, kCommandJumpToLetterFirst + 12},
      {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, kCommandJumpToLetterFirst + 25},
  };
  std::vector<int> expected;
  for (const Press& press : presses) {
    QTest::keyClick(&window_, press.key, press.modifiers);
    expected.push_back(press.id);
  }
  EXPECT_EQ(commands_, expected);
  ASSERT_EQ(window_.keys.size(), presses.size());
  for (std::size_t i = 0; i < presses.size(); ++i) {
    EXPECT_EQ(window_.keys[i], QKeyCombination(presses[i].modifiers, presses[i].key)) << i;
  }

  // Keys without a command only reach the window.
  commands_.clear();
  window_.keys.clear();
  QTest::keyClick(&window_, Qt::Key_J, Qt::ControlModifier);
  QTest::keyClick(&window_, Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ(window_.keys.size(), 2u);

  // Each key has one command (an open dialog keeps its keys: program_test's
  // KeysInAnOpenDialogNeverReachTheMainWindow).
  std::set<QKeySequence> keys;
  for (const Accelerator& accelerator : ProgramAccelerators()) {
    const QKeySequence sequence(QString::fromUtf8(accelerator.keys));
    EXPECT_FALSE(sequence.isEmpty()) << accelerator.keys;
    EXPECT_TRUE(keys.insert(sequence).second) << accelerator.keys << " bound twice";
  }
  EXPECT_EQ(AcceleratorCommand(QKeySequence("Ctrl+Shift+Q")), kCommandJumpToLetterFirst + 16);
  EXPECT_EQ(AcceleratorKeys(kCommandGraphSalesProfit), nullptr);
  EXPECT_EQ(AcceleratorKeys(kCommandList), nullptr);
}

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMessages();
    owner_ = std::make_unique<QWidget>();
    owner_->setWindowTitle("Korvel");
    owner_->show();
    InstallMessageBoxes(owner_.get());
  }
  void TearDown() override { ResetMessages(); }

  std::unique_ptr<QWidget> owner_;
};

TEST_F(MessageBoxes, EachSeverityHasItsCaptionAndIconAndAQuestionIsModalOverItsOwner) {
  const struct {
    int severity;
    const char* caption;
    QMessageBox::Icon icon;
  } cases[] = {{kWarning, "Warning", QMessageBox::Warning},
               {kError, "Error", QMessageBox::Critical},
               {kNote, "Note", QMessageBox::Information},
               {3, "", QMessageBox::NoIcon},
               {-1, "", QMessageBox::NoIcon}};
  for (const auto& k : cases) {
    MessageBoxScript script({kAnswerNo});
    EXPECT_EQ(ShowMessage(k.severity, kButtonsYesNo, "Delete %d radios?", 3), kAnswerNo);
    ASSERT_EQ(script.boxes().size(), 1u);
    const ShownMessageBox& box = script.boxes()[0];
    EXPECT_EQ(box.caption, k.caption) << "severity " << k.severity;
    EXPECT_EQ(box.icon, k.icon) << "severity " << k.severity;
    EXPECT_EQ(box.defaultButton, kAnswerYes);
    EXPECT_EQ(box.text, "Delete 3 radios?");
    EXPECT_EQ(box.parent, owner_.get());
    EXPECT_TRUE(box.modal);
  }
}

// Every button of every code gives its answer. Escape gives the only button's answer, Cancel where there
// is one, and otherwise nothing: a dismissed question must not be taken for No or Abort.
TEST_F(MessageBoxes, EveryButtonOfEveryCodeGivesItsAnswerAndEscapeOnlyASafeOne) {
  const struct {
    Answers buttons;
    int escape;
  } codes[] = {
      {{kAnswerOk}, kAnswerOk},                                     // 0
      {{kAnswerOk, kAnswerCancel}, kAnswerCancel},                  // 1
      {{kAnswerCancel, kAnswerRetry}, kAnswerCancel},               // 2
      {{kAnswerAbort, kAnswerRetry, kAnswerIgnore}, kAnswerOther},  // 3
      {{kAnswerYes, kAnswerNo}, kAnswerOther},                      // 4
      {{kAnswerCancel, kAnswerYes, kAnswerNo}, kAnswerCancel},      // 5
      {{kAnswerOk, kAnswerCancel}, kAnswerCancel},                  // 6
      {{kAnswerOk}, kAnswerOk},                                     // 7
      {{kAnswerOk, kAnswerCancel}, kAnswerCancel},                  // 8
  };
  for (int code = 0; code < static_cast<int>(std::size(codes)); ++code) {
    std::deque<int> answers(codes[code].buttons.begin(), codes[code].buttons.end());
    answers.push_back(kAnswerOther);  // no button has it: the script presses Escape
    MessageBoxScript script(answers);
    for (int answer : codes[code].buttons) EXPECT_EQ(ShowMessage(kNote, code, "Code %d", code), answer);
    EXPECT_EQ(ShowMessage(kNote, code, "Code %d", code), codes[code].escape) << "Escape on code " << code;
    ASSERT_EQ(script.boxes().size(), answers.size());
    for (const ShownMessageBox& box : script.boxes()) EXPECT_EQ(box.buttons, codes[code].buttons) << code;
  }
}

// Text is shown as it stands: no markup, however long, old collections' bytes as their letters. A box
// opened under the wait cursor shows the arrow, and the wait cursor is back after it.
TEST_F(MessageBoxes, TextIsShownAsItStandsAndUnderTheArrow) {
  MessageBoxScript script;
  const std::string markup = "<b>Zenith</b> 100% & %s %d\n\tsecond line";
  std::string longText;
  for (int i = 0; i < 90; ++i) longText += "Philco 90 ";
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  ShowMessage(kWarning, kButtonsOk, "%s", markup.c_str());
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QGuiApplication::restoreOverrideCursor();
  ShowMessage(kNote, kButtonsOk, "%s", longText.c_str());
  ShowMessage(kNote, kButtonsOk, "Caf\xe9 Radio");  // Windows-1252, as old collections store it

  ASSERT_EQ(script.boxes().size(), 3u);
  EXPECT_EQ(script.boxes()[0].text, QString::fromStdString(markup));
  EXPECT_EQ(script.boxes()[0].format, Qt::PlainText);
  EXPECT_EQ(script.boxes()[0].overrideCursor, Qt::ArrowCursor);
  EXPECT_EQ(script.boxes()[1].text.size(), 900);
  EXPECT_EQ(script.boxes()[1].overrideCursor, -1);
  EXPECT_EQ(script.boxes()[2].text, QString::fromUtf8("Caf\u00e9 Radio"));
}

TEST_F(MessageBoxes, AnotherThreadsQuestionIsAskedOnTheGuiThreadAndBoxesOutliveTheirOwner) {
  MessageBoxScript script({kAnswerNo, kAnswerRetry});
  std::atomic<int> answer{-1};
  std::thread worker(
      [&] { answer = ShowMessage(kWarning, kButtonsYesNo, "Picture %s is damaged. Skip it?", "p1.jpg"); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return answer != -1; }, 5000));
  worker.join();
  EXPECT_EQ(answer, kAnswerNo);
  ASSERT_EQ(script.boxes().size(), 1u);
  EXPECT_EQ(script.boxes()[0].parent, owner_.get());

  owner_.reset();
  EXPECT_EQ(ShowMessage(kError, kButtonsRetryCancel, "Printer busy."), kAnswerRetry);
  ASSERT_EQ(script.boxes().size(), 2u);
  EXPECT_EQ(script.boxes()[1].parent, nullptr);
}

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
