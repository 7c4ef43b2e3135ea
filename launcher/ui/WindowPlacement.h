#pragma once
// The main window's placement as stored in the global settings file, in
// twips (15 per pixel). `WindowX`/`WindowY` hold the width and height (not a
// position). The size and position are saved only for a window in normal
// state that is wider than 2000 and higher than 1000 twips, so a maximised,
// minimised or tiny window never overwrites a good stored size.
//
// WindowTop/WindowLeft are the top-left corner of the window's frame, the
// whole window as the window manager draws it; WindowX/WindowY the size of
// its client area. The frame's corner is what QWidget::move() places, so a
// stored place puts the window back exactly where it was, start after start.
#include <QRect>
#include <QString>

class QWidget;

namespace WindowPlacement {

constexpr int kTwipsPerPixel = 15;

enum State : qint16 { Normal = 0, Minimised = 1, Maximised = 2 };

struct Stored {
    qint16 state = Normal;
    QRect twips; // left, top, width, height
};

inline int toTwips(int pixels) { return pixels * kTwipsPerPixel; }
inline int toPixels(int twips) { return twips / kTwipsPerPixel; }

// Reads the placement from `globalFile`, each key with create-if-missing and
// defaulting to `current` (in pixels) and state 0.
Stored read(const QString& globalFile, const QRect& currentPixels);
// Writes `WindowState`, and the size and position when the rule allows, in
// one replacement of the file. False when the file could not be written.
bool write(const QString& globalFile, State state, const QRect& pixels);
// True when a window in `state` with `pixels` geometry may store its size.
bool mayStoreSize(State state, const QRect& pixels);

// The placement of `window` in pixels: its frame's top-left and its client
// area's size. Before a window manager has framed the window (offscreen
// platform, a window closed before it was mapped) frame and client area
// start at the same point, which is then the point it was moved to.
QRect placementOf(const QWidget& window);
State stateOf(const QWidget& window);
// Puts `window` where `stored` says: the client area gets the stored size
// (at least the window's minimum size), the frame's top-left the stored
// position, then the stored state applies.
void apply(QWidget& window, const Stored& stored);
// Start-up: reads the placement from `globalFile` and applies it.
void restore(const QString& globalFile, QWidget& window);
// Exit: writes the state and placement of `window` to `globalFile`; false
// when the file could not be written.
bool save(const QString& globalFile, const QWidget& window);

} // namespace WindowPlacement
