// The dialog library on a fake host: how each kind of value is shown in its control and read back,
// dates, lists and rules; runs of dialogs and notebooks, scripts, OK and Cancel, and when change
// callbacks come.
#include <gtest/gtest.h>

#include <any>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dal/dal.h"
#include "support/fake_controls.h"
#include "util/message_recorder.h"

namespace korvel::test {
namespace {

inline constexpr const char* kDateWarning = "Date must be of the form 'ddMmmyy' or 'ddMmmyyyy'.";

inline DalFieldInfo Field(DalKind kind, int controlId, DalVariable value = {}, std::uint32_t flags = 0) {
  DalFieldInfo field;
  field.kind = kind;
  field.controlId = controlId;
  field.value = value;
  field.flags = flags;
  return field;
}

inline DalFieldInfo Listed(DalKind kind, int controlId, std::int32_t* position,
                           const std::vector<std::string>* items) {
  DalFieldInfo field = Field(kind, controlId, position);
  field.items = items;
  return field;
}

class DalTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(DalTakeScriptErrors(), std::vector<std::string>{}); }

  int Run(DalDialog& dialog, DalScript script) {
    DalQueueScript(std::move(script));
    return DalRunDialog(dialog, nullptr);
  }

  FakeHost host;
  MessageRecorder messages;
};

TEST_F(DalTest, WholeNumbersScanLikeScanfButNeverOverflow) {
  std::int32_t year = 1950;
  DalDialog dialog{.templateId = 1, .fields = {Field(kDalEdit, 10, &year, DAL_INT)}};
  auto window = host.Open(dialog);
  EXPECT_TRUE(DalSetField(dialog.fields[0]));
  EXPECT_EQ(window->At(10).Text(), "1950");
  // Nothing typed keeps the value, silently; anything but a whole number is refused with a word, and
  // the value stays.
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {" 1937 ", 1937},     {"+1937", 1937},    {"-12", -12}, {"", 1950},          {"19x5", {}},
      {"1937 (about)", {}}, {"about 1937", {}}, {"+-5", {}},  {"99999999999", {}}, {"-2147483649", {}}};
  for (const auto& [typed, read] : cases) {
    year = 1950;
    window->At(10).SetText(typed);
    EXPECT_EQ(DalReadField(dialog.fields[0]), read.has_value()) << "'" << typed << "'";
    EXPECT_EQ((dialog.fields[0].state & kDalRefused) != 0, !read) << "'" << typed << "'";
    EXPECT_EQ(year, read.value_or(1950)) << "'" << typed << "'";
  }
  EXPECT_EQ(messages.messages().size(), 6u) << "one word for each refusal, none for the others";
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
  for (int field : {0, 1}) EXPECT_TRUE(DalReadField(dialog.fields[field])) << field;
  EXPECT_EQ(model, "Mcmurdo Silver-Masterpiece 15-17");
  EXPECT_EQ(source, " Radio  News, p. 4 ");

  window->At(12).SetText("unchanged");
  for (DalFieldInfo& mismatched : std::span(dialog.fields).subspan(2)) {
    EXPECT_FALSE(DalSetField(mismatched)) << mismatched.controlId;
    EXPECT_FALSE(DalReadField(mismatched)) << mismatched.controlId;
  }
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
  for (int field : {0, 1}) EXPECT_TRUE(DalReadField(dialog.fields[field])) << field;
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
  for (const auto& [id, joined] : {std::pair{1018, "a.jpg,b.jpg,c.jpg"}, {1019, "one two"}, {1020, "x,y"}})
    EXPECT_EQ(window->At(id).Text(), joined) << id;
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
  for (int field : {0, 2}) EXPECT_TRUE(DalReadField(dialog.fields[field])) << field;
  EXPECT_EQ(pictures, (std::array<std::string, 4>{"1", "2", "3", "4"}));
  EXPECT_EQ(two, (std::array<std::string, 2>{"p", "q"}));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Too much text.", "Too much text."}));
}

