// File operations on real folders: a file's date, moving files (also across
// file systems), and writing the list of files below a folder.
#include "services/FileOps.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QList<QByteArray> sortedLines(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(FileOps, GetFileDateIsTheModificationTime)
{
    TempDir dir;
    const QString path = dir.write(QStringLiteral("game $1.adf"), "x");
    const QDateTime when(QDate(2003, 4, 5), QTime(6, 7, 8));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(getFileDate(path), when);
    EXPECT_FALSE(getFileDate(dir.file(QStringLiteral("missing"))).isValid());
    EXPECT_FALSE(getFileDate({}).isValid());
}

TEST(FileOps, FileMoveKeepsOrReplacesAsAsked)
{
    TempDir dir;
    struct Row {
        const char* name;
        const char* source;      // created with content "new" unless empty
        const char* destination; // relative; a trailing "/" names a folder
        const char* existing;    // created first at destination with "old" unless empty
        bool overwrite;
        bool moved;
        const char* finalPath; // where "new" must be afterwards
    };
    const Row rows[] = {
        {"plain move", "a.rom", "b.rom", "", false, true, "b.rom"},
        {"blanks quotes dollar newline", "q \"x\" $HOME.rom", "dest\n'y'.rom", "", false, true, "dest\n'y'.rom"},
        {"into a folder", "c.rom", "into/", "", false, true, "into/c.rom"},
        {"kept without overwrite", "d.rom", "e.rom", "e.rom", false, false, "d.rom"},
        {"replaced with overwrite", "f.rom", "g.rom", "g.rom", true, true, "g.rom"},
        {"missing source", "", "h.rom", "", true, false, ""},
        {"missing destination folder", "i.rom", "nowhere/i.rom", "", true, false, "i.rom"},
    };
    dir.mkdir(QStringLiteral("into"));
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const QString source = dir.file(QString::fromUtf8(r.source[0] ? r.source : "never-made"));
        if (r.source[0])
            dir.write(QString::fromUtf8(r.source), "new");
        if (r.existing[0])
            dir.write(QString::fromUtf8(r.existing), "old");
        EXPECT_EQ(FileMove(source, dir.file(QString::fromUtf8(r.destination)), r.overwrite), r.moved);
        if (r.finalPath[0]) {
            EXPECT_EQ(readAll(dir.file(QString::fromUtf8(r.finalPath))), QByteArray("new"));
        }
        if (r.moved) {
            EXPECT_FALSE(QFileInfo::exists(source));
        }
        if (r.existing[0] && !r.moved) {
            EXPECT_EQ(readAll(dir.file(QString::fromUtf8(r.existing))), QByteArray("old"));
        }
    }
    // A folder is not moved, and a file is not moved onto itself.
    dir.mkdir(QStringLiteral("folder"));
    EXPECT_FALSE(FileMove(dir.file(QStringLiteral("folder")), dir.file(QStringLiteral("folder2")), true));
    EXPECT_FALSE(FileMove(dir.file(QStringLiteral("b.rom")), dir.file(QStringLiteral("b.rom")), true));
    EXPECT_EQ(readAll(dir.file(QStringLiteral("b.rom"))), QByteArray("new"));
}

