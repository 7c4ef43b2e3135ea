// Skin look-ups on real folders: which picture file wins, when the built-in
// pictures come back, the emulator's picture in the long list, and the skin
// file's keys with their defaults.
#include "support/QtPrint.h"
#include "support/TempDir.h"
#include "ui/Skin.h"

#include "config/FileNameCodec.h"
#include "config/Ini.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray picture(QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST(SkinLookup, FoldersExactThenIgnoringCaseAndPicturesByBaseName)
{
    TempDir dir;
    dir.mkdir(QStringLiteral("Emu/skin"));
    EXPECT_EQ(Skin::SkinFolder(dir.file(QStringLiteral("Emu"))), dir.file(QStringLiteral("Emu/skin/")));
    dir.mkdir(QStringLiteral("Emu/Skin"));
    EXPECT_EQ(Skin::SkinFolder(dir.file(QStringLiteral("Emu/"))), dir.file(QStringLiteral("Emu/Skin/")));
    dir.write(QStringLiteral("Other/Skin"), "a file, not a folder");
    EXPECT_EQ(Skin::SkinFolder(dir.file(QStringLiteral("Other/"))), QString());

    const struct {
        QStringList files;
        const char* base;
        const char* expected;
    } cases[] = {
        {{"background.PNG"}, "Background", "background.PNG"},                  // ignoring case
        {{"BackgroundTopRight.png"}, "Background", ""},                       // another base name
        {{"Background.png", "Background.bmp"}, "Background", "Background.bmp"},  // name order
        {{"Background"}, "Background", "Background"},                         // no extension
        {{".Background.png"}, "Background", ""},                              // hidden
        {{"MAME [x].png", "MAME x.png"}, "MAME [x]", "MAME [x].png"},         // brackets are literal
    };
    for (const auto& c : cases) {
        const QString folder = dir.mkdir(QStringLiteral("Case"));
        for (const QString& f : c.files)
            dir.write(QStringLiteral("Case/") + f, "x");
        const QString expected = *c.expected ? folder + QString::fromUtf8(c.expected) : QString();
        EXPECT_EQ(Skin::FindPictureFile(folder, QString::fromUtf8(c.base)), expected) << c.base;
        QDir(folder).removeRecursively();
    }
    dir.mkdir(QStringLiteral("F/Background.d"));
    EXPECT_EQ(Skin::FindPictureFile(dir.file(QStringLiteral("F")), QStringLiteral("Background")), QString());
}

TEST(SkinPictures, BuiltInsUntilASkinOffersPicturesAndAfterwards)
{
    TempDir dir;
    dir.write(QStringLiteral("Config/A/Skin/Background.jpg"), picture(QSize(64, 48), "JPG"));
    dir.write(QStringLiteral("Config/A/Skin/BackgroundTopRight.png"), picture(QSize(30, 10), "PNG"));
    dir.write(QStringLiteral("Config/A/Skin/Drivebox.bmp"), picture(QSize(20, 20), "BMP"));
    dir.write(QStringLiteral("Config/B/Skin/Background.jpg"), picture(QSize(80, 60), "JPG"));
    dir.mkdir(QStringLiteral("Config/Plain"));
    const auto all = {SkinPictures::Background, SkinPictures::DriveBox, SkinPictures::TopRight};

    SkinPictures pictures;
    pictures.load(dir.file(QStringLiteral("Config/Plain/")));
    for (auto slot : all) {
        EXPECT_TRUE(pictures.isBuiltin(slot)) << slot;
        EXPECT_FALSE(pictures.picture(slot).isNull()) << "built-in picture " << slot << " not compiled in";
    }
    EXPECT_EQ(pictures.source(SkinPictures::TopRight), QStringLiteral(":/arvex/OrgTopLeft.png"));

    pictures.load(dir.file(QStringLiteral("Config/A/")));
    for (auto slot : all)
        EXPECT_FALSE(pictures.isBuiltin(slot)) << slot;
    EXPECT_EQ(pictures.picture(SkinPictures::TopRight).size(), QSize(30, 10));

    // Background only: the top right and the drive panel go back to the built-ins.
    pictures.load(dir.file(QStringLiteral("Config/B/")));
    EXPECT_EQ(pictures.source(SkinPictures::Background), dir.file(QStringLiteral("Config/B/Skin/Background.jpg")));
    EXPECT_EQ(pictures.picture(SkinPictures::Background).size(), QSize(80, 60));
    EXPECT_TRUE(pictures.isBuiltin(SkinPictures::TopRight));
    EXPECT_TRUE(pictures.isBuiltin(SkinPictures::DriveBox));
}

