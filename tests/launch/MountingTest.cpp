// Mounting a disc image: the mount script's lines, a fake tool that records
// its calls, the missing tool, and a real fuseiso mount of an ISO image the
// test builds.
#include "launch/LaunchTestSupport.h"
#include "launch/Mounting.h"
#include "launch/ProgramRunner.h"
#include "support/ScriptedPrompt.h"


#include <gtest/gtest.h>

namespace {

class MountTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir};
    ScriptedPrompt prompts;
    ScopedEnv runtime{"XDG_RUNTIME_DIR", QFile::encodeName(dir.mkdir(QStringLiteral("run")))};
    QString calls = dir.file(QStringLiteral("calls.log"));

    bool mount(const QString& image)
    {
        return MountImage(image, profile.paths.globalSettingsFile, profile.paths.programFolder,
                          profile.paths.startFolder);
    }
};

TEST_F(MountTest, ToolUnmountsDriveZeroThenMountsTheImageAsOneArgument)
{
    RecordingProgram(dir, QStringLiteral("Daemon Tools/dtlite"), calls);
    profile.setGlobal(QStringLiteral("DeamonToolPath"), QStringLiteral("./Daemon Tools/dtlite"));
    const QString image = dir.write(QStringLiteral("Games/It's $(id) a game.iso"), "ISO");
    EXPECT_TRUE(mount(image));
    const QList<QByteArray> rec = WaitForRecord(calls); // two calls: folder and arguments each
    ASSERT_EQ(rec.size(), 7);
    EXPECT_EQ(rec.mid(1, 2), (QList<QByteArray>{"-unmount", "0"}));
    EXPECT_EQ(rec.mid(4), (QList<QByteArray>{"-mount", "0,", QFile::encodeName(image)}));
    EXPECT_FALSE(QFile::exists(profile.paths.startFolder + QStringLiteral("MountDeamon.sh")));
    EXPECT_EQ(prompts.count(), 0);
}

TEST_F(MountTest, MissingToolIsReportedAndNothingRuns)
{
    for (const QString& value : {QString(), QStringLiteral("/nowhere/dtlite"), QStringLiteral("no-such-tool-anywhere")}) {
        profile.setGlobal(QStringLiteral("DeamonToolPath"), value.isEmpty() ? QStringLiteral("") : value);
        prompts.clear();
        EXPECT_FALSE(mount(dir.write(QStringLiteral("g.iso"), "x"))) << value.toStdString();
        EXPECT_EQ(prompts.lastText(), QStringLiteral("Deamon Tool not found!"));
        EXPECT_FALSE(QFile::exists(profile.paths.startFolder + QStringLiteral("MountDeamon.sh")));
    }
    EXPECT_FALSE(QFile::exists(calls));
    EXPECT_EQ(VirtualDrive0(), dir.file(QStringLiteral("run/arvex/drive0")));
}

// A minimal ISO 9660 image holding one file HELLO.TXT: system area,
// volume descriptor, terminator, path tables, root directory, file data.
QByteArray isoImage(const QByteArray& content)
{
    auto both = [](quint32 v, int bytes) { // little-endian, then big-endian
        QByteArray b(2 * bytes, '\0');
        for (int i = 0; i < bytes; ++i)
            b[i] = b[2 * bytes - 1 - i] = char((v >> (8 * i)) & 0xff);
        return b;
    };
    auto record = [&](quint32 extent, quint32 size, char flags, const QByteArray& name) {
        QByteArray r = QByteArray(1, char(33 + name.size() + (name.size() % 2 == 0))) + '\0' + both(extent, 4)
                       + both(size, 4) + QByteArray(7, '\0') + flags + QByteArray(2, '\0') + both(1, 2)
                       + char(name.size()) + name;
        return name.size() % 2 == 0 ? r + '\0' : r;
    };
    auto sector = [](const QByteArray& s) { return s.leftJustified(2048, '\0'); };
    QByteArray pvd = "\x01" "CD001\x01" + QByteArray(1, '\0') + QByteArray(32, ' ') + QByteArray("ARVEX").leftJustified(32, ' ')
                     + QByteArray(8, '\0') + both(22, 4) + QByteArray(32, '\0') + both(1, 2) + both(1, 2) + both(2048, 2)
                     + both(10, 4) + QByteArray("\x12\0\0\0\0\0\0\0\0\0\0\x13\0\0\0\0", 16)
                     + record(20, 2048, 2, QByteArray(1, '\0')) + QByteArray(623, ' ');
    for (int i = 0; i < 4; ++i)
        pvd += QByteArray(16, '0') + '\0';
    pvd += '\x01';
    const QByteArray lpt("\x01\0\x14\0\0\0\x01\0\0\0", 10), mpt("\x01\0\0\0\0\x14\0\x01\0\0", 10);
    const QByteArray root = record(20, 2048, 2, QByteArray(1, '\0')) + record(20, 2048, 2, QByteArray(1, '\1'))
                            + record(21, quint32(content.size()), 0, "HELLO.TXT;1");
    return QByteArray(16 * 2048, '\0') + sector(pvd) + sector("\xff" "CD001\x01") + sector(lpt) + sector(mpt)
           + sector(root) + sector(content);
}

TEST_F(MountTest, FuseisoReallyMountsTheImageInDriveZero)
{
    const QString fuseiso = FindInPath(QStringLiteral("fuseiso"));
    if (fuseiso.isEmpty() || FindInPath(QStringLiteral("fusermount")).isEmpty() || !QFile::exists(QStringLiteral("/dev/fuse")))
        GTEST_SKIP() << "fuseiso, fusermount or /dev/fuse missing";
    profile.setGlobal(QStringLiteral("DeamonToolPath"), fuseiso);
    const QString image = dir.write(QStringLiteral("Games/Disc one.iso"), isoImage("first disc\n"));
    const QString second = dir.write(QStringLiteral("Games/Disc two.iso"), isoImage("second disc\n"));
    ASSERT_TRUE(mount(image));
    const QString drive = VirtualDrive0();
    QFile hello(drive + QStringLiteral("/hello.txt"));
    if (!hello.exists())
        GTEST_SKIP() << "FUSE mounts are not permitted here";
    ASSERT_TRUE(hello.open(QIODevice::ReadOnly));
    EXPECT_EQ(hello.readAll(), "first disc\n");
    hello.close();
    // The next mount replaces what drive 0 holds.
    ASSERT_TRUE(mount(second));
    QFile again(drive + QStringLiteral("/hello.txt"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), "second disc\n");
    again.close();
    EXPECT_FALSE(QFile::exists(profile.paths.startFolder + QStringLiteral("MountDeamon.sh")));
    RunAndWait(QStringLiteral("fusermount"), {QStringLiteral("-u"), drive});
    EXPECT_FALSE(QFile::exists(drive + QStringLiteral("/hello.txt")));
}

} // namespace
