// Turns window descriptors into windows and runs them: creation, messages to the handlers, placement,
// scroll bars, timers, cursors, dropped files and the message loop.
#pragma once

#include <span>
#include <string>

#include "ui/windows/window_descriptor.h"

namespace korvel::ui {

// The screen as the parent of top-level windows: drawable 0..width - 1, 0..height - 1.
void InitScreen();
const WindowDescriptor& ScreenDescriptor();

// Creates the windows in order (parents before their children). False when one cannot be made (its
// current font cannot be created); the windows made until then stay.
bool CreateWindows(std::span<WindowDescriptor* const> descriptors);
// Destroys the window and its children: each handler gets the destroy message and the quit message
// is posted, as for every frame window.
void DestroyWindow(WindowDescriptor& descriptor);

// The generic procedure: the frame's own work, then the handler. Gives the handler's result.
long SendWindowMessage(WindowDescriptor& descriptor, const WindowMessage& message);
// The same, later, from the event loop (dropped if the window has gone by then).
void PostWindowMessage(WindowDescriptor& descriptor, const WindowMessage& message);
long SendCommand(WindowDescriptor& descriptor, int id, std::intptr_t second = 0);
void PostCommand(WindowDescriptor& descriptor, int id, std::intptr_t second = 0);
// What handlers give the messages they do not handle: closing destroys the window; the rest is 0.
long DefaultWindowProcedure(WindowDescriptor& descriptor, const WindowMessage& message);

// Runs events until the quit message; a quit posted while no loop ran ends the next loop at once.
int RunMessageLoop();
void PostQuitMessage();

// Position in the parent's y-up coordinates, size unchanged.
void MoveWindowTo(WindowDescriptor& descriptor, int x, int y);
// Position and size at once (laying out panes).
void PlaceWindow(WindowDescriptor& descriptor, const Placement& placement);
void ShowWindow(WindowDescriptor& descriptor, bool shown);
// After a move or size: the drawable rectangle, the state flags and the placements.
void UpdatePlacement(WindowDescriptor& descriptor);
// Redraws the whole window through its handler's paint message.
void InvalidateWindow(WindowDescriptor& descriptor);

// Clamped to 1..100 and truncated. The horizontal bar shows the value; the vertical bar shows and
// keeps 101 - value, so a high value puts the thumb near the top.
void SetHorizontalScroll(WindowDescriptor& descriptor, float value);
void SetVerticalScroll(WindowDescriptor& descriptor, float value);
int HorizontalScrollShown(const WindowDescriptor& descriptor);
int VerticalScrollShown(const WindowDescriptor& descriptor);

// Timer messages every interval until stopped.
bool StartWindowTimer(WindowDescriptor& descriptor, int id, int milliseconds);
void StopWindowTimer(WindowDescriptor& descriptor, int id);

// The wait cursor over every window while work runs; the arrow puts the windows' own cursor back.
void ShowWaitCursor();
void ShowArrowCursor();
// No cursor over the window.
void HideCursor(WindowDescriptor& descriptor);

int DroppedFileCount(const DropHandle& drop);
// The path, or empty for an index out of range.
std::string DroppedFile(const DropHandle& drop, int index);
void FinishDrop(DropHandle& drop);

}  // namespace korvel::ui
