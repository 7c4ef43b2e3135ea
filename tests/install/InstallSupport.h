#pragma once
// Shared by the install tests: running programs, listing install trees and
// the list of files an install must hold.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct RunResult {
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

// Runs `program` with `arguments` and `env`, waiting for it to end.
RunResult runProgram(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                     const QString& workingFolder = {});

// The environment of a terminal without any display: no DISPLAY, no
// WAYLAND_DISPLAY, no QT_QPA_PLATFORM; LANG set to `lang`, the other
// locale variables cleared.
QProcessEnvironment noDisplayEnvironment(const QString& lang);

// Files and links below `root` (folders left out), relative, sorted.
QStringList listTree(const QString& root);

// What an install holds, relative to its prefix, sorted: the fixed files and
// the demo collection as the source folder holds it (minus what running it writes).
QStringList expectedInstallList();

// True when `program` is on PATH.
bool haveProgram(const QString& program);

QString buildFolder();
QString sourceFolder();
