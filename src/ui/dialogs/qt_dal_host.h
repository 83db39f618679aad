// The dialog library's host on Qt: dialogs on QDialog, the notebook on QDialog and QTabWidget.
// Windows are made from templates; their controls report to DalNotify, OK and Cancel as clicks
// on ids 1 and 2, and closing the window or Escape as Cancel.
#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "dal/dal.h"
#include "ui/dialogs/dialog_form.h"
#include "ui/dialogs/dialog_template.h"

class QDialog;
class QEventLoop;
class QTabWidget;
class QWidget;

namespace korvel {

class ButtonControl;

using TemplateLookup = std::function<const DialogTemplate*(int templateId)>;

// Runs a window until it ends; -1 when the program quits first.
class WindowRun {
 public:
  int Run(QDialog& dialog, bool modal);
  void End(QDialog& dialog, int result);
  bool ended() const { return ended_; }
  int result() const { return result_; }

 private:
  QEventLoop* loop_ = nullptr;
  bool ended_ = false;
  int result_ = -1;
};

class QtDialogWindow : public DalWindow {
 public:
  QtDialogWindow(DalDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* parent);
  ~QtDialogWindow() override;

  DalControl* Control(int controlId) override;
  void End(int result) override;

  int Run(bool modal);
  QDialog* widget() const { return window_; }

 private:
  QPointer<QDialog> window_;
  std::unique_ptr<DialogForm> form_;
  std::unique_ptr<ButtonControl> ok_;
  std::unique_ptr<ButtonControl> cancel_;
  WindowRun run_;
};

class QtNotebookWindow : public DalNotebookWindow {
 public:
  QtNotebookWindow(DalNotebook& notebook, TemplateLookup lookup, QWidget* parent);
  ~QtNotebookWindow() override;

  DalWindow* Page(int index) override;
  void ShowPage(int index) override;
  void End(int result) override;

  int Run();
  QDialog* widget() const { return window_; }
  int CurrentPage() const;
  bool ended() const { return run_.ended(); }

 private:
  class PageWindow;

  DalNotebook& notebook_;
  TemplateLookup lookup_;
  QPointer<QDialog> window_;
  QTabWidget* tabs_ = nullptr;
  std::map<int, std::unique_ptr<PageWindow>> pages_;
  WindowRun run_;
};

// Installs itself as the library's host for its lifetime.
class QtDalHost : public DalHost {
 public:
  explicit QtDalHost(TemplateLookup lookup = FindDialogTemplate);
  ~QtDalHost() override;
  QtDalHost(const QtDalHost&) = delete;
  QtDalHost& operator=(const QtDalHost&) = delete;

  // `parent` is the owner's QWidget*, or null.
  std::unique_ptr<DalWindow> CreateDialogWindow(DalDialog& dialog, void* parent) override;
  int RunDialogWindow(DalWindow& window, bool modal) override;
  std::unique_ptr<DalNotebookWindow> CreateNotebookWindow(DalNotebook& notebook, void* parent) override;
  int RunNotebookWindow(DalNotebookWindow& window) override;

 private:
  TemplateLookup lookup_;
};

}  // namespace korvel
