#include "library/FileNames.h"
#include "library/FileScanRecursive.h"
#include "library/LibraryTestSupport.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

TEST(PreParePath, NormalisesAsTheTableSays)
{
    const struct {
        QString in, out;
    } rows[] = {
        {QStringLiteral("  \"/games/a b\"  "), QStringLiteral("/games/a b/")},
        {QStringLiteral("/games"), QStringLiteral("/games/")},
        {QStringLiteral("/games/"), QStringLiteral("/games/")},
        {QStringLiteral("C:\\Games"), QStringLiteral("C:\\Games\\")},
        {QStringLiteral("C:\\Games\\"), QStringLiteral("C:\\Games\\")},
        {QStringLiteral(" \" /x \" "), QStringLiteral("/x/")},
        {QString(), QString()},
        {QStringLiteral("\""), QString()},
        {QStringLiteral("\"  \""), QString()},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FileScanRecursive::PreParePath(r.in), r.out) << r.in.toStdString();
}

TEST(FileNames, RawBytesSurviveDecodeAndEncode)
{
    const QByteArray samples[] = {QByteArray("plain.adf"), QByteArray("\xc3\xa4pfel.adf"),
                                  QByteArray("\xe4pfel.adf"), QByteArray("a\xff\xfe\xc3.adf"),
                                  QByteArray("\xed\xa0\x80x")};
    for (const QByteArray& b : samples)
        EXPECT_EQ(encodeFileName(decodeFileName(b)), b) << b.toHex().toStdString();
    EXPECT_EQ(decodeFileName(QByteArray("\xc3\xa4")), QStringLiteral("ä"));
}

TEST(FileNames, WildcardsIgnoreCaseAndFollowTheListerRules)
{
    const struct {
        const char* patterns;
        const char* name;
        bool match;
    } rows[] = {
        {"*.adf", "Game.ADF", true},   {"*.adf", "game.adz", false}, {"*.adf;*.dms", "x.Dms", true},
        {"*.*", "README", true},       {"a?c.*", "abc.txt", true},   {"a?c.*", "ac.txt", false},
        {"game*.*", "game", true},     {"", "x.adf", false},         {" *.adf ; ", "x.adf", true},
        {"*[cr]*", "x[cr].adf", true}, {"T*s.adf", "Tetris.adf", true},
    };
    for (const auto& r : rows)
        EXPECT_EQ(WildcardList(QString::fromLatin1(r.patterns)).matches(QString::fromLatin1(r.name)), r.match)
            << r.patterns << " " << r.name;
}

class ScanTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingHost host;
    FileScanRecursive scan{host};
    ScriptedPrompt prompt;
};

TEST_F(ScanTest, CollectsMatchingFilesSortedAndSkipsDotFiles)
{
    dir.write("b.ADF");
    dir.write("a.adf");
    dir.write("sub/C.adf");
    dir.write("sub/d.dms");
    dir.write("sub/deeper/e.adf");
    dir.write(".hidden.adf");
    dir.write(".dotdir/f.adf");
    dir.write("z.txt");
    QString path = dir.path();
    const auto n = scan.ScanFiles(path, QStringLiteral("*.adf;*.dms"), QStringLiteral("x "));
    const QString p = dir.path();
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, 5);
    EXPECT_EQ(scan.Result_list(), (QStringList{p + "a.adf", p + "b.ADF", p + "sub/C.adf", p + "sub/d.dms",
                                               p + "sub/deeper/e.adf"}));
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(ScanTest, NoMatchGivesZeroAndRestoresTheProgressCaption)
{
    dir.write("sub/a.txt");
    host.setStatusText(QStringLiteral("before"));
    QString path = QStringLiteral("  \"") + dir.path() + QStringLiteral("\" ");
    const auto n = scan.ScanFiles(path, QStringLiteral("*.adf"), QStringLiteral("adf "),
                                  FileScanRecursive::ProgressTarget::StatusLabel);
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, 0);
    EXPECT_EQ(path, dir.path()); // the caller's variable receives the normalised path
    EXPECT_EQ(host.statusText(), QStringLiteral("before"));
    EXPECT_TRUE(host.statuses.contains(QStringLiteral("before")));
}

