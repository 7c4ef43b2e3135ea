// Skin look-ups on real folders: which picture file wins, when the built-in
// pictures come back, the emulator's picture in the long list, and the skin
// file's keys with their defaults.
#include "support/QtPrint.h"
#include "support/TempDir.h"
#include "ui/Skin.h"

#include "config/Ini.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// A small real picture file of the given size and format.
QByteArray picture(QSize size, const char* format, QColor colour = Qt::red)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST(SkinLookup, FolderNamesAreTriedExactlyThenIgnoringCase)
{
    TempDir dir;
    dir.mkdir(QStringLiteral("Emu/skin"));
    EXPECT_EQ(Skin::FindFolder(dir.file(QStringLiteral("Emu")), QStringLiteral("Skin")),
              dir.file(QStringLiteral("Emu/skin/")));
    dir.mkdir(QStringLiteral("Emu/Skin"));
    EXPECT_EQ(Skin::SkinFolder(dir.file(QStringLiteral("Emu/"))), dir.file(QStringLiteral("Emu/Skin/")));
    dir.write(QStringLiteral("Other/Skin"), "a file, not a folder");
    EXPECT_EQ(Skin::SkinFolder(dir.file(QStringLiteral("Other/"))), QString());
    EXPECT_EQ(Skin::SkinFolder(dir.file(QStringLiteral("Missing/"))), QString());
    EXPECT_EQ(Skin::SkinFolder(QString()), QString());
}

TEST(SkinLookup, PictureFilesMatchBaseNameWithAnyExtension)
{
    TempDir dir;
    const QString folder = dir.mkdir(QStringLiteral("Skin"));
    struct Case {
        QStringList files;
        const char* base;
        const char* expected;
    };
    const Case cases[] = {
        {{"Background.jpg"}, "Background", "Background.jpg"},
        {{"background.PNG"}, "Background", "background.PNG"},             // ignoring case
        {{"BackgroundTopRight.png"}, "Background", ""},                  // another base name
        {{"BackgroundTopRight.png", "Background.gif"}, "BackgroundTopRight", "BackgroundTopRight.png"},
        {{"Background.png", "Background.bmp"}, "Background", "Background.bmp"},  // name order
        {{"Background"}, "Background", "Background"},                   // no extension at all
        {{".Background.png"}, "Background", ""},                         // hidden
        {{"Background.old.png"}, "Background", "Background.old.png"},
        {{"Drivebox.png"}, "Background", ""},
        {{"MAME [x].png", "MAME x.png"}, "MAME [x]", "MAME [x].png"},    // brackets are literal
    };
    for (const Case& c : cases) {
        QDir(folder).removeRecursively();
        dir.mkdir(QStringLiteral("Skin"));
        for (const QString& f : c.files)
            dir.write(QStringLiteral("Skin/") + f, "x");
        const QString expected = *c.expected ? folder + QString::fromUtf8(c.expected) : QString();
        EXPECT_EQ(Skin::FindPictureFile(folder, QString::fromUtf8(c.base)), expected)
            << c.files.join(QLatin1Char(',')).toStdString();
    }
    dir.mkdir(QStringLiteral("Skin/Background.d"));
    EXPECT_EQ(Skin::FindPictureFile(folder, QStringLiteral("Background")), QString());  // folders never match
}

TEST(SkinPictures, WithoutSkinFolderTheBuiltInPicturesAreUsed)
{
    TempDir dir;
    const QString start = dir.mkdir(QStringLiteral("Config/Amiga"));
    SkinPictures pictures;
    pictures.load(start);
    for (auto slot : {SkinPictures::Background, SkinPictures::DriveBox, SkinPictures::TopRight}) {
        EXPECT_TRUE(pictures.isBuiltin(slot)) << slot;
        EXPECT_EQ(pictures.source(slot), SkinPictures::builtinFile(slot));
        EXPECT_FALSE(pictures.picture(slot).isNull()) << "built-in picture " << slot << " not compiled in";
    }
    // The top-right slot falls back to the built-in top-left panel.
    EXPECT_EQ(SkinPictures::builtinFile(SkinPictures::TopRight), QStringLiteral(":/arvex/OrgTopLeft.png"));
}

