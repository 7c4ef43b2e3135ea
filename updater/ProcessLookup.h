#pragma once
// Finding a running program by its file name, read from /proc. A process
// carries the name (compared ignoring case) when it is the file name of its
// executable, of argv[0], of argv[1] for a script interpreter (sh, bash,
// python3, wine, ...), or the kernel's process name, which is cut to 15
// characters. The updater's own process never counts. Plain logic.
#include <QString>

// The file name part of a path ("/" or, for names written on Windows, "\").
QString ProgramFileName(const QString& path);
// The id of a running process carrying `fileName`; 0 when none does.
qint64 FindRunningProgram(const QString& fileName);
