#include "dal/dal_notebook.h"

#include <memory>

#include "dal/dal_dialog.h"
#include "dal/dal_fields.h"
#include "dal/dal_host.h"
#include "dal/dal_internal.h"
#include "dal/dal_script.h"

namespace korvel {

bool DalCreateNotebook(void* /*parent*/, DalNotebook& notebook) {
  bool ready = true;
  for (DalNotebookPage& page : notebook.pages) {
    page.dialog.window = nullptr;
    if (!dal::EnsureIndex(page.dialog)) ready = false;
  }
  return ready;
}

int DalRunNotebook(DalNotebook& notebook, void* parent) {
  DalHost* host = DalGetHost();
  if (notebook.window != nullptr || host == nullptr) return 0;
  if (!DalCreateNotebook(parent, notebook)) return 0;
  std::unique_ptr<DalNotebookWindow> window = host->CreateNotebookWindow(notebook, parent);
  if (!window) return 0;
  notebook.window = window.get();
  notebook.opened.assign(notebook.pages.size(), false);
  notebook.result = 0;
  notebook.ended = false;
  if (!notebook.pages.empty()) DalNotebookPageShown(notebook, 0);
  if (DalPendingScripts() > 0) {
    dal::PlayNotebookScript(notebook);
  } else {
    host->RunNotebookWindow(*window);
  }
  for (DalNotebookPage& page : notebook.pages) dal::CloseDialog(page.dialog);
  notebook.window = nullptr;
  notebook.opened.assign(notebook.pages.size(), false);
  window.reset();
  return notebook.ended ? notebook.result : 0;
}

void DalNotebookPageShown(DalNotebook& notebook, int page) {
  if (notebook.window == nullptr || notebook.ended || page < 0 ||
      page >= static_cast<int>(notebook.pages.size())) {
    return;
  }
  if (notebook.opened[page]) return;
  DalWindow* window = notebook.window->Page(page);
  if (window == nullptr) return;
  notebook.opened[page] = true;
  dal::OpenDialog(notebook.pages[page].dialog, *window);
}

void DalNotebookButton(DalNotebook& notebook, int buttonId) {
  if (notebook.window == nullptr || notebook.ended) return;
  if (buttonId != kDalIdOk && buttonId != kDalIdCancel) return;
  if (buttonId == kDalIdOk && notebook.validate && !notebook.validate(notebook)) return;
  notebook.result = 0;
  if (buttonId == kDalIdOk) {
    bool refused = false;
    for (std::size_t i = 0; i < notebook.pages.size(); ++i) {
      if (notebook.opened[i] && !DalReadDialog(notebook.pages[i].dialog)) {
        refused = refused || dal::AnyFieldRefused(notebook.pages[i].dialog);
      }
    }
    // A field that refused its text has said why; the notebook stays open for it to be mended.
    if (refused) return;
    notebook.result = 1;
  }
  notebook.ended = true;
  notebook.window->End(notebook.result);
}

}  // namespace korvel
