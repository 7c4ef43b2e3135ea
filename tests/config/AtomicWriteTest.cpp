// Replacing files: complete new content or the old file untouched, on a
// full disk, a file-size limit, a kill mid-write, protected and foreign files.
#include "config/AtomicWriter.h"
#include "config/Ini.h"
#include "config/TextFile.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kProbe = QStringLiteral(ARVEX_TEST_BIN_DIR) + "/arvex_config_probe";

struct ProbeResult {
    int exitCode = -1;
    QString output;
};

ProbeResult runProbe(const QStringList& args)
{
    QProcess p;
    p.start(kProbe, args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed()};
}

// Our hidden temporary files left in `folder`.
QStringList leftovers(const QString& folder)
{
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (AtomicWriter::temporaryOwnerPid(QFile::encodeName(name)) >= 0)
            found << name;
    return found;
}

struct stat statOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

TEST(AtomicWrite, AFileSizeLimitLeavesTheOldFileAndReportsFailure)
{
    // The child may write at most 4,096 bytes per file, as on a nearly full disk.
    struct Case {
        const char* what;
        int oldSize;
        int newSize;
        bool fits;
    } const cases[] = {
        {"favourites grown past the limit", 4000, 5143, false},
        {"small settings file, big new value", 300, 16384, false},
        {"new content exactly at the limit", 300, 4096, true},
        {"new content shorter than the old", 4000, 100, true},
    };
    for (const Case& c : cases)
        for (const char* mode : {"whole", "parts"}) {
            SCOPED_TRACE(std::string(c.what) + ", written " + mode);
            TempDir dir;
            const QByteArray old(c.oldSize, 'o');
            const QString file = dir.write("Favoriten.ini", old);
            const ProbeResult r = runProbe({"limited", "4096", file, QString::number(c.newSize), mode});
            if (c.fits) {
                EXPECT_EQ(r.exitCode, 0) << qPrintable(r.output);
                EXPECT_EQ(dir.read("Favoriten.ini"), QByteArray(c.newSize, 'n'));
            } else {
                EXPECT_EQ(r.exitCode, 1) << qPrintable(r.output);
                EXPECT_TRUE(r.output.startsWith("failed: ")) << qPrintable(r.output);
                EXPECT_EQ(dir.read("Favoriten.ini"), old);
            }
            EXPECT_TRUE(leftovers(dir.path()).isEmpty());
        }
}

TEST(AtomicWrite, ContentMadeWhileWrittenIsAllOrNothing)
{
    for (const bool named : {false, true}) {
        SCOPED_TRACE(named ? "named temporary file" : "nameless temporary file");
        AtomicWriter::setNamedTemporariesOnly(named);
        TempDir dir;
        const QString file = dir.write("arvex_Cache.txt", "old");
        int runs = 0;
        QByteArray expected;
        ASSERT_TRUE(TextFile::writeAtomicStreamed(file, [&](const AtomicWriter::Sink& sink) {
            ++runs;
            expected.clear();
            for (int part = 0; part < 300; ++part) {
                const QByteArray bytes = QByteArray::number(part).repeated(part * 7 + 1) + "\r\n";
                expected += bytes;
                if (!sink(bytes))
                    return false;
            }
            return sink({}); // an empty last part is fine
        }));
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(dir.read("arvex_Cache.txt"), expected);

        // A producer that gives up half-way leaves the old file, says why, and leaves nothing behind.
        QString why;
        EXPECT_FALSE(TextFile::writeAtomicStreamed(
            file,
            [](const AtomicWriter::Sink& sink) {
                sink(QByteArray(100000, 'n'));
                return false;
            },
            &why));
        EXPECT_FALSE(why.isEmpty());
        EXPECT_EQ(dir.read("arvex_Cache.txt"), expected);
        EXPECT_TRUE(leftovers(dir.path()).isEmpty());
    }
    AtomicWriter::setNamedTemporariesOnly(false);
}