TEST_F(DalTest, DatesAreStoredInTheirStandardFormRemovedWhenBlankOrKeptWithAWarning) {
  std::string acquired = "05Jan1950";
  DalDialog dialog{.templateId = 30, .fields = {Field(kDalEdit, 1081, &acquired, DAL_STRING | DAL_DATE)}};
  auto window = host.Open(dialog);
  // Blanking a date removes it without a word; trailing blanks would make the stored date unreadable
  // later; a malformed date keeps the one before.
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"01jan99", "01Jan99"}, {"   ", ""},       {"31DEC1999  ", "31Dec1999"},
      {"1Jan99", {}},         {"31apr1950", {}}, {" 01Jan99", {}},
      {"Jan 1 1950", {}}};
  for (const auto& [typed, stored] : cases) {
    window->At(1081).SetText(typed);
    EXPECT_EQ(DalReadField(dialog.fields[0]), stored.has_value()) << "'" << typed << "'";
    EXPECT_EQ(acquired, stored.value_or("31Dec1999")) << "'" << typed << "'";
  }
  std::string blank = " ";
  EXPECT_FALSE(DalCheckDate(blank)) << "a blank box left is no date, and no warning";
  ASSERT_EQ(messages.messages().size(), 4u) << "one warning for each malformed date, none for the others";
  EXPECT_EQ(messages.messages()[0].text, kDateWarning);
  EXPECT_EQ(messages.messages()[0].severity, kWarning);
  EXPECT_EQ(messages.messages()[0].buttons, kButtonsOk);
}

