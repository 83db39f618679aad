#include <any>
#include <cstdint>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

TEST_F(DalTest, PlainListItemsCarryTheirDataAndBadPositionsChangeNothing) {
  DalDialog dialog{.templateId = 80, .fields = {Field(kDalList, 10), Field(kDalEdit, 11)}};
  auto window = host.Open(dialog);
  DalFieldInfo& list = dialog.fields[0];
  EXPECT_EQ(DalAddListItem(list, "not shown", "Zenith 7S529", 42, true), 0);
  EXPECT_EQ(DalAddListItem(list, "", "Philco 90", 43, false), 1);
  EXPECT_EQ(DalAddListItem(dialog.fields[1], "", "x", 0, true), -1);
  EXPECT_EQ(window->At(10).ItemTexts(), (std::vector<std::string>{"Zenith 7S529", "Philco 90"}));

  EXPECT_TRUE(DalSelectListItem(list, 1, true));
  const auto second = DalGetListItem(list, 1);
  ASSERT_TRUE(second.has_value());
  EXPECT_TRUE(second->selected);
  EXPECT_EQ(second->data, 43);
  EXPECT_FALSE(DalGetListItem(list, 0)->selected);

  // A position of -1 must not stand for every item.
  EXPECT_FALSE(DalSelectListItem(list, -1, false));
  EXPECT_FALSE(DalSelectListItem(list, 2, true));
  EXPECT_TRUE(window->At(10).IsItemSelected(1));
  EXPECT_FALSE(DalGetListItem(list, 2).has_value());
  EXPECT_FALSE(DalGetListItem(list, -1).has_value());
}

TEST_F(DalTest, PictureItemsKeepTheirFilesAndTextsUntilCleared) {
  DalDialog dialog{.templateId = 50,
                   .fields = {Field(kDalList, 112, {}, DAL_PICTURES), Field(kDalList, 113)}};
  dialog.fields[0].itemHeight = 60;
  auto window = host.Open(dialog);
  DalFieldInfo& pictures = dialog.fields[0];
  EXPECT_EQ(DalAddListItem(pictures, "Zenith", "pictures\\zenith\\z1.jpg", 7, true), 0);
  EXPECT_EQ(DalAddListItem(pictures, "", "p.jpg", 8, true), 1);
  EXPECT_EQ(DalAddListItem(pictures, "unused", "q.jpg", 9, false), 2);
  EXPECT_EQ(window->At(112).ItemTexts(), (std::vector<std::string>{"Zenith", "p.jpg", ""}));
  EXPECT_EQ(DalPictureItem(pictures, 0)->fileName, "pictures\\zenith\\z1.jpg");
  EXPECT_EQ(DalGetListItem(pictures, 2)->data, 9);  // the caller's data, not the library's record
  EXPECT_EQ(DalPictureItem(dialog.fields[1], 0), nullptr);
  EXPECT_EQ(DalMeasureListItem(pictures), 60);
  EXPECT_EQ(DalMeasureListItem(dialog.fields[1]), 0);

  DalClearListItems(pictures);
  EXPECT_TRUE(pictures.ownedItems.empty());
  EXPECT_EQ(window->At(112).ItemCount(), 0);
  EXPECT_EQ(DalPictureItem(pictures, 0), nullptr);
}

TEST_F(DalTest, PictureItemsAreDrawnByTheHookOnceLoadedAndInUpwardCoordinates) {
  const std::vector<std::string> files{"a.jpg", "b.jpg"};
  DalDialog dialog{.templateId = 50,
                   .fields = {Field(kDalList, 112, {}, DAL_PICTURES), Field(kDalList, 113)}};
  dialog.fields[0].items = &files;
  dialog.fields[1].items = &files;
  struct Drawn {
    std::string file;
    int topUp;
    int bottomUp;
    bool selected;
  };
  std::vector<Drawn> drawn;
  int loads = 0;
  DalSetPictureDrawer([&](DalListItem& item, const DalPictureCell& cell) {
    if (!item.picture.has_value()) {
      ++loads;
      item.picture = "decoded " + item.fileName;
    }
    drawn.push_back({std::any_cast<std::string>(item.picture), cell.topUp, cell.bottomUp, cell.selected});
  });
  const DalPictureCell cell{
      .left = 0, .top = 60, .right = 80, .bottom = 120, .clientHeight = 300, .selected = true};
  EXPECT_EQ(
      Run(dialog, DalScript()
                      .Do([&](DalDialog& open) {
                        EXPECT_FALSE(DalDrawListItem(open, 112, 1, DalDrawAction::kFocusOnly, cell));
                        EXPECT_TRUE(DalDrawListItem(open, 112, 1, DalDrawAction::kDrawEntire, cell));
                        EXPECT_TRUE(DalDrawListItem(open, 112, 1, DalDrawAction::kSelectionChanged, cell));
                        EXPECT_FALSE(DalDrawListItem(open, 113, 1, DalDrawAction::kDrawEntire, cell));
                        EXPECT_FALSE(DalDrawListItem(open, 112, 2, DalDrawAction::kDrawEntire, cell));
                      })
                      .Ok()),
      1);
  DalSetPictureDrawer(nullptr);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(drawn[1].file, "decoded b.jpg");
  EXPECT_EQ(drawn[1].topUp, 240);
  EXPECT_EQ(drawn[1].bottomUp, 180);
  EXPECT_TRUE(drawn[1].selected);
  // The items belonged to the closed window's list.
  EXPECT_TRUE(dialog.fields[0].ownedItems.empty());
  EXPECT_EQ(host.Closed(50, 113).ItemTexts(), files);
}

}  // namespace
}  // namespace korvel::test
