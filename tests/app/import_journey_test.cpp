// File > Import CSV in the running program on a copy of the sample: the chooser, the preview of a
// spreadsheet with problems, and the import the user agrees to.

#include <QFileDialog>
#include <QListWidget>
#include <QMainWindow>

#include "app/collection_commands.h"
#include "app/import_preview.h"
#include "program_on_sample.h"
#include "ui/frame/command_ids.h"

namespace korvel {
namespace {

class ImportJourney : public test::ProgramOnSample {
 protected:
  void TearDown() override {
    SetDirectoryChooserScript({});
    SetImportPreviewScript({});
    ProgramOnSample::TearDown();
  }
};

TEST_F(ImportJourney, ThePreviewNamesEachProblemAndFaultyRowsGoInOnlyWhenTheUserAgrees) {
  test::WriteFile(dir_ / "mine.csv",
                  "Brand,Model,Year,Cost,Notes,Technology\r\n"
                  "Philco,90,1931,25,\"from an\nauction\",Tube\r\n"
                  "Grebe,Synchrophase,c. 1925,,,Valve\r\n");
  SetDirectoryChooserScript([&](QFileDialog&) { return QString::fromStdString(dir_ / "mine.csv"); });
  const int before = collection().radios.Count();
  std::vector<std::string> problems;
  bool enabledBeforeAgreeing = true;
  SetImportPreviewScript([&](ImportPreviewDialog& preview) {
    preview.show();
    for (const ImportProblem& p : preview.plan().problems) problems.push_back(ProblemText(p));
    enabledBeforeAgreeing = preview.importEnabled();
    preview.AssignColumn(4, kImportComments);  // "Notes" was not imported
    preview.SetSkipFaultyFields(true);
    return true;
  });
  Command(kCommandImportCsv);

  EXPECT_EQ(problems, (std::vector<std::string>{
                          "line 4, Year: 'c. 1925' is not a year",
                          "line 4, Technology: 'Valve' is not Crystal, Hybrid, Transistor or Tube"}));
  EXPECT_FALSE(enabledBeforeAgreeing) << "rows with problems could be imported without asking";
  ASSERT_EQ(collection().radios.Count(), before + 2);
  const RadioList& shown = program_.state().selection.current;
  ASSERT_EQ(shown.Count(), 2) << "the pane shows the imported radios";
  const RadioRecord& grebe = *shown[0];
  EXPECT_EQ(collection().tables[kTableBrandName].Text(grebe.brand), "Grebe");
  EXPECT_EQ(grebe.year, 1900);
  EXPECT_EQ(shown[1]->comments, "from an auction");
  EXPECT_TRUE(program_.mainWindow().window->isWindowModified());
}

}  // namespace
}  // namespace korvel
