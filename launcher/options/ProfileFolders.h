#pragma once
// Creating and removing emulator profiles from the options window. A
// profile is a folder below the config root; its name names the emulator.
// Names are checked before anything is made, removal moves the folder to the
// desktop's trash so that nothing is lost. Messages are in the interface
// language; the window shows them through the prompt service. UI thread.
#include <QString>

namespace ProfileFolders {

// Why `name` cannot be a new profile below `configRoot`, or empty when it can:
// empty, holding "/" or "\", "." or "..", hidden (a leading "."), or an
// existing profile (compared ignoring case, since the lists are read that way).
QString nameProblem(const QString& configRoot, const QString& name);

// Creates the profile folder with its (empty) skin folder. False with `error` set when it could not.
bool create(const QString& configRoot, const QString& name, QString& error);

// Moves the profile folder to the trash. False with `error` set when it could not.
bool remove(const QString& configRoot, const QString& name, QString& error);

} // namespace ProfileFolders
