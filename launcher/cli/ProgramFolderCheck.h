#pragma once
// ProgramFolderCheck: whether the launcher can keep its settings in the
// program folder. It creates the folder and its Config folder when missing
// and writes (and removes) a probe file there, so a read-only file system or
// a folder the user may not write is found before anything else is written.
// Any thread.
#include <QString>

namespace ProgramFolderCheck {

// Empty when `programFolder` is usable; else the message for the user, in
// the current interface language.
QString problem(const QString& programFolder);

} // namespace ProgramFolderCheck
