#include "ui/dialogs/qt_dal_host.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace korvel {
namespace {

// Escape and the window's close box cancel through the library, which then ends the window.
class CancellingDialog : public QDialog {
 public:
  CancellingDialog(QWidget* parent, std::function<void()> cancel)
      : QDialog(parent), cancel_(std::move(cancel)) {}

  void reject() override {
    if (cancel_) cancel_();
  }

 private:
  std::function<void()> cancel_;
};

QDialogButtonBox* MakeButtons(const char* okText, const char* cancelText) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8(okText));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8(cancelText));
  return buttons;
}

}  // namespace

int WindowRun::Run(QDialog& dialog, bool modal) {
  if (ended_) return result_;
  dialog.setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  QEventLoop loop;
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
  loop_ = &loop;
  if (!ended_) loop.exec(QEventLoop::DialogExec);
  loop_ = nullptr;
  return ended_ ? result_ : -1;
}

void WindowRun::End(QDialog& dialog, int result) {
  ended_ = true;
  result_ = result;
  dialog.hide();
  if (loop_ != nullptr) loop_->quit();
}

QtDialogWindow::QtDialogWindow(DalDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* parent) {
  DalDialog* bound = &dialog;
  window_ = new CancellingDialog(parent, [bound] { DalNotify(*bound, kDalIdCancel, DalEvent::kClicked); });
  window_->setWindowTitle(QString::fromUtf8(dialogTemplate.title));

  auto* layout = new QVBoxLayout(window_);
  auto* body = new QWidget;
  layout->addWidget(body);
  // Hiding an ended window takes the focus from its box, which is no edit of the user's.
  form_ = std::make_unique<DialogForm>(
      dialogTemplate, body,
      [this, bound](int id, DalEvent event) {
        if (!run_.ended()) DalNotify(*bound, id, event);
      },
      DalPictureListHooks(dialog));
  layout->addStretch(1);
  layout->addSpacing(6);

  QDialogButtonBox* buttons = MakeButtons(dialogTemplate.okText, dialogTemplate.cancelText);
  layout->addWidget(buttons);
  ok_ = std::make_unique<ButtonControl>(buttons->button(QDialogButtonBox::Ok),
                                        [bound](DalEvent event) { DalNotify(*bound, kDalIdOk, event); });
  cancel_ =
      std::make_unique<ButtonControl>(buttons->button(QDialogButtonBox::Cancel),
                                      [bound](DalEvent event) { DalNotify(*bound, kDalIdCancel, event); });
  // Enter in a one-line box presses OK, as in any dialog.
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  // Small dialogs keep OK and Cancel at their usual size, in the right corner. A set minimum
  // replaces the layout's own, which wide dialogs still need so that the user cannot cut them.
  body->setMinimumWidth(
      std::max(QFontMetrics(body->font()).averageCharWidth() * 40, body->layout()->minimumSize().width()));
}

QtDialogWindow::~QtDialogWindow() {
  // The widgets' last signals (a box losing the focus) come from a window already closed.
  form_->Silence();
  ok_->Silence();
  cancel_->Silence();
  delete window_.data();
}

DalControl* QtDialogWindow::Control(int controlId) {
  if (controlId == kDalIdOk) return ok_.get();
  if (controlId == kDalIdCancel) return cancel_.get();
  return form_->Control(controlId);
}

void QtDialogWindow::End(int result) {
  if (window_) run_.End(*window_, result);
}

int QtDialogWindow::Run(bool modal) {
  return window_ ? run_.Run(*window_, modal) : -1;
}

// A page's controls in its tab; ending a page ends the notebook.
class QtNotebookWindow::PageWindow : public DalWindow {
 public:
  PageWindow(QtNotebookWindow& owner, DalDialog& dialog, const DialogTemplate& dialogTemplate, QWidget* tab)
      : owner_(owner) {
    DalDialog* bound = &dialog;
    auto* content = new QWidget;
    form_ = std::make_unique<DialogForm>(
        dialogTemplate, content,
        [this, bound](int id, DalEvent event) {
          if (!owner_.ended()) DalNotify(*bound, id, event);
        },
        DalPictureListHooks(dialog));
    static_cast<QVBoxLayout*>(tab->layout())->insertWidget(0, content);
    // A layout shows a widget added to a visible page only later; the page is wanted now.
    content->show();
  }

  DalControl* Control(int controlId) override { return form_->Control(controlId); }
  void End(int result) override { owner_.End(result); }
  void Silence() { form_->Silence(); }

 private:
  QtNotebookWindow& owner_;
  std::unique_ptr<DialogForm> form_;
};