TEST_F(ScanTest, MissingOrMalformedFolderReportsDirectoryNotFound)
{
    for (const QString& bad : {dir.file("missing"), QStringLiteral("\""), QString(), dir.write("file.adf")}) {
        prompt.clear();
        QString path = bad;
        EXPECT_FALSE(scan.ScanFiles(path, QStringLiteral("*.*"), QString()).has_value());
        ASSERT_EQ(prompt.count(), 1) << bad.toStdString();
        EXPECT_EQ(prompt.lastText(), QStringLiteral("Error: Directory not found!"));
        EXPECT_TRUE(scan.Result_list().isEmpty());
    }
}

TEST_F(ScanTest, StopsAtTheScanLimitWithAbbruch)
{
    // 4 folders of 8,010 empty files: 32,040 candidates.
    for (int d = 0; d < 4; ++d) {
        const QByteArray folder = QFile::encodeName(dir.mkdir(QStringLiteral("d%1").arg(d)));
        for (int i = 0; i < 8010; ++i)
            ASSERT_TRUE(touchRaw(folder, QByteArray::number(i) + ".adf"));
    }
    // A clock that has always moved on by the progress interval.
    qint64 ms = 0;
    scan.setProgressClock([&] { return ms += FileScanRecursive::kProgressIntervalMs; });
    QString path = dir.path();
    const auto n = scan.ScanFiles(path, QStringLiteral("*.adf"), QStringLiteral("s "),
                                  FileScanRecursive::ProgressTarget::StatusLabel);
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, FileScanRecursive::kScanLimit);
    EXPECT_EQ(scan.Result_list().size(), FileScanRecursive::kScanLimit);
    EXPECT_EQ(host.statusText(), QStringLiteral("Abbruch!"));
    EXPECT_EQ(host.beeps(), 1);
    // Progress ran inside the folders too, with the running total.
    EXPECT_TRUE(host.statuses.contains(QStringLiteral("s 8011")));
    EXPECT_GT(host.eventRuns(), 300);
}

TEST_F(ScanTest, SymlinkLoopsAndUnreadableFoldersEndTheScan)
{
    dir.write("real/a.adf");
    dir.write("real/inner/b.adf");
    ASSERT_EQ(::symlink("..", QFile::encodeName(dir.file("real/inner/up")).constData()), 0);
    ASSERT_EQ(::symlink(".", QFile::encodeName(dir.file("real/self")).constData()), 0);
    ASSERT_EQ(::symlink("missing", QFile::encodeName(dir.file("real/broken.adf")).constData()), 0);
    dir.write("locked/c.adf");
    ::chmod(QFile::encodeName(dir.file("locked")).constData(), 0);
    QString path = dir.file("real");
    const auto n = scan.ScanFiles(path, QStringLiteral("*.adf"), QString());
    QString all = dir.path();
    const auto m = scan.ScanFiles(all, QStringLiteral("*.adf"), QString());
    ::chmod(QFile::encodeName(dir.file("locked")).constData(), 0755);
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, 2); // every real folder once, the broken link skipped
    ASSERT_TRUE(m.has_value());
    EXPECT_TRUE(scan.Result_list().contains(dir.file("real/a.adf")));
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(ScanTest, OddFileNamesAreFoundAndStillOpen)
{
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray names[] = {"\xe4pfel (1990).adf", "quote \"it\" $HOME; [cr].adf", "new\nline.adf",
                                "\xc3\xbc utf8.adf", "it's.adf"};
    for (const QByteArray& n : names)
        ASSERT_TRUE(touchRaw(folder, n));
    QString path = dir.path();
    ASSERT_EQ(scan.ScanFiles(path, QStringLiteral("*.adf"), QString()).value_or(-1), 5);
    for (const QString& found : scan.Result_list())
        EXPECT_TRUE(isRegularFile(found)) << found.toStdString();
}

TEST_F(ScanTest, BreakScanBetweenFoldersGivesNoResult)
{
    dir.write("one/a.adf");
    dir.write("two/b.adf");
    host.onEvents = [this] { scan.BreakScan(); };
    QString path = dir.path();
    EXPECT_FALSE(scan.ScanFiles(path, QStringLiteral("*.adf"), QString()).has_value());
    // A new scan clears the flag again.
    host.onEvents = nullptr;
    EXPECT_EQ(scan.ScanFiles(path, QStringLiteral("*.adf"), QString()).value_or(-1), 2);
}

TEST_F(ScanTest, BreakScanWhileListingFilesStopsWithAbbruch)
{
    for (int i = 0; i < 5; ++i)
        dir.write(QStringLiteral("f%1.adf").arg(i));
    host.onEvents = [this] { scan.BreakScan(); };
    QString path = dir.path();
    const auto n = scan.ScanFiles(path, QStringLiteral("*.adf"), QString());
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, 2); // events run after the first file; the second one sees the flag
    EXPECT_EQ(host.titleText(), QStringLiteral("Abbruch!"));
}

