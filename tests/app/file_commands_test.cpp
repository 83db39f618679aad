// File > List, Print and Publish for Web in the running program on a copy of the sample, through
// their dialogs as a user answers them.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "collection/money_totals.h"
#include "program_on_sample.h"
#include "reports/csv_file.h"
#include "reports/list_file.h"
#include "selection/criteria.h"
#include "ui/dialogs/dialog_ids.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

class FileCommands : public test::ProgramOnSample {
 protected:
  // The command with the print dialog set to the PDF file.
  void PrintToPdf(int command, const std::string& pdf) {
    AnswerNextModal([&](QDialog* dialog) {
      if (auto* file = dialog->findChild<QLineEdit*>("filename")) file->setText(QString::fromStdString(pdf));
      dialog->accept();
    });
    Command(command);
    EXPECT_TRUE(fs::exists(pdf)) << pdf << " was not written";
  }
  // File > Print to a PDF file; the page comes back as an image.
  QImage PrintToImage(const std::string& name) {
    const std::string pdf = dir_ / (name + ".pdf");
    PrintToPdf(kCommandPrint, pdf);
    const std::string png = std::string(KORVEL_SCREENSHOT_DIR "/") + name;
    const std::string convert = "pdftoppm -r 50 -png -singlefile '" + pdf + "' '" + png + "'";
    EXPECT_EQ(std::system(convert.c_str()), 0) << convert;
    return QImage(QString::fromStdString(png + ".png"));
  }
  static void AnswerNextModal(std::function<void(QDialog*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        timer->stop();
        timer->deleteLater();
        answer(dialog);
      }
    });
    timer->start();
  }
};

// The selection dialog set to every radio of the collection.
DalScript EveryRadio() {
  return DalScript()
      .Choose(SelectActionId(0), kActionAdd)
      .Choose(SelectFieldId(0), kFieldIdentifier)
      .Choose(SelectRelationId(0), kRelationGreater)
      .Type(SelectValueId(0), "0")
      .Choose(SelectActionId(1), kActionNone)
      .Choose(SelectActionId(2), kActionNone)
      .Choose(SelectActionId(3), kActionNone)
      .Choose(kIdSelectFilter, 0)
      .Press(kIdSelectClear)
      .Ok();
}

int DarkPixels(const QImage& image) {
  return test::ProgramOnSample::CountPixels(image, [](QRgb pixel) { return qGray(pixel) < 128; });
}

TEST_F(FileCommands, ListAndExportWriteTheChosenSelectionAndACancelledDialogNothing) {
  ProgramState& state = program_.state();
  DalQueueScript(DalScript().Ok());
  Command(kCommandList);
  const int members = state.selection.current.Count();
  ASSERT_GT(members, 1);
  EXPECT_EQ(ReadFile(dir_ / "list.txt"), RadioListText(state.collection, state.selection.current));
  EXPECT_NE(ReadFile(dir_ / "list.txt").find("\n\n" + std::to_string(members) + "\n"), std::string::npos);
  EXPECT_EQ(state.viewMode, kViewList);
  EXPECT_EQ(program_.pane().Count(), members);
  EXPECT_EQ(DarkPixels(program_.viewWindow().device->Snapshot()), 0);  // the list has no drawing

  DalQueueScript(DalScript().Press(kIdSelectDiscardAll).Ok());
  Command(kCommandList);
  EXPECT_EQ(ReadFile(dir_ / "list.txt"), "0\n");

  DalQueueScript(DalScript().Cancel());
  Command(kCommandList);
  ASSERT_TRUE(fs::exists(dir_ / "list.txt"));
  EXPECT_EQ(ReadFile(dir_ / "list.txt"), "");
  EXPECT_TRUE(state.ready);

  // File > Export CSV writes the chosen selection where the user says.
  const std::string out = dir_ / "out";
  fs::create_directory(out);
  std::optional<QString> answer = QString::fromStdString(out + "/radios.csv");
  SetDirectoryChooserScript([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    return answer;
  });
  DalQueueScript(EveryRadio());
  Command(kCommandExportCsv);
  EXPECT_EQ(state.selection.current.Count(), state.collection.radios.Count());
  EXPECT_EQ(program_.pane().Count(), state.collection.radios.Count());
  EXPECT_EQ(ReadFile(out + "/radios.csv"), RadioCsvText(state.collection, state.selection.current));

  // Cancelled in the chooser: the file is left as it was. A file that cannot be written is said.
  WriteFile(out + "/radios.csv", "kept");
  answer.reset();
  // The dialog shows what the listed radios add up to beside their count.
  std::string totals;
  DalQueueScript(DalScript()
                     .Do([&](DalDialog& dialog) { totals = DalFindControl(dialog, kIdSelectTotals)->Text(); })
                     .Ok());
  Command(kCommandExportCsv);
  EXPECT_EQ(ReadFile(out + "/radios.csv"), "kept");
  EXPECT_EQ(totals, MoneyTotalsText(SumMoney(state.selection.current.Records())));
  EXPECT_NE(totals.find("Value $"), std::string::npos);
  answer = QString::fromStdString(dir_ / "missing/radios.csv");
  DalQueueScript(DalScript().Ok());
  const std::vector<std::string> said = Texts(Asked(kCommandExportCsv));
  ASSERT_EQ(said.size(), 1u);
  EXPECT_TRUE(said[0].starts_with("Unable to write '")) << said[0];
  EXPECT_TRUE(state.ready);
}

