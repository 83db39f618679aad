// In-memory controls, windows and dialog host for tests: dialogs and notebooks run headless, and
// a test can read every control's state, also after its window has closed.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dal/dal.h"

namespace korvel::test {

class FakeWindow;

class FakeControl : public DalControl {
 public:
  struct Item {
    std::string text;
    std::int64_t data = 0;
    bool selected = false;
  };

  FakeControl(FakeWindow* window, int id) : window_(window), id_(id) {}

  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;
  bool IsEnabled() const override { return enabled_; }
  void SetEnabled(bool on) override { enabled_ = on; }
  void SetFocus() override {}
  bool IsChecked() const override { return checked_; }
  void SetChecked(bool on) override;
  int AddItem(const std::string& text, std::int64_t data) override;
  void ClearItems() override;
  int ItemCount() const override { return static_cast<int>(items_.size()); }
  std::string ItemText(int index) const override {
    return InRange(index) ? items_[index].text : std::string();
  }
  std::int64_t ItemData(int index) const override { return InRange(index) ? items_[index].data : -1; }
  int CurrentItem() const override;
  bool SetCurrentItem(int index) override;
  bool IsItemSelected(int index) const override { return InRange(index) && items_[index].selected; }
  bool SelectItem(int index, bool on) override;
  int TopItem() const override { return top_; }
  void SetTopItem(int index) override { top_ = index; }
  void WatchScrolling() override { ++watchCalls_; }

  std::vector<std::string> ItemTexts() const;
  int watchCalls() const { return watchCalls_; }
  // The window has gone; the control is only looked at from now on.
  void Detach() { window_ = nullptr; }

 private:
  bool InRange(int index) const { return index >= 0 && index < ItemCount(); }
  // Reports a change made by the program, as toolkits that do not tell the two apart do.
  void Echo(DalEvent event);

  FakeWindow* window_;
  int id_;
  std::string text_;
  bool enabled_ = true;
  bool checked_ = false;
  std::vector<Item> items_;
  int current_ = -1;
  int top_ = 0;
  int watchCalls_ = 0;
};

class FakeHost;

class FakeWindow : public DalWindow {
 public:
  FakeWindow(FakeHost& host, DalDialog& dialog, const std::set<int>& controlIds);
  ~FakeWindow() override;

  DalControl* Control(int controlId) override;
  void End(int /*result*/) override {}  // the library keeps how the run ended

  // The control with this id; fails the test when the window has none.
  FakeControl& At(int controlId);
  DalDialog& dialog() { return dialog_; }
  bool echoes() const { return echoes_; }

 private:
  FakeHost& host_;
  DalDialog& dialog_;
  bool echoes_;
  std::map<int, std::unique_ptr<FakeControl>> controls_;
};

class FakeNotebookWindow : public DalNotebookWindow {
 public:
  FakeNotebookWindow(FakeHost& host, DalNotebook& notebook) : host_(host), notebook_(notebook) {}

  DalWindow* Page(int index) override;
  void ShowPage(int /*index*/) override {}
  void End(int /*result*/) override {}

 private:
  FakeHost& host_;
  DalNotebook& notebook_;
  std::map<int, std::unique_ptr<FakeWindow>> pages_;
};

// Installs itself as the library's host for its lifetime and starts with no queued scripts.
class FakeHost : public DalHost {
 public:
  FakeHost();
  ~FakeHost() override;
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  // The control ids of a template (OK and Cancel are always there). A template that is not
  // defined gets a control for every field of its dialog.
  void DefineTemplate(int templateId, std::set<int> controlIds) {
    templates_[templateId] = std::move(controlIds);
  }
  void RefuseTemplate(int templateId) { refused_.insert(templateId); }
  // Controls of the windows made from now on report changes the program makes to them, as if the user
  // had made them.
  void EchoChanges(bool on) { echo_ = on; }
  bool echoes() const { return echo_; }

  // A window outside any run, for exercising field operations directly; the dialog is indexed
  // and bound to the window until the window goes.
  std::unique_ptr<FakeWindow> Open(DalDialog& dialog);

  // Templates of the windows made, pages included, in order.
  const std::vector<int>& made() const { return made_; }
  // The controls of the last closed window of a template; fails the test when there is none.
  FakeControl& Closed(int templateId, int controlId);

  std::unique_ptr<DalWindow> CreateDialogWindow(DalDialog& dialog, void* /*parent*/) override {
    return MakeWindow(dialog);
  }
  // Runs are scripted: without a script, no user ends the window.
  int RunDialogWindow(DalWindow& /*window*/, bool /*modal*/) override { return -1; }
  std::unique_ptr<DalNotebookWindow> CreateNotebookWindow(DalNotebook& notebook, void* /*parent*/) override {
    return std::make_unique<FakeNotebookWindow>(*this, notebook);
  }
  int RunNotebookWindow(DalNotebookWindow& /*window*/) override { return -1; }

  // For FakeWindow and FakeNotebookWindow.
  std::unique_ptr<FakeWindow> MakeWindow(DalDialog& dialog);
  void KeepClosed(int templateId, std::map<int, std::unique_ptr<FakeControl>> controls) {
    closed_[templateId] = std::move(controls);
  }

 private:
  std::map<int, std::set<int>> templates_;
  std::set<int> refused_;
  std::map<int, std::map<int, std::unique_ptr<FakeControl>>> closed_;
  std::vector<int> made_;
  bool echo_ = false;
};

}  // namespace korvel::test
