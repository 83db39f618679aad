// What the dialog library's tests share: a fake host, recorded messages and field builders.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dal/dal.h"
#include "support/fake_controls.h"
#include "util/message_recorder.h"

namespace korvel::test {

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

  // Runs the dialog as the script answers it.
  int Run(DalDialog& dialog, DalScript script) {
    DalQueueScript(std::move(script));
    return DalRunDialog(dialog, nullptr);
  }

  FakeHost host;
  MessageRecorder messages;
};

}  // namespace korvel::test
