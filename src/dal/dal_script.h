// Scripted answers to dialog and notebook runs, so that a whole command runs headless: a test
// queues what the user would do, and the next run plays it on the window's controls instead of
// waiting for a user. Message boxes are answered separately (MessageRecorder).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "dal/dal_types.h"

namespace korvel {

class DalScript {
 public:
  enum class Action { kType, kChoose, kCheck, kHighlight, kScroll, kPress, kPage, kDo };
  struct Step {
    Action action = Action::kPress;
    int controlId = 0;
    std::string text;
    int index = 0;
    bool on = false;
    std::function<void(DalDialog&)> callback;
  };

  // Types a text into an edit or combo box and leaves it.
  DalScript& Type(int controlId, std::string text);
  // Chooses an entry of a combo box, or the one highlighted item of a list box.
  DalScript& Choose(int controlId, int index);
  DalScript& Check(int controlId, bool on);
  // Highlights or clears one item of a multiple-selection list box.
  DalScript& Highlight(int controlId, int index, bool on);
  // Scrolls a list box so that the item is the first one shown.
  DalScript& Scroll(int controlId, int topItem);
  DalScript& Press(int controlId);
  DalScript& Ok() { return Press(kDalIdOk); }
  DalScript& Cancel() { return Press(kDalIdCancel); }
  // Brings a notebook page to the front; the control steps that follow act on it.
  DalScript& Page(int page);
  // Anything else, on the open dialog (in a notebook: the page in front), for instance checks.
  DalScript& Do(std::function<void(DalDialog&)> callback);

  const std::vector<Step>& steps() const { return steps_; }

 private:
  std::vector<Step> steps_;
};

// The next dialog or notebook run plays this script; runs take queued scripts in order (a dialog
// run from a change callback takes the next one).
void DalQueueScript(DalScript script);
std::size_t DalPendingScripts();
// Forgets queued scripts and recorded script errors.
void DalClearScripts();
// What went wrong while playing (a step on a missing control, a script that left its dialog
// open, which then is cancelled); reading them empties the list.
std::vector<std::string> DalTakeScriptErrors();

namespace dal {
// Plays the next queued script on an open dialog run / notebook run (the library's runners).
void PlayDialogScript(DalDialog& dialog);
void PlayNotebookScript(DalNotebook& notebook);
}  // namespace dal

}  // namespace korvel
