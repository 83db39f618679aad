#include "ui/windows/window_frame.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "draw/palette.h"
#include "ui/frame/accelerators.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/help.h"
#include "ui/windows/window_placement.h"
#include "ui/windows/window_widget.h"

namespace korvel::ui {
namespace {

WindowDescriptor screen;
bool quitPending = false;
bool loopRunning = false;
constexpr int kDefaultWidth = 640;  // a top-level window left to its default place
bool firstWindowShown = false;

draw::Rgb BackgroundOf(const WindowDescriptor& descriptor) {
  return draw::PaletteColour(descriptor.surface.backgroundColour()).value_or(draw::Rgb{255, 255, 255});
}

const WindowDescriptor& ParentOf(const WindowDescriptor& descriptor) {
  return descriptor.parent != nullptr ? *descriptor.parent : ScreenDescriptor();
}

// Rows between the parent's top and bottom: the y-up conversion's reference.
int ParentSpan(const WindowDescriptor& descriptor) {
  const draw::Rect& area = ParentOf(descriptor).drawable;
  return area.top - area.bottom;
}

Placement ToPlacement(const WindowDescriptor& descriptor, const QRect& rect) {
  return {rect.x(), ParentSpan(descriptor) - rect.y() - rect.height(), rect.width(), rect.height()};
}

int RowOf(const WindowDescriptor& descriptor, int y, int height) {
  return ParentSpan(descriptor) - y - height;
}

// A stored placement from another screen, or a damaged one, must not put a top-level window where
// nobody can reach it: a window lying wholly off the screen is brought back onto it, and no window
// is made more than twice the screen's size (its backing image would be enormous).
Placement Reachable(const WindowDescriptor& descriptor, const Placement& placement) {
  const draw::Rect& screenArea = ScreenDescriptor().drawable;
  const long long screenWidth = std::max(screenArea.right - screenArea.left + 1, 1);
  const long long screenHeight = std::max(screenArea.top - screenArea.bottom + 1, 1);
  const long long width = std::clamp<long long>(placement.width, 0, 2 * screenWidth);
  const long long height = std::clamp<long long>(placement.height, 0, 2 * screenHeight);
  long long x = placement.x;
  long long row = static_cast<long long>(ParentSpan(descriptor)) - placement.y - height;
  if (x + width <= 0 || x >= screenWidth) x = std::clamp<long long>(x, 0, std::max(screenWidth - width, 0LL));
  if (row + height <= 0 || row >= screenHeight) {
    row = std::clamp<long long>(row, 0, std::max(screenHeight - height, 0LL));
  }
  const long long y = ParentSpan(descriptor) - row - height;
  return {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
}

Qt::WindowFlags TopLevelFlags(int flags) {
  Qt::WindowFlags window = Qt::Window | Qt::CustomizeWindowHint;
  if (flags & kFlagCaption) window |= Qt::WindowTitleHint;
  if (flags & kFlagSystemMenu) window |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (flags & kFlagMinMaxBoxes) window |= Qt::WindowMinMaxButtonsHint;
  return window;
}

// The device follows the client's size; a new size is redrawn by the handler.
void FitDevice(WindowDescriptor& descriptor, QSize size) {
  if (descriptor.device == nullptr) return;
  if (descriptor.device->onImage() && descriptor.device->size() != size) {
    descriptor.device->Resize(size, BackgroundOf(descriptor));
  }
}

}  // namespace

void ReleaseWindow(WindowDescriptor& descriptor) {
  WindowWidget* window = descriptor.window;
  if (window == nullptr) return;
  PostQuitMessage();
  if (descriptor.handler) descriptor.handler(descriptor, {.message = kMessageDestroy});
  for (WindowDescriptor* child : std::vector<WindowDescriptor*>(descriptor.children)) ReleaseWindow(*child);
  window->Detach();
  if (descriptor.device != nullptr) descriptor.device->SetChangeListener({});
  descriptor.window = nullptr;
  descriptor.state &= ~(kStateCreated | kStateMinimised | kStateMaximised);
  if (descriptor.parent != nullptr) std::erase(descriptor.parent->children, &descriptor);
}

namespace {

void Scroll(WindowDescriptor& descriptor, const WindowMessage& message, bool vertical) {
  int& position = vertical ? descriptor.verticalScroll : descriptor.horizontalScroll;
  switch (message.first) {
    case kScrollLineUp:
      position -= 1;
      break;
    case kScrollLineDown:
      position += 1;
      break;
    case kScrollPageUp:
      position -= 5;
      break;
    case kScrollPageDown:
      position += 5;
      break;
    case kScrollThumbTrack:
      position = static_cast<int>(message.second);
      break;
    default:
      return;
  }
  if (descriptor.window == nullptr) return;
  QScrollBar* bar = vertical ? descriptor.window->verticalBar() : descriptor.window->horizontalBar();
  if (bar != nullptr) bar->setValue(position);
}

void SetScroll(WindowDescriptor& descriptor, float value, bool vertical) {
  // NaN compares false both ways and ends as 1 too.
  const int clamped = value >= 1.0f ? static_cast<int>(std::min(value, 100.0f)) : 1;
  const int shown = vertical ? 101 - clamped : clamped;
  (vertical ? descriptor.verticalScroll : descriptor.horizontalScroll) = shown;
  if (descriptor.window == nullptr) return;
  QScrollBar* bar = vertical ? descriptor.window->verticalBar() : descriptor.window->horizontalBar();
  if (bar != nullptr) bar->setValue(shown);
}

int ScrollShown(const WindowDescriptor& descriptor, bool vertical) {
  if (descriptor.window == nullptr) return 0;
  const QScrollBar* bar = vertical ? descriptor.window->verticalBar() : descriptor.window->horizontalBar();
  return bar != nullptr ? bar->value() : 0;
}

bool CreateWindow(WindowDescriptor& descriptor) {
  if (descriptor.window != nullptr) return true;
  descriptor.state &=
      ~(kStateMinimised | kStateMaximised | kStateCursorHidden | kStateCreated | kStateOnPrinter);
  descriptor.children.clear();
  const bool child = descriptor.parent != nullptr;
  if (child && descriptor.parent->window == nullptr) return false;
  QWidget* parentWidget = child ? descriptor.parent->client() : nullptr;
  auto* window = new WindowWidget(descriptor, parentWidget);
  descriptor.window = window;
  if (!child) {
    window->setWindowFlags(TopLevelFlags(descriptor.flags));
    window->setWindowTitle(QString::fromUtf8(descriptor.caption));
  }
  if (!child) descriptor.normal = Reachable(descriptor, descriptor.normal);
  const Placement& normal = descriptor.normal;
  if (!child && (descriptor.flags & kFlagDefaultPosition)) {
    window->resize(kDefaultWidth, std::max(normal.height, 0));
  } else {
    window->setGeometry(normal.x, RowOf(descriptor, normal.y, normal.height), std::max(normal.width, 0),
                        std::max(normal.height, 0));
  }
  if (!child && !(descriptor.flags & kFlagSizingFrame)) window->setFixedSize(window->size());
  if (!child && (descriptor.flags & kFlagAccelerators)) {
    WindowDescriptor* target = &descriptor;
    InstallAccelerators(window, [target](int id) { SendCommand(*target, id); });
  }
  if (descriptor.flags & kFlagAcceptFiles) window->client()->setAcceptDrops(true);

  window->LayoutFrame();
  const QSize clientSize = window->client()->size();
  descriptor.device = std::make_unique<QtDevice>(clientSize, BackgroundOf(descriptor));
  ClientWidget* client = window->client();
  descriptor.device->SetChangeListener([client](const QRect& area, bool uncovered) {
    QMetaObject::invokeMethod(client, [client, area, uncovered] { client->Changed(area, uncovered); });
  });
  descriptor.surface.SetDevice(descriptor.device.get());
  descriptor.surface.SetOnPrinter(false);
  descriptor.drawable = {0, 0, clientSize.width(), clientSize.height()};
  descriptor.surface.SetBounds(descriptor.drawable);
  if (child) descriptor.parent->children.insert(descriptor.parent->children.begin(), &descriptor);
  if (!SelectWindowFonts(descriptor)) {
    DestroyWindow(descriptor);
    return false;
  }
  SendWindowMessage(descriptor, {.message = kMessageCreate});

  if (!child) {
    if (descriptor.flags & kFlagMaximised) {
      window->showMaximized();
    } else if (descriptor.flags & kFlagMinimised) {
      window->showMinimized();
    } else {
      window->show();
    }
    if (firstWindowShown) window->raise();
    firstWindowShown = true;
  } else if (!(descriptor.flags & kFlagMinimised)) {
    window->show();
    window->raise();
  }
  descriptor.state |= kStateCreated;
  UpdatePlacement(descriptor);
  return true;
}

}  // namespace

QWidget* WindowDescriptor::client() const {
  return window != nullptr ? window->client() : nullptr;
}

void InitScreen() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QSize size = primary != nullptr ? primary->size() : QSize(1024, 768);
  screen.name = "screen";
  screen.drawable = {0, 0, size.width() - 1, size.height() - 1};
  screen.current = {0, 0, size.width(), size.height()};
}

const WindowDescriptor& ScreenDescriptor() {
  if (screen.current.width == 0) InitScreen();
  return screen;
}

bool CreateWindows(std::span<WindowDescriptor* const> descriptors) {
  ScreenDescriptor();
  for (WindowDescriptor* descriptor : descriptors) {
    if (descriptor == nullptr || !CreateWindow(*descriptor)) return false;
  }
  return true;
}

void DestroyWindow(WindowDescriptor& descriptor) {
  WindowWidget* window = descriptor.window;
  if (window == nullptr) return;
  ReleaseWindow(descriptor);
  window->hide();
  // It may be in the middle of its own event (closing).
  window->deleteLater();
}

long SendWindowMessage(WindowDescriptor& descriptor, const WindowMessage& message) {
  // The printer has the surface: the window's own drawing waits.
  if (descriptor.surface.onPrinter()) {
    descriptor.state |= kStateOnPrinter;
    return DefaultWindowProcedure(descriptor, message);
  }
  descriptor.state &= ~kStateOnPrinter;
  switch (message.message) {
    case kMessageNull:
    case kMessageUser:
      return 0;
    case kMessageDestroy:
      PostQuitMessage();
      break;
    case kMessageMove:
    case kMessageSize:
      UpdatePlacement(descriptor);
      for (WindowDescriptor* child : descriptor.children) UpdatePlacement(*child);
      break;  // the handlers lay out their panes on it
    case kMessageCommand:
      if (message.first == kCommandHelpContents) {
        if (descriptor.flags & kFlagHelp) OpenHelp(descriptor.helpFile);
        return 0;
      }
      if (message.first == kCommandAbout) {
        ShowAbout(descriptor.aboutText);
        return 0;
      }
      break;
    case kMessageHorizontalScroll:
      Scroll(descriptor, message, false);
      break;
    case kMessageVerticalScroll:
      Scroll(descriptor, message, true);
      break;
    default:
      break;
  }
  if (!descriptor.handler) return DefaultWindowProcedure(descriptor, message);
  return descriptor.handler(descriptor, message);
}

void PostWindowMessage(WindowDescriptor& descriptor, const WindowMessage& message) {
  if (descriptor.window == nullptr) return;
  QPointer<WindowWidget> window = descriptor.window;
  WindowDescriptor* target = &descriptor;
  QMetaObject::invokeMethod(
      window.data(),
      [window, target, message] {
        if (window != nullptr && target->window == window) SendWindowMessage(*target, message);
      },
      Qt::QueuedConnection);
}

long SendCommand(WindowDescriptor& descriptor, int id, std::intptr_t second) {
  return SendWindowMessage(descriptor, {.message = kMessageCommand, .first = id, .second = second});
}

void PostCommand(WindowDescriptor& descriptor, int id, std::intptr_t second) {
  PostWindowMessage(descriptor, {.message = kMessageCommand, .first = id, .second = second});
}

long DefaultWindowProcedure(WindowDescriptor& descriptor, const WindowMessage& message) {
  if (message.message == kMessageClose) DestroyWindow(descriptor);
  return 0;
}

int RunMessageLoop() {
  if (quitPending) {
    quitPending = false;
    return 0;
  }
  loopRunning = true;
  const int result = QApplication::exec();
  loopRunning = false;
  quitPending = false;
  return result;
}

void PostQuitMessage() {
  quitPending = true;
  // Outside the loop Qt would remember the exit and end the next modal box or dialog at once;
  // the pending flag ends the next loop instead.
  if (loopRunning) QCoreApplication::exit(0);
}

void MoveWindowTo(WindowDescriptor& descriptor, int x, int y) {
  if (descriptor.window == nullptr) return;
  const int height = descriptor.window->height();
  descriptor.window->move(x, RowOf(descriptor, y, height));
  UpdatePlacement(descriptor);
}

void PlaceWindow(WindowDescriptor& descriptor, const Placement& placement) {
  if (descriptor.window == nullptr) return;
  descriptor.window->setGeometry(placement.x, RowOf(descriptor, placement.y, placement.height),
                                 std::max(placement.width, 0), std::max(placement.height, 0));
  UpdatePlacement(descriptor);
}

void ShowWindow(WindowDescriptor& descriptor, bool shown) {
  if (descriptor.window != nullptr) descriptor.window->setVisible(shown);
}

void UpdatePlacement(WindowDescriptor& descriptor) {
  WindowWidget* window = descriptor.window;
  if (window == nullptr) return;
  window->LayoutFrame();
  const QSize client = window->client()->size();
  if (client.width() != descriptor.drawable.right || client.height() != descriptor.drawable.top) {
    window->client()->Invalidate();
  }
  descriptor.drawable = {0, 0, client.width(), client.height()};
  // While printing the surface keeps the page; the printing frame puts back what it saved.
  if (!descriptor.surface.onPrinter()) descriptor.surface.SetBounds(descriptor.drawable);
  FitDevice(descriptor, client);

  const Qt::WindowStates states = window->isWindow() ? window->windowState() : Qt::WindowNoState;
  descriptor.state &= ~(kStateMinimised | kStateMaximised);
  if (states & Qt::WindowMinimized) {
    descriptor.state |= kStateMinimised;
    descriptor.current = {};
  } else if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    descriptor.state |= kStateMaximised;
    descriptor.current = ToPlacement(descriptor, window->geometry());
  } else {
    descriptor.current = ToPlacement(descriptor, window->geometry());
    descriptor.normal = descriptor.current;
  }
}

