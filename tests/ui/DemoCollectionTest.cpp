// The demo collection in examples/demo must work wherever the repository is
// checked out: relative paths that resolve inside it, settings files in the
// launcher's format, patterns that find games, pictures that decode, complete
// multi-disk sets, favourites and aliases that point at real files, and a skin
// that the skin code picks up. Read-only: nothing in the checkout is written.
#include "support/QtPrint.h"
#include "ui/Skin.h"

#include "config/Ini.h"
#include "config/TextFile.h"
#include "launch/PathOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kDemo = QStringLiteral(ARVEX_SOURCE_DIR "/examples/demo/");
const QString kConfig = kDemo + QStringLiteral("Config/");
const QStringList kProfiles = {QStringLiteral("Amiga"), QStringLiteral("Arcade"), QStringLiteral("C64")};

QString setting(const QString& file, const char* key)
{
    return GetPrivateProfileString(QStringLiteral("Settings"), QString::fromLatin1(key), file);
}

// All files below `folder` (sub-folders included), as paths relative to it.
QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    return files;
}

TEST(DemoCollection, HasTheThreeProfilesAndALastEmulator)
{
    QStringList folders = QDir(kConfig).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(folders, kProfiles);
    const QString last = setting(kConfig + QStringLiteral("arvex.ini"), "LastEmulator");
    EXPECT_TRUE(kProfiles.contains(last)) << last.toStdString();
    EXPECT_EQ(setting(kConfig + QStringLiteral("arvex.ini"), "UseJoystick"), QStringLiteral("0"));
}

TEST(DemoCollection, SettingsFilesUseCrLfAndUtf8)
{
    QDirIterator it(kConfig, {QStringLiteral("*.ini"), QStringLiteral("*.txt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QStringLiteral("_Cache.txt")))
            continue;  // written by a demo run, not part of the collection
        QByteArray bytes;
        ASSERT_TRUE(TextFile::readBytes(path, bytes)) << path.toStdString();
        EXPECT_TRUE(TextFile::isValidUtf8(bytes)) << path.toStdString();
        EXPECT_FALSE(bytes.isEmpty()) << path.toStdString();
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "bare LF in " << path.toStdString();
        EXPECT_TRUE(bytes.endsWith("\r\n")) << path.toStdString();
        ++count;
    }
    EXPECT_GE(count, 7);
}

TEST(DemoCollection, ProfilesPointInsideTheCollectionAndFindGames)
{
    for (const QString& emu : kProfiles) {
        SCOPED_TRACE(emu.toStdString());
        const QString ini = kConfig + emu + QStringLiteral("/arvex.ini");
        const QString emulator = setting(ini, "EmulatorPath");
        const QString roms = setting(ini, "RomPath");
        EXPECT_TRUE(emulator.startsWith(QStringLiteral("./"))) << "stored relative";
        EXPECT_TRUE(roms.startsWith(QStringLiteral("./")));
        EXPECT_EQ(QFileInfo(MakeAbsolutePath(kDemo, emulator)).absoluteFilePath(),
                  QFileInfo(kDemo + QStringLiteral("Emulators/arvex-demo-emu")).absoluteFilePath());
        const QString romFolder = AddTrailingSeparator(MakeAbsolutePath(kDemo, roms));
        ASSERT_TRUE(QFileInfo(romFolder).isDir()) << romFolder.toStdString();
        EXPECT_EQ(setting(ini, "EmulatorParameterAddDiskPath"), QStringLiteral("1"));

        const QStringList files = filesBelow(romFolder);
        const QStringList patterns = setting(ini, "Dir_Parameter").split(QLatin1Char(','));
        ASSERT_FALSE(patterns.isEmpty());
        for (const QString& raw : patterns) {
            const QString pattern = raw.trimmed();
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                        QRegularExpression::CaseInsensitiveOption);
            const auto hits = std::count_if(files.begin(), files.end(), [&](const QString& f) {
                return re.match(FileNameOf(f)).hasMatch();
            });
            EXPECT_GT(hits, 0) << "pattern " << pattern.toStdString() << " finds nothing";
        }
    }
}

TEST(DemoCollection, MultiDiskSetsAreComplete)
{
    const QRegularExpression part(QStringLiteral(R"(^(.*)\((Disk|Side) (\d+) of (\d+)\)(.*)$)"));
    QMap<QString, QSet<int>> found;
    QMap<QString, int> expected;
    for (const QString& file : filesBelow(kDemo + QStringLiteral("Games/"))) {
        const auto m = part.match(file);
        if (!m.hasMatch())
            continue;
        const QString set = m.captured(1) + QLatin1Char('|') + m.captured(5);
        found[set].insert(m.captured(3).toInt());
        expected[set] = m.captured(4).toInt();
    }
    EXPECT_GE(found.size(), 6);
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        for (int n = 1; n <= it.value(); ++n)
            EXPECT_TRUE(found[it.key()].contains(n)) << it.key().toStdString() << " lacks part " << n;
    }
}

TEST(DemoCollection, EveryPictureDecodes)
{
    QDirIterator it(kDemo, {QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
        ++count;
    }
    EXPECT_GE(count, 15);
}

TEST(DemoCollection, FavouritesAndAliasesNameRealGames)
{
    const QString favourites = kConfig + QStringLiteral("Amiga/Favoriten.ini");
    for (int n = 0; n < 2; ++n) {
        const QString path = GetPrivateProfileString(QStringLiteral("Favoriten"),
                                                     QStringLiteral("Fav%1_FullPath").arg(n), favourites, 1000);
        ASSERT_FALSE(path.isEmpty()) << n;
        EXPECT_TRUE(QFileInfo(MakeAbsolutePath(kDemo, path)).isFile()) << path.toStdString();
    }
    QString aliases;
    ASSERT_TRUE(TextFile::readText(kConfig + QStringLiteral("Arcade/AliasList.txt"), aliases));
    const QStringList sets = QDir(kDemo + QStringLiteral("Games/Arcade")).entryList(QDir::Files);
    for (const QString& line : TextFile::splitLines(aliases)) {
        const QString search = line.section(QLatin1Char(';'), 0, 0);
        EXPECT_TRUE(sets.contains(search + QStringLiteral(".zip"))) << line.toStdString();
    }
}

TEST(DemoCollection, SkinsArePickedUp)
{
    const QString amiga = kConfig + QStringLiteral("Amiga/");
    SkinPictures pictures;
    pictures.load(amiga);
    EXPECT_EQ(pictures.source(SkinPictures::Background), amiga + QStringLiteral("Skin/Background.jpg"));
    EXPECT_TRUE(pictures.isBuiltin(SkinPictures::TopRight));
    EXPECT_EQ(Skin::FindEmulatorPicture(kConfig, QStringLiteral("Amiga")), amiga + QStringLiteral("Skin/Amiga.png"));
    EXPECT_EQ(Skin::FindEmulatorPicture(kConfig, QStringLiteral("C64")),
              kConfig + QStringLiteral("C64/Skin/Loading.png"));
    EXPECT_EQ(Skin::FindEmulatorPicture(kConfig, QStringLiteral("Arcade")), QString());
    for (const char* emu : {"Amiga", "C64"}) {
        const QString ini = kConfig + QString::fromLatin1(emu) + QStringLiteral("/Skin/Skin.ini");
        EXPECT_TRUE(IsColorText(setting(ini, "BackColor"))) << emu;
        EXPECT_TRUE(IsColorText(setting(ini, "FontColor"))) << emu;
        EXPECT_FALSE(setting(ini, "TitleString").isEmpty()) << emu;
    }
}

} // namespace
