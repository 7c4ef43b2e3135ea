#pragma once
// The per-emulator start script "Startscript.vbs": run right after a game
// started (setting RunVBS_Script) to steer the emulator window, and created
// from a template when the user opens it from the options window.
// It is run by the host the system offers: a file starting with "#!" by the
// interpreter it names; otherwise by "wine wscript.exe" when Wine is on PATH;
// otherwise nothing runs (silently). UI thread.
#include "services/Clock.h"

#include <QString>
#include <QStringList>

// The template lines for an emulator executable (its file name without the
// last four characters names the window to activate).
QStringList StartScriptTemplateLines(const QString& emulatorExecutable);

// Writes the template to `scriptPath` when no such file exists; an existing
// script is never touched. True when the file was written.
bool WriteStartScriptTemplate(const QString& scriptPath, const QString& emulatorExecutable);

// The options window's "open start script" action: template when missing,
// then the script opens in the user's text editor.
void SettingsForm_OpenVBS_Click(const QString& scriptPath, const QString& emulatorExecutable);

// The program and arguments that run `scriptPath` here; empty when nothing can.
QStringList StartScriptHost(const QString& scriptPath);

// Runs the start script: a runner file (script path + ".sh") holding the
// host's command is written, started detached, and deleted after a second
// (and only once the shell has read it). Returns the started process id, or
// 0 when nothing ran (no script, or no host for it).
qint64 RunStartScript(const QString& scriptPath, Clock& clock = systemClock());
