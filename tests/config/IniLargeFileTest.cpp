// Large settings files: read by the same rules as small ones, wherever their
// lines fall in the chunks they are scanned in; files too large or too odd to
// be settings files give the defaults and are never written into.
#include "config/Ini.h"
#include "config/IniScan.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QString S = QStringLiteral("Settings");

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Lines without "[" or "=", of varying length, in the given encoding: they
// push the settings lines across the scanner's chunk borders.
QByteArray filler(qsizetype bytes, bool utf8, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out;
    const char* const ends[] = {"\r\n", "\n", "\r"};
    while (out.size() < bytes) {
        const int length = rng.bounded(1, 300);
        for (int i = 0; i < length; ++i)
            out += (i % 7 == 3) ? (utf8 ? QByteArray("\xC3\xA4") : QByteArray("\xE4")) : QByteArray(1, char('a' + i % 26));
        out += ends[rng.bounded(3)];
    }
    return out;
}

// The settings lines a large file carries between its filler; `eol` is how
// they end. Covers sections repeated, keys repeated or outside a section,
// quotes, blanks, case, and a value long enough to be cut.
QList<QByteArray> settingsLines(bool utf8)
{
    const QByteArray umlaut = utf8 ? "\xC3\xBC" : "\xFC";
    return {
        "Outside=before any section",
        "[Settings]",
        "  Name  =  \"Quoted value\"  ",
        "name=second of a duplicate",
        "Path=./Games/Gr" + umlaut + "n",
        "Long=" + QByteArray(400, 'v'),
        "Empty=",
        "  [ Other ]  ",
        "Name=other section",
        "[settings]",
        "Late=in a repeated section",
        "[Third",
        "Unclosed=section without its bracket",
    };
}

QByteArray assemble(const QList<QByteArray>& lines, bool utf8, bool bom, qsizetype fillerBytes, quint32 seed)
{
    QByteArray out = bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out += lines.at(i) + "\r\n";
        if (fillerBytes > 0)
            out += filler(fillerBytes, utf8, seed + quint32(i));
    }
    return out;
}

TEST(IniLargeFile, ReadsEveryKeyAsTheSmallFileReaderDoes)
{
    TempDir dir;
    const struct {
        const char* what;
        bool utf8;
        bool bom;
        qsizetype filler; // bytes of filler after each settings line
    } rows[] = {
        {"UTF-8, lines across chunk borders", true, false, 200 << 10},
        {"UTF-8 with BOM", true, true, 150 << 10},
        {"Windows-1252", false, false, 200 << 10},
        {"Windows-1252 with BOM", false, true, 90 << 10},
    };
    const char* const keys[][2] = {
        {"Settings", "Name"}, {"Settings", "NAME"}, {"Settings", "Path"}, {"Settings", "Long"},
        {"Settings", "Empty"}, {"Settings", "Outside"}, {"Settings", "Late"}, {"Other", "Name"},
        {"other", "name"}, {"Third", "Unclosed"}, {"Missing", "Name"}, {"Settings", "Missing"},
    };
    for (const auto& row : rows) {
        const QList<QByteArray> lines = settingsLines(row.utf8);
        const QString small = dir.file(QStringLiteral("small.ini"));
        const QString large = dir.file(QStringLiteral("large.ini"));
        writeFile(small, assemble(lines, row.utf8, row.bom, 0, 1));
        writeFile(large, assemble(lines, row.utf8, row.bom, row.filler, 7));
        ASSERT_GE(QFileInfo(large).size(), IniScan::kLargeFileBytes) << row.what;
        ASSERT_LT(QFileInfo(small).size(), IniScan::kLargeFileBytes) << row.what;
        for (const auto& k : keys) {
            const QString section = QString::fromLatin1(k[0]);
            const QString key = QString::fromLatin1(k[1]);
            EXPECT_EQ(GetPrivateProfileString(section, key, large), GetPrivateProfileString(section, key, small))
                << row.what << ": " << k[0] << "/" << k[1];
        }
        // Spot checks, so that both readers being wrong alike is caught too.
        EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Name"), large), QStringLiteral("Quoted value")) << row.what;
        EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Path"), large), QStringLiteral("./Games/Grün")) << row.what;
        EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Long"), large), QString(149, u'v')) << row.what;
        EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Late"), large), QString()) << row.what;
    }
}