void InvalidateWindow(WindowDescriptor& descriptor) {
  if (descriptor.window != nullptr) descriptor.window->client()->Invalidate();
}

void SetHorizontalScroll(WindowDescriptor& descriptor, float value) {
  SetScroll(descriptor, value, false);
}

void SetVerticalScroll(WindowDescriptor& descriptor, float value) {
  SetScroll(descriptor, value, true);
}

int HorizontalScrollShown(const WindowDescriptor& descriptor) {
  return ScrollShown(descriptor, false);
}

int VerticalScrollShown(const WindowDescriptor& descriptor) {
  return ScrollShown(descriptor, true);
}

bool StartWindowTimer(WindowDescriptor& descriptor, int id, int milliseconds) {
  return descriptor.window != nullptr && descriptor.window->StartTimer(id, milliseconds);
}

void StopWindowTimer(WindowDescriptor& descriptor, int id) {
  if (descriptor.window != nullptr) descriptor.window->StopTimer(id);
}

void ShowWaitCursor() {
  const QCursor* shown = QApplication::overrideCursor();
  if (shown == nullptr || shown->shape() != Qt::WaitCursor) QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ShowArrowCursor() {
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

void HideCursor(WindowDescriptor& descriptor) {
  descriptor.state |= kStateCursorHidden;
  if (descriptor.window != nullptr) descriptor.window->client()->setCursor(Qt::BlankCursor);
}

int DroppedFileCount(const DropHandle& drop) {
  return static_cast<int>(drop.paths.size());
}

std::string DroppedFile(const DropHandle& drop, int index) {
  if (index < 0 || index >= DroppedFileCount(drop)) return {};
  return drop.paths[static_cast<std::size_t>(index)];
}

void FinishDrop(DropHandle& drop) {
  drop.paths.clear();
}

}  // namespace korvel::ui
