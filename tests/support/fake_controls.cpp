#include "support/fake_controls.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvel::test {
namespace {

// The control with the id; else the test fails with the words given, and a stand-in is looked at.
FakeControl& Found(std::map<int, std::unique_ptr<FakeControl>>& controls, int controlId,
                   const std::string& failure) {
  const auto found = controls.find(controlId);
  if (found != controls.end()) return *found->second;
  ADD_FAILURE() << failure;
  static FakeControl nowhere(nullptr, 0);
  return nowhere;
}

}  // namespace

void FakeControl::SetText(const std::string& text) {
  text_ = text;
  Echo(DalEvent::kTextChanged);
}

void FakeControl::SetChecked(bool on) {
  checked_ = on;
  Echo(DalEvent::kClicked);
}

int FakeControl::AddItem(const std::string& text, std::int64_t data) {
  items_.push_back({text, data, false});
  return ItemCount() - 1;
}

void FakeControl::ClearItems() {
  items_.clear();
  current_ = -1;
  top_ = 0;
  text_.clear();
}

int FakeControl::CurrentItem() const {
  if (InRange(current_) && items_[current_].selected) return current_;
  const auto first =
      std::find_if(items_.begin(), items_.end(), [](const Item& item) { return item.selected; });
  return first == items_.end() ? -1 : static_cast<int>(first - items_.begin());
}

bool FakeControl::SetCurrentItem(int index) {
  if (index != -1 && !InRange(index)) return false;
  for (Item& item : items_) item.selected = false;
  current_ = index;
  if (index >= 0) {
    items_[index].selected = true;
    text_ = items_[index].text;  // a combo box shows the chosen entry
  }
  Echo(DalEvent::kItemChosen);
  return true;
}

bool FakeControl::SelectItem(int index, bool on) {
  if (!InRange(index)) return false;
  items_[index].selected = on;
  if (on) current_ = index;
  Echo(DalEvent::kSelectionChanged);
  return true;
}

std::vector<std::string> FakeControl::ItemTexts() const {
  std::vector<std::string> texts;
  for (const Item& item : items_) texts.push_back(item.text);
  return texts;
}

void FakeControl::Echo(DalEvent event) {
  if (window_ == nullptr || !window_->echoes()) return;
  const DalFieldInfo* field = DalFindField(id_, window_->dialog());
  const bool list = field != nullptr && (field->kind == kDalList || field->kind == kDalPlainList);
  if (list && event == DalEvent::kItemChosen) event = DalEvent::kSelectionChanged;
  DalNotify(window_->dialog(), id_, event);
}

FakeWindow::FakeWindow(FakeHost& host, DalDialog& dialog, const std::set<int>& controlIds)
    : host_(host), dialog_(dialog), echoes_(host.echoes()) {
  for (int id : controlIds) controls_[id] = std::make_unique<FakeControl>(this, id);
}

FakeWindow::~FakeWindow() {
  if (dialog_.window == this) dialog_.window = nullptr;
  for (auto& [id, control] : controls_) control->Detach();
  host_.KeepClosed(dialog_.templateId, std::move(controls_));
}

DalControl* FakeWindow::Control(int controlId) {
  const auto found = controls_.find(controlId);
  return found != controls_.end() ? found->second.get() : nullptr;
}

FakeControl& FakeWindow::At(int controlId) {
  return Found(
      controls_, controlId,
      "dialog " + std::to_string(dialog_.templateId) + " has no control " + std::to_string(controlId));
}

DalWindow* FakeNotebookWindow::Page(int index) {
  if (index < 0 || index >= static_cast<int>(notebook_.pages.size())) return nullptr;
  std::unique_ptr<FakeWindow>& page = pages_[index];
  if (!page) page = host_.MakeWindow(notebook_.pages[index].dialog);
  return page.get();
}

FakeHost::FakeHost() {
  DalClearScripts();
  DalSetHost(this);
}

FakeHost::~FakeHost() {
  DalSetHost(nullptr);
  DalClearScripts();
}

std::unique_ptr<FakeWindow> FakeHost::MakeWindow(DalDialog& dialog) {
  if (refused_.count(dialog.templateId)) return nullptr;
  std::set<int> ids{kDalIdOk, kDalIdCancel};
  const auto defined = templates_.find(dialog.templateId);
  if (defined != templates_.end()) {
    ids.insert(defined->second.begin(), defined->second.end());
  } else {
    for (const DalFieldInfo& field : dialog.fields) {
      if (field.kind != kDalEnd && field.kind != kDalNoControl) ids.insert(field.controlId);
    }
  }
  made_.push_back(dialog.templateId);
  return std::make_unique<FakeWindow>(*this, dialog, ids);
}

std::unique_ptr<FakeWindow> FakeHost::Open(DalDialog& dialog) {
  EXPECT_TRUE(dialog.indexed || DalInitFieldInfo(dialog));
  std::unique_ptr<FakeWindow> window = MakeWindow(dialog);
  if (window) dialog.window = window.get();
  return window;
}

FakeControl& FakeHost::Closed(int templateId, int controlId) {
  return Found(closed_[templateId], controlId,
               "no closed window of dialog " + std::to_string(templateId) + " with control " +
                   std::to_string(controlId));
}

}  // namespace korvel::test
