// Builds a template's controls into a widget: labels beside their fields in a form, groups as
// frames, grids of cells, in the template's order (which is the tab order).
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "ui/dialogs/dialog_template.h"
#include "ui/dialogs/picture_list.h"
#include "ui/dialogs/qt_controls.h"

class QWidget;

namespace korvel {

class DialogForm {
 public:
  using Report = std::function<void(int controlId, DalEvent event)>;

  // Lays the controls out in `host`, which must have no layout yet. Picture lists draw their
  // items through `pictures`.
  DialogForm(const DialogTemplate& dialogTemplate, QWidget* host, Report report,
             PictureListHooks pictures = {});
  ~DialogForm();
  DialogForm(const DialogForm&) = delete;
  DialogForm& operator=(const DialogForm&) = delete;

  // nullptr for an id the template does not have.
  WidgetControl* Control(int controlId);
  // Before the widgets go: their last signals are not reported.
  void Silence();

 private:
  std::map<int, std::unique_ptr<WidgetControl>> controls_;
};

}  // namespace korvel
