#pragma once
// Display names of game files and how alike two file names are.
//  - CutShortName: the name shown for a game, cut after its release tags
//    ("Turrican II (1991)(Rainbow Arts)(Disk 1 of 2).adf" ->
//    "Turrican II (1991)(Rainbow Arts)"); also the picture look-up stem.
//  - getCharDiff: the edit distance (insert, delete, replace, swap two
//    neighbours) capped at a limit; cheap for the small limits the disk
//    selection uses, and iterative for names of any length.
//  - The name label's text after a click in the path list (the label's
//    fitting to its box is the window's: ui/NameLabelFit.h).
// Pure functions; any thread.
#include <QString>

QString CutShortName(const QString& FullPath, const QString& TrennZ, bool ErstAbDemZweitenAbschneiden);

qint16 getCharDiff(const QString& String1, const QString& String2, qint16 Limit);

// The name label after a click in the path list: file name, " (", index, ")".
QString FullListNameLabel(const QString& fullPath, int index);
