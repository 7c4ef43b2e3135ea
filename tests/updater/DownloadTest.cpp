// Downloading into a file over real HTTP and TLS servers on 127.0.0.1: what
// arrives is exactly the server's file, and no failure ever leaves a file
// that looks finished or touches the file already there.
#include "download/CurlDownloader.h"
#include "download/FileDownload.h"
#include "support/TempDir.h"
#include "updater/TestServers.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}

class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!server.ok())
            GTEST_SKIP() << "python3 is not installed: no local HTTP server for the download tests";
        payload = pattern(300 * 1024 + 17);
        server.put(QStringLiteral("app.bin"), payload);
    }
    HttpTestServer server;
    TempDir dir;
    CurlDownloader curl{3};
    QByteArray payload;
};

TEST_F(DownloadTest, CompleteFileArrivesAndNoPartFileRemains)
{
    for (const char* path : {"files/app.bin", "redirect/files/app.bin", "nolength/app.bin"}) {
        SCOPED_TRACE(path);
        const QString target = dir.file(QStringLiteral("sub/folder/app.bin_"));
        const DownloadResult r = DownloadToFile(curl, server.url(QString::fromLatin1(path)), target);
        EXPECT_TRUE(r.ok()) << r.detail.toStdString();
        EXPECT_EQ(r.bytes, payload.size());
        EXPECT_EQ(dir.read(QStringLiteral("sub/folder/app.bin_")), payload);
        EXPECT_FALSE(QFileInfo::exists(PartFileName(target)));
    }
}

TEST_F(DownloadTest, AsksCachesForTheCurrentFile)
{
    ASSERT_TRUE(DownloadToFile(curl, server.url(QStringLiteral("files/app.bin")), dir.file(QStringLiteral("x"))).ok());
    EXPECT_TRUE(server.requests().contains(QStringLiteral("/files/app.bin\tno-cache")));
}

struct FailureCase {
    const char* path;
    DownloadStatus status;
};

TEST_F(DownloadTest, FailuresKeepTheExistingFileAndLeaveNoDownload)
{
    const FailureCase cases[] = {
        {"missing", DownloadStatus::HttpError},
        {"files/nothing-here", DownloadStatus::HttpError},
        {"loop", DownloadStatus::TooManyRedirects},
        {"truncated/app.bin", DownloadStatus::NetworkFailed},
        {"stall/app.bin", DownloadStatus::Stalled},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.path);
        const QString target = dir.write(QStringLiteral("app"), "old contents");
        const DownloadResult r = DownloadToFile(curl, server.url(QString::fromLatin1(c.path)), target);
        EXPECT_EQ(r.status, c.status) << r.detail.toStdString();
        EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("old contents"));
        EXPECT_FALSE(QFileInfo::exists(PartFileName(target)));
        EXPECT_FALSE(DescribeDownload(r).isEmpty());
    }
    // The error page's body of the 404 never reached a file.
    EXPECT_EQ(DownloadToFile(curl, server.url(QStringLiteral("missing")), dir.file(QStringLiteral("y"))).httpStatus,
              404);
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("y"))));
}

TEST_F(DownloadTest, NoServerListeningIsANetworkFailure)
{
    // Nothing listens on port 1.
    const DownloadResult r =
        DownloadToFile(curl, QStringLiteral("http://127.0.0.1:1/app.bin"), dir.file(QStringLiteral("z")));
    EXPECT_EQ(r.status, DownloadStatus::NetworkFailed);
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("z"))));
}

TEST_F(DownloadTest, CancelFromProgressStopsAndCleansUp)
{
    const QString target = dir.file(QStringLiteral("slow"));
    bool sawProgress = false;
    const DownloadResult r = DownloadToFile(curl, server.url(QStringLiteral("slow/app.bin")), target,
                                            [&](qint64 received, qint64 total) {
                                                if (received > 0 && total == payload.size())
                                                    sawProgress = true;
                                                return received < 16 * 1024;
                                            });
    EXPECT_EQ(r.status, DownloadStatus::Cancelled);
    EXPECT_TRUE(sawProgress);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo::exists(PartFileName(target)));
}

