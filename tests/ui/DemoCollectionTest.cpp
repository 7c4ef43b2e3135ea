// The demo collection in examples/demo must work wherever the repository is
// checked out: CR LF settings whose relative paths resolve inside it,
// patterns that find games, complete multi-disk sets, pictures that decode
// a skin that the skin code picks up, and list caches that match what a
// rebuild of the lists produces, so the demo shows its games at first start.
// Read-only, except that with ARVEX_WRITE_DEMO_CACHES=1 the caches and game
// counts are written into the collection (scripts/make-demo.sh does this).
#include "support/QtPrint.h"
#include "ui/Skin.h"

#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "config/TextFile.h"
#include "launch/PathOps.h"
#include "library/GameList.h"
#include "support/TempDir.h"

#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kDemo = QStringLiteral(ARVEX_SOURCE_DIR "/examples/demo/");
const QString kConfig = kDemo + QStringLiteral("Config/");

QString setting(const QString& file, const char* key)
{
    return GetPrivateProfileString(QStringLiteral("Settings"), QString::fromLatin1(key), file);
}

// Files below `folder` (sub-folders included) matching `filters`, relative to it.
QStringList filesBelow(const QString& folder, const QStringList& filters = {})
{
    QStringList files;
    QDirIterator it(folder, filters, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    return files;
}

TEST(DemoCollection, ProfilesAreCrLfPointInsideTheCollectionAndFindGames)
{
    const QStringList profiles = QDir(kConfig).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(profiles, (QStringList{QStringLiteral("Amiga"), QStringLiteral("Arcade"), QStringLiteral("C64")}));
    EXPECT_TRUE(profiles.contains(setting(kConfig + QStringLiteral("arvex.ini"), "LastEmulator")));
    for (const QString& file : filesBelow(kConfig, {QStringLiteral("*.ini"), QStringLiteral("AliasList.txt")})) {
        QByteArray bytes;
        ASSERT_TRUE(TextFile::readBytes(kConfig + file, bytes));
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "bare LF in " << file.toStdString();
    }
    for (const QString& emu : profiles) {
        SCOPED_TRACE(emu.toStdString());
        const QString ini = kConfig + emu + QStringLiteral("/arvex.ini");
        const QString emulator = setting(ini, "EmulatorPath");
        EXPECT_TRUE(emulator.startsWith(QStringLiteral("./"))) << "stored relative";
        EXPECT_EQ(QFileInfo(MakeAbsolutePath(kDemo, emulator)).absoluteFilePath(),
                  QFileInfo(kDemo + QStringLiteral("Emulators/arvex-demo-emu")).absoluteFilePath());
        const QString roms = AddTrailingSeparator(MakeAbsolutePath(kDemo, setting(ini, "RomPath")));
        ASSERT_TRUE(roms.startsWith(kDemo) && QFileInfo(roms).isDir()) << roms.toStdString();
        for (const QString& raw : setting(ini, "Dir_Parameter").split(QLatin1Char(','))) {
            const QString pattern = raw.trimmed();
            EXPECT_FALSE(filesBelow(roms, {pattern}).isEmpty()) << pattern.toStdString() << " finds nothing";
        }
    }
}

TEST(DemoCollection, MultiDiskSetsAreComplete)
{
    const QRegularExpression part(QStringLiteral(R"(^(.*)\((?:Disk|Side) (\d+) of (\d+)\)(.*)$)"));
    QMap<QString, QSet<int>> found;
    QMap<QString, int> size;
    for (const QString& file : filesBelow(kDemo + QStringLiteral("Games/"))) {
        if (const auto m = part.match(file); m.hasMatch()) {
            found[m.captured(1) + m.captured(4)].insert(m.captured(2).toInt());
            size[m.captured(1) + m.captured(4)] = m.captured(3).toInt();
        }
    }
    EXPECT_GE(found.size(), 6);
    for (auto it = size.begin(); it != size.end(); ++it)
        EXPECT_EQ(found[it.key()].size(), it.value()) << it.key().toStdString();
}

TEST(DemoCollection, PicturesDecodeAndTheSkinsArePickedUp)
{
    const QStringList pictures = filesBelow(kDemo, {QStringLiteral("*.png"), QStringLiteral("*.jpg")});
    EXPECT_GE(pictures.size(), 15);
    for (const QString& file : pictures)
        EXPECT_FALSE(QImage(kDemo + file).isNull()) << file.toStdString();

    SkinPictures skin;
    skin.load(kConfig + QStringLiteral("Amiga/"));
    EXPECT_EQ(skin.source(SkinPictures::Background), kConfig + QStringLiteral("Amiga/Skin/Background.jpg"));
    EXPECT_EQ(Skin::FindEmulatorPicture(kConfig, QStringLiteral("Amiga")), kConfig + QStringLiteral("Amiga/Skin/Amiga.png"));
    EXPECT_EQ(Skin::FindEmulatorPicture(kConfig, QStringLiteral("C64")), kConfig + QStringLiteral("C64/Skin/Loading.png"));
    for (const char* emu : {"Amiga", "C64"}) {
        const QString ini = kConfig + QString::fromLatin1(emu) + QStringLiteral("/Skin/Skin.ini");
        EXPECT_TRUE(IsColorText(setting(ini, "BackColor")) && IsColorText(setting(ini, "FontColor"))) << emu;
    }
}

TEST(DemoCollection, ListCachesMatchARebuild)
{
    const bool write = qEnvironmentVariable("ARVEX_WRITE_DEMO_CACHES") == QStringLiteral("1");
    // Rebuild in a copy, so the checkout stays as it is.
    TempDir copy;
    for (const QString& file : filesBelow(kDemo)) {
        QDir().mkpath(QFileInfo(copy.file(file)).absolutePath());
        ASSERT_TRUE(QFile::copy(kDemo + file, copy.file(file))) << file.toStdString();
    }
    AppEnvironment::setOverrides(copy.path(), QStringLiteral("arvex"));
    for (const char* name : {"Amiga", "Arcade", "C64"}) {
        const QString emu = QString::fromLatin1(name);
        SCOPED_TRACE(name);
        const QString profile = copy.file(QStringLiteral("Config/") + emu + QLatin1Char('/'));
        const QString settings = profile + QStringLiteral("arvex.ini");
        QFile::remove(profile + QStringLiteral("arvex_Cache.txt"));
        BasicLibraryHost host;
        GameList list(host);
        const int count = list.RebuildList(
            {AddTrailingSeparator(MakeAbsolutePath(copy.path(), setting(settings, "RomPath"))), settings,
             profile, profile + QStringLiteral("arvex_Cache.txt")});
        EXPECT_GE(count, 7);
        const QString cache = QStringLiteral("Config/") + emu + QStringLiteral("/arvex_Cache.txt");
        const QString ini = kConfig + emu + QStringLiteral("/arvex.ini");
        if (write) {
            QFile::remove(kDemo + cache);
            ASSERT_TRUE(QFile::copy(copy.file(cache), kDemo + cache));
            WriteIniValue(QStringLiteral("Settings"), QStringLiteral("RomCount"), QString::number(count), ini, false);
        }
        QByteArray expected, committed;
        ASSERT_TRUE(TextFile::readBytes(copy.file(cache), expected));
        ASSERT_TRUE(TextFile::readBytes(kDemo + cache, committed)) << "run scripts/make-demo.sh";
        EXPECT_EQ(committed, expected) << "stale list cache: run scripts/make-demo.sh";
        EXPECT_EQ(setting(ini, "RomCount"), QString::number(count));
    }
    AppEnvironment::setOverrides(QString(), QString());
}

} // namespace