TEST(IniLargeFile, LinesAndLettersCutByTheChunkBorderAreReadWhole)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("arvex.ini"));
    const QByteArray settings = "[Settings]\r\nName=Gr\xC3\xBCn\r\nPath=./x\r\n";
    // The border falls at every byte of the settings lines in turn.
    for (qsizetype at = 1; at < settings.size(); ++at) {
        QByteArray content(IniScan::kChunkBytes - at, 'a');
        content[content.size() - 1] = '\n';
        content[content.size() - 3] = '\xC3'; // an umlaut just before the border, too
        content[content.size() - 2] = '\xA4';
        content += settings + filler(4096, true, 5);
        writeFile(file, content);
        EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Name"), file), QStringLiteral("Grün")) << at;
        EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Path"), file), QStringLiteral("./x")) << at;
    }
}

TEST(IniLargeFile, ReadsTheNewContentAfterEveryKindOfChange)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("arvex.ini"));
    writeFile(file, "[Settings]\r\nA=1\r\n" + filler(400 << 10, true, 3));
    EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("A"), file), QStringLiteral("1"));
    // Replaced by the settings writer (a new file under the old name).
    ASSERT_TRUE(WriteIniValue(S, QStringLiteral("A"), QStringLiteral("2"), file, true));
    EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("A"), file), QStringLiteral("2"));
    // Edited in place (one byte changed, a section added at the end).
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(14));
        ASSERT_EQ(f.write("3"), 1);
        ASSERT_TRUE(f.seek(f.size()));
        ASSERT_EQ(f.write("\r\n[Extra]\r\nB=4\r\n"), 16);
    }
    EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("A"), file), QStringLiteral("3"));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("Extra"), QStringLiteral("B"), file), QStringLiteral("4"));
    // Shrunk below the size that is scanned: read whole again.
    writeFile(file, "[Settings]\r\nA=5\r\n");
    EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("A"), file), QStringLiteral("5"));
}

TEST(IniLargeFile, NoSettingsFileGivesDefaultsAndStaysUntouched)
{
    TempDir dir;
    QRandomGenerator rng(42);
    QByteArray binary(8 << 20, Qt::Uninitialized);
    rng.fillRange(reinterpret_cast<quint32*>(binary.data()), binary.size() / 4);
    const QByteArray settingsHead = "[Settings]\r\nFontsize=20\r\n";

    const struct {
        const char* what;
        QByteArray head;
        qint64 size; // grown to this size with a hole (zero bytes)
    } rows[] = {
        {"binary data", settingsHead + binary, 0},
        {"larger than any settings file", settingsHead, IniScan::kMaxFileBytes + 1},
        {"too many key lines", settingsHead + QByteArray("Key=a value of some length\n").repeated(IniScan::kMaxLines + 1), 0},
    };
    for (const auto& row : rows) {
        const QString file = dir.file(QStringLiteral("odd.ini"));
        writeFile(file, row.head);
        if (row.size > 0) {
            ASSERT_EQ(::truncate(QFile::encodeName(file).constData(), row.size), 0);
        }
        const QFileInfo before(file);
        EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Fontsize"), file), QString()) << row.what;
        EXPECT_EQ(ReadIniValue(S, QStringLiteral("Fontsize"), file, QStringLiteral("16"), true), QStringLiteral("16"))
            << row.what;
        EXPECT_EQ(ReadIniValue(S, QStringLiteral("UseJoystick"), file, QStringLiteral("1"), true), QStringLiteral("1"))
            << row.what;
        const QFileInfo after(file);
        EXPECT_EQ(after.size(), before.size()) << row.what;
        EXPECT_EQ(after.lastModified(), before.lastModified()) << row.what;
        QFile::remove(file);
    }
}

TEST(IniLargeFile, OverlongLinesAreNoSettingsLines)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("arvex.ini"));
    const QByteArray overlong = "Huge=" + QByteArray(IniScan::kMaxLineBytes, 'x');
    writeFile(file, filler(300 << 10, true, 9) + "[Settings]\r\n" + overlong + "\r\nAfter=yes\r\n" + overlong
                        + "\r\n[" + QByteArray(IniScan::kMaxLineBytes, 'y') + "]\r\nLast=in Settings\r\n");
    EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Huge"), file), QString());
    EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("After"), file), QStringLiteral("yes"));
    // An overlong section header starts no section either.
    EXPECT_EQ(GetPrivateProfileString(S, QStringLiteral("Last"), file), QStringLiteral("in Settings"));
}

} // namespace
