#include "dal/dal_script.h"

#include <deque>
#include <utility>

#include "dal/dal_dialog.h"
#include "dal/dal_fields.h"
#include "dal/dal_host.h"
#include "dal/dal_notebook.h"

namespace korvel {
namespace {

std::deque<DalScript>& Queue() {
  static std::deque<DalScript> queue;
  return queue;
}

std::vector<std::string>& Errors() {
  static std::vector<std::string> errors;
  return errors;
}

DalScript TakeScript() {
  DalScript script = std::move(Queue().front());
  Queue().pop_front();
  return script;
}

DalScript::Step MakeStep(DalScript::Action action, int controlId) {
  DalScript::Step step;
  step.action = action;
  step.controlId = controlId;
  return step;
}

// Does to a control what the user would, and reports it as the window would.
void Fail(const std::string& what) {
  Errors().push_back(what);
}

std::string DialogName(const DalDialog& dialog) {
  return "dialog " + std::to_string(dialog.templateId);
}

std::string NotebookName(const DalNotebook& notebook) {
  return "notebook '" + notebook.caption + "'";
}

std::string ControlName(int controlId) {
  return "control " + std::to_string(controlId);
}

void PlayControlStep(const DalScript::Step& step, DalDialog& dialog) {
  using Action = DalScript::Action;
  if (step.action == Action::kDo) {
    step.callback(dialog);
    return;
  }
  DalControl* control = DalFindControl(dialog, step.controlId);
  if (control == nullptr) {
    Fail(DialogName(dialog) + " has no " + ControlName(step.controlId));
    return;
  }
  const DalFieldInfo* field = DalFindField(step.controlId, dialog);
  const bool list = field != nullptr && (field->kind == kDalList || field->kind == kDalPlainList);
  switch (step.action) {
    case Action::kType:
      control->SetText(step.text);
      DalNotify(dialog, step.controlId, DalEvent::kTextChanged);
      break;
    case Action::kChoose:
      if (!control->SetCurrentItem(step.index)) {
        Fail(ControlName(step.controlId) + " has no item " + std::to_string(step.index));
        break;
      }
      DalNotify(dialog, step.controlId, list ? DalEvent::kSelectionChanged : DalEvent::kItemChosen);
      break;
    case Action::kCheck:
      control->SetChecked(step.on);
      DalNotify(dialog, step.controlId, DalEvent::kClicked);
      break;
    case Action::kHighlight:
      if (!control->SelectItem(step.index, step.on)) {
        Fail(ControlName(step.controlId) + " has no item " + std::to_string(step.index));
        break;
      }
      DalNotify(dialog, step.controlId, DalEvent::kSelectionChanged);
      break;
    case Action::kScroll:
      control->SetTopItem(step.index);
      DalNotify(dialog, step.controlId, DalEvent::kScrolled);
      break;
    case Action::kPress:
      DalNotify(dialog, step.controlId, DalEvent::kClicked);
      break;
    case Action::kPage:
    case Action::kDo:
      break;
  }
}

}  // namespace

DalScript& DalScript::Type(int controlId, std::string text) {
  Step step = MakeStep(Action::kType, controlId);
  step.text = std::move(text);
  steps_.push_back(std::move(step));
  return *this;
}

DalScript& DalScript::Choose(int controlId, int index) {
  Step step = MakeStep(Action::kChoose, controlId);
  step.index = index;
  steps_.push_back(std::move(step));
  return *this;
}

DalScript& DalScript::Check(int controlId, bool on) {
  Step step = MakeStep(Action::kCheck, controlId);
  step.on = on;
  steps_.push_back(std::move(step));
  return *this;
}

DalScript& DalScript::Highlight(int controlId, int index, bool on) {
  Step step = MakeStep(Action::kHighlight, controlId);
  step.index = index;
  step.on = on;
  steps_.push_back(std::move(step));
  return *this;
}

DalScript& DalScript::Scroll(int controlId, int topItem) {
  Step step = MakeStep(Action::kScroll, controlId);
  step.index = topItem;
  steps_.push_back(std::move(step));
  return *this;
}

DalScript& DalScript::Press(int controlId) {
  steps_.push_back(MakeStep(Action::kPress, controlId));
  return *this;
}

DalScript& DalScript::Page(int page) {
  Step step = MakeStep(Action::kPage, 0);
  step.index = page;
  steps_.push_back(std::move(step));
  return *this;
}

DalScript& DalScript::Do(std::function<void(DalDialog&)> callback) {
  Step step = MakeStep(Action::kDo, 0);
  step.callback = std::move(callback);
  steps_.push_back(std::move(step));
  return *this;
}

void DalQueueScript(DalScript script) {
  Queue().push_back(std::move(script));
}

std::size_t DalPendingScripts() {
  return Queue().size();
}

void DalClearScripts() {
  Queue().clear();
  Errors().clear();
}

std::vector<std::string> DalTakeScriptErrors() {
  return std::exchange(Errors(), {});
}

namespace dal {

void PlayDialogScript(DalDialog& dialog) {
  const DalScript script = TakeScript();
  for (const DalScript::Step& step : script.steps()) {
    if (!(dialog.mode & kDalRunning)) {
      Fail(DialogName(dialog) + " ended before its script did");
      return;
    }
    if (step.action == DalScript::Action::kPage) {
      Fail(DialogName(dialog) + " has no pages");
      continue;
    }
    PlayControlStep(step, dialog);
  }
  if (dialog.mode & kDalRunning) {
    Fail("the script left " + DialogName(dialog) + " open");
    DalNotify(dialog, kDalIdCancel, DalEvent::kClicked);
  }
}

void PlayNotebookScript(DalNotebook& notebook) {
  const DalScript script = TakeScript();
  int current = 0;
  for (const DalScript::Step& step : script.steps()) {
    if (notebook.ended) {
      Fail(NotebookName(notebook) + " ended before its script did");
      return;
    }
    if (step.action == DalScript::Action::kPage) {
      if (step.index < 0 || step.index >= static_cast<int>(notebook.pages.size())) {
        Fail(NotebookName(notebook) + " has no page " + std::to_string(step.index));
        continue;
      }
      current = step.index;
      notebook.window->ShowPage(current);
      DalNotebookPageShown(notebook, current);
      continue;
    }
    if (step.action == DalScript::Action::kPress &&
        (step.controlId == kDalIdOk || step.controlId == kDalIdCancel)) {
      DalNotebookButton(notebook, step.controlId);
      continue;
    }
    if (notebook.pages.empty() || !notebook.opened[current]) {
      Fail("page " + std::to_string(current) + " of " + NotebookName(notebook) + " is not open");
      continue;
    }
    PlayControlStep(step, notebook.pages[current].dialog);
  }
  if (!notebook.ended) {
    Fail("the script left " + NotebookName(notebook) + " open");
    DalNotebookButton(notebook, kDalIdCancel);
  }
}

}  // namespace dal
}  // namespace korvel
