// A window as its owner describes it and the frame keeps it: what to create, the handler that
// receives its messages, and its size, placement and drawing state while it exists. Coordinates
// handed to handlers grow upwards: y = 0 is the bottom of the client area.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw/geometry.h"
#include "draw/surface.h"
#include "ui/painting/qt_device.h"

class QWidget;

namespace korvel::ui {

// Creation flags.
enum WindowFlag : int {
  kFlagAccelerators = 0x1,
  kFlagAcceptFiles = 0x2,
  kFlagDefaultPosition = 0x4,
  kFlagMaximised = 0x10,
  kFlagMinimised = 0x20,
  kFlagHelp = 0x40,
  kFlagIcon = 0x80,
  kFlagHorizontalScroll = 0x100,
  kFlagMenu = 0x200,
  kFlagMinMaxBoxes = 0x400,
  kFlagSizingFrame = 0x800,
  kFlagSystemMenu = 0x1000,
  kFlagCaption = 0x8000,
  kFlagVerticalScroll = 0x10000,
};

// State flags.
enum WindowState : int {
  kStateMinimised = 1,
  kStateMaximised = 2,
  kStateCursorHidden = 4,
  kStateCreated = 8,
  kStateOnPrinter = 16,
};

enum MessageKind : int {
  kMessageNull,
  kMessageCreate,
  kMessageDestroy,
  kMessageMove,
  kMessageSize,
  kMessageClose,
  kMessageChar,     // first: the character (or the key code of a key without text); second: 1 down, 0 up
  kMessageCommand,  // first: the command id; second: what the sender adds (a radio for 209)
  kMessageHorizontalScroll,  // first: a ScrollCode; second: the thumb position
  kMessageVerticalScroll,
  kMessageMouseMove,  // first: MouseKeys; x, y in the client, y up
  kMessageLeftDown,
  kMessageLeftUp,
  kMessageLeftDoubleClick,
  kMessageRightDown,
  kMessageRightUp,
  kMessageRightDoubleClick,
  kMessageTimer,      // first: the timer id given to StartWindowTimer
  kMessagePaint,      // the handler redraws through the surface; the frame blits afterwards
  kMessageDropFiles,  // drop: the files
  kMessageUser,
};

enum ScrollCode : int {
  kScrollLineUp = 0,  // left, for the horizontal bar
  kScrollLineDown = 1,
  kScrollPageUp = 2,
  kScrollPageDown = 3,
  kScrollThumbTrack = 5,
};

enum MouseKeys : int {
  kMouseLeft = 0x1,
  kMouseRight = 0x2,
  kMouseShift = 0x4,
  kMouseControl = 0x8,
};

// Files dropped onto a window, valid while the drop message is handled.
struct DropHandle {
  std::vector<std::string> paths;  // native paths, UTF-8
};

struct WindowMessage {
  MessageKind message = kMessageNull;
  std::intptr_t first = 0;
  std::intptr_t second = 0;
  int x = 0, y = 0;
  const DropHandle* drop = nullptr;
};

// x and y: the lower left corner in the parent's client area (the screen for a top-level window), y up.
struct Placement {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Placement&, const Placement&) = default;
};

struct WindowDescriptor;
using WindowHandler = std::function<long(WindowDescriptor&, const WindowMessage&)>;

class WindowWidget;

struct WindowDescriptor {
  // Filled by the owner before CreateWindows.
  std::string name;
  std::string caption;
  int id = 0;  // menu of a top-level window, child id of a child window
  int acceleratorId = 0;
  int flags = 0;
  std::string helpFile;
  std::string aboutText;
  WindowDescriptor* parent = nullptr;  // none: the screen
  WindowHandler handler;
  Placement normal;  // the restored window; used when it is created (the settings keep it)
  // The colours, default line and font table are the surface's own (SetWindowColours, SetDefaultLine,
  // SetFonts); the frame gives the surface its device when the window is created.
  draw::Surface surface;

  // Kept by the frame.
  std::vector<WindowDescriptor*> children;  // created child windows, newest first
  draw::Rect drawable;                      // client area: left 0, bottom 0, right width, top height
  Placement current;
  int state = 0;
  int horizontalScroll = 0;
  int verticalScroll = 0;
  // Per font: the face asked for and the face the device gave ("Courier" becomes its metric twin);
  // the settings keep the asked one so that they read the same on another machine.
  struct FaceName {
    std::string asked, obtained;
  };
  std::vector<FaceName> faceNames;
  std::unique_ptr<QtDevice> device;  // the backing image the surface draws into
  WindowWidget* window = nullptr;    // while the window exists

  bool created() const { return (state & kStateCreated) != 0; }
  // The client widget: where the window draws and what takes the focus.
  QWidget* client() const;
};

}  // namespace korvel::ui