TEST_F(FileCommands, ADescriptionPrintsItsMainPictureTheListAnEmptyPageAGraphAndTheInventoryAsShown) {
  if (std::system("pdftoppm -v > /dev/null 2>&1") != 0) GTEST_SKIP() << "pdftoppm is not installed";
  ProgramState& state = program_.state();
  // The Philco 90 has two extra pictures: the view shows the second when printing starts.
  RadioRecord* philco = state.collection.radios.FindById(3);
  ASSERT_NE(philco, nullptr);
  SetCurrentRadio(state.selection, philco);
  Command(kCommandShowCurrent);
  const QImage onMain = PrintToImage("print_description");
  Command(kCommandNextPicture);
  Command(kCommandNextPicture);
  ASSERT_EQ(philco->currentPicture, 1);
  const QImage fromExtra = PrintToImage("print_description_from_extra");
  EXPECT_EQ(philco->currentPicture, -1);
  ASSERT_FALSE(onMain.isNull());
  EXPECT_EQ(onMain, fromExtra);

  // The picture fills the top right quarter of the page, labelled values run down the page.
  const QImage topRight = onMain.copy(onMain.width() / 2, 0, onMain.width() / 2, onMain.height() / 4);
  EXPECT_GT(CountPixels(topRight, [](QRgb pixel) { return pixel != 0xffffff; }),
            topRight.width() * topRight.height() / 4);
  EXPECT_GT(DarkPixels(onMain.copy(0, onMain.height() / 2, onMain.width() / 2, onMain.height() / 2)), 500);
  EXPECT_TRUE(state.ready);

  DalQueueScript(DalScript().Cancel());
  Command(kCommandList);
  const QImage list = PrintToImage("print_list");
  EXPECT_EQ(DarkPixels(list), 0);
  EXPECT_EQ(list.size(), onMain.size());

  // A graph and the inventory print as the view shows them.
  Command(kCommandGraphCostValue);
  ASSERT_EQ(program_.state().viewMode, kViewGraph);
  const QImage graph = PrintToImage("print_graph");
  Command(kCommandInventoryTube);
  ASSERT_EQ(program_.state().viewMode, kViewInventory);
  const QImage inventory = PrintToImage("print_inventory");
  ASSERT_FALSE(graph.isNull());
  ASSERT_FALSE(inventory.isNull());
  EXPECT_EQ(graph.size(), list.size());
  // Both fill the page: ink in every quarter of it, not a screen-sized corner.
  for (const QImage* page : {&graph, &inventory}) {
    const int w = page->width() / 2, h = page->height() / 2;
    EXPECT_GT(DarkPixels(page->copy(0, 0, w, h)), 50);
    EXPECT_GT(DarkPixels(page->copy(w, 0, w, h)), 50);
  }
  // Red shortage lines print red.
  EXPECT_GT(CountPixels(inventory, [](QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; }),
            50);
}

