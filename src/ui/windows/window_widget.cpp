#include "ui/windows/window_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

#include "ui/frame/program_menu.h"
#include "ui/windows/window_frame.h"

namespace korvel::ui {
namespace {

int MouseKeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  int keys = 0;
  if (buttons & Qt::LeftButton) keys |= kMouseLeft;
  if (buttons & Qt::RightButton) keys |= kMouseRight;
  if (modifiers & Qt::ShiftModifier) keys |= kMouseShift;
  if (modifiers & Qt::ControlModifier) keys |= kMouseControl;
  return keys;
}

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

}  // namespace

ClientWidget::ClientWidget(WindowDescriptor* descriptor, QWidget* parent)
    : QWidget(parent), descriptor_(descriptor) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
}

void ClientWidget::Changed(const QRect& area, bool uncovered) {
  if (uncovered) needsPaint_ = true;
  // Drawing done by the paint handler is blitted by this paint event; the rest waits for the next.
  if (inPaint_) {
    QTimer::singleShot(0, this, [this, area] { update(area); });
  } else {
    update(area);
  }
}

void ClientWidget::Invalidate() {
  needsPaint_ = true;
  update();
}

void ClientWidget::paintEvent(QPaintEvent* event) {
  if (descriptor_ != nullptr && needsPaint_) {
    needsPaint_ = false;
    inPaint_ = true;
    SendWindowMessage(*descriptor_, {.message = kMessagePaint});
    inPaint_ = false;
  }
  QPainter painter(this);
  if (descriptor_ != nullptr && descriptor_->device != nullptr) {
    descriptor_->device->Blit(painter, event->rect());
  } else {
    painter.fillRect(event->rect(), Qt::white);
  }
}

void ClientWidget::SendMouse(MessageKind kind, QMouseEvent* event) {
  if (descriptor_ == nullptr) return;
  const QPoint at = event->position().toPoint();
  WindowMessage message{.message = kind, .first = MouseKeysOf(event->buttons(), event->modifiers())};
  message.x = at.x();
  message.y = descriptor_->drawable.top - at.y();  // y up: the top row is the client's height
  SendWindowMessage(*descriptor_, message);
}

void ClientWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  setFocus(Qt::MouseFocusReason);
  if (parentWidget() != nullptr) parentWidget()->raise();
  SendMouse(event->button() == Qt::LeftButton ? kMessageLeftDown : kMessageRightDown, event);
}

void ClientWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  SendMouse(event->button() == Qt::LeftButton ? kMessageLeftUp : kMessageRightUp, event);
}

void ClientWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  setFocus(Qt::MouseFocusReason);
  if (parentWidget() != nullptr) parentWidget()->raise();
  SendMouse(event->button() == Qt::LeftButton ? kMessageLeftDoubleClick : kMessageRightDoubleClick, event);
}

void ClientWidget::mouseMoveEvent(QMouseEvent* event) {
  if (descriptor_ == nullptr) return;
  setCursor((descriptor_->state & kStateCursorHidden) != 0 ? Qt::BlankCursor : Qt::ArrowCursor);
  SendMouse(kMessageMouseMove, event);
}

void ClientWidget::SendKey(QKeyEvent* event, bool down) {
  if (descriptor_ == nullptr) return;
  const QString text = event->text();
  const std::intptr_t character = text.isEmpty() ? event->key() : text.at(0).unicode();
  SendWindowMessage(*descriptor_, {.message = kMessageChar, .first = character, .second = down ? 1 : 0});
}

void ClientWidget::keyPressEvent(QKeyEvent* event) {
  SendKey(event, true);
}

void ClientWidget::keyReleaseEvent(QKeyEvent* event) {
  SendKey(event, false);
}

// The wheel moves a window with a vertical bar by lines, as its arrows do.
void ClientWidget::wheelEvent(QWheelEvent* event) {
  auto* window = dynamic_cast<WindowWidget*>(parentWidget());
  if (window == nullptr || window->verticalBar() == nullptr || event->angleDelta().y() == 0) return;
  window->verticalBar()->triggerAction(event->angleDelta().y() > 0 ? QAbstractSlider::SliderSingleStepSub
                                                                   : QAbstractSlider::SliderSingleStepAdd);
}

void ClientWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void ClientWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void ClientWidget::dropEvent(QDropEvent* event) {
  if (descriptor_ == nullptr) return;
  DropHandle drop{LocalFiles(event->mimeData())};
  if (drop.paths.empty()) return;
  event->acceptProposedAction();
  SendWindowMessage(*descriptor_, {.message = kMessageDropFiles, .drop = &drop});
  FinishDrop(drop);
}