TEST_F(DownloadTest, StalePartFileFromAnEarlierRunIsNotContinued)
{
    const QString target = dir.file(QStringLiteral("app"));
    dir.write(QStringLiteral("app.part"), QByteArray(1000, 'x'));
    ASSERT_TRUE(DownloadToFile(curl, server.url(QStringLiteral("files/app.bin")), target).ok());
    EXPECT_EQ(dir.read(QStringLiteral("app")), payload);
}

TEST_F(DownloadTest, ModeIsAppliedToTheNewFile)
{
    const QString target = dir.file(QStringLiteral("tool"));
    ASSERT_TRUE(DownloadToFile(curl, server.url(QStringLiteral("files/app.bin")), target, {}, 0750).ok());
    EXPECT_EQ(QFileInfo(target).permissions() & 0x7777,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser
                  | QFile::ExeUser | QFile::ReadGroup | QFile::ExeGroup);
}

TEST_F(DownloadTest, ReadOnlyFolderFailsWithoutTouchingIt)
{
    const QString folder = dir.mkdir(QStringLiteral("ro"));
    const QByteArray name = QFile::encodeName(folder);
    dir.write(QStringLiteral("ro/app"), "old");
    bool mounted = false;
    if (::geteuid() == 0) {
        // Root writes into any folder the mode forbids; a read-only file
        // system stops it too.
        if (::mount("tmpfs", name.constData(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "as root this case needs a read-only tmpfs, which cannot be mounted here";
        mounted = true;
        QFile old(folder + "app");
        if (old.open(QIODevice::WriteOnly))
            old.write("old");
        old.close();
        ::mount(nullptr, name.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
    } else {
        ::chmod(name.constData(), 0555);
    }
    const DownloadResult r = DownloadToFile(curl, server.url(QStringLiteral("files/app.bin")), folder + "app");
    QFile f(folder + "app");
    const QByteArray kept = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    f.close();
    if (mounted)
        ::umount(name.constData());
    else
        ::chmod(name.constData(), 0755);
    EXPECT_EQ(r.status, DownloadStatus::LocalFailed);
    EXPECT_FALSE(DescribeDownload(r).isEmpty());
    EXPECT_EQ(kept, QByteArray("old"));
}

TEST_F(DownloadTest, FullDiskIsDetectedAndNothingIsLeftBehind)
{
    const QString folder = dir.mkdir(QStringLiteral("small"));
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=128k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root in a mount-capable namespace)";
    QFile old(folder + "app");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const DownloadResult r = DownloadToFile(curl, server.url(QStringLiteral("files/app.bin")), folder + "app");
    const QByteArray kept = [&] {
        QFile f(folder + "app");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const bool partLeft = QFileInfo::exists(PartFileName(folder + "app"));
    ::umount(QFile::encodeName(folder).constData());
    EXPECT_EQ(r.status, DownloadStatus::WriteFailed);
    EXPECT_TRUE(r.diskFull);
    EXPECT_EQ(kept, QByteArray("old"));
    EXPECT_FALSE(partLeft);
}

TEST(TlsDownload, SelfSignedCertificateIsRefusedAndTrustedOneAccepted)
{
    TlsTestServer tls;
    if (!tls.ok())
        GTEST_SKIP() << "openssl is not installed: no local TLS server";
    tls.put(QStringLiteral("file.txt"), "over tls\n");
    TempDir dir;
    CurlDownloader curl(10);
    const DownloadResult refused = DownloadToFile(curl, tls.url(QStringLiteral("file.txt")), dir.file(QStringLiteral("a")));
    EXPECT_EQ(refused.status, DownloadStatus::TlsFailed) << refused.detail.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("a"))));

    // The same server with its certificate trusted: the refusal was about trust.
    curl.setCaFile(tls.certificate());
    const DownloadResult trusted = DownloadToFile(curl, tls.url(QStringLiteral("file.txt")), dir.file(QStringLiteral("b")));
    EXPECT_TRUE(trusted.ok()) << trusted.detail.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("b")), QByteArray("over tls\n"));
}

} // namespace
