// The inventory window in the running program, on a copy of the sample: the stock changed and added
// through its two dialogs, bad input refused, and the edit saved by the exit question.

#include "collection/tubes.h"
#include "program_on_sample.h"
#include "reports/inventory_drawing.h"
#include "ui/dialogs/dialog_ids.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

class InventoryRun : public test::ProgramOnSample {
 protected:
  // Where the view draws the type's name now.
  draw::Point LineOf(const char* type) {
    ui::WindowDescriptor& view = program_.viewWindow();
    InventoryUsage usage = BuildInventoryUsage(program_.state().collection, kTechTube);
    for (const InventoryLine& line : LayOutInventory(view.surface, usage)) {
      if (line.item->name == PadTubeName(type)) return line.baseline;
    }
    ADD_FAILURE() << type << " is not shown";
    return {};
  }
  void RightClick(draw::Point at) {
    ui::SendWindowMessage(program_.viewWindow(), {.message = ui::kMessageRightDown, .x = at.x, .y = at.y});
    Settle();
  }
  std::int32_t Stock(const char* type) {
    const Collection& c = program_.state().collection;
    const auto it = c.inventory.find(PadTubeName(type));
    return it == c.inventory.end() ? -1 : it->second.count;
  }
  // The saved data file, which must read back without a word.
  Collection ReadBackQuietly() {
    MessageRecorder messages;
    Collection saved;
    EXPECT_TRUE(ReadDataFile(dir_ / "radata.dat", "", saved).opened);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
    return saved;
  }
};

TEST_F(InventoryRun, StockIsChangedAndAddedThroughTheDialogsAndSavedAtExit) {
  Command(kCommandInventoryTube);
  ASSERT_EQ(program_.state().viewMode, kViewInventory);

  // Modify: the 6V6 (4 in stock). What is not a whole number is refused and the dialog stays.
  MessageBoxScript boxes({kAnswerOk, kAnswerOk});
  std::string shownName, shownCount;
  DalQueueScript(DalScript()
                     .Do([&](DalDialog& open) {
                       shownName = open.window->Control(kIdInventoryTube)->Text();
                       shownCount = open.window->Control(kIdInventoryCount)->Text();
                     })
                     .Type(kIdInventoryCount, "seven")
                     .Ok()
                     .Type(kIdInventoryCount, "7")
                     .Ok());
  const draw::Point sixV6 = LineOf("6V6");
  RightClick({sixV6.x + 20, sixV6.y + 4});
  EXPECT_EQ(shownName, "6V6");
  EXPECT_EQ(shownCount, "4");
  EXPECT_EQ(Stock("6V6"), 7);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text.toStdString(), "The count must be a whole number, 0 or more.");
  EXPECT_TRUE(program_.state().collection.changed);
  EXPECT_TRUE(program_.state().ready);

  // The dialog's change is one step of Edit > Undo, and Redo makes it again.
  EXPECT_EQ(Item(kCommandUndo), "Undo Inventory");
  Command(kCommandUndo);
  EXPECT_EQ(Stock("6V6"), 4) << "Undo did not give back the stock";
  EXPECT_FALSE(program_.state().collection.changed);
  Command(kCommandRedo);
  EXPECT_EQ(Stock("6V6"), 7) << "Redo did not make the change again";

  // Cancel leaves the stock as it was, whatever was typed.
  DalQueueScript(DalScript().Type(kIdInventoryCount, "99").Cancel());
  RightClick({sixV6.x + 20, sixV6.y + 4});
  EXPECT_EQ(Stock("6V6"), 7);

  // Add, far from every line: a name the file cannot keep is refused; the name is upper-cased.
  DalQueueScript(DalScript()
                     .Type(kIdInventoryTube, "6x5gt,6v6")
                     .Type(kIdInventoryCount, "3")
                     .Ok()
                     .Type(kIdInventoryTube, " 6x5gt")
                     .Ok());
  const ui::WindowDescriptor& view = program_.viewWindow();
  RightClick({view.drawable.right - 5, 5});
  EXPECT_EQ(boxes.boxes().size(), 2u);
  EXPECT_EQ(Stock("6X5GT"), 3);

  // A larger font lays the window out again: the 6V6 moves.
  ChangeFont("Liberation Mono", 16);
  EXPECT_NE(LineOf("6V6").y, sixV6.y);

  EXPECT_NE(Exit(kAnswerYes).find("inventory was modified."), std::string::npos);
  const Collection saved = ReadBackQuietly();
  EXPECT_EQ(saved.inventory.at(PadTubeName("6V6")).count, 7);
  EXPECT_EQ(saved.inventory.at(PadTubeName("6X5GT")).count, 3);
  EXPECT_EQ(saved.inventory.at(PadTubeName("6X5GT")).kind, kTechTube) << "an added tube is no tube";
  EXPECT_EQ(saved.inventory.at(PadTubeName("12SK7")).count, 4);  // untouched
}

// A type that a radio uses can be longer than a stock line holds beside a large count: that count
// is refused, a smaller one is kept, and the file reads back without a complaint.
TEST_F(InventoryRun, AStockOfALongUsedTypeMustFitItsLine) {
  const std::string type(70, 'T');
  Collection& collection = program_.state().collection;
  RadioRecord* radio = collection.radios[0];
  ASSERT_TRUE(PrepareRadioChange(collection, *radio));
  radio->technology = kTechTube;
  radio->status = kStatusToBeRestored;  // a radio kept counts its tubes
  radio->tubes.Set(0, kFunctionRectifier, type);
  collection.changed = true;
  Command(kCommandInventoryTube);

  MessageBoxScript boxes({kAnswerOk});
  DalQueueScript(DalScript().Type(kIdInventoryCount, "100").Ok().Type(kIdInventoryCount, "5").Ok());
  const draw::Point line = LineOf(type.c_str());
  // A click finds the name nearest by its middle.
  const int middle = program_.viewWindow().surface.CharWidth() * static_cast<int>(type.size() + 1) / 2;
  RightClick({line.x + middle, line.y + 4});
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text.toStdString(), "The tube name holds at most 68 characters.");
  EXPECT_EQ(Stock(type.c_str()), 5);

  Exit(kAnswerYes);
  EXPECT_EQ(ReadBackQuietly().inventory.at(PadTubeName(type)).count, 5);
}

}  // namespace
}  // namespace korvel
