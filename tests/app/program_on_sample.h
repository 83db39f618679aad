// The stage of every journey through the running program: a copy of the sample as the current
// directory and the program started on it, torn down without a trace for the next test.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QTest>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/program.h"
#include "dal/dal.h"
#include "support/temp_dir.h"
#include "ui/dialogs/qt_dal_host.h"
#include "ui/frame/message_box.h"
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

 public:
  static std::vector<std::string> Texts(const MessageBoxScript& boxes) {
    std::vector<std::string> texts;
    for (const ShownMessageBox& box : boxes.boxes()) texts.push_back(box.text.toStdString());
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