TEST(SkinPictures, AnUndecodablePictureKeepsThePreviousOne)
{
    TempDir dir;
    dir.write(QStringLiteral("A/Skin/Background.png"), picture(QSize(40, 30), "PNG"));
    dir.write(QStringLiteral("B/Skin/Background.png"), "not a picture at all");
    dir.write(QStringLiteral("C/Skin/Background.png"), picture(QSize(9, 9), "PNG").left(40));
    SkinPictures pictures;
    for (const char* start : {"A/", "B/", "C/"})
        pictures.load(dir.file(QString::fromLatin1(start)));
    EXPECT_EQ(pictures.source(SkinPictures::Background), dir.file(QStringLiteral("A/Skin/Background.png")));
    EXPECT_EQ(pictures.picture(SkinPictures::Background).size(), QSize(40, 30));
}

TEST(EmulatorPicture, OwnNameComesBeforeLoading)
{
    TempDir dir;
    const QString root = dir.mkdir(QStringLiteral("Config"));
    dir.write(QStringLiteral("Config/Amiga/Skin/Loading.png"), "x");
    dir.write(QStringLiteral("Config/Amiga/Skin/Amiga.jpg"), "x");
    dir.write(QStringLiteral("Config/C64/Skin/Loading.gif"), "x");
    dir.write(QStringLiteral("Config/C64/Skin/C64 Box.png"), "x");  // not "C64.*"
    dir.write(QStringLiteral("Config/Empty/Skin/Skin.ini"), "[Settings]\r\n");
    EXPECT_EQ(Skin::FindEmulatorPicture(root, QStringLiteral("Amiga")), dir.file(QStringLiteral("Config/Amiga/Skin/Amiga.jpg")));
    EXPECT_EQ(Skin::FindEmulatorPicture(root, QStringLiteral("C64")), dir.file(QStringLiteral("Config/C64/Skin/Loading.gif")));
    for (const char* none : {"Empty", "Missing", ""})
        EXPECT_EQ(Skin::FindEmulatorPicture(root, QString::fromLatin1(none)), QString()) << none;
}

