#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <vector>

#include "selection/saved_selections.h"
#include "ui/frame/accelerators.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/program_menu.h"

namespace korvel {
namespace {

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

}  // namespace
}  // namespace korvel
