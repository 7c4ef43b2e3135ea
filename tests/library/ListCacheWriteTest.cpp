// The list cache stores the games of one folder through a stored form worked
// out once per folder: every path must be stored exactly as it is when it is
// stored on its own, and read back to itself.
#include "library/ListCache.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ListCacheWrite, EachPathIsStoredAsOnItsOwnWhateverItsFolderShares)
{
    TempDir dir;
    const QString program = dir.mkdir("home/arvex");
    const QString outside = QDir::cleanPath(dir.path() + QStringLiteral("/games")) + u'/';
    const QStringList paths = {
        outside + "Amiga/A.adf",           outside + "Amiga/B (Disk 1 of 2).adf",
        outside + "Amiga/.hidden.adf",     outside + "Amiga/..dots.adf",
        outside + "Amiga/sub/C.adf",       outside + "Amiga/sub/D.adf",
        program + "Games/E.adf",           program + "Games/F.adf",
        program + "Games/x\\y.adf",        QStringLiteral("/var/elsewhere/G.adf"),
        QStringLiteral("/var/elsewhere/H.adf"), QStringLiteral("/I.adf"),
        outside + "Amiga/A.adf",           outside + "Amiga/folder/",
    };
    QStringList names;
    for (qsizetype i = 0; i < paths.size(); ++i)
        names << QStringLiteral("name %1").arg(i);

    const QString together = dir.file("together.txt");
    ASSERT_TRUE(ListCache::write(together, paths, names, program));
    QByteArray alone;
    const QString single = dir.file("single.txt");
    for (qsizetype i = 0; i < paths.size(); ++i) {
        ASSERT_TRUE(ListCache::write(single, {paths.at(i)}, {names.at(i)}, program));
        alone += fileBytes(single);
    }
    EXPECT_EQ(fileBytes(together), alone);
    // The stored forms are relative where they can be, and read back whole.
    EXPECT_TRUE(fileBytes(together).startsWith("../../games/Amiga/A.adf\r\n"));
    const ListCache::ReadResult back = ListCache::read(together, program);
    EXPECT_EQ(back.fullPaths, paths);
}

} // namespace
