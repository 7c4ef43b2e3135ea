// Failed writes reach the user once per action, in the interface language.
#include "config/Ini.h"
#include "config/Language.h"
#include "config/TextFile.h"
#include "config/WriteFailures.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A settings file no one may write (no write bit: refused for root too).
QString lockedFile(const TempDir& dir, const QString& name)
{
    const QString path = dir.write(name, "[Settings]\r\nA=1\r\n");
    ::chmod(QFile::encodeName(path).constData(), 0444);
    return path;
}

struct LanguageGuard {
    int saved = currentLanguage();
    ~LanguageGuard() { setCurrentLanguage(saved); }
};

} // namespace

TEST(WriteFailures, OneActionGivesOneMessageNamingEachFailedFileOnce)
{
    TempDir dir;
    ScriptedPrompt prompt;
    const QString a = lockedFile(dir, "a.ini");
    const QString b = lockedFile(dir, "b.ini");
    {
        WriteFailures::Scope action;
        EXPECT_FALSE(WriteIniValue("Settings", "A", "2", a, true));
        EXPECT_FALSE(WriteIniValue("Settings", "B", "2", a, true));
        {
            WriteFailures::Scope inner; // an action called from within another
            EXPECT_FALSE(TextFile::writeAtomic(b, "x"));
        }
        EXPECT_EQ(prompt.count(), 0) << "nothing is shown before the action ends";
        EXPECT_TRUE(WriteIniValue("Settings", "C", "3", dir.file("fine.ini"), true));
    }
    ASSERT_EQ(prompt.count(), 1);
    const QString text = prompt.lastText();
    EXPECT_TRUE(text.startsWith("The files could not be saved:\r")) << qPrintable(text);
    EXPECT_EQ(text.count(a), 1);
    EXPECT_EQ(text.count(b), 1);
    EXPECT_FALSE(text.contains("fine.ini"));
    EXPECT_EQ(prompt.asked().last().icon, PromptIcon::Critical);

    // A later action starts with an empty list.
    {
        WriteFailures::Scope action;
    }
    EXPECT_EQ(prompt.count(), 1);
}

TEST(WriteFailures, TextFollowsTheInterfaceLanguage)
{
    LanguageGuard guard;
    struct Row {
        int language;
        QStringList files;
        QString text;
    } const rows[] = {
        {kLanguageGerman, {"/x/a.ini (Permission denied)"}, "Die Datei konnte nicht gespeichert werden:\r/x/a.ini (Permission denied)"},
        {kLanguageGerman, {"/a", "/b"}, "Die Dateien konnten nicht gespeichert werden:\r/a\r/b"},
        {kLanguageEnglish, {"/x/a.ini"}, "The file could not be saved:\r/x/a.ini"},
    };
    for (const Row& row : rows) {
        setCurrentLanguage(row.language);
        EXPECT_EQ(WriteFailures::messageText(row.files), row.text);
    }
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(WriteFailures::messageTitle(), "Speichern fehlgeschlagen");
}

TEST(WriteFailures, AFailureOutsideAnyActionIsShownOnceWhenTheEventLoopRuns)
{
    TempDir dir;
    ScriptedPrompt prompt;
    const QString a = lockedFile(dir, "a.ini");
    EXPECT_FALSE(WriteIniValue("Settings", "A", "2", a, true));
    EXPECT_FALSE(WriteIniValue("Settings", "A", "3", a, true));
    EXPECT_EQ(prompt.count(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_TRUE(prompt.lastText().contains(a));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompt.count(), 1);
}

TEST(WriteFailures, AnUnreadableSettingsFileIsNeverReplacedAndIsReported)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempDir dir;
    ScriptedPrompt prompt;
    const QString path = dir.write("arvex.ini", "[Settings]\r\nA=1\r\n");
    ::chmod(QFile::encodeName(path).constData(), 0200);
    {
        WriteFailures::Scope action;
        EXPECT_FALSE(WriteIniValue("Settings", "B", "2", path, true));
    }
    ASSERT_EQ(prompt.count(), 1);
    ::chmod(QFile::encodeName(path).constData(), 0600);
    EXPECT_EQ(dir.read("arvex.ini"), "[Settings]\r\nA=1\r\n");
}

TEST(WriteFailures, ReadingAnOptionalFileInAMissingFolderCreatesAndReportsNothing)
{
    TempDir dir;
    ScriptedPrompt prompt;
    const QString skin = dir.path() + "Config/Amiga/Skin/Skin.ini";
    {
        WriteFailures::Scope action;
        EXPECT_EQ(ReadIniValue("Settings", "BackColor", skin, "#0052bc", true), "#0052bc");
    }
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_FALSE(QFileInfo::exists(skin));
    // A save into that folder is a real failure, though.
    {
        WriteFailures::Scope action;
        EXPECT_FALSE(WriteIniValue("Settings", "BackColor", "#000000", skin, true));
    }
    EXPECT_EQ(prompt.count(), 1);
}