QtNotebookWindow::QtNotebookWindow(DalNotebook& notebook, TemplateLookup lookup, QWidget* parent)
    : notebook_(notebook), lookup_(std::move(lookup)) {
  DalNotebook* bound = &notebook;
  window_ = new CancellingDialog(parent, [bound] { DalNotebookButton(*bound, kDalIdCancel); });
  window_->setWindowTitle(QString::fromStdString(notebook.caption));

  auto* layout = new QVBoxLayout(window_);
  tabs_ = new QTabWidget;
  tabs_->setUsesScrollButtons(true);
  layout->addWidget(tabs_);
  // Pages are made when first shown, but the notebook takes the size of the largest from the
  // start, so that it does not grow under the user's hand.
  QSize largest;
  for (const DalNotebookPage& page : notebook.pages) {
    const DialogTemplate* found = lookup_ ? lookup_(page.dialog.templateId) : nullptr;
    if (found == nullptr) continue;
    QWidget scratch;
    DialogForm measured(*found, &scratch, nullptr);
    largest = largest.expandedTo(scratch.sizeHint());
  }
  for (const DalNotebookPage& page : notebook.pages) {
    auto* tab = new QWidget;
    auto* pageLayout = new QVBoxLayout(tab);
    pageLayout->addStretch(1);
    tab->setMinimumSize(largest.grownBy(pageLayout->contentsMargins()));
    tabs_->addTab(tab, QString::fromStdString(page.title));
  }
  // Wide enough for every tab to show at once, as long as the screen allows.
  const QScreen* screen = window_->screen();
  const int available = screen != nullptr ? screen->availableGeometry().width() * 9 / 10 : 1024;
  int tabsWidth = 0;
  for (int i = 0; i < tabs_->count(); ++i) tabsWidth += tabs_->tabBar()->tabRect(i).width();
  tabs_->setMinimumWidth(std::min(tabsWidth + 24, available));
  // Connected after the tabs exist: the library shows the first page itself.
  QObject::connect(tabs_, &QTabWidget::currentChanged, window_,
                   [bound](int index) { DalNotebookPageShown(*bound, index); });

  QDialogButtonBox* buttons = MakeButtons("OK", "Cancel");
  layout->addWidget(buttons);
  QObject::connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, window_,
                   [bound] { DalNotebookButton(*bound, kDalIdOk); });
  QObject::connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, window_,
                   [bound] { DalNotebookButton(*bound, kDalIdCancel); });
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
}

QtNotebookWindow::~QtNotebookWindow() {
  for (auto& [index, page] : pages_) page->Silence();
  delete window_.data();
}

DalWindow* QtNotebookWindow::Page(int index) {
  if (index < 0 || index >= static_cast<int>(notebook_.pages.size()) || !window_) return nullptr;
  std::unique_ptr<PageWindow>& page = pages_[index];
  if (!page) {
    DalDialog& dialog = notebook_.pages[index].dialog;
    const DialogTemplate* found = lookup_ ? lookup_(dialog.templateId) : nullptr;
    if (found == nullptr) return nullptr;
    page = std::make_unique<PageWindow>(*this, dialog, *found, tabs_->widget(index));
  }
  return page.get();
}

void QtNotebookWindow::ShowPage(int index) {
  if (tabs_ != nullptr) tabs_->setCurrentIndex(index);
}

void QtNotebookWindow::End(int result) {
  if (window_) run_.End(*window_, result);
}

int QtNotebookWindow::Run() {
  return window_ ? run_.Run(*window_, true) : -1;
}

int QtNotebookWindow::CurrentPage() const {
  return tabs_ != nullptr ? tabs_->currentIndex() : -1;
}

QtDalHost::QtDalHost(TemplateLookup lookup) : lookup_(std::move(lookup)) {
  DalSetHost(this);
}

QtDalHost::~QtDalHost() {
  if (DalGetHost() == this) DalSetHost(nullptr);
}

std::unique_ptr<DalWindow> QtDalHost::CreateDialogWindow(DalDialog& dialog, void* parent) {
  const DialogTemplate* found = lookup_ ? lookup_(dialog.templateId) : nullptr;
  if (found == nullptr) return nullptr;
  return std::make_unique<QtDialogWindow>(dialog, *found, static_cast<QWidget*>(parent));
}

int QtDalHost::RunDialogWindow(DalWindow& window, bool modal) {
  return static_cast<QtDialogWindow&>(window).Run(modal);
}

std::unique_ptr<DalNotebookWindow> QtDalHost::CreateNotebookWindow(DalNotebook& notebook, void* parent) {
  return std::make_unique<QtNotebookWindow>(notebook, lookup_, static_cast<QWidget*>(parent));
}

int QtDalHost::RunNotebookWindow(DalNotebookWindow& window) {
  return static_cast<QtNotebookWindow&>(window).Run();
}

}  // namespace korvel
