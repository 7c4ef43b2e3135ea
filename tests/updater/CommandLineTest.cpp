// The updater's command-line grammar and the version-information address.
#include "CommandLine.h"
#include "VersionInfo.h"
#include "support/QtPrint.h"

#include <gtest/gtest.h>

namespace {

using Kind = UpdaterCommand::Kind;

struct GrammarCase {
    const char* line;
    Kind kind;
    const char* url;
    const char* path;
    const char* param1;
    const char* param2;
    bool ask;
    bool autostart;
    bool skipInfo;
};

const GrammarCase kGrammar[] = {
    {"", Kind::Usage, "", "", "", "", true, false, false},
    {"   ", Kind::Usage, "", "", "", "", true, false, false},
    {"/?", Kind::Version, "", "", "", "", true, false, false},
    {"[URL] https://Host.example/Dir/App.bin [PATH] /opt/a/app", Kind::Update,
     "https://Host.example/Dir/App.bin", "/opt/a/app", "", "", true, false, false},
    // Keywords in any case; flags anywhere, removed before the values are cut.
    {"[noask] [url] http://h/X [Autostart] [path] /p/x y [SKIPinfo]", Kind::Update, "http://h/X", "/p/x y", "",
     "", false, true, true},
    // Without [PARAM1] the path runs to the end, blanks and all.
    {"[URL] u [PATH] /home/me/My Games/arvex [NOASK]", Kind::Update, "u", "/home/me/My Games/arvex", "", "",
     false, false, false},
    {"[URL] u [PATH] /a b/c [PARAM1] -x 1 [PARAM2] two words", Kind::Update, "u", "/a b/c", "-x 1",
     "two words", true, false, false},
    // Each value ends at the next keyword, whichever comes first.
    {"[PATH] /t [URL] http://h/f", Kind::Update, "http://h/f", "/t", "", "", true, false, false},
    // A path with quotes and "$" arrives unchanged.
    {"[URL] u [PATH] /tmp/it's \"$HOME\"", Kind::Update, "u", "/tmp/it's \"$HOME\"", "", "", true, false, false},
    // Only flags: no address, no path.
    {"[NOASK] [AUTOSTART]", Kind::Update, "", "", "", "", false, true, false},
    // A flag taken out may join its neighbours into another flag: that one
    // counts too and stays out of the values.
    {"[URL] u [PATH] /p [PARAM2] [AUTOSTA[SKIPINFO]RT] x", Kind::Update, "u", "/p", "", "x", true, true, true},
};

TEST(CommandLine, ParsesEveryFormOfTheGrammar)
{
    for (const GrammarCase& c : kGrammar) {
        SCOPED_TRACE(c.line);
        const UpdaterCommand cmd = ParseCommandLine(QString::fromUtf8(c.line));
        EXPECT_EQ(cmd.kind, c.kind);
        EXPECT_EQ(cmd.url, QString::fromUtf8(c.url));
        EXPECT_EQ(cmd.path, QString::fromUtf8(c.path));
        EXPECT_EQ(cmd.param1, QString::fromUtf8(c.param1));
        EXPECT_EQ(cmd.param2, QString::fromUtf8(c.param2));
        EXPECT_EQ(cmd.ask, c.ask);
        EXPECT_EQ(cmd.autostart, c.autostart);
        EXPECT_EQ(cmd.skipInfo, c.skipInfo);
    }
}

TEST(CommandLine, OnlyAnAddressAndAPathMakeAnUpdateComplete)
{
    EXPECT_TRUE(ParseCommandLine(QStringLiteral("[URL] u [PATH] p")).complete());
    EXPECT_FALSE(ParseCommandLine(QStringLiteral("[URL] u")).complete());
    EXPECT_FALSE(ParseCommandLine(QStringLiteral("[PATH] p")).complete());
    EXPECT_FALSE(ParseCommandLine(QStringLiteral("[NOASK]")).complete());
}

TEST(CommandLine, ScriptModeNamesTheRestOfTheLineUnquoted)
{
    const UpdaterCommand cmd = ParseCommandLine(QStringLiteral("[batchfile]  \"/home/me/Update This.txt\" "));
    EXPECT_EQ(cmd.kind, Kind::Script);
    EXPECT_EQ(cmd.scriptFile, QStringLiteral("/home/me/Update This.txt"));
}

TEST(CommandLine, ArgumentsJoinWithSingleBlanks)
{
    const QStringList args{QStringLiteral("[URL]"), QStringLiteral("http://h/f"), QStringLiteral("[PATH]"),
                           QStringLiteral("/a  b/c d")};
    const UpdaterCommand cmd = ParseCommandLine(JoinArguments(args));
    EXPECT_EQ(cmd.path, QStringLiteral("/a  b/c d"));
}

TEST(CommandLine, UpperCasingKeepsPositionsForNonAsciiText)
{
    // "ß" upper-cases to "SS": a naive copy would shift every later position.
    const UpdaterCommand cmd = ParseCommandLine(QStringLiteral("[URL] http://h/straße [PATH] /tmp/größe"));
    EXPECT_EQ(cmd.url, QStringLiteral("http://h/straße"));
    EXPECT_EQ(cmd.path, QStringLiteral("/tmp/größe"));
}

TEST(VersionInfo, InformationAddressSitsBesideTheDownload)
{
    const std::pair<const char*, const char*> cases[] = {
        {"https://h.example/Arvex/Update.exe", "https://h.example/Arvex/Update.txt"},
        {"https://h.example/Arvex/arvex", "https://h.example/Arvex/arvex.txt"},
        {"https://h.example/a.b/app.tar.gz", "https://h.example/a.b/app.tar.txt"},
        {"https://h.example/Arvex/Update.exe?token=1", "https://h.example/Arvex/Update.txt"},
        {"https://h.example", "https://h.example.txt"},
    };
    for (const auto& [url, info] : cases)
        EXPECT_EQ(VersionInfoUrl(QString::fromLatin1(url)), QString::fromLatin1(info)) << url;
}

} // namespace
