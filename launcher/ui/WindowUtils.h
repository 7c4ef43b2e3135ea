#pragma once
// Small routines shared by the launcher's windows: switching frame
// decorations, dragging a borderless window, rounding its corners, and the
// cursor position relative to a window. Called by the main window, the
// loading screen, the options window and the button window. UI thread.
#include <QtGlobal>

class QWidget;

// Style bits as the windows store them in their settings and pass around:
// a resizable frame with minimise and maximise buttons, and the tool-window
// look (small caption, no task-bar entry).
constexpr qint32 kStyleResizableFrame = 0x70000;
constexpr qint32 kStyleToolWindow = 0x80;

// Toggles frame decorations of `window` (its top-level window):
//   mode 1: the resizable frame with minimise/maximise buttons
//           (Qt: min/max button hints; without them the window keeps its
//           current size as a fixed size, so the frame cannot resize it);
//   mode 2: the tool-window look (Qt::Tool instead of Qt::Window);
//   mode 3: both; any other mode changes nothing.
// In every mode the frame is then recomputed: a visible window is shown again
// at its old place. Applying the same mode twice gives back exactly the
// flags and size limits the window had before. Null is ignored.
void ChangeBorderstyle(QWidget* window, qint32 mode);
// The style bits that describe `window` now (a combination of the two above).
qint32 BorderStyleBits(const QWidget* window);

// Starts moving the window of `widget` with the mouse, as a press on a
// caption would: the window system moves it where it can
// (QWindow::startSystemMove); otherwise the window follows the mouse until a
// button is released. Returns false when there is nothing to move.
bool DragWindow(QWidget* widget);

// Gives `window` rounded corners: its mask becomes a rounded rectangle over
// its whole size whose corner ellipses are `radius` pixels wide and high.
// A radius of 0 or less removes the mask.
void RoundWindowCorners(QWidget* window, qint32 radius);

// The mouse cursor's position minus the window's left or top edge, in pixels.
int GetCursorX(const QWidget* window);
int GetCursorY(const QWidget* window);
