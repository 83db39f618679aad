// Fields: how each kind of value is shown in its control and read back, dates, lists and rules.
#include <any>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

// Only whole numbers are typed into the program's dialogs: years, prices, counts.
TEST_F(DalTest, WholeNumbersScanLikeScanfButNeverOverflow) {
  std::int32_t year = 1950;
  DalDialog dialog{.templateId = 1, .fields = {Field(kDalEdit, 10, &year, DAL_INT)}};
  auto window = host.Open(dialog);
  EXPECT_TRUE(DalSetField(dialog.fields[0]));
  EXPECT_EQ(window->At(10).Text(), "1950");
  auto readYear = [&](const std::string& text) {
    year = 1950;
    window->At(10).SetText(text);
    EXPECT_TRUE(DalReadField(dialog.fields[0])) << text;
    return year;
  };
  EXPECT_EQ(readYear(" 1937 "), 1937);
  EXPECT_EQ(readYear("+1937"), 1937);
  EXPECT_EQ(readYear("-12"), -12);
  EXPECT_EQ(readYear(""), 1950);  // nothing typed keeps the value, silently
  EXPECT_TRUE(messages.messages().empty());
  // Anything but a whole number is refused with a word, and the value stays.
  for (const char* unreadable : {"19x5", "1937 (about)", "about 1937", "+-5", "99999999999", "-2147483649"}) {
    year = 1950;
    window->At(10).SetText(unreadable);
    EXPECT_FALSE(DalReadField(dialog.fields[0])) << unreadable;
    EXPECT_NE(dialog.fields[0].state & kDalRefused, 0u);
    EXPECT_EQ(year, 1950) << unreadable;
  }
  ASSERT_EQ(messages.messages().size(), 6u);
  EXPECT_EQ(messages.Texts()[0], "'19x5' is not a whole number (between -2147483648 and 2147483647).");
}

TEST_F(DalTest, TextsAreStoredAsTypedOrCapitalisedAndMismatchedVariablesFail) {
  std::string model = "old";
  std::string source = "old";
  DalDialog dialog{.templateId = 1,
                   .fields = {Field(kDalEdit, 10, &model, DAL_STRING | DAL_CAPITALIZE),
                              Field(kDalEdit, 11, &source, DAL_STRING), Field(kDalEdit, 12, &source, DAL_INT),
                              Field(kDalCheck, 13, &source)}};
  auto window = host.Open(dialog);
  window->At(10).SetText("mcMURDO silver-masterpiece 15-17");
  window->At(11).SetText(" Radio  News, p. 4 ");
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_TRUE(DalReadField(dialog.fields[1]));
  EXPECT_EQ(model, "Mcmurdo Silver-Masterpiece 15-17");
  EXPECT_EQ(source, " Radio  News, p. 4 ");

  window->At(12).SetText("unchanged");
  EXPECT_FALSE(DalSetField(dialog.fields[2]));
  EXPECT_FALSE(DalReadField(dialog.fields[2]));
  EXPECT_FALSE(DalSetField(dialog.fields[3]));
  EXPECT_FALSE(DalReadField(dialog.fields[3]));
  EXPECT_EQ(window->At(12).Text(), "unchanged");
  EXPECT_EQ(source, " Radio  News, p. 4 ");
}

