#include "ui/frame/program_menu.h"

#include <QAction>
#include <QMenu>

#include "selection/selection.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/display_text.h"
#include "ui/frame/help.h"
#include "ui/frame/menu_table.h"

namespace korvel {
namespace {

const std::vector<std::string> kSavedPath{"view", "saved"};

// The form path lookup compares: cut at the tab, mnemonic marks removed ("&&" is a shown "&"),
// small letters.
QString LookupForm(const QString& text) {
  const QString shown = text.left(text.indexOf(u'\t'));
  QString plain;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown[i] == u'&') {
      if (++i == shown.size()) break;  // "&x" shows x, "&&" shows "&"
    }
    plain += shown[i];
  }
  return plain.toLower();
}

QMenu* FindIn(const QList<QAction*>& actions, const QString& element) {
  const QString wanted = element.toLower();
  for (QAction* action : actions) {
    if (action->menu() != nullptr && LookupForm(action->text()) == wanted) return action->menu();
  }
  return nullptr;
}

QString ItemText(const char* text, int id) {
  QString shown = QString::fromUtf8(text);
  if (const char* keys = AcceleratorKeys(id)) shown += u'\t' + QString::fromUtf8(keys);
  return shown;
}

QAction* FindCommandIn(const QList<QAction*>& actions, int id) {
  for (QAction* action : actions) {
    if (action->menu() != nullptr) {
      if (QAction* found = FindCommandIn(action->menu()->actions(), id)) return found;
    } else if (!action->isSeparator() && action->data().toInt() == id) {
      return action;
    }
  }
  return nullptr;
}

}  // namespace

ProgramMenuBar::ProgramMenuBar(FrameHelp help, CommandHandler onCommand, QWidget* parent)
    : QMenuBar(parent), help_(std::move(help)), onCommand_(std::move(onCommand)) {
  std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* menu,
                                                                       const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
      if (item.text == nullptr) {
        menu->addSeparator();
      } else if (!item.submenu.empty()) {
        fill(menu->addMenu(QString::fromUtf8(item.text)), item.submenu);
      } else {
        AddCommand(menu, ItemText(item.text, item.id), item.id)->setEnabled(item.enabled);
      }
    }
  };
  for (const MenuItem& top : ProgramMenu()) fill(addMenu(QString::fromUtf8(top.text)), top.submenu);
  AppendMenuItem({"help", "&About " + MenuTextOf(help_.caption)}, kCommandAbout);
}

QAction* ProgramMenuBar::AddCommand(QMenu* menu, const QString& text, int id) {
  QAction* action = menu->addAction(text);
  action->setData(id);
  connect(action, &QAction::triggered, this, [this, action](bool checked) {
    // Check marks are the program's to set (CheckMenuPair), not the click's.
    if (action->isCheckable()) action->setChecked(!checked);
    RunCommand(action->data().toInt());
  });
  return action;
}

void ProgramMenuBar::RunCommand(int id) {
  if (id == kCommandHelpContents) {
    OpenHelp(help_.helpFile);
  } else if (id == kCommandAbout) {
    ShowAbout(help_.aboutText);
  } else if (onCommand_) {
    onCommand_(id);
  }
}

QMenu* ProgramMenuBar::FindMenu(const std::vector<std::string>& path) const {
  if (path.empty()) return nullptr;
  QMenu* menu = FindIn(actions(), DisplayText(path.front()));
  for (std::size_t i = 1; menu != nullptr && i < path.size(); ++i) {
    menu = FindIn(menu->actions(), DisplayText(path[i]));
  }
  return menu;
}

bool ProgramMenuBar::AppendMenuItem(const std::vector<std::string>& path, int id) {
  if (path.size() < 2) return false;
  QMenu* menu = FindMenu({path.begin(), path.end() - 1});
  if (menu == nullptr) return false;
  const QString text = DisplayText(path.back());
  const QList<QAction*> items = menu->actions();
  if (items.size() == 1 && items.front()->menu() == nullptr && !items.front()->isSeparator() &&
      items.front()->text().isEmpty()) {
    items.front()->setText(text);
    items.front()->setData(id);
    return true;
  }
  AddCommand(menu, text, id);
  return true;
}

bool ProgramMenuBar::ModifyMenuItem(const std::vector<std::string>& path, int id, int position) {
  if (path.size() < 2) return false;
  QMenu* menu = FindMenu({path.begin(), path.end() - 1});
  if (menu == nullptr) return false;
  const QList<QAction*> items = menu->actions();
  if (position < 0 || position >= items.size()) return false;
  QAction* item = items[position];
  if (item->isSeparator() || item->menu() != nullptr) return false;
  item->setText(DisplayText(path.back()));
  item->setData(id);
  return true;
}

bool ProgramMenuBar::CheckMenuPair(int submenu, int secondSubmenu, int id, int position, bool check) {
  const QList<QAction*> top = actions();
  if (submenu < 0 || submenu >= top.size() || top[submenu]->menu() == nullptr) return false;
  QMenu* menu = top[submenu]->menu();
  if (secondSubmenu >= 0) {
    const QList<QAction*> second = menu->actions();
    if (secondSubmenu >= second.size() || second[secondSubmenu]->menu() == nullptr) return false;
    menu = second[secondSubmenu]->menu();
  }
  const QList<QAction*> items = menu->actions();
  QAction* item = nullptr;
  for (QAction* candidate : items) {
    if (candidate->menu() == nullptr && !candidate->isSeparator() && candidate->data().toInt() == id) {
      item = candidate;
      break;
    }
  }
  if (item == nullptr && position >= 0 && position < items.size()) item = items[position];
  if (item == nullptr || item->isSeparator() || item->menu() != nullptr) return false;
  item->setCheckable(true);
  item->setChecked(check);
  return true;
}

QAction* ProgramMenuBar::FindCommand(int id) const {
  return FindCommandIn(actions(), id);
}

int SavedMenuItems::ItemCount() const {
  QMenu* saved = bar_.FindMenu(kSavedPath);
  return saved != nullptr ? static_cast<int>(saved->actions().size()) : 0;
}

void SavedMenuItems::RenameItem(int id, const std::string& name) {
  if (id < kCommandSavedFirst || id > kCommandSavedLast) return;
  std::vector<std::string> path = kSavedPath;
  path.push_back(MenuTextOf(name));
  if (bar_.ModifyMenuItem(path, id, id - kCommandSavedFirst)) {
    // "<empty>" was disabled; a real selection can be recalled.
    if (QAction* item = bar_.FindCommand(id)) item->setEnabled(true);
  }
}

void SavedMenuItems::AppendItem(int id, const std::string& name) {
  if (id < kCommandSavedFirst || id > kCommandSavedLast) return;
  std::vector<std::string> path = kSavedPath;
  path.push_back(MenuTextOf(name));
  bar_.AppendMenuItem(path, id);
}

std::string MenuTextOf(const std::string& name) {
  std::string text;
  for (char c : name) {
    if (c == '&') {
      text += "&&";
    } else {
      text += c == '\t' ? ' ' : c;
    }
  }
  return text;
}

}  // namespace korvel
