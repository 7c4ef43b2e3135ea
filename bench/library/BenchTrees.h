#pragma once
// Game trees for the library benchmarks, made once below /tmp and kept
// between runs (a ".complete" marker says a tree is whole):
//  - Flat: every game file in the game folder itself (an arcade set);
//  - PerGame: one folder per game file, in 26 letter folders (a disk-image
//    collection sorted by title);
//  - Folders1500: 1,500 folders in 30 groups, the games spread over them.
// Game names are the library benchmark's ("Game 12 3 (1987)(Ocean)(Disk 2
// of 4)[cr CSL].adf"); the same count gives the same names in every shape.
#include <QDir>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <unistd.h>

namespace BenchTrees {

enum class Shape { Flat, PerGame, Folders1500 };

inline const char* shapeName(Shape s)
{
    switch (s) {
    case Shape::Flat: return "flat";
    case Shape::PerGame: return "per-game";
    case Shape::Folders1500: return "1500-folders";
    }
    return "?";
}

inline bool parseShape(const QString& text, Shape& out)
{
    for (Shape s : {Shape::Flat, Shape::PerGame, Shape::Folders1500})
        if (text == QLatin1String(shapeName(s))) {
            out = s;
            return true;
        }
    return false;
}

inline QString gameName(int i)
{
    static const char* publishers[] = {"Rainbow Arts", "Psygnosis", "Ocean", "Gremlin", "Team17"};
    const int game = i / 4;
    return QStringLiteral("Game %1 %2 (19%3)(%4)(Disk %5 of 4)[cr CSL].adf")
        .arg(game / 5)
        .arg(game % 5)
        .arg(85 + game % 10)
        .arg(QLatin1String(publishers[game % 5]))
        .arg(i % 4 + 1);
}

// The folder (below the root, with "/") that holds game i.
inline QString folderOf(Shape s, int i)
{
    switch (s) {
    case Shape::Flat: return QString();
    case Shape::PerGame: return QStringLiteral("%1/Game %2/").arg(QChar(u'A' + i % 26)).arg(i);
    case Shape::Folders1500: {
        const int folder = i % 1500;
        return QStringLiteral("Group %1/Folder %2/").arg(folder / 50).arg(folder);
    }
    }
    return QString();
}

// The root of the tree (with "/"), made when missing.
inline QString makeTree(Shape s, int count)
{
    const QString root =
        QStringLiteral("/tmp/arvex-bench-library/%1-%2/").arg(QLatin1String(shapeName(s))).arg(count);
    const QString marker = root + QStringLiteral(".complete");
    if (QFile::exists(marker))
        return root;
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    QString lastFolder;
    for (int i = 0; i < count; ++i) {
        const QString folder = root + folderOf(s, i);
        if (folder != lastFolder)
            QDir().mkpath(folder);
        lastFolder = folder;
        const int fd = ::open(QFile::encodeName(folder + gameName(i)).constData(), O_WRONLY | O_CREAT, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    QFile(marker).open(QIODevice::WriteOnly);
    return root;
}

} // namespace BenchTrees