TEST_F(DalTest, PositionsAndCheckStatesNeedAChoiceToBeRead) {
  const std::vector<std::string> brands{"Unknown", "Zenith", "Philco"};
  std::int32_t brand = 1;
  std::int32_t pushButtons = 1;
  std::int32_t listed = 2;
  std::int32_t outside = 7;
  DalDialog dialog{
      .templateId = 1,
      .fields = {Listed(kDalCombo, 10, &brand, &brands), Field(kDalCheck, 11, &pushButtons),
                 Listed(kDalList, 12, &listed, &brands), Listed(kDalCombo, 13, &outside, &brands)}};
  auto window = host.Open(dialog);
  EXPECT_TRUE(DalFillDialog(dialog, true, true));
  EXPECT_EQ(window->At(10).ItemTexts(), brands);
  EXPECT_EQ(window->At(10).CurrentItem(), 1);
  EXPECT_TRUE(window->At(11).IsChecked());
  EXPECT_TRUE(window->At(12).IsItemSelected(2));
  EXPECT_EQ(window->At(13).CurrentItem(), -1);
  EXPECT_FALSE(DalSetField(dialog.fields[3]));  // position outside the table

  window->At(10).SetCurrentItem(2);
  window->At(11).SetChecked(false);
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_TRUE(DalReadField(dialog.fields[1]));
  EXPECT_EQ(brand, 2);
  EXPECT_EQ(pushButtons, 0);
  pushButtons = 5;  // any nonzero value ticks the box, and reads back as yes
  DalSetField(dialog.fields[1]);
  DalReadField(dialog.fields[1]);
  EXPECT_EQ(pushButtons, 1);

  window->At(10).SetCurrentItem(-1);
  window->At(12).SelectItem(2, false);
  EXPECT_FALSE(DalReadField(dialog.fields[0]));
  EXPECT_FALSE(DalReadField(dialog.fields[2]));
  EXPECT_EQ(brand, 2);
  EXPECT_EQ(listed, 2);
}

TEST_F(DalTest, PartsAreJoinedWithoutDoubledSeparatorsAndSplitBackWithinTheirCount) {
  std::array<std::string, 4> pictures{"a.jpg", "b.jpg", "", "c.jpg"};
  std::array<std::string, 3> words{"one ", "", "two"};
  std::array<std::string, 2> two{"x", "y"};
  DalDialog dialog{.templateId = 13,
                   .fields = {Field(kDalMultiPart, 1018, std::span<std::string>(pictures), DAL_COMMAS),
                              Field(kDalMultiPart, 1019, std::span<std::string>(words)),
                              Field(kDalMultiPart, 1020, std::span<std::string>(two), DAL_COMMAS)}};
  dialog.fields[0].partCount = 4;
  dialog.fields[1].partCount = 3;
  dialog.fields[2].partCount = 10;  // more than the variable holds
  for (DalFieldInfo& field : dialog.fields) field.partWidth = 1024;
  auto window = host.Open(dialog);
  for (DalFieldInfo& field : dialog.fields) EXPECT_TRUE(DalSetField(field));
  EXPECT_EQ(window->At(1018).Text(), "a.jpg,b.jpg,c.jpg");
  EXPECT_EQ(window->At(1019).Text(), "one two");
  EXPECT_EQ(window->At(1020).Text(), "x,y");
  pictures = {"a,", "b", "", ""};
  DalSetField(dialog.fields[0]);
  EXPECT_EQ(window->At(1018).Text(), "a,b");

  window->At(1018).SetText("x.jpg,y.jpg");
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_EQ(pictures, (std::array<std::string, 4>{"x.jpg", "y.jpg", "", ""}));
  EXPECT_TRUE(messages.messages().empty());

  // Parts beyond the count are lost, so the user is told.
  window->At(1018).SetText("1,2,3,4,5");
  window->At(1020).SetText("p,q,r");
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_TRUE(DalReadField(dialog.fields[2]));
  EXPECT_EQ(pictures, (std::array<std::string, 4>{"1", "2", "3", "4"}));
  EXPECT_EQ(two, (std::array<std::string, 2>{"p", "q"}));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Too much text.", "Too much text."}));
}