TEST(SkinPictures, BackgroundOnlyReplacesTheBackgroundAndRestoresTheTopRight)
{
    TempDir dir;
    dir.write(QStringLiteral("Config/A/Skin/Background.jpg"), picture(QSize(64, 48), "JPG"));
    dir.write(QStringLiteral("Config/A/Skin/BackgroundTopRight.png"), picture(QSize(30, 10), "PNG"));
    dir.write(QStringLiteral("Config/A/Skin/Drivebox.bmp"), picture(QSize(20, 20), "BMP"));
    dir.write(QStringLiteral("Config/B/Skin/Background.jpg"), picture(QSize(80, 60), "JPG"));

    SkinPictures pictures;
    pictures.load(dir.file(QStringLiteral("Config/A/")));
    EXPECT_EQ(pictures.source(SkinPictures::TopRight), dir.file(QStringLiteral("Config/A/Skin/BackgroundTopRight.png")));
    EXPECT_EQ(pictures.picture(SkinPictures::TopRight).size(), QSize(30, 10));
    EXPECT_EQ(pictures.picture(SkinPictures::DriveBox).size(), QSize(20, 20));

    pictures.load(dir.file(QStringLiteral("Config/B/")));
    EXPECT_EQ(pictures.source(SkinPictures::Background), dir.file(QStringLiteral("Config/B/Skin/Background.jpg")));
    EXPECT_EQ(pictures.picture(SkinPictures::Background).size(), QSize(80, 60));
    EXPECT_TRUE(pictures.isBuiltin(SkinPictures::TopRight));
    EXPECT_TRUE(pictures.isBuiltin(SkinPictures::DriveBox));  // not A's drive panel any more
    EXPECT_NE(pictures.picture(SkinPictures::TopRight).size(), QSize(30, 10));
}

TEST(SkinPictures, AnUndecodablePictureKeepsThePreviousOne)
{
    TempDir dir;
    dir.write(QStringLiteral("Config/A/Skin/Background.png"), picture(QSize(40, 30), "PNG"));
    dir.write(QStringLiteral("Config/B/Skin/Background.png"), "not a picture at all");
    dir.write(QStringLiteral("Config/C/Skin/Background.png"), picture(QSize(9, 9), "PNG").left(40));

    SkinPictures pictures;
    pictures.load(dir.file(QStringLiteral("Config/A/")));
    pictures.load(dir.file(QStringLiteral("Config/B/")));
    EXPECT_EQ(pictures.source(SkinPictures::Background), dir.file(QStringLiteral("Config/A/Skin/Background.png")));
    EXPECT_EQ(pictures.picture(SkinPictures::Background).size(), QSize(40, 30));
    pictures.load(dir.file(QStringLiteral("Config/C/")));  // truncated file
    EXPECT_EQ(pictures.picture(SkinPictures::Background).size(), QSize(40, 30));
}

TEST(SkinPictures, PictureFileNamesTheSkinFileOrTheBuiltIn)
{
    TempDir dir;
    dir.write(QStringLiteral("Emu/skin/DRIVEBOX.Png"), "x");
    const QString start = dir.file(QStringLiteral("Emu/"));
    EXPECT_EQ(SkinPictures::pictureFile(start, SkinPictures::DriveBox), dir.file(QStringLiteral("Emu/skin/DRIVEBOX.Png")));
    EXPECT_EQ(SkinPictures::pictureFile(start, SkinPictures::Background), SkinPictures::builtinFile(SkinPictures::Background));
}

