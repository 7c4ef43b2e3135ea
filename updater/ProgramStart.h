#pragma once
// How the updater starts a file after updating it: an executable file
// (permission to execute) directly with its parameters as separate
// arguments; a Windows program (.exe, .com, .bat) through wine when wine is
// on PATH; anything else with the desktop's default application. Also opens
// web addresses with the desktop's browser. UI thread (QDesktopServices).
#include <QString>
#include <QStringList>

enum class StartKind { Direct, Wine, DefaultApplication };

StartKind HowToStart(const QString& path);
// Starts `path`; false when nothing could be started.
bool StartFile(const QString& path, const QStringList& parameters);
bool OpenWebAddress(const QString& url);
