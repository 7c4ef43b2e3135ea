#include "config/Ini.h"
#include "config/TextFile.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString S = QStringLiteral("Settings");

QString read(const QString& file, const QString& key, const QString& section = S)
{
    return GetPrivateProfileString(section, key, file);
}

} // namespace

TEST(IniRead, FollowsTheProfileFormat)
{
    TempDir dir;
    const QString f = dir.write("a.ini",
                                "; comment\r\n"
                                "  [ settings ]  \r\n"
                                "  RomPath  =  ./Games/  \r\n"
                                "Quoted=\"  padded  \"\r\n"
                                "Half=\"open\r\n"
                                "Eq=a=b=c\r\n"
                                "dup=first\r\n"
                                "DUP=second\r\n"
                                "noequals line\r\n"
                                "[Other]\r\n"
                                "RomPath=other\r\n"
                                "[Settings]\r\n"
                                "Late=ignored\r\n");
    EXPECT_EQ(read(f, "rompath"), "./Games/");
    EXPECT_EQ(read(f, "ROMPATH", "SETTINGS"), "./Games/");
    EXPECT_EQ(read(f, "Quoted"), "  padded  ");
    EXPECT_EQ(read(f, "Half"), "\"open");
    EXPECT_EQ(read(f, "Eq"), "a=b=c");
    EXPECT_EQ(read(f, "Dup"), "first");
    EXPECT_EQ(read(f, "RomPath", "Other"), "other");
    EXPECT_EQ(read(f, "noequals line"), "");
    // Only the first section of a name is searched.
    EXPECT_EQ(read(f, "Late"), "");
    EXPECT_EQ(read(f, "Missing"), "");
    EXPECT_EQ(read(dir.file("none.ini"), "RomPath"), "");
}

TEST(IniRead, AcceptsEveryLineEndEncodingAndBom)
{
    TempDir dir;
    for (const QByteArray& eol : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        const QString f = dir.write("e.ini", "[Settings]" + eol + "A=1" + eol + "B=2" + eol);
        EXPECT_EQ(read(f, "A"), "1");
        EXPECT_EQ(read(f, "B"), "2");
    }
    // Windows-1252 umlauts and a stray BOM from a Windows editor.
    const QString cp = dir.write("cp.ini", "[Settings]\r\nTitle=Spi\xe9le f\xfcr \x80\r\n");
    EXPECT_EQ(read(cp, "Title"), QString::fromUtf8("Spiéle für €"));
    const QString bom = dir.write("bom.ini", "\xEF\xBB\xBF[Settings]\r\nA=ü\r\n");
    EXPECT_EQ(read(bom, "A"), QString::fromUtf8("ü"));
}

TEST(IniRead, CutsLongValuesAt149Characters)
{
    TempDir dir;
    const QString f = dir.write("l.ini", "[Settings]\r\nLong=" + QByteArray(300, 'v') + "\r\n");
    EXPECT_EQ(ReadIniValue(S, "Long", f, "", true), QString(149, u'v'));
}

TEST(IniWrite, ChangesOnlyItsOwnLine)
{
    TempDir dir;
    const QByteArray before = "; keep me\r\n"
                              "\r\n"
                              "[Settings]\n"
                              "junk without equals\r\n"
                              "A = 1\r\n"
                              "B=2\r"
                              "[Other]\r\n"
                              "A=x\r\n";
    const QString f = dir.write("w.ini", before);
    ASSERT_TRUE(WritePrivateProfileString(S, "a", "42", f));
    QByteArray expected = before;
    expected.replace("A = 1\r\n", "a=42\r\n");
    EXPECT_EQ(dir.read("w.ini"), expected);

    // A new key goes after the last key of its section, with the file's line end.
    ASSERT_TRUE(WritePrivateProfileString(S, "C", "", f));
    expected.replace("B=2\r", "B=2\rC=\r\n");
    EXPECT_EQ(dir.read("w.ini"), expected);
    EXPECT_EQ(read(f, "C"), "");

    // A new section goes at the end of the file.
    ASSERT_TRUE(WritePrivateProfileString("New", "K", "v", f));
    EXPECT_EQ(dir.read("w.ini"), expected + "[New]\r\nK=v\r\n");
}

TEST(IniWrite, CreatesFilesWithCrLfAndNeverInjectsLines)
{
    TempDir dir;
    const QString f = dir.file("n.ini");
    ASSERT_TRUE(WritePrivateProfileString(S, "Key", "line1\nInjected=1", f));
    EXPECT_EQ(dir.read("n.ini"), "[Settings]\r\nKey=line1 Injected=1\r\n");
    EXPECT_EQ(read(f, "Injected"), "");
}

