#pragma once
// The main window's placement as stored in the global settings file, in
// twips (15 per pixel). `WindowX`/`WindowY` hold the width and height (not a
// position). The size and position are saved only for a window in normal
// state that is wider than 2000 and higher than 1000 twips, so a maximised,
// minimised or tiny window never overwrites a good stored size.
#include <QRect>
#include <QString>

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

} // namespace WindowPlacement
