#include "library/FileNames.h"
#include "library/GameListModel.h"
#include "library/LibraryTestSupport.h"
#include "library/PreviewPictures.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QByteArray encoded(const char* format, QSize size = QSize(40, 30))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 40x30 GIF (Qt reads GIF but cannot write it).
const QByteArray kGif = QByteArray::fromHex(
    "47494638396128001e00f0000000800000000021f90400000000002c0000000028001e0000022184"
    "8fa9cbed0fa39cb4da8bb3debcfb0f86e24896e689a6eacab6ee0bc7f24c7305003b");

} // namespace

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folders.profileFolder = dir.mkdir("Config/Amiga");
        folders.gameFolder = dir.mkdir("Roms/Amiga");
        folders.emulatorFolder = dir.mkdir("Emu");
    }
    TempDir dir;
    PreviewFolders folders;
};

TEST_F(PreviewTest, TheEightPlacesAreTriedInOrder)
{
    const QString game = QStringLiteral("Zool (1992)(Gremlin).adf");
    // Filled from the last place to the first; each step the earlier place must win.
    const struct {
        const char* file;
    } places[] = {
        {"Roms/Amiga/Zool (1992)(Gremlin).gif"},   {"Emu/pictures/Zool (1992)(Gremlin).bmp"},
        {"Emu/Titles/Zool (1992)(Gremlin)_t.png"}, {"Roms/TITLES/Zool (1992)(Gremlin).png"},
        {"Roms/snap/Zool (1992)(Gremlin)-1.png"},  {"Roms/Amiga/Zool (1992)(Gremlin).PNG"},
        {"Roms/Amiga/Zool (1992)(Gremlin).jpg"},   {"Config/Amiga/Pictures/Zool (1992)(Gremlin).jpeg"},
    };
    EXPECT_EQ(FindPreviewPicture(game, folders), QString());
    for (const auto& p : places) {
        const QString expected = dir.write(QString::fromUtf8(p.file), "x");
        EXPECT_EQ(FindPreviewPicture(game, folders), expected) << p.file;
    }
}

TEST_F(PreviewTest, ExactFolderNameWinsOverOtherCase)
{
    dir.write("Roms/SNAP/Game.png", "x");
    EXPECT_EQ(FindPreviewPicture("Game.adf", folders), dir.file("Roms/SNAP/Game.png"));
    dir.write("Roms/snap/Game.png", "x");
    EXPECT_EQ(FindPreviewPicture("Game.adf", folders), dir.file("Roms/snap/Game.png"));
    EXPECT_EQ(FixedFolder(dir.file("Roms"), "Snap"), dir.file("Roms/SNAP/"));
    EXPECT_EQ(FixedFolder(dir.file("Roms"), "Titles"), QString());
}

TEST_F(PreviewTest, ShowPreviewFallsBackToTheSharedStemAndTheEmulatorPicture)
{
    const QString disk2 = folders.gameFolder + "Lotus II (1991)(Gremlin)(Disk 2 of 2).adf";
    EXPECT_TRUE(ShowPreview(disk2, folders).picture.isEmpty());
    EXPECT_TRUE(QFileInfo(folders.profileFolder + "Pictures").isDir()); // created on request

    const QString fallback = dir.write("Config/Amiga/Pictures/Amiga.png", "x");
    EXPECT_EQ(ShowPreview(disk2, folders).picture, fallback);
    const QString shared = dir.write("Roms/Amiga/Lotus II (1991).jpg", "x");
    EXPECT_EQ(ShowPreview(disk2, folders).picture, shared);
    const QString own = dir.write("Roms/Amiga/Lotus II (1991)(Gremlin)(Disk 2 of 2).png", "x");
    EXPECT_EQ(ShowPreview("\"" + disk2 + "\"", folders).picture, own);

    const PreviewChoice none = ShowPreview(QString(), folders);
    EXPECT_TRUE(none.hideArea);
    EXPECT_TRUE(none.picture.isEmpty());
}

TEST_F(PreviewTest, PicturesWithRawByteNamesAreFoundAndLoaded)
{
    ASSERT_TRUE(touchRaw(QFile::encodeName(folders.gameFolder), "\xe4pfel.png", encoded("PNG")));
    const PreviewChoice c = ShowPreview(folders.gameFolder + decodeFileName("\xe4pfel.adf"), folders);
    ASSERT_FALSE(c.picture.isEmpty());
    EXPECT_FALSE(LoadVorschauImageFromPAth(c.picture).isNull());
}

TEST_F(PreviewTest, EveryFormatLoadsAndBrokenFilesGiveNoPicture)
{
    for (const char* format : {"PNG", "JPEG", "BMP"}) {
        const QByteArray bytes = encoded(format, QSize(320, 200));
        const QString good = dir.write(QStringLiteral("ok.%1").arg(format), bytes);
        const QImage image = LoadVorschauImageFromPAth(good);
        EXPECT_EQ(image.size(), QSize(320, 200)) << format;
        const QString cut = dir.write(QStringLiteral("cut.%1").arg(format), bytes.left(bytes.size() * 2 / 3));
        EXPECT_TRUE(LoadVorschauImageFromPAth(cut).isNull()) << format;
    }
    EXPECT_EQ(LoadVorschauImageFromPAth(dir.write("ok.gif", kGif)).size(), QSize(40, 30));
    EXPECT_TRUE(LoadVorschauImageFromPAth(dir.write("cut.gif", kGif.left(50))).isNull());
    // The extension does not decide: a PNG named .JPG still loads, text named .png does not.
    EXPECT_FALSE(LoadVorschauImageFromPAth(dir.write("real.JPG", encoded("PNG"))).isNull());
    EXPECT_TRUE(LoadVorschauImageFromPAth(dir.write("text.png", "not a picture at all")).isNull());
    EXPECT_TRUE(LoadVorschauImageFromPAth(dir.write("empty.png", "")).isNull());
    EXPECT_TRUE(LoadVorschauImageFromPAth(dir.file("missing.png")).isNull());
    EXPECT_TRUE(LoadVorschauImageFromPAth(dir.mkdir("folder.png")).isNull());
}

TEST(PreviewScaling, KeepsTheAspectRatio)
{
    EXPECT_EQ(PreviewTargetSize({400, 200}, {100, 100}), QSize(100, 50));
    EXPECT_EQ(PreviewTargetSize({200, 400}, {100, 100}), QSize(50, 100));
    EXPECT_EQ(PreviewTargetSize({50, 25}, {200, 200}), QSize(200, 100));
    EXPECT_EQ(PreviewTargetSize({1000, 1}, {100, 100}), QSize(100, 1));
    EXPECT_TRUE(PreviewTargetSize({0, 0}, {100, 100}).isEmpty());
    EXPECT_TRUE(PreviewTargetSize({10, 10}, {0, 100}).isEmpty());
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    EXPECT_EQ(ScalePreview(image, {100, 100}).size(), QSize(100, 50));
    EXPECT_TRUE(ScalePreview(QImage(), {100, 100}).isNull());
}

TEST(GameListModelTest, ShowsASnapshotReplacedInOneReset)
{
    GameListModel model;
    QStringList names;
    for (int i = 0; i < 30000; ++i)
        names.append(QStringLiteral("Game %1").arg(i));
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    model.setNames(names);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.rowCount(), 30000);
    EXPECT_EQ(model.data(model.index(29999)).toString(), QStringLiteral("Game 29999"));
    EXPECT_FALSE(model.data(model.index(30000)).isValid());
    EXPECT_EQ(model.rowCount(model.index(0)), 0);
    model.setNames({});
    EXPECT_EQ(model.rowCount(), 0);
}
