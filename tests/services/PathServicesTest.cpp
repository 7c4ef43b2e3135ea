// Path services: registry values read from a Wine prefix written by the
// test (escapes, expandable and hex strings, other types, broken files), the
// user's folders from the XDG variables, text replacement.
#include "services/PathServices.h"
#include "services/WineRegistry.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnv() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// A user.reg as wineserver writes it, with a value of every kind.
const QByteArray kUserReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Emu\\\\WinUAE] 1700000000\n"
    "#time=1d9a0b0c0d0e0f0\n"
    "@=\"default text\"\n"
    "\"Plain\"=\"C:\\\\Games\\\\Amiga\"\n"
    "\"Escapes\"=\"tab\\there \\\"quoted\\\" a\\x00e4b \\x20ac\\x00e9 \\101\\n\"\n"
    "\"Expand\"=str(2):\"%USERPROFILE%\\\\Desktop\"\n"
    "\"StrColon\"=str:\"also plain\"\n"
    "\"Nul\"=\"before\\0after\"\n"
    "\"Empty\"=\"\"\n"
    "\"Multi\"=str(7):\"a\\0b\\0\"\n"
    "\"Binary\"=hex:41,00,42,00\n"
    "\"Number\"=dword:00000001\n"
    "\"HexExpand\"=hex(2):25,00,55,00,53,00,45,00,52,00,25,00,5c,00,\\\n"
    "  78,00,00,00\n"
    "\"HexSz\"=hex(1):c4,00,00,00,41,00\n"
    "\"Broken\"=\"no closing quote\n"
    "\"Raw\"=\"M\xc3\xbcller\"\n"
    "\"Latin\"=\"M\xfcller\"\n"
    "\"Name \\\"with\\\" = sign\"=\"odd name\"\n"
    "\n"
    "[Software\\\\Emu\\\\WinUAE\\\\Sub] 1700000001\n"
    "\"Plain\"=\"in the sub key\"\n"
    "\n"
    "[Software\\\\Classes\\\\.adf] 1700000002\n"
    "@=\"user class\"\n";

const QByteArray kSystemReg =
    "WINE REGISTRY Version 2\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
    "\"ProgramFilesDir\"=\"C:\\\\Program Files\"\n"
    "[Software\\\\Classes\\\\.adf] 1700000002\n"
    "\"Content Type\"=\"machine class\"\n"
    "@=\"machine default\"\n";

const QByteArray kUserdefReg =
    "WINE REGISTRY Version 2\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] 1700000000\n"
    "\"Desktop\"=str(2):\"%USERPROFILE%\\\\Desktop\"\n";

class RegistryTest : public ::testing::Test {
protected:
    TempDir dir;
    QString prefix = dir.mkdir(QStringLiteral("wine prefix"));
    ScopedEnv env{"WINEPREFIX", QFile::encodeName(prefix)};

    void SetUp() override
    {
        dir.write(QStringLiteral("wine prefix/user.reg"), kUserReg);
        dir.write(QStringLiteral("wine prefix/system.reg"), kSystemReg);
        dir.write(QStringLiteral("wine prefix/userdef.reg"), kUserdefReg);
    }
};

