// The sample's settings file against the sample collection, as start-up puts them together.
#include <gtest/gtest.h>

#include "app/settings.h"
#include "collection/data_file.h"
#include "selection/criteria.h"
#include "selection/saved_selections.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

TEST(SampleSettings, OpenTheSampleWithItsSelectionAndSavedSelections) {
  MessageRecorder messages;
  Settings settings;
  ASSERT_EQ(ReadSettings(std::string(KORVEL_SAMPLE) + "/korvel.ini", settings), kSettingsVersion);
  Collection collection;
  ASSERT_TRUE(LoadCollection(KORVEL_SAMPLE, collection).opened);

  SelectionState state;
  state.saved = settings.saved;
  state.parameters = settings.current;
  RestoreSelection(state, collection, settings.selection, settings.currentRadio);
  ResolveSavedFilters(state, collection);
  EXPECT_EQ(state.current.Count(), static_cast<int>(settings.selection.size()));
  ASSERT_NE(state.currentRadio, nullptr);
  EXPECT_EQ(state.currentRadio->id, settings.currentRadio);
  EXPECT_TRUE(messages.messages().empty());

  // The stored selection is what its parameters select.
  const std::vector<RadioRecord*> stored = state.current.Records();
  EvaluateParameters(state.parameters, Evaluation::kFresh, collection, state);
  EXPECT_EQ(state.current.Records(), stored);

  // Every saved selection selects something.
  for (int k = 0; k < static_cast<int>(state.saved.size()); ++k) {
    ASSERT_TRUE(RecallSavedSelection(k, collection, state));
    EXPECT_GT(state.current.Count(), 0) << state.saved[k].name;
  }
}

}  // namespace
}  // namespace korvel
