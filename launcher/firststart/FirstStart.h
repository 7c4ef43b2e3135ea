#pragma once
// FirstStart: what the launcher offers when it starts with no emulator
// registered. It looks for the native Linux emulators of the known-emulator
// table (the rows matched by file name) on PATH and in the games folders,
// and offers once to register them: one question listing what it found;
// on Yes, the game folder of each is asked for with the folder chooser, and
// a profile is written for each folder chosen (the emulator's known values,
// its executable and the folder). Nothing is created before the user's Yes,
// and a cancelled chooser skips that emulator.
//
// "Offered" is remembered in the global settings file, written only once the
// user has answered the question (Yes or No); nothing is remembered when
// nothing was found, so an emulator installed later is still offered.
// Talks to the user through the prompt and chooser services. UI thread.
#include <QList>
#include <QString>
#include <QStringList>

struct KnownEmulator;

namespace FirstStart {

struct FoundEmulator {
    const KnownEmulator* row = nullptr;
    QString profileName; // the name of the profile to create ("DOSBox")
    QString executable;  // absolute path of the installed program
};

// The global settings key that remembers the answered offer.
QString offeredKey();

// The folders searched for installed emulators: PATH, then the games folders
// Debian installs into (/usr/games, /usr/local/games), each once.
QStringList defaultSearchFolders();

// The profile name of a table row: its display name up to " (", trimmed.
QString profileName(const KnownEmulator& row);

// The native emulators found in `folders`, in table order, one per row (the
// first of a row's names found, in the first folder holding it).
QList<FoundEmulator> findInstalled(const QStringList& folders);

// True while the offer is due: no profile below `configRoot` and the offer
// not yet answered in `globalFile`. (It is made only when something is found.)
bool offerPending(const QString& configRoot, const QString& globalFile);

// Asks and registers. `programFolder` and `exeName` name the settings files;
// `startFolder` is where the chooser opens. Returns the profiles created.
QStringList offer(const QString& programFolder, const QString& exeName, const QList<FoundEmulator>& found,
                  const QString& startFolder);

} // namespace FirstStart