TEST(FileOps, FileMoveAcrossFileSystemsCopiesWholeThenRemoves)
{
    TempDir dir;
    QTemporaryDir other(QStringLiteral("/dev/shm/arvex-move-XXXXXX"));
    struct stat a {}, b {};
    if (!other.isValid() || ::stat(dir.path().toUtf8().constData(), &a) != 0
        || ::stat(other.path().toUtf8().constData(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system (/dev/shm) to move across";
    QByteArray big(3 * 1024 * 1024 + 17, 'z');
    big[5] = '\0';
    const QString source = dir.write(QStringLiteral("disk 1.adf"), big);
    ASSERT_TRUE(QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QString target = other.path() + QStringLiteral("/disk 1.adf");
    ASSERT_TRUE(FileMove(source, target, false));
    EXPECT_EQ(readAll(target), big);
    EXPECT_FALSE(QFileInfo::exists(source));
    EXPECT_TRUE(QFileInfo(target).isExecutable());
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files), QStringList({"disk 1.adf"})); // no temporary left

    // Back again, refusing to replace and then replacing.
    dir.write(QStringLiteral("disk 1.adf"), "old");
    EXPECT_FALSE(FileMove(target, dir.file(QStringLiteral("disk 1.adf")), false));
    EXPECT_EQ(readAll(dir.file(QStringLiteral("disk 1.adf"))), QByteArray("old"));
    EXPECT_TRUE(FileMove(target, dir.file(QStringLiteral("disk 1.adf")), true));
    EXPECT_EQ(readAll(dir.file(QStringLiteral("disk 1.adf"))), big);
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST(FileOps, ListWritesMatchingFilesOfTheWholeTree)
{
    TempDir dir;
    dir.write(QStringLiteral("games/a.adf"));
    dir.write(QStringLiteral("games/B.ADF"));
    dir.write(QStringLiteral("games/readme.txt"));
    dir.write(QStringLiteral("games/noext"));
    dir.write(QStringLiteral("games/.hidden.adf"));
    dir.write(QStringLiteral("games/sub one/c $x \"q\".adf"));
    dir.write(QStringLiteral("games/sub one/deeper/d.adf"));
    const QString root = dir.file(QStringLiteral("games"));
    const QString target = dir.file(QStringLiteral("list.txt"));
    const QByteArray base = root.toUtf8() + '/';
    FileOps ops;

    ASSERT_TRUE(ops.ReadDirctoryStructureToFile(root, target, QStringLiteral("*.*"), false));
    const QByteArray all = readAll(target);
    EXPECT_TRUE(all.endsWith("\r\n"));
    EXPECT_EQ(sortedLines(QByteArray(all).replace("\r\n", "\n")),
              QList<QByteArray>({base + "B.ADF", base + "a.adf", base + "noext", base + "readme.txt",
                                 base + "sub one/c $x \"q\".adf", base + "sub one/deeper/d.adf"}));
    EXPECT_EQ(ops.linesWritten(), 6);

    // Without AppendTarget the old list goes first; the pattern ignores case
    // and, applied to folders as well, leaves "sub one" out.
    ASSERT_TRUE(ops.ReadDirctoryStructureToFile(root + '/', target, QStringLiteral("*.adf"), false));
    EXPECT_EQ(sortedLines(readAll(target).replace("\r\n", "\n")),
              QList<QByteArray>({base + "B.ADF", base + "a.adf"}));
    // With AppendTarget the lines are added.
    ASSERT_TRUE(ops.ReadDirctoryStructureToFile(root + QStringLiteral("/sub one"), target,
                                                QStringLiteral("*.txt;*.ADF;deeper"), true));
    EXPECT_EQ(sortedLines(readAll(target).replace("\r\n", "\n")),
              QList<QByteArray>({base + "B.ADF", base + "a.adf", base + "sub one/c $x \"q\".adf",
                                 base + "sub one/deeper/d.adf"}));
}

TEST(FileOps, ListKeepsNameBytesAndSurvivesLinkLoopsAndMissingFolders)
{
    TempDir dir;
    const QString root = dir.mkdir(QStringLiteral("tree"));
    // A Windows-1252 name (not UTF-8) and a name with a newline.
    const QByteArray latin = QFile::encodeName(root) + "M\xfc" "ller.adf";
    FILE* raw = ::fopen(latin.constData(), "w");
    ASSERT_NE(raw, nullptr);
    ::fclose(raw);
    dir.write(QStringLiteral("tree/two\nlines.adf"));
    dir.write(QStringLiteral("tree/loop/x.adf"));
    ASSERT_EQ(::symlink("..", (QFile::encodeName(root) + "loop/up").constData()), 0);
    ASSERT_EQ(::symlink(".", (QFile::encodeName(root) + "self").constData()), 0);
    ASSERT_EQ(::symlink("/nonexistent/target", (QFile::encodeName(root) + "dangling.adf").constData()), 0);
    const QString target = dir.file(QStringLiteral("list.txt"));
    FileOps ops;
    ASSERT_TRUE(ops.ReadDirctoryStructureToFile(root, target, {}, false));
    const QByteArray text = readAll(target);
    const QByteArray base = QFile::encodeName(root);
    EXPECT_TRUE(text.contains(latin + "\r\n"));
    EXPECT_TRUE(text.contains(base + "two\nlines.adf\r\n"));
    EXPECT_TRUE(text.contains(base + "dangling.adf\r\n"));
    EXPECT_EQ(text.count(base + "loop/x.adf\r\n"), 1); // each folder walked once
    EXPECT_EQ(ops.linesWritten(), 4);

    // A folder that does not exist gives an empty list, and is no failure.
    ASSERT_TRUE(ops.ReadDirctoryStructureToFile(dir.file(QStringLiteral("gone")), target, {}, false));
    EXPECT_EQ(readAll(target), QByteArray());
    // A target that cannot be written is reported.
    EXPECT_FALSE(ops.ReadDirctoryStructureToFile(root, dir.file(QStringLiteral("no/such/list.txt")), {}, false));
    EXPECT_FALSE(ops.ReadDirctoryStructureToFile(root, root, {}, false));
    EXPECT_FALSE(ops.ReadDirctoryStructureToFile(root, {}, {}, false));
}

TEST(FileOps, ListFailsWhenTheDiskIsFull)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "/dev/full is not available";
    TempDir dir;
    for (int i = 0; i < 50; ++i)
        dir.write(QStringLiteral("many/file%1.adf").arg(i));
    FileOps ops;
    EXPECT_FALSE(ops.ReadDirctoryStructureToFile(dir.file(QStringLiteral("many")), QStringLiteral("/dev/full"),
                                                 {}, true));
}

TEST(FileOps, CancelStopsTheWalkAndTheNextWalkStartsAfresh)
{
    TempDir dir;
    for (int i = 0; i < 1200; ++i)
        dir.write(QStringLiteral("many/sub%1/file%2.adf").arg(i % 3).arg(i));
    const QString target = dir.file(QStringLiteral("list.txt"));
    FileOps ops;
    int calls = 0;
    ops.setProgress([&] {
        if (++calls == 1)
            ops.cancel();
    });
    EXPECT_FALSE(ops.ReadDirctoryStructureToFile(dir.file(QStringLiteral("many")), target, {}, false));
    EXPECT_TRUE(ops.cancelRequested());
    EXPECT_LT(ops.linesWritten(), 1200);
    EXPECT_EQ(sortedLines(readAll(target)).size(), ops.linesWritten()); // what was written stays

    ops.setProgress({});
    EXPECT_TRUE(ops.ReadDirctoryStructureToFile(dir.file(QStringLiteral("many")), target, {}, false));
    EXPECT_EQ(ops.linesWritten(), 1200);
}

TEST(FileOps, UnreadableFolderContributesNothing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions are not enforced";
    TempDir dir;
    dir.write(QStringLiteral("t/open/a.adf"));
    dir.write(QStringLiteral("t/closed/b.adf"));
    ASSERT_TRUE(QFile::setPermissions(dir.file(QStringLiteral("t/closed")), QFileDevice::Permissions()));
    FileOps ops;
    const bool ok = ops.ReadDirctoryStructureToFile(dir.file(QStringLiteral("t")), dir.file(QStringLiteral("l")), {}, false);
    QFile::setPermissions(dir.file(QStringLiteral("t/closed")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(ok);
    EXPECT_EQ(ops.linesWritten(), 1);
}

} // namespace