TEST(SkinPictures, FoldersAndPicturesNamedInWindows1252AreFoundAndLoaded)
{
    // A profile folder and an emulator picture copied from Windows keep
    // their Windows-1252 bytes ("Spiele f\xFCr Amiga", "M\xE4me.png").
    TempDir dir;
    const QByteArray root = encodeFileName(dir.mkdir(QStringLiteral("Config")));
    const QByteArray profile = root + "Spiele f\xFCr Amiga";
    auto put = [](const QByteArray& path, const QByteArray& bytes) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << path.constData();
        ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
        ::close(fd);
    };
    ASSERT_EQ(::mkdir(profile.constData(), 0755), 0);
    ASSERT_EQ(::mkdir((profile + "/skin").constData(), 0755), 0);
    put(profile + "/skin/Background.png", picture(QSize(50, 40), "PNG"));
    put(profile + "/skin/Settings.bmp", picture(QSize(7, 5), "BMP"));
    ASSERT_EQ(::mkdir((root + "M\xE4me").constData(), 0755), 0);
    ASSERT_EQ(::mkdir((root + "M\xE4me/Skin").constData(), 0755), 0);
    put(root + "M\xE4me/Skin/M\xE4me.png", picture(QSize(12, 34), "PNG"));

    const QString start = decodeFileName(profile) + u'/';
    EXPECT_EQ(Skin::SkinFolder(start), start + QStringLiteral("skin/"));
    SkinPictures pictures;
    pictures.load(start);
    EXPECT_FALSE(pictures.isBuiltin(SkinPictures::Background));
    EXPECT_EQ(pictures.picture(SkinPictures::Background).size(), QSize(50, 40));
    EXPECT_EQ(Skin::LoadPicture(Skin::FindPictureFile(Skin::SkinFolder(start), QStringLiteral("Settings"))).size(),
              QSize(7, 5));

    const QString emu = decodeFileName(QByteArrayView("M\xE4me"));
    const QString own = Skin::FindEmulatorPicture(decodeFileName(root), emu);
    EXPECT_EQ(encodeFileName(own), root + "M\xE4me/Skin/M\xE4me.png");
    EXPECT_EQ(Skin::LoadPicture(own).size(), QSize(12, 34));
    EXPECT_TRUE(Skin::LoadPicture(start + QStringLiteral("skin/missing.png")).isNull());
}

TEST(SkinFile, DefaultsAreUsedAndStoredExceptTheEmptyDownloadAddress)
{
    TempDir dir;
    dir.mkdir(QStringLiteral("Emu/Skin"));
    const QString ini = Skin::SkinIniPath(dir.file(QStringLiteral("Emu/")));
    EXPECT_EQ(ini, dir.file(QStringLiteral("Emu/Skin/Skin.ini")));
    for (int read = 0; read < 2; ++read) {  // the first read creates the file, the second fills it
        EXPECT_EQ(Skin::BackColor(ini), 0xbc5200);
        EXPECT_EQ(Skin::FontColor(ini), 0xffffff);
    }
    QString tip;
    EXPECT_EQ(Skin::getEmuDownloadPath(ini, tip), QString());
    EXPECT_EQ(tip, QStringLiteral("Arvex 1.2 Download: "));
    const auto stored = [&](const char* key) {
        return GetPrivateProfileString(QStringLiteral("Settings"), QString::fromLatin1(key), ini);
    };
    EXPECT_EQ(stored("BackColor"), QStringLiteral("#0052bc"));
    EXPECT_EQ(stored("FontColor"), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(stored("TitleString"), QStringLiteral("Arvex 1.2"));
    EXPECT_FALSE(QString::fromUtf8(dir.read(QStringLiteral("Emu/Skin/Skin.ini"))).contains(QStringLiteral("DownloadURL")));
}

TEST(SkinFile, ValuesAreReadBadColoursGiveDefaultsAndTheTipDropsHttp)
{
    TempDir dir;
    QString ini = dir.write(QStringLiteral("Skin.ini"),
                            "[Settings]\r\nBackColor=#102030\r\nFontColor=#e0e0e0\r\n"
                            "TitleString=Amiga Corner\r\nDownloadURL=http://www.example.org/amiga\r\n");
    EXPECT_EQ(Skin::BackColor(ini), 0x302010);
    EXPECT_EQ(Skin::FontColor(ini), 0xe0e0e0);
    QString tip;
    EXPECT_EQ(Skin::getEmuDownloadPath(ini, tip), QStringLiteral("http://www.example.org/amiga"));
    EXPECT_EQ(tip, QStringLiteral("Amiga Corner Download: www.example.org/amiga"));

    for (const char* bad : {"zzzzzz", "#12", "blue"}) {
        ini = dir.write(QStringLiteral("Bad.ini"), QByteArray("[Settings]\r\nBackColor=") + bad
                                                       + "\r\nFontColor=" + bad + "\r\n");
        EXPECT_EQ(Skin::BackColor(ini), 0xbc5200) << bad;
        EXPECT_EQ(Skin::FontColor(ini), 0xffffff) << bad;
    }
}

} // namespace
