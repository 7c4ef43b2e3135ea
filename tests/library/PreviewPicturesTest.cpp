#include "library/FileNames.h"
#include "library/GameListModel.h"
#include "library/LibraryTestSupport.h"
#include "library/FolderIndex.h"
#include "library/PreviewPictures.h"
#include "library/PreviewWarmer.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QThread>
#include <gtest/gtest.h>

#include <cstring>
#include <dirent.h>
#include <latch>
#include <thread>
#include <sys/stat.h>


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

TEST_F(PreviewTest, AFolderIsReadAgainOnlyWhenItChanged)
{
    FolderIndex::clearCache();
    const QString game = folders.gameFolder;
    dir.write("Roms/Amiga/Zool.adf", "x");
    // A folder changed in the last two seconds is read at every look-up (a
    // change within the same clock tick would not show in its times); wait
    // until these are older than that.
    QThread::msleep(FolderIndex::kRacyNs / 1'000'000 + 100);
    EXPECT_EQ(FindPreviewPicture("Zool.adf", folders), QString());
    const int reads = FolderIndex::reads();
    EXPECT_EQ(FindPreviewPicture("Zool.adf", folders), QString());
    EXPECT_EQ(FindPreviewPicture("Zoo", folders), QString());
    EXPECT_EQ(FolderIndex::reads(), reads) << "unchanged folders are not read again";

    // Adding, renaming and removing entries are seen at once.
    dir.write("Roms/Amiga/Zool.jpg", "x");
    EXPECT_EQ(FindPreviewPicture("Zool.adf", folders), game + "Zool.jpg");
    ASSERT_TRUE(QFile::rename(game + "Zool.jpg", game + "Zool.png"));
    EXPECT_EQ(FindPreviewPicture("Zool.adf", folders), game + "Zool.png");
    ASSERT_TRUE(QFile::remove(game + "Zool.png"));
    EXPECT_EQ(FindPreviewPicture("Zool.adf", folders), QString());
    // A folder replaced by another of the same name is read anew.
    ASSERT_TRUE(QDir(game).removeRecursively());
    dir.write("Roms/Amiga/Zool.gif", "x");
    EXPECT_EQ(FindPreviewPicture("Zool.adf", folders), game + "Zool.gif");
}

TEST_F(PreviewTest, FoldersReadAheadServeTheLookUpsAndAreNeverReadTwiceAtOnce)
{
    // A folder large enough that reading it takes a while, so that the
    // threads below overlap.
    for (int i = 0; i < 4000; ++i)
        ASSERT_TRUE(touchRaw(encodeFileName(folders.gameFolder), QByteArray("Game ") + QByteArray::number(i) + ".adf"));
    const QString picture = dir.write("Config/Amiga/Pictures/Game 7.png", "x");
    dir.mkdir("Roms/snap");
    dir.mkdir("Emu/Titles");
    QThread::msleep(FolderIndex::kRacyNs / 1'000'000 + 100); // see AFolderIsReadAgainOnlyWhenItChanged

    // Eight threads asking for the same folder at once: one reads it, the
    // others wait and take that index.
    FolderIndex::clearCache();
    int reads = FolderIndex::reads();
    std::shared_ptr<const FolderIndex> got[8];
    {
        std::latch start(8);
        std::vector<std::jthread> threads;
        for (auto& index : got)
            threads.emplace_back([&] {
                start.arrive_and_wait();
                index = FolderIndex::of(folders.gameFolder);
            });
    }
    EXPECT_EQ(FolderIndex::reads(), reads + 1);
    for (const auto& index : got) {
        ASSERT_TRUE(index);
        EXPECT_EQ(index.get(), got[0].get());
    }
    EXPECT_EQ(got[0]->size(), 4000);

    // After reading ahead, look-ups in every place (a game without a
    // picture tries all eight) read no folder, and find what they found
    // without it.
    FolderIndex::clearCache();
    const QString expected = FindPreviewPicture("Game 7.adf", folders);
    EXPECT_EQ(expected, picture);
    FolderIndex::clearCache();
    {
        PreviewWarmer warmer;
        warmer.warm(folders);
        warmer.waitIdle();
        reads = FolderIndex::reads();
        EXPECT_EQ(FindPreviewPicture("Game 1.adf", folders), QString());
        EXPECT_EQ(FindPreviewPicture("Game 7.adf", folders), expected);
        EXPECT_EQ(FolderIndex::reads(), reads) << "every folder the look-ups use was read ahead";

        // A newer request replaces one not yet begun; the destructor joins
        // a worker that is still reading.
        FolderIndex::clearCache();
        warmer.warm(PreviewFolders{});
        warmer.warm(folders);
    }
    EXPECT_EQ(FindPreviewPicture("Game 7.adf", folders), expected);
}