TEST_F(DalTest, ListItemsCarryTheirDataAndPictureItemsTheirFilesDrawnByTheHookOnceLoaded) {
  DalDialog dialog{
      .templateId = 50,
      .fields = {Field(kDalList, 112, {}, DAL_PICTURES), Field(kDalList, 113), Field(kDalEdit, 11)}};
  dialog.fields[0].itemHeight = 60;
  auto window = host.Open(dialog);
  DalFieldInfo& pictures = dialog.fields[0];
  DalFieldInfo& plain = dialog.fields[1];
  EXPECT_EQ(DalAddListItem(plain, "not shown", "Zenith 7S529", 42, true), 0);
  EXPECT_EQ(DalAddListItem(plain, "", "Philco 90", 43, false), 1);
  EXPECT_EQ(DalAddListItem(dialog.fields[2], "", "x", 0, true), -1);
  EXPECT_EQ(window->At(113).ItemTexts(), (std::vector<std::string>{"Zenith 7S529", "Philco 90"}));
  window->At(113).SelectItem(1, true);
  ASSERT_TRUE(DalGetListItem(plain, 1).has_value());
  EXPECT_TRUE(DalGetListItem(plain, 1)->selected);
  EXPECT_EQ(DalGetListItem(plain, 1)->data, 43);
  EXPECT_FALSE(DalGetListItem(plain, 0)->selected);
  for (int outside : {2, -1}) EXPECT_FALSE(DalGetListItem(plain, outside).has_value()) << outside;

  EXPECT_EQ(DalAddListItem(pictures, "Zenith", "pictures\\zenith\\z1.jpg", 7, true), 0);
  EXPECT_EQ(DalAddListItem(pictures, "", "p.jpg", 8, true), 1);
  EXPECT_EQ(DalAddListItem(pictures, "unused", "q.jpg", 9, false), 2);
  EXPECT_EQ(window->At(112).ItemTexts(), (std::vector<std::string>{"Zenith", "p.jpg", ""}));
  EXPECT_EQ(DalPictureItem(pictures, 0)->fileName, "pictures\\zenith\\z1.jpg");
  EXPECT_EQ(DalGetListItem(pictures, 2)->data, 9);  // the caller's data, not the library's record
  EXPECT_EQ(DalPictureItem(plain, 0), nullptr);
  EXPECT_EQ(DalMeasureListItem(pictures), 60);
  EXPECT_EQ(DalMeasureListItem(plain), 0);

  DalClearListItems(pictures);
  EXPECT_TRUE(pictures.ownedItems.empty());
  EXPECT_EQ(window->At(112).ItemCount(), 0);
  EXPECT_EQ(DalPictureItem(pictures, 0), nullptr);
  window.reset();

  // A run fills both lists from a table; pictures are drawn in upward coordinates.
  const std::vector<std::string> files{"a.jpg", "b.jpg"};
  pictures.items = &files;
  plain.items = &files;
  using Drawn = std::tuple<std::string, int, int, bool>;  // the picture, its rows counted upwards, selected
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
  EXPECT_EQ(drawn[1], (Drawn{"decoded b.jpg", 240, 180, true}));
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

// A change callback reapplies the rules of the fields that depend on it; a field without a rule is
// enabled and its control left as it is.
TEST_F(DalTest, AFieldOutsideItsRuleIsGreyedNeitherShownNorReadUntilItsRuleLetsItIn) {
  const std::vector<std::string> statuses(12, "a status");
  std::int32_t status = kSold;
  std::int32_t cost = 40;
  std::int32_t price = 120;
  std::string repairs = "recapped";
  const DalEnableRule restored{&status, {kRestored, 6, 7}};
  const DalEnableRule sold{&status, {6, kSold}};
  DalDialog dialog{
      .templateId = 31,
      .fields = {Listed(kDalCombo, 1084, &status, &statuses), Field(kDalEdit, 1092, &cost, DAL_INT),
                 Field(kDalEdit, 1095, &price, DAL_INT), Field(kDalEdit, 1093, &repairs, DAL_STRING)}};
  dialog.fields[1].enableRule = &restored;
  dialog.fields[2].enableRule = &sold;
  dialog.fields[0].change = [](DalFieldInfo& field) {
    DalReadField(field);
    DalApplyEnableRule(*DalFindField(1095, *field.dialog));
    EXPECT_TRUE(DalApplyEnableRule(*DalFindField(1093, *field.dialog)));
  };
  const auto costShown = [](bool enabled, const char* text) {
    return [=](DalDialog& open) {
      EXPECT_EQ(DalFindControl(open, 1092)->IsEnabled(), enabled);
      EXPECT_EQ(DalFindControl(open, 1092)->Text(), text);
    };
  };
  EXPECT_EQ(Run(dialog, DalScript().Do(costShown(false, "")).Type(1092, "99").Ok()), 1);
  EXPECT_EQ(cost, 40);

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

  EXPECT_EQ(Run(dialog, DalScript().Do(costShown(true, "40")).Type(1092, "99").Ok()), 1);
  EXPECT_EQ(cost, 99);
}

// Fields are found by id across callback-only gaps but not past the end of the table, and a descriptor
// copied after indexing is indexed again for itself. A control bound twice refuses every run, naming
// the id and the template: a half-built index must not pass for a built one the second time.
TEST_F(DalTest, FieldsAreFoundByTheirOwnDescriptorsIndexWhichRefusesAnIdTwice) {
  std::int32_t a = 0;
  DalDialog dialog{.templateId = 1,
                   .fields = {Field(kDalEdit, 300, &a, DAL_INT), Field(kDalNoControl, 0),
                              Field(kDalEdit, 100, &a), Field(kDalNoControl, 0), Field(kDalCheck, 200, &a),
                              Field(kDalEnd, 0), Field(kDalEdit, 100, &a)}};
  ASSERT_TRUE(DalInitFieldInfo(dialog));
  for (const auto& [id, at] : {std::pair{300, 0}, {100, 2}, {200, 4}})
    EXPECT_EQ(DalFindField(id, dialog), &dialog.fields[at]) << id;
  for (int absent : {0, 150, 99, 301, -1}) EXPECT_EQ(DalFindField(absent, dialog), nullptr) << absent;
  EXPECT_EQ(dialog.fields[1].dialog, &dialog);
  EXPECT_EQ(dialog.fields[6].dialog, nullptr);

  std::int32_t year = 1950;
  std::string seen;
  DalDialog original{.templateId = 10, .fields = {Field(kDalEdit, 1004, &year, DAL_INT)}};
  original.fields[0].change = [&](DalFieldInfo& field) { seen = DalFieldControl(field)->Text(); };
  ASSERT_TRUE(DalInitFieldInfo(original));
  std::vector<DalDialog> pages{original};
  EXPECT_EQ(Run(pages[0], DalScript().Type(1004, "1937").Ok()), 1);
  EXPECT_EQ(seen, "1937");
  EXPECT_EQ(year, 1937);
  EXPECT_EQ(DalFindField(1004, pages[0]), &pages[0].fields[0]);

  DalDialog twice{.templateId = 70,
                  .fields = {Field(kDalEdit, 109, &year, DAL_INT), Field(kDalEdit, 111, &a, DAL_INT),
                             Field(kDalCheck, 109, &a)}};
  EXPECT_EQ(DalRunDialog(twice, nullptr), -1);
  EXPECT_EQ(DalRunDialog(twice, nullptr), -1);
  const std::string refusal = "Field 109 used more than once in dialog 70.";
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{refusal, refusal}));
  EXPECT_EQ(messages.messages()[0].severity, kError);
  EXPECT_EQ(messages.messages()[0].buttons, kButtonsOk);
  EXPECT_EQ(host.made(), std::vector<int>{10}) << "a window was made for a dialog that binds an id twice";
}