TEST(AtomicWrite, AFullFileSystemLeavesTheOldFileAndReportsFailure)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a small tmpfs";
    TempDir dir;
    const QString mountPoint = dir.mkdir("disk");
    const QByteArray target = QFile::encodeName(mountPoint);
    if (::mount("tmpfs", target.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (no CAP_SYS_ADMIN?)";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{target};

    const QString settings = mountPoint + "arvex.ini";
    ASSERT_TRUE(WriteIniValue("Settings", "WindowX", "12000", settings, true));
    QFile original(settings);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray oldContent = original.readAll();
    original.close();

    // Fill the file system up to the last byte.
    QFile filler(mountPoint + "filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
    filler.close();

    struct Case {
        const char* what;
        int size;
    } const cases[] = {{"one small key", 1}, {"a 5,143-byte favourites file", 5143}, {"16 KiB", 16384}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString why;
        EXPECT_FALSE(TextFile::writeAtomic(settings, QByteArray(c.size, 'n'), &why));
        EXPECT_FALSE(why.isEmpty());
        why.clear();
        EXPECT_FALSE(TextFile::writeAtomicStreamed(
            settings,
            [&](const AtomicWriter::Sink& sink) {
                for (int at = 0; at < c.size; at += 1000)
                    if (!sink(QByteArray(std::min(1000, c.size - at), 'n')))
                        return false;
                return true;
            },
            &why));
        EXPECT_FALSE(why.isEmpty());
        QFile f(settings);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), oldContent);
    }
    EXPECT_FALSE(WriteIniValue("Settings", "WindowX", QString(8000, u'9'), settings, true));
    EXPECT_FALSE(WriteIniValue("Settings", "New", "1", mountPoint + "new.ini", true));
    EXPECT_FALSE(QFile::exists(mountPoint + "new.ini")) << "a failed first write leaves no empty file";
    EXPECT_TRUE(leftovers(mountPoint).isEmpty());
}

TEST(AtomicWrite, KilledGroupWritesLeaveAllOldOrAllNewAndNoTemporaries)
{
    TempDir dir;
    const QString file = dir.file("arvex.ini");
    int torn = 0;
    for (int round = 0; round < 120; ++round) {
        // Every other child uses named temporary files, the fallback where
        // O_TMPFILE is missing: its kills leave files the next write removes.
        QProcess child;
        child.start(kProbe, {"group-loop", file, round % 2 ? "named" : "nameless"});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(10000));
        QThread::usleep(QRandomGenerator::global()->bounded(15000));
        child.kill();
        child.waitForFinished();

        if (!QFile::exists(file))
            continue; // killed before its first replacement
        const QString first = GetPrivateProfileString("Settings", "Button1", file);
        bool ok = false;
        first.toLong(&ok);
        EXPECT_TRUE(ok) << "round " << round << ": " << qPrintable(first);
        for (int n = 2; n <= 12; ++n)
            if (GetPrivateProfileString("Settings", QStringLiteral("Button%1").arg(n), file) != first) {
                ++torn;
                ADD_FAILURE() << "round " << round << ": Button" << n << " differs from Button1";
                break;
            }
    }
    EXPECT_EQ(torn, 0);
    // The next write into the folder removes whatever the killed writers left.
    ASSERT_TRUE(WriteIniValue("Settings", "Button1", "1", file, true));
    EXPECT_EQ(leftovers(dir.path()), QStringList());
}

TEST(AtomicWrite, StaleTemporariesOfEndedProcessesAreRemovedOnlyThose)
{
    TempDir dir;
    QProcess ended;
    ended.start("/bin/true");
    ASSERT_TRUE(ended.waitForFinished());
    const long long deadPid = ended.processId() > 0 ? ended.processId() : 999999;
    QProcess running;
    running.start("/bin/sleep", {"30"});
    ASSERT_TRUE(running.waitForStarted());

    const QString dead = dir.write(QFile::decodeName(AtomicWriter::temporaryName("arvex.ini", deadPid, 0xabc)), "x");
    const QString alive =
        dir.write(QFile::decodeName(AtomicWriter::temporaryName("arvex.ini", running.processId(), 1)), "x");
    const QString userFile = dir.write(".arvex-notes-12-abc", "mine");
    ASSERT_TRUE(TextFile::writeAtomic(dir.file("Favoriten.ini"), "new"));
    EXPECT_FALSE(QFile::exists(dead));
    EXPECT_TRUE(QFile::exists(alive));
    EXPECT_TRUE(QFile::exists(userFile));
    running.kill();
    running.waitForFinished();
}