TEST_F(ScanTest, ProgressFollowsTheClockAndCountsTheRunningTotal)
{
    // Four folders of five files: progress must not depend on the folders.
    for (int d = 0; d < 4; ++d)
        for (int f = 0; f < 5; ++f)
            dir.write(QStringLiteral("d%1/f%2.adf").arg(d).arg(f));
    const QString title = QStringLiteral("*.adf searching... ");
    qint64 ms = 0;
    qint64 step = 0;
    scan.setProgressClock([&] { return ms += step; });
    int runs = 0;
    host.onEvents = [&] { ++runs; };

    struct Row {
        const char* what;
        qint64 step; // milliseconds the clock moves between two readings
        int eventRuns;
    } const rows[] = {
        {"a stopped clock: only the first check reports", 0, 1},
        {"just under the interval: every second check", FileScanRecursive::kProgressIntervalMs / 2, 13},
        {"the interval or more: every check", FileScanRecursive::kProgressIntervalMs, 25},
    };
    for (const Row& r : rows) {
        step = r.step;
        runs = 0;
        host.statuses.clear();
        QString path = dir.path();
        ASSERT_EQ(scan.ScanFiles(path, QStringLiteral("*.adf"), title, FileScanRecursive::ProgressTarget::StatusLabel)
                      .value_or(-1),
                  20)
            << r.what;
        EXPECT_EQ(runs, r.eventRuns) << r.what;
        // One caption per event run, then the remembered caption back.
        ASSERT_EQ(host.statuses.size(), r.eventRuns + 1) << r.what;
        int last = -1;
        for (qsizetype i = 0; i + 1 < host.statuses.size(); ++i) {
            const QString& caption = host.statuses.at(i);
            ASSERT_TRUE(caption.startsWith(title)) << r.what << caption.toStdString();
            const int count = caption.mid(title.size()).toInt();
            EXPECT_GE(count, last) << r.what << ": totals never start again per folder";
            last = count;
        }
        if (r.eventRuns == 25) {
            EXPECT_EQ(last, 20) << r.what;
        }
    }
}

TEST_F(ScanTest, ProgressKeepsItsPaceInsideOneLargeFolder)
{
    // One flat folder of 3,000 games: events run, with the count found so
    // far, while the folder is still being read (before any result is kept).
    for (int f = 0; f < 3000; ++f)
        ASSERT_TRUE(touchRaw(encodeFileName(dir.path()), QByteArray("game ") + QByteArray::number(f) + ".adf"));
    const QString title = QStringLiteral("*.adf searching... ");
    qint64 ms = 0;
    scan.setProgressClock([&] { return ms += FileScanRecursive::kProgressIntervalMs; });
    QList<int> shownWhileReading;
    host.onEvents = [&] {
        if (scan.Result_list().isEmpty())
            shownWhileReading.append(host.statusText().mid(title.size()).toInt());
    };
    QString path = dir.path();
    ASSERT_EQ(scan.ScanFiles(path, QStringLiteral("*.adf"), title, FileScanRecursive::ProgressTarget::StatusLabel)
                  .value_or(-1),
              3000);
    // One check per 1,024 entries read, each with the running count.
    ASSERT_GE(shownWhileReading.size(), 2);
    EXPECT_GT(shownWhileReading.first(), 0);
    EXPECT_GT(shownWhileReading.last(), 2000);
    EXPECT_TRUE(std::is_sorted(shownWhileReading.begin(), shownWhileReading.end()));
    EXPECT_TRUE(std::is_sorted(scan.Result_list().begin(), scan.Result_list().end(), listBoxLess));
}

TEST_F(ScanTest, ScanDirsListsEveryFolderWithSeparator)
{
    dir.mkdir("b/c");
    dir.mkdir("a");
    dir.mkdir(".git/x");
    dir.write("file.adf");
    host.setTitleText(QStringLiteral("caption"));
    QString path = dir.path();
    const auto n = scan.ScanDirs(path, QStringLiteral("dirs "));
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, 3);
    EXPECT_EQ(scan.Result_list(), (QStringList{dir.file("a/"), dir.file("b/"), dir.file("b/c/")}));
    EXPECT_EQ(host.titleText(), QStringLiteral("caption"));
}