TEST_F(DalTest, DatesAreStoredInTheirStandardFormRemovedWhenBlankOrKeptWithAWarning) {
  std::string acquired = "05Jan1950";
  DalDialog dialog{.templateId = 30, .fields = {Field(kDalEdit, 1081, &acquired, DAL_STRING | DAL_DATE)}};
  auto window = host.Open(dialog);
  auto read = [&](const std::string& text) {
    window->At(1081).SetText(text);
    return DalReadField(dialog.fields[0]);
  };
  EXPECT_TRUE(read("01jan99"));
  EXPECT_EQ(acquired, "01Jan99");
  EXPECT_TRUE(read("   "));  // blanking a date removes it, without a word, also when the box is left
  EXPECT_EQ(acquired, "");
  std::string blank = " ";
  EXPECT_FALSE(DalCheckDate(blank));
  EXPECT_TRUE(read("31DEC1999  "));  // trailing blanks would make the stored date unreadable later
  EXPECT_EQ(acquired, "31Dec1999");
  EXPECT_TRUE(messages.messages().empty());

  for (const char* malformed : {"1Jan99", "31apr1950", " 01Jan99", "Jan 1 1950"}) {
    EXPECT_FALSE(read(malformed)) << malformed;
    EXPECT_EQ(acquired, "31Dec1999");
  }
  ASSERT_EQ(messages.messages().size(), 4u);
  EXPECT_EQ(messages.messages()[0].text, kDateWarning);
  EXPECT_EQ(messages.messages()[0].severity, kWarning);
  EXPECT_EQ(messages.messages()[0].buttons, kButtonsOk);
}

TEST_F(DalTest, LeavingADateFieldWarnsAtOnceAndOkStillClosesTheDialog) {
  std::string acquired = "05Jan1950";
  DalDialog dialog{.templateId = 30, .fields = {Field(kDalEdit, 1081, &acquired, DAL_STRING | DAL_DATE)}};
  EXPECT_EQ(Run(dialog, DalScript()
                            .Type(1081, "5jan50")
                            .Do([&](DalDialog& open) {
                              EXPECT_EQ(messages.Texts(), std::vector<std::string>{kDateWarning});
                              EXPECT_EQ(DalFindControl(open, 1081)->Text(),
                                        "5jan50");  // nothing rewritten yet
                            })
                            .Ok()),
            1);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kDateWarning, kDateWarning}));
  EXPECT_EQ(acquired, "05Jan1950");
}

TEST_F(DalTest, PlainListItemsCarryTheirDataAndBadPositionsHaveNone) {
  DalDialog dialog{.templateId = 80, .fields = {Field(kDalList, 10), Field(kDalEdit, 11)}};
  auto window = host.Open(dialog);
  DalFieldInfo& list = dialog.fields[0];
  EXPECT_EQ(DalAddListItem(list, "not shown", "Zenith 7S529", 42, true), 0);
  EXPECT_EQ(DalAddListItem(list, "", "Philco 90", 43, false), 1);
  EXPECT_EQ(DalAddListItem(dialog.fields[1], "", "x", 0, true), -1);
  EXPECT_EQ(window->At(10).ItemTexts(), (std::vector<std::string>{"Zenith 7S529", "Philco 90"}));

  window->At(10).SelectItem(1, true);
  const auto second = DalGetListItem(list, 1);
  ASSERT_TRUE(second.has_value());
  EXPECT_TRUE(second->selected);
  EXPECT_EQ(second->data, 43);
  EXPECT_FALSE(DalGetListItem(list, 0)->selected);
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

// A value box that follows the chosen record field: a table position for one, a date or a
// number for another.
TEST_F(DalTest, AValueBoxSwitchesBetweenATableAndTypedValues) {
  const std::vector<std::string> brands{"Unknown", "Philco", "Zenith"};
  std::int32_t position = 2;
  std::string date = "05jan1950";
  std::int32_t year = 1936;
  DalDialog dialog{.templateId = 50, .fields = {Field(kDalCombo, 405)}};
  auto window = host.Open(dialog);
  DalFieldInfo& value = dialog.fields[0];
  FakeControl& box = window->At(405);

  DalResetComboField(value, &brands, 0, &position);
  EXPECT_EQ(box.ItemTexts(), brands);
  EXPECT_EQ(box.CurrentItem(), 2);

  DalResetComboField(value, nullptr, DAL_STRING | DAL_DATE, &date);
  EXPECT_EQ(box.ItemCount(), 0);
  EXPECT_EQ(box.Text(), "05jan1950");
  box.SetText("1936");
  DalNotify(dialog, 405, DalEvent::kTextChanged);  // leaving a date box checks it
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kDateWarning});

  DalResetComboField(value, &brands, 0, &position);
  EXPECT_EQ(date, "");  // the text of the old binding goes with it
  EXPECT_EQ(value.flags & kDalTextKindBits, 0u);
  EXPECT_EQ(box.ItemTexts(), brands);
  EXPECT_EQ(box.CurrentItem(), 2);
  DalNotify(dialog, 405, DalEvent::kTextChanged);
  EXPECT_EQ(messages.messages().size(), 1u);

  DalResetComboField(value, nullptr, DAL_INT, &year);
  EXPECT_EQ(position, 2);  // positions are not texts: nothing to drop
  EXPECT_EQ(box.Text(), "1936");
  box.SetText("1941");
  EXPECT_TRUE(DalReadField(value));
  EXPECT_EQ(year, 1941);

  DalResetComboField(value, nullptr, DAL_STRING, static_cast<std::string*>(nullptr));
  EXPECT_EQ(box.Text(), "");
}