// A malformed date warns when its box is left and again at every OK; a field switched off is not read,
// so a malformed date left in it says nothing more.
TEST_F(DalTest, OkStaysOpenOnARefusedNumberButNotOnAMalformedDateAndSkipsDisabledFields) {
  std::int32_t year = 1950;
  std::string date = "01Jan1990";
  std::string acquired = "05Jan1950";
  DalDialog dialog{.templateId = 10,
                   .fields = {Field(kDalEdit, 1004, &year, DAL_INT), Field(kDalEdit, 1005, &date, DAL_DATE),
                              Field(kDalEdit, 1081, &acquired, DAL_STRING | DAL_DATE)}};
  bool stillOpen = false;
  EXPECT_EQ(Run(dialog, DalScript()
                            .Type(1005, "31Foo99")
                            .Do([](DalDialog& open) { DalEnableField(*DalFindField(1005, open), false); })
                            .Type(1081, "5jan50")
                            .Do([](DalDialog& open) {
                              EXPECT_EQ(DalFindControl(open, 1081)->Text(), "5jan50");  // nothing rewritten
                            })
                            .Type(1004, "19x5")
                            .Ok()
                            .Do([&](DalDialog& open) { stillOpen = (open.mode & kDalRunning) != 0; })
                            .Type(1004, "1935")
                            .Ok()),
            1);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(year, 1935);
  EXPECT_EQ(date, "01Jan1990");
  EXPECT_EQ(acquired, "05Jan1950");
  const std::string refused = "'19x5' is not a whole number (between -2147483648 and 2147483647).";
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{kDateWarning, kDateWarning, refused, kDateWarning, kDateWarning}));
}

// Nothing is run for the same dialog again while it is open, a template the host cannot make, or no host.
TEST_F(DalTest, ADialogRunFromACallbackTakesTheNextScriptButOnlyWhenItCanOpen) {
  std::string entry;
  DalDialog insert{.templateId = 60, .fields = {Field(kDalEdit, 101, &entry, DAL_STRING | DAL_CAPITALIZE)}};
  int inserted = -2;
  DalDialog outer{.templateId = 61, .fields = {Field(kDalButton, 1070)}};
  outer.fields[0].change = [&](DalFieldInfo& field) {
    inserted = DalRunDialog(insert, nullptr);
    EXPECT_EQ(DalRunDialog(*field.dialog, nullptr), -1);  // already open
  };
  DalQueueScript(DalScript().Press(1070).Ok());
  DalQueueScript(DalScript().Type(101, "walnut burl").Ok());
  EXPECT_EQ(DalRunDialog(outer, nullptr), 1);
  EXPECT_EQ(inserted, 1);
  EXPECT_EQ(entry, "Walnut Burl");
  EXPECT_EQ(DalPendingScripts(), 0u);

  host.RefuseTemplate(61);
  EXPECT_EQ(DalRunDialog(outer, nullptr), -1);
  DalSetHost(nullptr);
  EXPECT_EQ(DalRunDialog(outer, nullptr), -1);
  DalSetHost(&host);
}

// A field whose control the template lacks fails alone; the others are read.
TEST_F(DalTest, ScriptMistakesCancelTheDialogAndCallbackOnlyAndSkippedFieldsFollowTheirFlags) {
  int fills = 0;
  int reads = 0;
  std::int32_t notFilled = 4;
  std::int32_t notRead = 5;
  std::int32_t kept = 6;
  host.DefineTemplate(5, {10, 11});
  DalDialog dialog{
      .templateId = 5,
      .fields = {Field(kDalNoControl, 0), Field(kDalEdit, 10, &notFilled, DAL_INT | DAL_NO_FILL),
                 Field(kDalEdit, 11, &notRead, DAL_INT | DAL_NO_READ), Field(kDalEdit, 12, &kept, DAL_INT)}};
  dialog.fields[0].fill = [&](DalFieldInfo&) { return ++fills > 0; };
  dialog.fields[0].read = [&](DalFieldInfo&) { ++reads; };
  EXPECT_EQ(Run(dialog, DalScript().Type(12, "7").Choose(10, 3).Type(10, "8")), 0);
  EXPECT_EQ(DalTakeScriptErrors(),
            (std::vector<std::string>{"dialog 5 has no control 12", "control 10 has no item 3",
                                      "the script left dialog 5 open"}));
  EXPECT_EQ(notFilled, 4);

  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([](DalDialog& open) {
                              EXPECT_EQ(DalFindControl(open, 10)->Text(), "");
                              EXPECT_EQ(DalFindControl(open, 11)->Text(), "5");
                            })
                            .Type(10, "7")
                            .Type(11, "8")
                            .Ok()),
            1);
  EXPECT_EQ(notFilled, 7);
  EXPECT_EQ(notRead, 5);
  EXPECT_EQ(kept, 6);
  EXPECT_EQ(fills, 2) << "filled once in each run";
  EXPECT_EQ(reads, 1) << "read on OK only";
}

