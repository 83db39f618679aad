// The stage of every journey through the running program: a copy of the sample as the current
// directory and the program started on it, torn down without a trace for the next test.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QTest>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/collection_commands.h"
#include "app/import_preview.h"
#include "app/program.h"
#include "collection/data_file.h"
#include "dal/dal.h"
#include "support/temp_dir.h"
#include "ui/dialogs/qt_dal_host.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/message_box.h"
#include "ui/frame/program_menu.h"
#include "ui/painting/window_fonts.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"

namespace korvel::test {

class ProgramOnSample : public ::testing::Test {
 protected:
  void SetUp() override {
    CopySample();
    StartHere();
  }
  void CopySample() {
    std::filesystem::copy(KORVEL_SAMPLE, dir_.path(), std::filesystem::copy_options::recursive);
    dataBefore_ = ReadFile(dir_ / "radata.dat");
    settingsBefore_ = ReadFile(dir_ / "korvel.ini");
  }
  void StartHere() {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    DalClearScripts();
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(program_.mainWindow().window));
    Settle();
  }
  void TearDown() override {
    SetDirectoryChooserScript({});
    SetImportPreviewScript({});
    ui::SetFontDialogAnswer(nullptr);
    program_.Finish();
    // The windows go, and the quit that their going posts is taken back.
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ui::PostQuitMessage();
    ui::RunMessageLoop();
    if (!previous_.empty()) std::filesystem::current_path(previous_);
    for (const std::string& error : DalTakeScriptErrors()) ADD_FAILURE() << error;
  }

  // Lets posted commands (start-up, pane clicks) run.
  void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
  void Command(int id, std::intptr_t second = 0) {
    ui::SendCommand(program_.mainWindow(), id, second);
    Settle();
  }
  Collection& collection() { return program_.state().collection; }
  RadioRecord* Radio(int id) { return collection().radios.FindById(id); }
  // Only these radios in the current selection, so that the selection dialog's OK keeps them.
  void SelectOnly(std::initializer_list<int> ids) {
    SelectionState& selection = program_.state().selection;
    selection.current.Clear();
    for (int id : ids) InsertRadio(collection().tables, Radio(id), selection.current);
    DalQueueScript(DalScript().Ok());
  }
  void Modify(RadioRecord* radio) { Command(kCommandModifyOne, reinterpret_cast<std::intptr_t>(radio)); }
  // Edit > Change Font, the font dialog answering with the face and size.
  void ChangeFont(const char* face, int size) {
    ui::SetFontDialogAnswer([face, size](const QFont&) { return std::optional<QFont>(QFont(face, size)); });
    Command(kCommandChangeFont);
    ui::SetFontDialogAnswer(nullptr);
  }
  // The message boxes that the command shows, answered in turn with `answers`.
  std::vector<ShownMessageBox> Asked(int id, std::deque<int> answers = {}) {
    MessageBoxScript boxes(std::move(answers));
    Command(id);
    return boxes.boxes();
  }
  // Exit with the answer given to its question, which is returned.
  std::string Exit(int answer) {
    const std::vector<ShownMessageBox> boxes = Asked(kCommandExit, {answer});
    EXPECT_FALSE(boxes.empty()) << "Exit asked nothing";
    return boxes.empty() ? std::string() : boxes.back().text.toStdString();
  }
  // The collection in the directory, read as the next start reads it.
  std::unique_ptr<Collection> ReadBack() {
    auto saved = std::make_unique<Collection>();
    EXPECT_TRUE(LoadCollection(dir_.path().string(), *saved).opened);
    return saved;
  }
  // A menu item as the user reads it: no mnemonic, no keys; "(greyed)" when it cannot be chosen.
  std::string Item(int id) {
    QAction* item = program_.mainWindow().window->menuBar()->FindCommand(id);
    if (item == nullptr) return "(missing)";
    QString text = item->text();
    text = text.left(text.indexOf(u'\t')).remove(u'&');
    return text.toStdString() + (item->isEnabled() ? "" : " (greyed)");
  }

 public:
  static std::vector<std::string> Texts(const std::vector<ShownMessageBox>& boxes) {
    std::vector<std::string> texts;
    for (const ShownMessageBox& box : boxes) texts.push_back(box.text.toStdString());
    return texts;
  }
  // The pixels of the image that `is` picks (given the pixel as 0xRRGGBB).
  template <typename Pick>
  static int CountPixels(const QImage& image, Pick is) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += is(image.pixel(x, y) & 0xffffff) ? 1 : 0;
    }
    return n;
  }

 protected:
  TempDir dir_;
  std::filesystem::path previous_;
  std::string dataBefore_, settingsBefore_;
  QtDalHost host_;
  Program program_;
};

}  // namespace korvel::test