TEST_F(RegistryTest, StringValuesByAbsolutePath)
{
    const QString k = QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\WinUAE\\");
    struct Case {
        QString path, expected;
    };
    const Case cases[] = {
        {k + "Plain", QStringLiteral("C:\\Games\\Amiga")},
        {QStringLiteral("hkey_current_user\\SOFTWARE\\emu\\winuae\\PLAIN"), QStringLiteral("C:\\Games\\Amiga")},
        {k, QStringLiteral("default text")},
        {k + "Escapes", QStringLiteral("tab\there \"quoted\" a\u00e4b \u20ac\u00e9 A\n")},
        {k + "Expand", QStringLiteral("%USERPROFILE%\\Desktop")}, // returned as stored
        {k + "StrColon", QStringLiteral("also plain")},
        {k + "Nul", QStringLiteral("before")},
        {k + "HexExpand", QStringLiteral("%USER%\\x")},
        {k + "HexSz", QStringLiteral("\u00c4")},
        {k + "Raw", QStringLiteral("M\u00fcller")},
        {k + "Latin", QStringLiteral("M\u00fcller")},
        {k + "Name \"with\" = sign", QStringLiteral("odd name")},
        {QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\WinUAE\\Sub\\Plain"), QStringLiteral("in the sub key")},
        {QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir"),
         QStringLiteral("C:\\Program Files")},
        {QStringLiteral("HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
                        "Folders\\Desktop"),
         QStringLiteral("%USERPROFILE%\\Desktop")},
        {QStringLiteral("HKEY_CLASSES_ROOT\\.adf\\"), QStringLiteral("user class")},             // the user's first
        {QStringLiteral("HKEY_CLASSES_ROOT\\.adf\\Content Type"), QStringLiteral("machine class")}, // then the machine's
    };
    for (const Case& c : cases)
        EXPECT_EQ(RegistryGetAbsolutValue(c.path), c.expected) << c.path.toStdString();
}

TEST_F(RegistryTest, EverythingElseIsEmpty)
{
    const QString k = QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\WinUAE\\");
    const QString failures[] = {
        k + "Missing",
        k + "Multi",
        k + "Binary",
        k + "Number",
        k + "Broken",
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\NoSuchKey\\Plain"),
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\Plain"), // a value of a sub key is not the parent's
        QStringLiteral("HKEY_USERS\\S-1-5-21-0-0-0-1000\\Software\\Emu\\WinUAE\\Plain"),
        QStringLiteral("HKEY_PERFORMANCE_DATA\\Software\\Emu\\WinUAE\\Plain"),
        QStringLiteral("HKEY_CURRENT_CONFIG\\Software\\Emu\\WinUAE\\Plain"),
        QStringLiteral("HKEY_DYN_DATA\\Software\\Emu\\WinUAE\\Plain"),
        QStringLiteral("NOT_A_ROOT\\Software\\Emu\\WinUAE\\Plain"),
        QStringLiteral("HKEY_CURRENT_USER"),
        QString(),
    };
    for (const QString& path : failures)
        EXPECT_EQ(RegistryGetAbsolutValue(path), QString()) << path.toStdString();

    bool found = true;
    EXPECT_EQ(ReadWineRegistryString(prefix + "user.reg", QStringLiteral("Software\\Emu\\WinUAE"),
                                     QStringLiteral("Empty"), &found),
              QString());
    EXPECT_TRUE(found) << "an empty string value is still a string value";
    ReadWineRegistryString(prefix + "user.reg", QStringLiteral("Software\\Emu\\WinUAE"), QStringLiteral("Binary"), &found);
    EXPECT_FALSE(found);
}

TEST_F(RegistryTest, BrokenAndForeignFilesGiveEmpty)
{
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\WinUAE\\Plain");
    const QString file = prefix + QStringLiteral("user.reg");
    const auto rewrite = [&](const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    };

    QByteArray binary(1 << 16, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) & 0xff);
    const QString hexKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\WinUAE\\HexExpand");
    const struct {
        QByteArray bytes;
        QString path;
    } cases[] = {
        {binary, key},
        {QByteArray(), key},
        {kUserReg.mid(23), key},                                                  // no header
        {QByteArray("WINE REGISTRY Version 2\n[Software\\\\Emu\\\\Win"), key}, // truncated in the key
        {kUserReg.left(kUserReg.indexOf("\"Plain\"") + 14), key},                // truncated in the value
        {kUserReg.left(kUserReg.indexOf("  78,00")), hexKey},                     // hex cut after its "\"
    };
    for (const auto& c : cases) {
        rewrite(c.bytes);
        EXPECT_EQ(RegistryGetAbsolutValue(c.path), QString()) << c.bytes.left(40).toStdString();
    }
    rewrite(kUserReg);
    EXPECT_EQ(RegistryGetAbsolutValue(hexKey), QStringLiteral("%USER%\\x")) << "the whole file reads again";

    // An unreadable file (root reads it anyway, so only checked where it is not readable).
    QFile::setPermissions(file, QFileDevice::Permissions());
    if (!QFile(file).open(QIODevice::ReadOnly)) {
        EXPECT_EQ(RegistryGetAbsolutValue(hexKey), QString());
    }
}

