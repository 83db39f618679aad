#include <cstdint>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

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
