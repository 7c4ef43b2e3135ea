// The launcher's own options and the program-folder check: what each
// argument list asks for, and which folders cannot hold the settings.
#include "cli/ProgramFolderCheck.h"
#include "cli/ProgramOptions.h"
#include "config/Language.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

namespace {

using ProgramOptions::Action;

struct Case {
    const char* name;
    QStringList arguments;
    Action action;
    QString gameText; // for Run
};

class ProgramOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { setCurrentLanguage(kLanguageEnglish); }
    void TearDown() override { setCurrentLanguage(kLanguageEnglish); }
};

TEST_F(ProgramOptionsTest, ArgumentListsDecideBetweenOptionsAndTheGameText)
{
    const Case cases[] = {
        {"nothing", {}, Action::Run, {}},
        {"one game file", {"/games/Lemmings.adf"}, Action::Run, "/games/Lemmings.adf"},
        {"blanks split by the shell are joined", {"/games/Monkey", "Island.adf"}, Action::Run,
         "/games/Monkey Island.adf"},
        {"question mark stays game text", {"?"}, Action::Run, "?"},
        {"single dash stays game text", {"-x"}, Action::Run, "-x"},
        {"a blank-started --help inside one argument", {"My --help.adf"}, Action::Run, "My --help.adf"},
        {"after -- everything is game text", {"--", "--odd name.adf", "--help"}, Action::Run, "--odd name.adf --help"},
        {"Qt's own options pass", {"--platform", "offscreen"}, Action::Run, "--platform offscreen"},
        {"--help", {"--help"}, Action::Help, {}},
        {"-h", {"-h"}, Action::Help, {}},
        {"--version after a file", {"game.adf", "--version"}, Action::Version, {}},
        {"unknown option", {"--bogus"}, Action::Error, {}},
        {"unknown option with a value", {"--rom=x.adf"}, Action::Error, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramOptions::Decision d = ProgramOptions::decide(c.arguments, QStringLiteral("arvex"));
        EXPECT_EQ(d.action, c.action);
        if (c.action == Action::Run) {
            EXPECT_EQ(d.gameText, c.gameText);
            EXPECT_TRUE(d.output.isEmpty());
        } else {
            EXPECT_FALSE(d.output.isEmpty());
        }
    }
}

TEST_F(ProgramOptionsTest, ExitCodesAreZeroForAnswersAndTwoForUnknownOptions)
{
    EXPECT_EQ(ProgramOptions::exitCode(Action::Run), 0);
    EXPECT_EQ(ProgramOptions::exitCode(Action::Help), 0);
    EXPECT_EQ(ProgramOptions::exitCode(Action::Version), 0);
    EXPECT_EQ(ProgramOptions::exitCode(Action::Error), 2);
}

TEST_F(ProgramOptionsTest, UnknownOptionNamesItselfAndTheHelpOption)
{
    const auto d = ProgramOptions::decide({QStringLiteral("--fullscreen")}, QStringLiteral("arvex"));
    EXPECT_TRUE(d.output.contains(QStringLiteral("\"--fullscreen\""))) << d.output.toStdString();
    EXPECT_TRUE(d.output.contains(QStringLiteral("arvex --help"))) << d.output.toStdString();
}

TEST_F(ProgramOptionsTest, HelpIsInTheInterfaceLanguageAndDescribesTheLaunchMode)
{
    const QString english = ProgramOptions::helpText(QStringLiteral("arvex"));
    EXPECT_TRUE(english.startsWith(QStringLiteral("Usage: arvex")));
    EXPECT_TRUE(english.contains(QStringLiteral("GAMEFILE")));
    EXPECT_TRUE(english.contains(QStringLiteral("--version")));
    EXPECT_TRUE(english.contains(QStringLiteral("ARVEX_HOME")));

    setCurrentLanguage(kLanguageGerman);
    const QString german = ProgramOptions::helpText(QStringLiteral("arvex"));
    EXPECT_TRUE(german.startsWith(QStringLiteral("Aufruf: arvex")));
    EXPECT_TRUE(german.contains(QStringLiteral("SPIELDATEI")));
    EXPECT_TRUE(ProgramOptions::decide({QStringLiteral("--x")}, QStringLiteral("arvex"))
                    .output.contains(QStringLiteral("unbekannte Option")));
}

TEST_F(ProgramOptionsTest, VersionLineNamesProgramAndProjectVersion)
{
    EXPECT_EQ(ProgramOptions::versionText(QStringLiteral("arvex")), QStringLiteral("arvex 1.2\n"));
}

TEST(ProgramFolderCheckTest, WritableFolderPassesAndGetsItsConfigFolder)
{
    TempDir dir;
    const QString folder = dir.file(QStringLiteral("new home/ä"));
    EXPECT_TRUE(ProgramFolderCheck::problem(folder).isEmpty());
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/Config")).isDir());
    // The probe file is gone again.
    EXPECT_TRUE(QDir(folder + QStringLiteral("/Config")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST(ProgramFolderCheckTest, FoldersThatCannotHoldSettingsAreNamedInTheMessage)
{
    TempDir dir;
    const QString fileAsFolder = dir.write(QStringLiteral("plain file"), "x");
    dir.write(QStringLiteral("home/Config"), "not a folder");
    for (const QString& folder : {fileAsFolder, dir.file(QStringLiteral("home"))}) {
        SCOPED_TRACE(folder.toStdString());
        const QString message = ProgramFolderCheck::problem(folder);
        EXPECT_TRUE(message.contains(QDir::cleanPath(folder))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("ARVEX_HOME")));
    }
}

} // namespace