// File > Print Catalogue writes the chosen selection through the print dialog, as a PDF of several
// pages; the print dialog cancels, or without a printer prints to a file.
TEST_F(FileCommands, PrintCatalogueAndThePrintDialogWithoutAPrinter) {
  const std::string pdf = dir_ / "catalogue.pdf";
  DalQueueScript(DalScript().Ok());
  PrintToPdf(kCommandPrintCatalogue, pdf);
  // A first page, then the radios, at most a few to a page.
  const int members = program_.state().selection.current.Count();
  const test::ShellRun info = test::RunShell("pdfinfo '" + pdf + "' | sed -n 's/^Pages: *//p'");
  ASSERT_FALSE(info.out.empty()) << "pdfinfo read no pages";
  const int pages = std::stoi(info.out);
  EXPECT_GT(pages, 1 + members / 4);
  EXPECT_LE(pages, 1 + members);

  MessageBoxScript boxes;
  AnswerNextModal([](QDialog* dialog) { dialog->reject(); });
  Command(kCommandPrint);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, "Couldn't start print job.");
  EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::Critical);
  EXPECT_TRUE(program_.state().ready);

  // Without a printer, Print as the dialog opens writes a PDF file named after the job.
  if (!QPrinterInfo::availablePrinterNames().isEmpty()) return;
  AnswerNextModal([](QDialog* dialog) { dialog->accept(); });
  Command(kCommandPrint);
  EXPECT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(ReadFile(dir_ / "Korvel Print Job.pdf").rfind("%PDF", 0), 0u);
}

TEST_F(FileCommands, PublishingRunsBothDialogsAndKeepsTheSettings) {
  for (const char* sub : {"html", "pics", "snaps"}) fs::create_directories(dir_.path() / "site" / sub);
  MessageBoxScript boxes;
  // Cancel in the publishing dialog writes nothing and keeps the settings.
  DalQueueScript(DalScript().Ok());
  DalQueueScript(DalScript().Type(kIdWebRoot, "site").Cancel());
  Command(kCommandPublishWeb);
  EXPECT_TRUE(fs::is_empty(dir_.path() / "site" / "html"));
  EXPECT_EQ(program_.state().settings.webRoot, "web");

  std::vector<std::string> shown;
  DalQueueScript(EveryRadio());
  DalQueueScript(DalScript()
                     .Do([&](DalDialog& open) {
                       for (int id = kIdWebRoot; id <= kIdWebListFile; ++id)
                         shown.push_back(open.window->Control(id)->Text());
                     })
                     .Type(kIdWebRoot, "site")
                     .Type(kIdWebPictures, "pics")
                     .Type(kIdWebSnapshots, "snaps")
                     .Type(kIdWebListFile, "club")
                     .Check(kIdWebDescriptions, true)
                     .Ok());
  Command(kCommandPublishWeb);
  EXPECT_EQ(shown, (std::vector<std::string>{"web", "html", "pictures", "snapshots", "radios"}));
  const ProgramState& state = program_.state();
  EXPECT_EQ(state.settings.webListName, "club");
  EXPECT_TRUE(state.settings.webDescriptions);
  const std::string list = ReadFile(dir_ / "site/html/club.htm");
  EXPECT_NE(list.find("<br><font size=4 color=#C60021>"), std::string::npos);
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(dir_.path() / "site" / "html"))
    pages += entry.is_regular_file();
  EXPECT_EQ(state.selection.current.Count(), 48);
  EXPECT_EQ(pages, 48 + 1);
  EXPECT_TRUE(fs::exists(dir_ / "site/pics/philco_90_1.jpg"));
  // The one radio without picture files is published without its images, and says so.
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text.toStdString(),
            "The pictures 'pictures\\emerson\\543.jpg' and 'pictures\\emerson\\smallpix\\543.jpg' of the "
            "Emerson 543 cannot be read; its pages are published without them.");
  EXPECT_EQ(state.viewMode, kViewDescription);
  EXPECT_EQ(state.selection.currentRadio, state.selection.current.Records().front());

  // The settings keep the parameters for the next run.
  Exit(kAnswerYes);
  EXPECT_NE(ReadFile(dir_ / "korvel.ini").find("site\nhtml\npics\nsnaps\nclub\n1\n"), std::string::npos);
}

}  // namespace
}  // namespace korvel
