// Mounting a disc image: the mount script's lines, a fake tool that records
// its calls, the missing tool, and a real fuseiso mount of an ISO image the
// test builds.
#include "launch/LaunchTestSupport.h"
#include "launch/Mounting.h"
#include "launch/ProgramRunner.h"
#include "support/ScriptedPrompt.h"

#include <QtEndian>

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

// A minimal ISO 9660 image holding one file HELLO.TXT.
QByteArray isoImage(const QByteArray& content)
{
    auto both32 = [](quint32 v) {
        QByteArray b(8, '\0');
        qToLittleEndian(v, b.data());
        qToBigEndian(v, b.data() + 4);
        return b;
    };
    auto both16 = [](quint16 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        qToBigEndian(v, b.data() + 2);
        return b;
    };
    auto record = [&](quint32 extent, quint32 size, char flags, const QByteArray& name) {
        QByteArray r;
        const int len = 33 + int(name.size()) + (name.size() % 2 == 0 ? 1 : 0);
        r += char(len);
        r += '\0';
        r += both32(extent) + both32(size) + QByteArray(7, '\0');
        r += flags;
        r += QByteArray(2, '\0');
        r += both16(1);
        r += char(name.size());
        r += name;
        if (name.size() % 2 == 0)
            r += '\0';
        return r;
    };
    auto sector = [](QByteArray s) { return s.leftJustified(2048, '\0', true); };
    QByteArray pvd(2048, '\0');
    pvd[0] = 1;
    pvd.replace(1, 5, "CD001");
    pvd[6] = 1;
    pvd.replace(8, 32, QByteArray(32, ' '));
    pvd.replace(40, 32, QByteArray("ARVEXTEST").leftJustified(32, ' '));
    pvd.replace(80, 8, both32(22));
    pvd.replace(120, 4, both16(1));
    pvd.replace(124, 4, both16(1));
    pvd.replace(128, 4, both16(2048));
    pvd.replace(132, 8, both32(10));
    qToLittleEndian<quint32>(18, pvd.data() + 140);
    qToBigEndian<quint32>(19, pvd.data() + 148);
    pvd.replace(156, 34, record(20, 2048, 2, QByteArray(1, '\0')));
    pvd.replace(190, 813 - 190, QByteArray(813 - 190, ' '));
    for (int at : {813, 830, 847, 864})
        pvd.replace(at, 17, QByteArray(16, '0') + '\0');
    pvd[881] = 1;
    QByteArray terminator(2048, '\0');
    terminator[0] = char(255);
    terminator.replace(1, 5, "CD001");
    terminator[6] = 1;
    QByteArray lpt(10, '\0'), mpt(10, '\0');
    lpt[0] = mpt[0] = 1;
    qToLittleEndian<quint32>(20, lpt.data() + 2);
    qToLittleEndian<quint16>(1, lpt.data() + 6);
    qToBigEndian<quint32>(20, mpt.data() + 2);
    qToBigEndian<quint16>(1, mpt.data() + 6);
    const QByteArray root = record(20, 2048, 2, QByteArray(1, '\0')) + record(20, 2048, 2, QByteArray(1, '\1'))
                            + record(21, quint32(content.size()), 0, "HELLO.TXT;1");
    return QByteArray(16 * 2048, '\0') + pvd + terminator + sector(lpt) + sector(mpt) + sector(root) + sector(content);
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
