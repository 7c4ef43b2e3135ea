#pragma once
// The drive panel's settings in the emulator's settings file: whether the
// panel shows (`SmartRomSelection`) and where it was (`DrvWindowX` /
// `DrvWindowY`, twips). Read by the game-list area on every settings load;
// plain QtCore, UI thread.
#include <QString>

namespace DrivePanelSettings {

// The settings load shows the drive panel exactly when `SmartRomSelection`
// equals 1. A profile without the key gets "1" written, so multi-disk games
// pick their other disks from the start. (The list handlers read the same
// key with their own default "0" and never create it.)
bool panelShown(const QString& settingsFile);

// The list handlers' reading of `SmartRomSelection`: default "0", not created.
QString listHandlersValue(const QString& settingsFile);

} // namespace DrivePanelSettings