TEST(AtomicWrite, TemporaryNamesAreRecognisedExactly)
{
    struct Row {
        QByteArray name;
        long long pid;
    } const rows[] = {
        {AtomicWriter::temporaryName("arvex.ini", 4242, 0x1f), 4242},
        {AtomicWriter::temporaryName(QByteArray(300, 'a'), 7, 0xffffffff), 7},
        {".arvex.ini.arvex-12-0000001f", 12},
        {"arvex.ini.arvex-12-0000001f", -1},  // not hidden
        {".arvex.ini.arvex-12-1f", -1},       // random part too short
        {".arvex.ini.arvex-x2-0000001f", -1}, // pid not a number
        {".arvex.ini.arvex-12-0000001g", -1}, // not hex
        {".arvex.ini", -1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AtomicWriter::temporaryOwnerPid(row.name), row.pid) << row.name.constData();
    EXPECT_LE(AtomicWriter::temporaryName(QByteArray(300, 'a'), 2147483647, 0).size(), 255);
}

TEST(AtomicWrite, SymbolicLinksStayLinksAndTheirTargetIsReplaced)
{
    TempDir dir;
    dir.mkdir("real");
    const QString target = dir.write("real/arvex.ini", "old");
    const QString relativeLink = dir.file("relative.ini");
    const QString chainLink = dir.file("chain.ini");
    const QString dangling = dir.file("dangling.ini");
    ASSERT_TRUE(QFile::link("real/arvex.ini", relativeLink));
    ASSERT_TRUE(QFile::link(relativeLink, chainLink));
    ASSERT_TRUE(QFile::link("real/created.ini", dangling));

    for (const QString& link : {relativeLink, chainLink}) {
        ASSERT_TRUE(TextFile::writeAtomic(link, "via " + QFile::encodeName(link)));
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(dir.read("real/arvex.ini"), "via " + QFile::encodeName(link));
    }
    ASSERT_TRUE(TextFile::writeAtomic(dangling, "created"));
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(dir.read("real/created.ini"), "created");
    EXPECT_TRUE(leftovers(dir.file("real")).isEmpty());
    EXPECT_EQ(QFileInfo(target).size(), qint64(QByteArray("via " + QFile::encodeName(chainLink)).size()));
}

TEST(AtomicWrite, KeepsModeAndRefusesFilesWithoutWriteBit)
{
    TempDir dir;
    const QString privateFile = dir.write("private.ini", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(privateFile).constData(), 0600), 0);
    ASSERT_TRUE(TextFile::writeAtomic(privateFile, "new"));
    EXPECT_EQ(statOf(privateFile).st_mode & 07777, 0600u);

    const QString script = dir.write("run.sh", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(script).constData(), 0750), 0);
    ASSERT_TRUE(TextFile::writeAtomic(script, "new"));
    EXPECT_EQ(statOf(script).st_mode & 07777, 0750u);

    // No write bit: refused for every user, root included.
    const QString locked = dir.write("locked.ini", "[Settings]\r\nA=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0444), 0);
    QString why;
    EXPECT_FALSE(TextFile::writeAtomic(locked, "new", &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(WriteIniValue("Settings", "A", "2", locked, true));
    EXPECT_EQ(dir.read("locked.ini"), "[Settings]\r\nA=1\r\n");
    EXPECT_EQ(statOf(locked).st_mode & 07777, 0444u);

    // A folder in place of the file is never replaced.
    dir.mkdir("folder.ini");
    EXPECT_FALSE(TextFile::writeAtomic(dir.file("folder.ini"), "new"));
    EXPECT_TRUE(QFileInfo(dir.file("folder.ini")).isDir());
}

TEST(AtomicWrite, RootKeepsTheOwnerAndOthersCannotTakeForeignFiles)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to own files as another user";
    constexpr uid_t kUser = 54321;
    constexpr gid_t kGroup = 54322;
    TempDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);

    // A user's settings, written once by "sudo arvex", stay the user's.
    const QString users = dir.write("users.ini", "old");
    ASSERT_EQ(::chown(QFile::encodeName(users).constData(), kUser, kGroup), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(users).constData(), 0640), 0);
    ASSERT_TRUE(TextFile::writeAtomic(users, "by root"));
    EXPECT_EQ(statOf(users).st_uid, kUser);
    EXPECT_EQ(statOf(users).st_gid, kGroup);
    EXPECT_EQ(statOf(users).st_mode & 07777, 0640u);
    // ... and so that user can still save it.
    ProbeResult r = runProbe({"as-user", QString::number(kUser), QString::number(kGroup), users});
    EXPECT_EQ(r.exitCode, 0) << qPrintable(r.output);
    EXPECT_EQ(dir.read("users.ini"), "new");

    // The user may not replace root's file, even in a folder open to everyone.
    const QString roots = dir.write("roots.ini", "root's");
    ASSERT_EQ(::chmod(QFile::encodeName(roots).constData(), 0644), 0);
    r = runProbe({"as-user", QString::number(kUser), QString::number(kGroup), roots});
    EXPECT_EQ(r.exitCode, 1) << qPrintable(r.output);
    EXPECT_EQ(dir.read("roots.ini"), "root's");
    EXPECT_EQ(statOf(roots).st_uid, 0u);
}
