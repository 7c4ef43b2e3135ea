#pragma once
// Path services of the file and folder chooser: reading a string value from
// the registry by one absolute path, the user's well-known folders, text
// replacement and the short/long file-name forms.
//
// Registry: Linux has none of its own; Windows emulators run under Wine keep
// their settings in the registry of the user's Wine prefix ($WINEPREFIX,
// else ~/.wine), so that is what is read:
//   HKEY_CURRENT_USER\...        user.reg
//   HKEY_LOCAL_MACHINE\...       system.reg
//   HKEY_USERS\.DEFAULT\...      userdef.reg
//   HKEY_CLASSES_ROOT\...        Software\Classes\... of user.reg, then of system.reg
// Other roots (HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA,
// another user below HKEY_USERS) have no file and give empty. Key and value
// names compare ignoring case, as on Windows; an empty value name (a path
// ending in "\") is the key's default value ("@"). Only string values are
// read: plain ("..."), expandable (str(2):"...") and their hex(1)/hex(2)
// forms; the text is returned as stored (environment references are not
// expanded), with Wine's escapes decoded, and ends at the first NUL. Any
// failure (no prefix, unreadable or foreign file, missing key or value, a
// value of another type, a truncated value) gives an empty text.
//
// Folders (no trailing separator, as the registry holds them):
//   GetDesktopPath       the XDG desktop folder (XDG_DESKTOP_DIR of
//                        user-dirs.dirs, else ~/Desktop)
//   GetAutostartPath     $XDG_CONFIG_HOME/autostart (~/.config/autostart)
//   GetStartMenuPath     $XDG_DATA_HOME/applications (~/.local/share/applications),
//                        where menu entries of the user's programs live
//   GetProgramfilesPath  /usr/games, where Debian installs the emulators, when
//                        it exists; else /usr/bin
//   GetWindowsPath       /usr, the installed system's programs and data
// Whether the folders exist is not checked (nor are they created).
//
// Pure functions over the environment and files; any thread.
#include <QString>

QString RegistryGetAbsolutValue(const QString& RegistryKeyPath);

QString GetWindowsPath();
QString GetProgramfilesPath();
QString GetDesktopPath();
QString GetAutostartPath();
QString GetStartMenuPath();

// `SearchString` with every occurrence of `findstring` replaced (case
// sensitive, left to right, replaced text not searched again); an empty
// `findstring` leaves the text unchanged.
QString replaceall(const QString& SearchString, const QString& findstring, const QString& replacestring);

// There are no 8.3 names on Linux: both give `FileName` back unchanged.
QString FileGetShortFileName(const QString& FileName);
QString FileGetLongFileName(const QString& FileName);

// The Wine prefix the registry is read from: $WINEPREFIX when set and not
// empty, else ~/.wine. Never checked for existence.
QString WinePrefixFolder();