WindowWidget::WindowWidget(WindowDescriptor& descriptor, QWidget* parent)
    : QWidget(parent), descriptor_(&descriptor) {
  const int flags = descriptor.flags;
  client_ = new ClientWidget(&descriptor, this);
  setFocusProxy(client_);
  if (flags & kFlagHorizontalScroll) horizontalBar_ = MakeBar(Qt::Horizontal);
  if (flags & kFlagVerticalScroll) verticalBar_ = MakeBar(Qt::Vertical);
  if (parent == nullptr && (flags & kFlagMenu)) {
    WindowDescriptor* target = &descriptor;
    menuBar_ = new ProgramMenuBar(
        {descriptor.helpFile, descriptor.aboutText, descriptor.caption},
        [target](int id) { SendCommand(*target, id); }, this);
  }
  LayoutFrame();
}

WindowWidget::~WindowWidget() {
  // Destroyed by Qt rather than DestroyWindow (its parent went): the descriptor still learns of it.
  if (descriptor_ != nullptr) ReleaseWindow(*descriptor_);
}

void WindowWidget::Detach() {
  descriptor_ = nullptr;
  client_->Detach();
  for (const auto& [qtId, id] : timers_) killTimer(qtId);
  timers_.clear();
}

QScrollBar* WindowWidget::MakeBar(Qt::Orientation orientation) {
  auto* bar = new QScrollBar(orientation, this);
  bar->setRange(1, 100);
  bar->setSingleStep(1);
  bar->setPageStep(5);
  connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, orientation](int action) {
    if (descriptor_ == nullptr) return;
    ScrollCode code;
    switch (action) {
      case QAbstractSlider::SliderSingleStepSub:
        code = kScrollLineUp;
        break;
      case QAbstractSlider::SliderSingleStepAdd:
        code = kScrollLineDown;
        break;
      case QAbstractSlider::SliderPageStepSub:
        code = kScrollPageUp;
        break;
      case QAbstractSlider::SliderPageStepAdd:
        code = kScrollPageDown;
        break;
      default:
        code = kScrollThumbTrack;
        break;
    }
    const MessageKind kind = orientation == Qt::Vertical ? kMessageVerticalScroll : kMessageHorizontalScroll;
    SendWindowMessage(*descriptor_, {.message = kind, .first = code, .second = bar->sliderPosition()});
  });
  return bar;
}

void WindowWidget::LayoutFrame() {
  const int width = this->width(), height = this->height();
  int top = 0;
  if (menuBar_ != nullptr) {
    top = menuBar_->heightForWidth(width);
    if (top <= 0) top = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width, top);
  }
  const int barWidth = verticalBar_ != nullptr ? verticalBar_->sizeHint().width() : 0;
  const int barHeight = horizontalBar_ != nullptr ? horizontalBar_->sizeHint().height() : 0;
  const int bottomHeight = bottomBar_ != nullptr ? bottomBar_->sizeHint().height() : 0;
  const int clientWidth = std::max(0, width - barWidth);
  const int clientHeight = std::max(0, height - top - barHeight - bottomHeight);
  if (bottomBar_ != nullptr) bottomBar_->setGeometry(0, height - bottomHeight, width, bottomHeight);
  client_->setGeometry(0, top, clientWidth, clientHeight);
  if (verticalBar_ != nullptr) verticalBar_->setGeometry(clientWidth, top, barWidth, clientHeight);
  if (horizontalBar_ != nullptr) horizontalBar_->setGeometry(0, top + clientHeight, clientWidth, barHeight);
}

void WindowWidget::SetBottomBar(QWidget* bar) {
  bottomBar_ = bar;
  if (bar != nullptr) bar->setParent(this);
  LayoutFrame();
  if (bar != nullptr) bar->show();
}

bool WindowWidget::StartTimer(int id, int milliseconds) {
  StopTimer(id);
  const int qtId = startTimer(milliseconds);
  if (qtId == 0) return false;
  timers_[qtId] = id;
  return true;
}

void WindowWidget::StopTimer(int id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second == id) {
      killTimer(it->first);
      timers_.erase(it);
      return;
    }
  }
}

void WindowWidget::resizeEvent(QResizeEvent*) {
  LayoutFrame();
  if (descriptor_ == nullptr) return;
  client_->Invalidate();
  SendWindowMessage(*descriptor_, {.message = kMessageSize});
}

void WindowWidget::moveEvent(QMoveEvent*) {
  if (descriptor_ != nullptr) SendWindowMessage(*descriptor_, {.message = kMessageMove});
}

void WindowWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && descriptor_ != nullptr) UpdatePlacement(*descriptor_);
}

// Closing is the handler's decision: its default procedure destroys the window.
void WindowWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (descriptor_ != nullptr) SendWindowMessage(*descriptor_, {.message = kMessageClose});
}

void WindowWidget::timerEvent(QTimerEvent* event) {
  const auto found = timers_.find(event->timerId());
  if (found == timers_.end() || descriptor_ == nullptr) return;
  SendWindowMessage(*descriptor_, {.message = kMessageTimer, .first = found->second});
}

}  // namespace korvel::ui