TEST(IniWrite, KeepsWindows1252FilesReadable)
{
    TempDir dir;
    const QString f = dir.write("cp.ini", "[Settings]\r\nTitle=f\xfcr\r\n");
    ASSERT_TRUE(WritePrivateProfileString(S, "Other", QString::fromUtf8("Größe"), f));
    EXPECT_EQ(dir.read("cp.ini"), "[Settings]\r\nTitle=f\xfcr\r\nOther=Gr\xf6\xdf" "e\r\n");
    // A character outside Windows-1252 moves the whole file to UTF-8, umlauts intact.
    ASSERT_TRUE(WritePrivateProfileString(S, "Name", QString::fromUtf8("日本"), f));
    EXPECT_EQ(read(f, "Title"), QString::fromUtf8("für"));
    EXPECT_EQ(read(f, "Other"), QString::fromUtf8("Größe"));
    EXPECT_EQ(read(f, "Name"), QString::fromUtf8("日本"));
}

TEST(IniWrite, AWindows1252FileReadsTheSameAfterItsLastForeignByteIsReplaced)
{
    // "\xc3\xbc" is "Ã¼" in Windows-1252 and "ü" in UTF-8; the lone "\xfc" in
    // Path is what marks the file as Windows-1252, and the write replaces it.
    TempDir dir;
    const QString f = dir.write("cp.ini", "[Settings]\r\nName=\xc3\xbc" "ber\r\nPath=C:\\Sp\xfcle\r\n"
                                          "[\xc3\xbc]\r\nKey=1\r\n");
    ASSERT_EQ(read(f, "Name"), QString::fromUtf8("Ã¼ber"));
    ASSERT_TRUE(WritePrivateProfileString(S, "Path", "D:\\Games", f));
    EXPECT_EQ(read(f, "Path"), "D:\\Games");
    EXPECT_EQ(read(f, "Name"), QString::fromUtf8("Ã¼ber"));
    EXPECT_EQ(read(f, "Key", QString::fromUtf8("Ã¼")), "1");
    // Pure ASCII stays as it is.
    const QString plain = dir.write("plain.ini", "[Settings]\r\nPath=C:\\Sp\xfcle\r\n");
    ASSERT_TRUE(WritePrivateProfileString(S, "Path", "D:\\Games", plain));
    EXPECT_EQ(dir.read("plain.ini"), "[Settings]\r\nPath=D:\\Games\r\n");
}

TEST(IniWrite, MalformedContentNeverLosesOtherKeys)
{
    TempDir dir;
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char(QRandomGenerator::global()->bounded(256)));
    garbage.replace('\r', 'x').replace('\n', 'y');
    const QByteArray content = "[Settings]\r\nA=1\r\n[broken\r\n" + garbage + "\r\n"
                               + QByteArray(10 * 1024 * 1024, 'Z') + "\r\n[Settings2]\r\nB=2\r\n";
    const QString f = dir.write("m.ini", content);
    EXPECT_EQ(read(f, "A"), "1");
    EXPECT_EQ(read(f, "B", "Settings2"), "2");
    ASSERT_TRUE(WritePrivateProfileString("Settings2", "C", "3", f));
    EXPECT_EQ(read(f, "A"), "1");
    EXPECT_EQ(read(f, "B", "Settings2"), "2");
    EXPECT_EQ(read(f, "C", "Settings2"), "3");
    EXPECT_EQ(dir.read("m.ini").size(), content.size() + 5);
}

TEST(ReadIniValue, StoresDefaultsAndTreatsEmptyAsMissing)
{
    TempDir dir;
    const QString f = dir.file("g.ini");

    // Missing file: created empty with the flag, the default is not written yet.
    EXPECT_EQ(ReadIniValue(S, "Fontsize", f, "16", true), "16");
    ASSERT_TRUE(QFile::exists(f));
    EXPECT_EQ(dir.read("g.ini"), "");
    // Next read of the key stores its default.
    EXPECT_EQ(ReadIniValue(S, "Fontsize", f, "16", true), "16");
    EXPECT_EQ(read(f, "Fontsize"), "16");

    // An empty value counts as missing and is overwritten with the default.
    WriteIniValue(S, "UseJoystick", "", f, true);
    EXPECT_EQ(ReadIniValue(S, "UseJoystick", f, "1", true), "1");
    EXPECT_EQ(read(f, "UseJoystick"), "1");
    // An empty default never writes.
    EXPECT_EQ(ReadIniValue(S, "LastEmulator", f, "", true), "");
    EXPECT_FALSE(dir.read("g.ini").contains("LastEmulator"));

    // Without the flag nothing is created.
    EXPECT_EQ(ReadIniValue(S, "RomCount", f, "-1", false), "-1");
    EXPECT_FALSE(dir.read("g.ini").contains("RomCount"));
    const QString absent = dir.file("absent.ini");
    EXPECT_EQ(ReadIniValue(S, "RunVBS_Script", absent, "0", false), "0");
    WriteIniValue(S, "X", "1", absent, false);
    EXPECT_FALSE(QFile::exists(absent));
    // Stored values are trimmed.
    WriteIniValue(S, "Padded", "  v  ", f, true);
    EXPECT_EQ(ReadIniValue(S, "Padded", f, "", true), "v");
}