TEST_F(RegistryTest, HugeFileWithOverlongLinesIsReadPastThem)
{
    // 23 MiB: a key with a 3 MiB line, then 20,000 keys, then the one asked for.
    QFile f(prefix + QStringLiteral("user.reg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("WINE REGISTRY Version 2\n[Software\\\\Big] 1\n\"Long\"=\"");
    f.write(QByteArray(3 << 20, 'x'));
    f.write("\"\n");
    const QByteArray filler = "\"Value\"=\"" + QByteArray(1000, 'y') + "\"\n";
    for (int i = 0; i < 20000; ++i) {
        f.write("[Software\\\\Filler\\\\K" + QByteArray::number(i) + "] 1\n");
        f.write(filler);
    }
    f.write("[Software\\\\Emu\\\\Last] 1\n\"Plain\"=\"found at the end\"\n");
    f.close();

    EXPECT_EQ(RegistryGetAbsolutValue(QStringLiteral("HKEY_CURRENT_USER\\Software\\Emu\\Last\\Plain")),
              QStringLiteral("found at the end"));
    EXPECT_EQ(RegistryGetAbsolutValue(QStringLiteral("HKEY_CURRENT_USER\\Software\\Big\\Long")), QString())
        << "a value on a line over 1 MiB is not read";
}

TEST(WinePrefix, FromTheEnvironmentElseTheHomeFolder)
{
    TempDir home;
    ScopedEnv h{"HOME", QFile::encodeName(home.path())};
    {
        ScopedEnv unset{"WINEPREFIX", QByteArray()};
        EXPECT_EQ(WinePrefixFolder(), home.path() + QStringLiteral(".wine"));
        // No prefix at all: every value is empty.
        EXPECT_EQ(RegistryGetAbsolutValue(QStringLiteral("HKEY_CURRENT_USER\\Software\\Wine\\Version")), QString());
        home.write(QStringLiteral(".wine/user.reg"), "WINE REGISTRY Version 2\n[Software\\\\Wine] 1\n\"Version\"=\"win10\"\n");
        EXPECT_EQ(RegistryGetAbsolutValue(QStringLiteral("HKEY_CURRENT_USER\\Software\\Wine\\Version")),
                  QStringLiteral("win10"));
    }
    ScopedEnv empty{"WINEPREFIX", QByteArray("")};
    EXPECT_EQ(WinePrefixFolder(), home.path() + QStringLiteral(".wine"));
    ScopedEnv set{"WINEPREFIX", QByteArray("/srv/wine/")};
    EXPECT_EQ(WinePrefixFolder(), QStringLiteral("/srv/wine"));
}

TEST(UserFolders, FollowTheXdgVariables)
{
    TempDir home;
    ScopedEnv h{"HOME", QFile::encodeName(home.path())};
    {
        ScopedEnv c{"XDG_CONFIG_HOME", QByteArray()};
        ScopedEnv d{"XDG_DATA_HOME", QByteArray()};
        EXPECT_EQ(GetAutostartPath(), home.path() + QStringLiteral(".config/autostart"));
        EXPECT_EQ(GetStartMenuPath(), home.path() + QStringLiteral(".local/share/applications"));
        EXPECT_EQ(GetDesktopPath(), home.path() + QStringLiteral("Desktop"));
    }
    ScopedEnv c{"XDG_CONFIG_HOME", QFile::encodeName(home.path() + "cfg")};
    ScopedEnv d{"XDG_DATA_HOME", QFile::encodeName(home.path() + "data/")};
    EXPECT_EQ(GetAutostartPath(), home.path() + QStringLiteral("cfg/autostart"));
    EXPECT_EQ(GetStartMenuPath(), home.path() + QStringLiteral("data/applications"));
    {
        ScopedEnv relative{"XDG_CONFIG_HOME", QByteArray("relative/cfg")}; // not absolute: ignored
        EXPECT_EQ(GetAutostartPath(), home.path() + QStringLiteral(".config/autostart"));
    }
    home.write(QStringLiteral("cfg/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(GetDesktopPath(), home.path() + QStringLiteral("Schreibtisch"));

    EXPECT_EQ(GetWindowsPath(), QStringLiteral("/usr"));
    EXPECT_TRUE(GetProgramfilesPath() == QStringLiteral("/usr/games") || GetProgramfilesPath() == QStringLiteral("/usr/bin"));
}

TEST(Replaceall, ReplacesEveryOccurrenceOnce)
{
    struct Case {
        const char *text, *find, *replace, *expected;
    };
    const Case cases[] = {
        {"%USERPROFILE%\\Desktop", "%USERPROFILE%", "/home/me", "/home/me\\Desktop"},
        {"aaa", "a", "aa", "aaaaaa"},   // the replacement is not searched again
        {"abcabc", "abc", "", ""},
        {"Abc", "abc", "x", "Abc"},     // case matters
        {"text", "", "x", "text"},      // nothing to find: unchanged
        {"", "a", "b", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(replaceall(QString::fromUtf8(c.text), QString::fromUtf8(c.find), QString::fromUtf8(c.replace)),
                  QString::fromUtf8(c.expected));
    const QString odd = QStringLiteral("/path with 'quote' $x\nline");
    EXPECT_EQ(FileGetShortFileName(odd), odd);
    EXPECT_EQ(FileGetLongFileName(odd), odd);
}

} // namespace