constexpr std::int32_t kRestored = 5;
constexpr std::int32_t kSold = 10;

TEST_F(DalTest, AFieldOutsideItsRuleIsGreyedNeitherShownNorRead) {
  std::int32_t status = kSold;
  std::int32_t cost = 40;
  const DalEnableRule restored{&status, {kRestored, 6, 7}};
  DalDialog dialog{.templateId = 32, .fields = {Field(kDalEdit, 1092, &cost, DAL_INT)}};
  dialog.fields[0].enableRule = &restored;
  auto shown = [](bool enabled, const char* text) {
    return [=](DalDialog& open) {
      EXPECT_EQ(DalFindControl(open, 1092)->IsEnabled(), enabled);
      EXPECT_EQ(DalFindControl(open, 1092)->Text(), text);
    };
  };
  EXPECT_EQ(Run(dialog, DalScript().Do(shown(false, "")).Type(1092, "99").Ok()), 1);
  EXPECT_EQ(cost, 40);

  status = kRestored;
  EXPECT_EQ(Run(dialog, DalScript().Do(shown(true, "40")).Type(1092, "99").Ok()), 1);
  EXPECT_EQ(cost, 99);
}

TEST_F(DalTest, AChangeCallbackReappliesTheRulesOfDependentFields) {
  const std::vector<std::string> statuses{
      "As Acquired", "Donated",           "For Sale",          "Not Restored", "Partially Restored",
      "Restored",    "Restored and Sold", "Restored For Sale", "Returned",     "Scrapped",
      "Sold",        "To Be Restored"};
  std::int32_t status = kSold;
  std::int32_t price = 120;
  std::string repairs = "recapped";
  const DalEnableRule sold{&status, {6, kSold}};
  DalDialog dialog{
      .templateId = 31,
      .fields = {Listed(kDalCombo, 1084, &status, &statuses), Field(kDalEdit, 1095, &price, DAL_INT),
                 Field(kDalEdit, 1093, &repairs, DAL_STRING)}};
  dialog.fields[1].enableRule = &sold;
  dialog.fields[0].change = [](DalFieldInfo& field) {
    DalReadField(field);
    DalApplyEnableRule(*DalFindField(1095, *field.dialog));
    // A field without a rule is enabled and its control left as it is.
    EXPECT_TRUE(DalApplyEnableRule(*DalFindField(1093, *field.dialog)));
  };
  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([](DalDialog& open) { DalFindControl(open, 1093)->SetEnabled(false); })
                            .Choose(1084, kRestored)
                            .Do([](DalDialog& open) {
                              EXPECT_FALSE(DalFindControl(open, 1095)->IsEnabled());
                              EXPECT_FALSE(DalFindControl(open, 1093)->IsEnabled());
                            })
                            .Type(1095, "300")
                            .Ok()),
            1);
  EXPECT_EQ(status, kRestored);
  EXPECT_EQ(price, 120);
}

}  // namespace
}  // namespace korvel::test
