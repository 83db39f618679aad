// DalControl on Qt widgets. Only what the user does is reported: the dialog library changes
// controls itself and then reports the change when it means one, so a program change that the
// control also reported would count twice.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <string>

#include "dal/dal_host.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace korvel {

// Stored texts are bytes; see DisplayText in the frame. Typed text comes back as UTF-8.
QString ToDisplay(const std::string& text);
std::string FromDisplay(const QString& text);

using ControlReport = std::function<void(DalEvent)>;

// What every control does: enable and focus; the operations a kind has not are harmless no-ops.
class WidgetControl : public DalControl {
 public:
  WidgetControl(QWidget* widget, ControlReport report);

  std::string Text() const override { return {}; }
  void SetText(const std::string&) override {}
  bool IsEnabled() const override;
  void SetEnabled(bool on) override;
  void SetFocus() override;
  bool IsChecked() const override { return false; }
  void SetChecked(bool) override {}
  int AddItem(const std::string&, std::int64_t) override { return -1; }
  void ClearItems() override {}
  int ItemCount() const override { return 0; }
  std::string ItemText(int) const override { return {}; }
  std::int64_t ItemData(int) const override { return -1; }
  int CurrentItem() const override { return -1; }
  bool SetCurrentItem(int) override { return false; }
  bool IsItemSelected(int) const override { return false; }
  bool SelectItem(int, bool) override { return false; }
  int TopItem() const override { return 0; }
  void SetTopItem(int) override {}
  void WatchScrolling() override {}

  QWidget* widget() const { return widget_; }
  // The window is closing: nothing more is reported.
  void Silence() { report_ = nullptr; }

 protected:
  void Report(DalEvent event) const {
    if (report_) report_(event);
  }

 private:
  QWidget* widget_;
  ControlReport report_;
};

class LabelControl : public WidgetControl {
 public:
  LabelControl(QLabel* label, ControlReport report);
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QLabel* label_;
};

// Reports kTextChanged when the user leaves a changed box or presses Enter.
class LineEditControl : public WidgetControl {
 public:
  LineEditControl(QLineEdit* edit, ControlReport report);
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QLineEdit* edit_;
};

// Reports kTextChanged when the user leaves the box after changing it (Enter starts a new line,
// which Text gives as a blank).
class MultiLineEditControl : public WidgetControl {
 public:
  MultiLineEditControl(QPlainTextEdit* edit, ControlReport report);
  ~MultiLineEditControl() override;
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QPlainTextEdit* edit_;
  class FocusWatch;
  FocusWatch* watch_;
};

// Plain and editable combo boxes: kItemChosen when the user picks an entry; an editable one also
// kTextChanged as a line edit.
class ComboControl : public WidgetControl {
 public:
  ComboControl(QComboBox* combo, ControlReport report);
  std::string Text() const override;
  void SetText(const std::string& text) override;
  int AddItem(const std::string& text, std::int64_t data) override;
  void ClearItems() override;
  int ItemCount() const override;
  std::string ItemText(int index) const override;
  std::int64_t ItemData(int index) const override;
  int CurrentItem() const override;
  bool SetCurrentItem(int index) override;

 private:
  QComboBox* combo_;
};

// Single and multiple selection list boxes: kSelectionChanged, kActivated (double click or Enter)
// and, once watched, kScrolled after the list has moved.
class ListControl : public WidgetControl {
 public:
  ListControl(QListWidget* list, ControlReport report);
  std::string Text() const override;
  int AddItem(const std::string& text, std::int64_t data) override;
  void ClearItems() override;
  int ItemCount() const override;
  std::string ItemText(int index) const override;
  std::int64_t ItemData(int index) const override;
  int CurrentItem() const override;
  bool SetCurrentItem(int index) override;
  bool IsItemSelected(int index) const override;
  bool SelectItem(int index, bool on) override;
  bool SelectItemRange(int first, int last, bool on) override;
  int TopItem() const override;
  void SetTopItem(int index) override;
  void WatchScrolling() override;

 private:
  bool InRange(int index) const { return index >= 0 && index < ItemCount(); }
  // Runs a change of the program's with the reports that it causes held back.
  template <typename Change>
  void Quietly(Change change);

  QListWidget* list_;
  bool quiet_ = false;
  bool watched_ = false;
};

class CheckControl : public WidgetControl {
 public:
  CheckControl(QCheckBox* box, ControlReport report);
  std::string Text() const override;
  void SetText(const std::string& text) override;
  bool IsChecked() const override;
  void SetChecked(bool on) override;

 private:
  QCheckBox* box_;
};

class ButtonControl : public WidgetControl {
 public:
  ButtonControl(QPushButton* button, ControlReport report);
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QPushButton* button_;
};

}  // namespace korvel
