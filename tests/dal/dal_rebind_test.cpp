#include <cstdint>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

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

  DalRebindField(value, &brands, 0, &position);
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

}  // namespace
}  // namespace korvel::test