// Filling a dialog never calls change callbacks, in every run. The brand sets its default manufacturer
// without that field hearing of it.
TEST_F(DalTest, OnlyTheUsersChangesCallTheirCallbacksAndACallbackCanSilenceAnother) {
  host.EchoChanges(true);  // controls report the program's changes too
  const std::vector<std::string> brands{"Unknown", "Philco", "Zenith"};
  const std::vector<std::string> makers{"Unknown", "Philco Radio & Television", "Zenith Radio Corporation"};
  std::int32_t brand = 1;
  std::int32_t manufacturer = 0;
  std::int32_t ticked = 1;
  std::int32_t listed = 1;
  std::string model = "Zephyr";
  std::map<int, int> calls;
  std::vector<bool> previous;
  DalDialog dialog{
      .templateId = 10,
      .fields = {Listed(kDalCombo, 1001, &brand, &brands), Field(kDalCheck, 1014, &ticked),
                 Field(kDalEdit, 1002, &model, DAL_STRING), Listed(kDalList, 1030, &listed, &brands),
                 Listed(kDalCombo, 1005, &manufacturer, &makers)}};
  for (DalFieldInfo& field : dialog.fields) field.change = [&](DalFieldInfo& f) { ++calls[f.controlId]; };
  dialog.fields[0].change = [&](DalFieldInfo& field) {
    ++calls[field.controlId];
    DalReadField(field);
    DalFieldInfo& maker = *DalFindField(1005, *field.dialog);
    previous.push_back(DalSetFieldNotify(maker, false));
    manufacturer = brand;  // the brand's default manufacturer
    DalSetField(maker);
    previous.push_back(DalSetFieldNotify(maker, true));
  };
  auto userTypes = [&](const char* text) {
    return DalScript().Do([&calls, text](DalDialog& open) {
      EXPECT_TRUE(calls.empty());
      DalFindControl(open, 1002)->SetText(text);  // reported by the echo
      EXPECT_EQ(calls, (std::map<int, int>{{1002, 1}}));
    });
  };
  EXPECT_EQ(Run(dialog, userTypes("Zephyr 2")
                            .Do([&](DalDialog& open) {
                              DalFindControl(open, 1001)->SetCurrentItem(2);
                              EXPECT_EQ(calls.count(1005), 0u);
                              EXPECT_EQ(DalFindControl(open, 1005)->Text(), "Zenith Radio Corporation");
                              DalFindControl(open, 1005)->SetCurrentItem(1);
                            })
                            .Ok()),
            1);
  EXPECT_EQ(model, "Zephyr 2");
  EXPECT_EQ(calls, (std::map<int, int>{{1001, 1}, {1002, 1}, {1005, 1}}));
  EXPECT_EQ(previous, (std::vector<bool>{true, false}));
  EXPECT_EQ(manufacturer, 1);
  // The second run starts with notifications on from the first.
  calls.clear();
  EXPECT_EQ(Run(dialog, userTypes("Zephyr 3").Ok()), 1);
  EXPECT_EQ(model, "Zephyr 3");
}

