// What the dialog library needs from the windowing side: controls, dialog windows, notebook
// windows and the host that makes and runs them. The program implements these on Qt widgets;
// tests use the fakes in tests/support.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dal/dal_types.h"

namespace korvel {

// What a window reports about its controls through DalNotify.
enum class DalEvent {
  kClicked,           // a button or check box was clicked
  kTextChanged,       // the user has finished with an edit or combo box (left it, or pressed Enter)
  kItemChosen,        // an entry of a combo box's list was chosen
  kSelectionChanged,  // the highlight of a list box changed
  kActivated,         // a list box item was double-clicked
  kScrolled,          // a list box watched with WatchScrolling has scrolled (report after moving)
};

// One control of an open dialog window. Item positions count from 0 in the order of AddItem.
class DalControl {
 public:
  virtual ~DalControl() = default;

  // An edit box's text, an editable combo box's edit text, a button's caption.
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;

  virtual bool IsEnabled() const = 0;
  virtual void SetEnabled(bool on) = 0;
  virtual void SetFocus() = 0;

  virtual bool IsChecked() const = 0;
  virtual void SetChecked(bool on) = 0;

  // Combo and list boxes. AddItem appends and gives the new position, -1 when refused.
  virtual int AddItem(const std::string& text, std::int64_t data) = 0;
  // Removes every item; a combo box shows no text afterwards.
  virtual void ClearItems() = 0;
  virtual int ItemCount() const = 0;
  virtual std::string ItemText(int index) const = 0;
  virtual std::int64_t ItemData(int index) const = 0;

  // Combo box: the chosen entry. List box: the highlighted item that has the focus, else the
  // first highlighted one. -1 when there is none.
  virtual int CurrentItem() const = 0;
  // Chooses one entry (a list box highlights it alone); -1 chooses none. False for a position
  // outside the items.
  virtual bool SetCurrentItem(int index) = 0;
  // Multiple-selection list boxes: the highlight of one item; highlighting gives it the focus.
  virtual bool IsItemSelected(int index) const = 0;
  virtual bool SelectItem(int index, bool on) = 0;
  // The highlight of the items first to last, both included, at once (thousands of radios are
  // highlighted in one step, not one by one). False when the range is not inside the items.
  virtual bool SelectItemRange(int first, int last, bool on) {
    if (first < 0 || first > last || last >= ItemCount()) return false;
    for (int i = first; i <= last; ++i) SelectItem(i, on);
    return true;
  }
  // The first visible item of a list box (its scroll position).
  virtual int TopItem() const = 0;
  virtual void SetTopItem(int index) = 0;

  // From now on report scrolling as DalEvent::kScrolled. Called on every fill; a control that
  // is already watched stays watched once.
  virtual void WatchScrolling() = 0;
};

// A dialog or notebook page made from a template. Its controls' events go to
// DalNotify(dialog, controlId, event) for the DalDialog it was made for; pressing OK or Cancel
// (or closing the window) is DalEvent::kClicked of kDalIdOk or kDalIdCancel.
class DalWindow {
 public:
  virtual ~DalWindow() = default;
  // The control with this id, or nullptr when the template has none.
  virtual DalControl* Control(int controlId) = 0;
  // Ends the host's run of the window with this result.
  virtual void End(int result) = 0;
};

// The tabbed notebook: one page per DalNotebookPage, OK and Cancel, no Apply. When a page is
// shown, the window calls DalNotebookPageShown(notebook, page); the buttons call
// DalNotebookButton(notebook, kDalIdOk or kDalIdCancel); page controls report as for dialogs.
class DalNotebookWindow {
 public:
  virtual ~DalNotebookWindow() = default;
  // The window of a page, made from the page's template on first use; nullptr when it cannot be.
  virtual DalWindow* Page(int index) = 0;
  // Brings a page to the front (scripted runs switch pages through this).
  virtual void ShowPage(int index) = 0;
  virtual void End(int result) = 0;
};

// Makes and runs windows. `parent` is the owner window (the program's own handle; may be null).
class DalHost {
 public:
  virtual ~DalHost() = default;
  // The window for dialog.templateId with its controls, nullptr when it cannot be made.
  virtual std::unique_ptr<DalWindow> CreateDialogWindow(DalDialog& dialog, void* parent) = 0;
  // Shows the window and runs until End; gives End's result, or -1 when the run ended otherwise
  // (the program is quitting). Modeless windows leave the program's other windows usable.
  virtual int RunDialogWindow(DalWindow& window, bool modal) = 0;
  // The notebook window with the caption and page titles; pages are made through Page().
  virtual std::unique_ptr<DalNotebookWindow> CreateNotebookWindow(DalNotebook& notebook, void* parent) = 0;
  // Runs the notebook modally until End; as RunDialogWindow.
  virtual int RunNotebookWindow(DalNotebookWindow& window) = 0;
};

// The host that dialog runs use; none installed: no dialog can be made.
void DalSetHost(DalHost* host);
DalHost* DalGetHost();

}  // namespace korvel
