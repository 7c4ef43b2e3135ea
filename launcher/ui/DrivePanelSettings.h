#pragma once
// The drive panel's settings in the emulator's settings file: whether the
// panel shows (`SmartRomSelection`) and where it was (`DrvWindowX` /
// `DrvWindowY`, twips). Read by the game-list area on every settings load;
// plain QtCore, UI thread.
#include <QPoint>
#include <QString>

namespace DrivePanelSettings {

// The settings load shows the drive panel exactly when `SmartRomSelection`
// equals 1. A profile without the key gets "1" written, so multi-disk games
// pick their other disks from the start. (The list handlers read the same
// key with their own default "0" and never create it.)
bool panelShown(const QString& settingsFile);

// `DrvWindowX` / `DrvWindowY`: the drive panel's left and top in twips, each
// read as a 16-bit number, defaulting to `current` (the panel's place now)
// and written with that default when missing. The window writes the panel's
// place back on exit.
// The panel itself does not move to the stored place: it sits at the foot of
// the picture column, and the layout sizes that column with the window, the
// font size and the skin's pictures. A place stored for another window size
// would put the panel over the game lists or outside the window, so the
// layout keeps deciding where it is.
QPoint readPlace(const QString& settingsFile, QPoint current);

// The list handlers' reading of `SmartRomSelection`: default "0", not created.
QString listHandlersValue(const QString& settingsFile);

} // namespace DrivePanelSettings