TEST_F(DalTest, EachKindTakesOnlyItsOwnEventsAsChanges) {
  using E = DalEvent;
  const std::vector<DalEvent> all{E::kClicked,          E::kTextChanged, E::kItemChosen,
                                  E::kSelectionChanged, E::kActivated,   E::kScrolled};
  struct Case {
    DalKind kind;
    std::uint32_t flags;
    std::set<DalEvent> changes;
  };
  const std::vector<Case> cases{
      {kDalCombo, 0, {E::kTextChanged, E::kItemChosen}},
      {kDalCheck, 0, {E::kClicked}},
      {kDalEdit, DAL_STRING, {E::kTextChanged}},
      {kDalList, 0, {E::kSelectionChanged, E::kActivated}},
      {kDalList, DAL_SCROLL_NOTIFY, {E::kSelectionChanged, E::kActivated, E::kScrolled}},
      {kDalMultiPart, 0, {}},
      {kDalButton, 0, {E::kClicked}},
      {kDalPlainList, DAL_SCROLL_NOTIFY, {}},
  };
  std::map<int, std::set<DalEvent>> seen;
  DalEvent current = E::kClicked;
  int scrolledTop = -1;  // where the watched list stood when its callback ran
  DalDialog dialog{.templateId = 90};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    dialog.fields.push_back(Field(cases[i].kind, 100 + static_cast<int>(i), {}, cases[i].flags));
    dialog.fields.back().change = [&](DalFieldInfo& f) {
      seen[f.controlId].insert(current);
      if (f.controlId == 104) scrolledTop = DalFieldControl(f)->TopItem();
    };
  }
  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([&](DalDialog& open) {
                              for (const DalFieldInfo& field : open.fields) {
                                for (DalEvent event : all) {
                                  current = event;
                                  DalNotify(open, field.controlId, event);
                                }
                              }
                            })
                            .Scroll(104, 7)
                            .Ok()),
            1);
  EXPECT_EQ(scrolledTop, 7) << "the callback ran before the list had moved";
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const int id = 100 + static_cast<int>(i);
    EXPECT_EQ(seen[id], cases[i].changes) << "kind " << cases[i].kind << " flags " << cases[i].flags;
    // Only fields that ask for it have their scrolling watched (again on every fill).
    EXPECT_EQ(host.Closed(90, id).watchCalls(), cases[i].flags & DAL_SCROLL_NOTIFY ? 1 : 0);
  }
}

// Texts are capitalised on read, so a page that is read back shows it in its variables even when the
// user changed nothing.
TEST_F(DalTest, ANotebookPageIsFilledOnceWhenFirstShownInEachRunAndRefusesAnIdTwice) {
  std::string model = "philco 90";
  std::int32_t year = 1931;
  std::string colour = "walnut";
  std::string style = "cathedral";
  int cabinetFills = 0;
  DalNotebook notebook{.caption = "Add/Modify Radio",
                       .pages = {{"Description",
                                  {.templateId = 10,
                                   .fields = {Field(kDalEdit, 1002, &model, DAL_STRING | DAL_CAPITALIZE),
                                              Field(kDalEdit, 1005, &year, DAL_INT)}}},
                                 {"Cabinet",
                                  {.templateId = 11,
                                   .fields = {Field(kDalEdit, 1007, &colour, DAL_STRING | DAL_CAPITALIZE),
                                              Field(kDalEdit, 1005, &style, DAL_STRING | DAL_CAPITALIZE)}}}}};
  notebook.pages[1].dialog.fields[0].fill = [&](DalFieldInfo& field) {
    ++cabinetFills;
    return DalSetField(field);
  };
  const auto run = [&](DalScript script) {
    DalQueueScript(std::move(script));
    return DalRunNotebook(notebook, nullptr);
  };
  EXPECT_EQ(run(DalScript()
                    .Page(1)
                    .Type(1007, "red")
                    .Type(1005, "tombstone")
                    .Page(0)
                    .Type(1005, "1932")
                    .Page(1)
                    .Do([](DalDialog& page) { EXPECT_EQ(DalFindControl(page, 1007)->Text(), "red"); })
                    .Ok()),
            1);
  EXPECT_EQ(cabinetFills, 1);
  EXPECT_EQ(colour, "Red");
  EXPECT_EQ(style, "Tombstone");  // the same control id on two pages goes to each page's own field
  EXPECT_EQ(year, 1932);

  EXPECT_EQ(run(DalScript()
                    .Page(1)
                    .Do([](DalDialog& page) { EXPECT_EQ(DalFindControl(page, 1007)->Text(), "Red"); })
                    .Cancel()),
            0);
  EXPECT_EQ(cabinetFills, 2);

  EXPECT_EQ(run(DalScript().Page(13).Ok()), 1);
  EXPECT_EQ(DalTakeScriptErrors(), std::vector<std::string>{"notebook 'Add/Modify Radio' has no page 13"});

  const std::size_t windows = host.made().size();
  notebook.pages[1].dialog.fields.push_back(Field(kDalCheck, 1007, &year));
  EXPECT_FALSE(DalCreateNotebook(nullptr, notebook));
  EXPECT_EQ(run(DalScript().Ok()), 0);
  EXPECT_EQ(DalPendingScripts(), 1u) << "the script of a notebook that did not open was taken";
  DalClearScripts();
  EXPECT_EQ(host.made().size(), windows) << "a window was made for a notebook that binds an id twice";
  EXPECT_EQ(messages.Texts(), std::vector<std::string>(2, "Field 1007 used more than once in dialog 11."));
}

}  // namespace
}  // namespace korvel::test
