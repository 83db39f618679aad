#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

TEST_F(DalTest, FillingNeverCallsChangeCallbacksButTheUsersFirstChangeDoes) {
  host.EchoChanges(true);  // controls report the program's changes too
  const std::vector<std::string> items{"Unknown", "Zenith"};
  std::int32_t brand = 1;
  std::int32_t ticked = 1;
  std::int32_t listed = 1;
  std::string model = "Zephyr";
  std::map<int, int> calls;
  DalDialog dialog{
      .templateId = 10,
      .fields = {Listed(kDalCombo, 1001, &brand, &items), Field(kDalCheck, 1014, &ticked),
                 Field(kDalEdit, 1002, &model, DAL_STRING), Listed(kDalList, 1030, &listed, &items)}};
  for (DalFieldInfo& field : dialog.fields) field.change = [&](DalFieldInfo& f) { ++calls[f.controlId]; };
  auto userTypes = [&](const char* text) {
    return DalScript()
        .Do([&calls, text](DalDialog& open) {
          EXPECT_TRUE(calls.empty());
          DalFindControl(open, 1002)->SetText(text);  // reported by the echo
          EXPECT_EQ(calls, (std::map<int, int>{{1002, 1}}));
        })
        .Ok();
  };
  EXPECT_EQ(Run(dialog, userTypes("Zephyr 2")), 1);
  EXPECT_EQ(model, "Zephyr 2");
  // The second run starts with notifications on from the first.
  calls.clear();
  EXPECT_EQ(Run(dialog, userTypes("Zephyr 3")), 1);
  EXPECT_EQ(model, "Zephyr 3");
}

TEST_F(DalTest, ACallbackThatSetsAnotherFieldCanSilenceIt) {
  host.EchoChanges(true);
  const std::vector<std::string> brands{"Unknown", "Philco", "Zenith"};
  const std::vector<std::string> makers{"Unknown", "Philco Radio & Television", "Zenith Radio Corporation"};
  std::int32_t brand = 0;
  std::int32_t manufacturer = 0;
  int manufacturerCalls = 0;
  std::vector<bool> previous;
  DalDialog dialog{
      .templateId = 10,
      .fields = {Listed(kDalCombo, 1001, &brand, &brands), Listed(kDalCombo, 1005, &manufacturer, &makers)}};
  dialog.fields[0].change = [&](DalFieldInfo& field) {
    DalReadField(field);
    DalFieldInfo& maker = *DalFindField(1005, *field.dialog);
    previous.push_back(DalSetFieldNotify(maker, false));
    manufacturer = brand;  // the brand's default manufacturer
    DalSetField(maker);
    previous.push_back(DalSetFieldNotify(maker, true));
  };
  dialog.fields[1].change = [&](DalFieldInfo&) { ++manufacturerCalls; };
  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([&](DalDialog& open) {
                              DalFindControl(open, 1001)->SetCurrentItem(2);
                              EXPECT_EQ(manufacturerCalls, 0);
                              EXPECT_EQ(DalFindControl(open, 1005)->Text(), "Zenith Radio Corporation");
                              DalFindControl(open, 1005)->SetCurrentItem(1);
                            })
                            .Ok()),
            1);
  EXPECT_EQ(manufacturerCalls, 1);
  EXPECT_EQ(previous, (std::vector<bool>{true, false}));
  EXPECT_EQ(manufacturer, 1);
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
  DalDialog dialog{.templateId = 90};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    dialog.fields.push_back(Field(cases[i].kind, 100 + static_cast<int>(i), {}, cases[i].flags));
  }
  std::map<int, std::set<DalEvent>> seen;
  DalEvent current = E::kClicked;
  for (DalFieldInfo& field : dialog.fields)
    field.change = [&](DalFieldInfo& f) { seen[f.controlId].insert(current); };
  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([&](DalDialog& open) {
                              for (const DalFieldInfo& field : open.fields) {
                                for (DalEvent event : all) {
                                  current = event;
                                  DalNotify(open, field.controlId, event);
                                }
                              }
                            })
                            .Ok()),
            1);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const int id = 100 + static_cast<int>(i);
    EXPECT_EQ(seen[id], cases[i].changes) << "kind " << cases[i].kind << " flags " << cases[i].flags;
    // Only fields that ask for it have their scrolling watched (again on every fill).
    EXPECT_EQ(host.Closed(90, id).watchCalls(), cases[i].flags & DAL_SCROLL_NOTIFY ? 1 : 0);
  }
}

TEST_F(DalTest, ScrollingAWatchedListRunsItsCallbackAfterTheListHasMoved) {
  std::vector<int> seenTop;
  DalDialog dialog{.templateId = 50, .fields = {Field(kDalList, 112, {}, DAL_PICTURES | DAL_SCROLL_NOTIFY)}};
  dialog.fields[0].change = [&](DalFieldInfo& field) {
    seenTop.push_back(DalFieldControl(field)->TopItem());
  };
  EXPECT_EQ(Run(dialog, DalScript().Scroll(112, 7).Ok()), 1);
  EXPECT_EQ(seenTop, std::vector<int>{7});
}

}  // namespace
}  // namespace korvel::test
