#pragma once
// The options window's path rules, as plain functions so they run without a
// window: when a path field shows its error picture, where the game folder
// of a newly chosen emulator probably is, and which WinUAE configuration
// lines the master template takes over. UI thread (file-system queries only).
#include <QString>
#include <QStringList>

// A path field (executable, Kickstart file, disc-mount program) is invalid
// when its text is empty, names nothing, or names a folder.
bool IsInvalidFilePath(const QString& text);

// The game folder's state: valid when it holds at least one entry that is
// not hidden (sub-folders count). Walking stops after kRomFolderWalkLimit
// entries that do not count (hidden files), which is reported as an error
// instead of a verdict.
enum class RomFolderState { Valid, Invalid, WalkLimit };
constexpr int kRomFolderWalkLimit = 100;
RomFolderState CheckRomFolder(const QString& text);
// The message of the walk limit: "ROMPATH - ERROR 42-001!".
QString RomFolderWalkLimitText();

// The game folder guessed for an emulator executable: the first of "Roms",
// "Rom", "Disks", "Games" (exact name, then ignoring case) below the
// executable's folder that holds an entry, else the executable's folder
// itself; always with a trailing separator. Empty for an empty path.
QString GuessRomFolder(const QString& executable);

// True when a WinUAE configuration line may go into the master template:
// not blank, and no "floppy1=", "floppy2=" or "kickstart_rom_file=" in it
// (case-sensitive; the launch writes those itself).
void ImportOfConfigStringAllowedValue(const QString& line, bool& allowed);
bool IsAllowedTemplateLine(const QString& line);

// The allowed lines of a WinUAE configuration file, each followed by CR LF.
// False (and `text` untouched) when the file cannot be read.
bool ReadTemplateLines(const QString& file, QString& text);