TEST(ReadIniValue, ResolvesRelativeNamesAgainstTheCurrentFolder)
{
    TempDir dir;
    dir.write("rel.ini", "[Settings]\r\nA=here\r\n");
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(ResolveIniFileName("rel.ini"), dir.path() + "rel.ini");
    EXPECT_EQ(ResolveIniFileName("missing.ini"), "missing.ini");
    EXPECT_EQ(ResolveIniFileName("/abs/x.ini"), "/abs/x.ini");
    EXPECT_EQ(ReadIniValue(S, "A", "rel.ini", "", false), "here");
    QDir::setCurrent(old);
}

TEST(IniWrite, AKilledWriterLeavesTheOldOrTheNewFile)
{
    TempDir dir;
    const QString f = dir.file("atomic.ini");
    const QString probe = QStringLiteral(ARVEX_TEST_BIN_DIR) + "/arvex_config_probe";
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        child.start(probe, {"write-loop", f});
        ASSERT_TRUE(child.waitForStarted());
        ASSERT_TRUE(child.waitForReadyRead(10000));
        QThread::msleep(20 + QRandomGenerator::global()->bounded(60));
        child.kill();
        child.waitForFinished();

        const QByteArray bytes = dir.read("atomic.ini");
        const QStringList lines = TextFile::splitLines(QString::fromUtf8(bytes));
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), "[Settings]");
        for (int i = 1; i < lines.size(); ++i) {
            const QString value = lines.at(i).section(u'=', 1);
            EXPECT_TRUE(value.startsWith(QString(400, u'x'))) << "torn line " << i;
            bool ok = false;
            value.mid(400).toLong(&ok);
            EXPECT_TRUE(ok) << "torn value in line " << i;
        }
    }
}

TEST(IniValues, ConvertToSixteenBitIntegers)
{
    EXPECT_EQ(toInt16("16"), 16);
    EXPECT_EQ(toInt16(" -1 "), -1);
    EXPECT_EQ(toInt16("abc"), 0);
    EXPECT_EQ(toInt16("99999"), 32767);
    EXPECT_EQ(toInt16(""), 0);
}

TEST(IniWriteGroup, GivesExactlyTheBytesOfOneWriteAfterTheOther)
{
    // Starting files where the per-key rules differ: encodings, line ends,
    // a BOM, duplicate sections and keys, a missing section or file.
    const QList<QPair<QString, QString>> group{
        {"WindowState", "0"}, {"windowx", "12000"}, {"Neu", "Grüße €"}, {"WindowX", "13000"}, {"Zeile", "a\r\nb"}};
    struct Case {
        const char* what;
        QByteArray content; // empty with `exists` false: no file
        bool exists;
    } const cases[] = {
        {"no file", {}, false},
        {"empty file", {}, true},
        {"other section only", "[Other]\nA=1", true},
        {"CR LF with keys", "[Settings]\r\nWindowX=1\r\nWindowState=2\r\n[Next]\r\nB=2\r\n", true},
        {"Windows-1252 whose only umlaut line is replaced", "[Settings]\r\nNeu=M\xFCller\r\n", true},
        {"Windows-1252 that keeps its umlauts", "[Settings]\r\nName=M\xFCller\r\n", true},
        {"BOM on the first key line", "\xEF\xBB\xBFWindowX=5\n[Settings]\nWindowX=6\n", true},
        {"section twice", "[Settings]\nA=1\n[settings]\nWindowX=2\n", true},
        {"no final line end", "[Settings]\rWindowState=1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const QString single = dir.file("single.ini");
        const QString grouped = dir.file("grouped.ini");
        if (c.exists) {
            dir.write("single.ini", c.content);
            dir.write("grouped.ini", c.content);
        }
        for (const auto& [key, value] : group)
            ASSERT_TRUE(WriteIniValue(S, key, value, single, true));
        ASSERT_TRUE(WriteIniValues(S, group, grouped, true));
        EXPECT_EQ(dir.read("grouped.ini"), dir.read("single.ini"));
    }
}

TEST(IniWriteGroup, WithoutCreateAMissingFileStaysMissingAndThatIsNoFailure)
{
    TempDir dir;
    EXPECT_TRUE(WriteIniValues(S, {{"A", "1"}, {"B", "2"}}, dir.file("none.ini"), false));
    EXPECT_FALSE(QFile::exists(dir.file("none.ini")));
    EXPECT_TRUE(WriteIniValue(S, "A", "1", dir.file("none.ini"), false));
    EXPECT_FALSE(QFile::exists(dir.file("none.ini")));
}
