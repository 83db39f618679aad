// The widgets behind a descriptor: the window (menu bar, scroll bars, client) and its client area,
// which turn Qt events into message records for the descriptor's handler.
#pragma once

#include <QWidget>
#include <map>

#include "ui/windows/window_descriptor.h"

class QScrollBar;

namespace korvel {
class ProgramMenuBar;
}

namespace korvel::ui {

class ClientWidget : public QWidget {
 public:
  ClientWidget(WindowDescriptor* descriptor, QWidget* parent);
  void Detach() { descriptor_ = nullptr; }
  // The backing image changed in the area (blit it) or lost it (redraw it through the handler).
  void Changed(const QRect& area, bool uncovered);
  void Invalidate();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void SendMouse(MessageKind kind, QMouseEvent* event);
  void SendKey(QKeyEvent* event, bool down);

  WindowDescriptor* descriptor_;
  bool needsPaint_ = true;
  bool inPaint_ = false;
};

class WindowWidget : public QWidget {
 public:
  WindowWidget(WindowDescriptor& descriptor, QWidget* parent);
  ~WindowWidget() override;

  WindowDescriptor* descriptor() const { return descriptor_; }
  void Detach();
  ClientWidget* client() const { return client_; }
  QScrollBar* horizontalBar() const { return horizontalBar_; }
  QScrollBar* verticalBar() const { return verticalBar_; }
  ProgramMenuBar* menuBar() const { return menuBar_; }
  // A line along the bottom of the window, below the client (a status bar); none by default.
  void SetBottomBar(QWidget* bar);

  // Places the menu bar, the scroll bars and the client; done at once so that a hidden window's
  // client size is known without waiting for its resize event.
  void LayoutFrame();
  bool StartTimer(int id, int milliseconds);
  void StopTimer(int id);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  QScrollBar* MakeBar(Qt::Orientation orientation);

  WindowDescriptor* descriptor_;
  ClientWidget* client_ = nullptr;
  QScrollBar* horizontalBar_ = nullptr;
  QScrollBar* verticalBar_ = nullptr;
  ProgramMenuBar* menuBar_ = nullptr;
  QWidget* bottomBar_ = nullptr;
  std::map<int, int> timers_;  // Qt's timer id -> the window's timer id
};

// The descriptor forgets its window (destroy message to it and its children, quit posted); the
// widgets are left to the caller.
void ReleaseWindow(WindowDescriptor& descriptor);

}  // namespace korvel::ui
