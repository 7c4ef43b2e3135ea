#pragma once
// Emulator profiles are the folders below the config root; a folder's name
// names the emulator everywhere. Listing keeps the order in which the
// directory is enumerated (no sorting) and skips plain files and dot entries.
#include <QString>
#include <QStringList>

namespace Profiles {

// The profile folder names below `configRoot`.
QStringList list(const QString& configRoot);
// The "Roms" suffix of the long emulator list: " (Roms: n)", " (Roms: ?)"
// for a count below zero, or empty when the profile has no settings file.
QString romCountSuffix(const QString& settingsFile);

} // namespace Profiles