TEST_F(PreviewTest, TheIndexFindsWhatAPlainScanOfTheFolderFinds)
{
    // Names with other case, wildcard characters, no extension, umlauts,
    // raw bytes and a sub-folder that matches the pattern too.
    const QStringList names{"Zool.jpg", "ZOOL 2.JPG", "zool.png", "Zool", "Zool*x.gif", "Zo?l.jpg",
                            QStringLiteral("Zöol.jpg"), QStringLiteral("ZÖOL.png"), "Z", "Zool.jpg.txt",
                            "a.jpg", "Zool (1990).jpg"};
    for (const QString& n : names)
        dir.write("Roms/Amiga/" + n, "x");
    ASSERT_TRUE(touchRaw(encodeFileName(folders.gameFolder), "Zool \xe4.jpg"));
    dir.mkdir("Roms/Amiga/Zool dir.jpg");
    const QStringList all = QDir(folders.gameFolder).entryList(QDir::Files);
    const auto index = FolderIndex::of(folders.gameFolder);
    ASSERT_TRUE(index);
    const QStringList patterns{"Zool*.jpg", "zool*.*", "ZO*", "Z?ol*.jpg", "*.gif", "zool*x*", "Zö*.*",
                               QStringLiteral("zÖol*.*"), "Zool \xe4*", "Zool dir*", "*", "nothing*", "Zool.jpg.*",
                               "Z*.*"};
    for (const QString& p : patterns) {
        QString expected;
        for (const QString& n : all) {
            const QString name = decodeFileName(encodeFileName(folders.gameFolder + n)).mid(folders.gameFolder.size());
            if (wildcardMatch(p, name) && (expected.isEmpty() || listBoxLess(name, expected)))
                expected = name;
        }
        EXPECT_EQ(index->firstFile(p), expected) << p.toStdString();
    }
}

TEST_F(PreviewTest, SubFoldersAreFoundAsAPlainScanOfTheFolderFindsThem)
{
    // Folders differing in case, umlauts in both cases, a raw byte, a
    // Kelvin sign (folds to "k"), and files named like folders.
    for (const QString& n : {QStringLiteral("snap"), QStringLiteral("SNAP"), QStringLiteral("Snap2"),
                             QStringLiteral("Über"), QStringLiteral("üBER"), QStringLiteral("\u212Aey"),
                             QStringLiteral("KEY"), QStringLiteral("Titles")})
        dir.mkdir("Roms/" + n);
    dir.write("Roms/Box", "x");
    dir.write("Roms/Titles2", "x");
    const QString base = dir.file("Roms/");
    ASSERT_EQ(::mkdir((encodeFileName(base) + "Sn\xe4p").constData(), 0755), 0);
    QStringList all; // the folders' names as the file system lists them
    DIR* d = ::opendir(encodeFileName(base).constData());
    ASSERT_TRUE(d);
    while (const dirent* e = ::readdir(d))
        if (e->d_type == DT_DIR && e->d_name[0] != '.')
            all << decodeFileName(QByteArrayView(e->d_name, qsizetype(std::strlen(e->d_name))));
    ::closedir(d);
    const auto index = FolderIndex::of(base);
    ASSERT_TRUE(index);
    for (const QString& want : {QStringLiteral("Snap"), QStringLiteral("snap"), QStringLiteral("SNAP"),
                                QStringLiteral("über"), QStringLiteral("ÜBER"), QStringLiteral("key"),
                                QStringLiteral("\u212AEY"), QStringLiteral("box"), QStringLiteral("titles2"),
                                QStringLiteral("TITLES"), decodeFileName("Sn\xe4p"), decodeFileName("SN\xe4P"),
                                QStringLiteral("Snap2 ")}) {
        QString expected;
        for (const QString& n : all) {
            if (n == want) {
                expected = n;
                break;
            }
            if (n.compare(want, Qt::CaseInsensitive) == 0 && (expected.isEmpty() || listBoxLess(n, expected)))
                expected = n;
        }
        EXPECT_EQ(index->subFolder(want), expected) << want.toStdString();
    }
}

TEST_F(PreviewTest, BitmapHeadersOfAnySizeAreCheckedWithoutOverflow)
{
    // 54-byte headers claiming enormous pictures: never complete, never a crash.
    auto bmp = [](quint32 width, quint32 height, quint16 bpp) {
        QByteArray b(54, '\0');
        b[0] = 'B';
        b[1] = 'M';
        auto put32 = [&](int at, quint32 v) {
            for (int i = 0; i < 4; ++i)
                b[at + i] = char(v >> (8 * i));
        };
        put32(10, 54);
        put32(14, 40);
        put32(18, width);
        put32(22, height);
        b[26] = 1;
        b[28] = char(bpp);
        b[29] = char(bpp >> 8);
        return b;
    };
    const QByteArray headers[] = {bmp(0x7FFFFFFF, 0x7FFFFFFF, 0xFFFF), bmp(0x7FFFFFFF, 0x80000000, 32),
                                  bmp(1, 0x7FFFFFFF, 24), bmp(0x10000000, 0x10000, 0x8000)};
    for (const QByteArray& h : headers)
        EXPECT_TRUE(LoadVorschauImageFromPAth(dir.write("huge.bmp", h)).isNull());
}