TEST(EmulatorPicture, OwnNameComesBeforeLoading)
{
    TempDir dir;
    const QString root = dir.mkdir(QStringLiteral("Config"));
    dir.write(QStringLiteral("Config/Amiga/Skin/Loading.png"), "x");
    dir.write(QStringLiteral("Config/Amiga/Skin/Amiga.jpg"), "x");
    dir.write(QStringLiteral("Config/C64/Skin/Loading.gif"), "x");
    dir.write(QStringLiteral("Config/C64/Skin/C64 Box.png"), "x");  // not "C64.*"
    dir.mkdir(QStringLiteral("Config/Arcade"));
    dir.write(QStringLiteral("Config/Empty/Skin/Skin.ini"), "[Settings]\r\n");

    EXPECT_EQ(Skin::FindEmulatorPicture(root, QStringLiteral("Amiga")), dir.file(QStringLiteral("Config/Amiga/Skin/Amiga.jpg")));
    EXPECT_EQ(Skin::FindEmulatorPicture(root, QStringLiteral("C64")), dir.file(QStringLiteral("Config/C64/Skin/Loading.gif")));
    EXPECT_EQ(Skin::FindEmulatorPicture(root, QStringLiteral("Arcade")), QString());
    EXPECT_EQ(Skin::FindEmulatorPicture(root, QStringLiteral("Empty")), QString());
    EXPECT_EQ(Skin::FindEmulatorPicture(root, QStringLiteral("Missing")), QString());
    EXPECT_EQ(Skin::FindEmulatorPicture(root, QString()), QString());
}

TEST(SkinFile, KeysHaveTheirDefaultsAndColoursAreStored)
{
    TempDir dir;
    dir.mkdir(QStringLiteral("Emu/Skin"));
    const QString ini = Skin::SkinIniPath(dir.file(QStringLiteral("Emu/")));
    EXPECT_EQ(ini, dir.file(QStringLiteral("Emu/Skin/Skin.ini")));

    EXPECT_EQ(Skin::BackColor(ini), HexToColor(QStringLiteral("#0052bc")));
    EXPECT_EQ(Skin::FontColor(ini), 0xffffff);
    EXPECT_EQ(Skin::TitleString(ini), QStringLiteral("Arvex 1.2"));
    QString tip;
    EXPECT_EQ(Skin::getEmuDownloadPath(ini, tip), QString());
    EXPECT_EQ(tip, QStringLiteral("Arvex 1.2 Download: "));

    // The first read created the file; the next ones store the colour defaults.
    ASSERT_TRUE(QFileInfo::exists(ini));
    Skin::BackColor(ini);
    Skin::FontColor(ini);
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("Settings"), QStringLiteral("BackColor"), ini),
              QStringLiteral("#0052bc"));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("Settings"), QStringLiteral("FontColor"), ini),
              QStringLiteral("#FFFFFF"));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("Settings"), QStringLiteral("TitleString"), ini),
              QString());  // the title is not written
}

TEST(SkinFile, ValuesAreReadAndTheToolTipDropsHttp)
{
    TempDir dir;
    const QString ini = dir.write(QStringLiteral("Skin/Skin.ini"),
                                  "[Settings]\r\nBackColor=#102030\r\nFontColor=#e0e0e0\r\n"
                                  "TitleString=Amiga Corner\r\nDownloadURL=http://www.example.org/amiga\r\n");
    EXPECT_EQ(Skin::BackColor(ini), 0x302010);
    EXPECT_EQ(Skin::FontColor(ini), 0xe0e0e0);
    QString tip;
    EXPECT_EQ(Skin::getEmuDownloadPath(ini, tip), QStringLiteral("http://www.example.org/amiga"));
    EXPECT_EQ(tip, QStringLiteral("Amiga Corner Download: www.example.org/amiga"));
}

TEST(SkinFile, BadColourTextGivesTheDefaultColour)
{
    TempDir dir;
    for (const char* bad : {"zzzzzz", "#12", "blue", "#-10203"}) {
        const QString ini = dir.write(QStringLiteral("Skin.ini"),
                                      QByteArray("[Settings]\r\nBackColor=") + bad
                                          + "\r\nFontColor=" + bad + "\r\n");
        EXPECT_EQ(Skin::BackColor(ini), 0xbc5200) << bad;
        EXPECT_EQ(Skin::FontColor(ini), 0xffffff) << bad;
    }
}

} // namespace
