#include "collection/tube_rows.h"

#include <gtest/gtest.h>

#include "util/message_recorder.h"

namespace korvel {
namespace {

TEST(TubeRows, GroupedByFunctionReadBackAndNeverLosingTubesBeyondTheRows) {
  RadioRecord radio;
  radio.tubes.Set(0, kFunctionRectifier, "5Y3");
  radio.tubes.Set(1, kFunctionIfAmplifier, "6SK7");
  radio.tubes.Set(2, kFunctionRfAmplifier, "6SG7");
  radio.tubes.Set(3, kFunctionIfAmplifier, "6SG7");
  radio.tubes.Set(4, kFunctionNone, "stray");  // no function: not shown
  MessageRecorder messages;
  TubeRows rows = FillTubeRows(radio);
  EXPECT_EQ(rows[0].type, "6SG7");  // RF amplifier first
  EXPECT_EQ(rows[1].type, "6SK7");  // IF amplifiers in slot order
  EXPECT_EQ(rows[2].type, "6SG7");
  EXPECT_EQ(rows[3].function, kFunctionRectifier);
  EXPECT_EQ(rows[4].function, kFunctionNone);
  EXPECT_TRUE(rows[4].type.empty());

  // Rows that begin with a blank or are empty do not count; texts are upper-cased; no function
  // is Unknown.
  rows[1].type = " 6SK7";
  rows[5] = {kFunctionNone, "6v6gt"};
  ReadTubeRows(rows, radio, nullptr);
  EXPECT_EQ(radio.tubes[0], (TubeSlot{kFunctionRfAmplifier, "6SG7"}));
  EXPECT_EQ(radio.tubes[1], (TubeSlot{kFunctionIfAmplifier, "6SG7"}));
  EXPECT_EQ(radio.tubes[2], (TubeSlot{kFunctionRectifier, "5Y3"}));
  EXPECT_EQ(radio.tubes[3], (TubeSlot{kFunctionUnknown, "6V6GT"}));
  EXPECT_FALSE(radio.tubes[4].IsFilled());
  EXPECT_TRUE(messages.messages().empty());

  // Eighteen tubes: the rows show sixteen and say so; the two they cannot show stay in the radio.
  RadioRecord big;
  for (int i = 0; i < 18; ++i) big.tubes.Set(i, kFunctionPowerAmplifier, "T" + std::to_string(i));
  rows = FillTubeRows(big);
  ASSERT_EQ(messages.Texts(), std::vector<std::string>{"Too many tubes"});
  EXPECT_EQ(rows[15].type, "T15");
  ReadTubeRows(rows, big, nullptr);
  EXPECT_EQ(big.tubes[16].type, "T16");
  EXPECT_EQ(big.tubes[17].type, "T17");
}

}  // namespace
}  // namespace korvel
