#include <cstdint>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

TEST_F(DalTest, DatesAreStoredInTheirStandardFormOrKeptWithAWarning) {
  std::string acquired = "05Jan1950";
  DalDialog dialog{.templateId = 30, .fields = {Field(kDalEdit, 1081, &acquired, DAL_STRING | DAL_DATE)}};
  auto window = host.Open(dialog);
  auto read = [&](const std::string& text) {
    window->At(1081).SetText(text);
    return DalReadField(dialog.fields[0]);
  };
  EXPECT_TRUE(read("01jan99"));
  EXPECT_EQ(acquired, "01Jan99");
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

TEST_F(DalTest, BlankingADateRemovesItWithoutAWarning) {
  std::string disposed = "05Jan1950";
  DalDialog dialog{.templateId = 33, .fields = {Field(kDalEdit, 1094, &disposed, DAL_DATE)}};
  auto window = host.Open(dialog);
  window->At(1094).SetText("   ");
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_EQ(disposed, "");
  std::string blank = " ";
  EXPECT_FALSE(DalCheckDate(blank));
  EXPECT_TRUE(messages.messages().empty());
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

TEST_F(DalTest, ADisabledDateFieldIsNeitherCheckedNorRead) {
  std::int32_t status = 10;  // Sold
  std::string repaired = "01Feb1960";
  const DalEnableRule restored{&status, {5, 6, 7}};
  DalDialog dialog{.templateId = 32, .fields = {Field(kDalEdit, 1091, &repaired, DAL_STRING | DAL_DATE)}};
  dialog.fields[0].enableRule = &restored;
  EXPECT_EQ(Run(dialog, DalScript().Type(1091, "not a date").Ok()), 1);
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(repaired, "01Feb1960");
}

}  // namespace
}  // namespace korvel::test
