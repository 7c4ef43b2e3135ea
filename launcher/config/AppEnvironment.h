#pragma once
// Where the launcher lives: the program folder that every stored path is
// relative to, and the executable's base name that names the settings files.
//  - program folder: $ARVEX_HOME when set; else the executable's folder when
//    it holds "Config" or is writable (and is no installed bin folder, one
//    with ../share/arvex beside it); else $XDG_CONFIG_HOME/arvex
//    (~/.config/arvex). Always returned with a trailing "/".
//  - exe name: the running executable's file name without extension ("arvex").
// Tests override both with setOverrides(). UI thread.
#include <QString>

namespace AppEnvironment {

QString programFolder();
QString exeName();
// Overrides for tests and tools; an empty string clears that override.
void setOverrides(const QString& programFolder, const QString& exeName);

} // namespace AppEnvironment
