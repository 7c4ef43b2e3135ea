// The options window's field set and its known-emulator routines: the
// neutral state, the questions and what each answer leaves in the fields,
// the game-folder guess, and the reactions of the field set itself.
#include "config/Language.h"
#include "options/EmulatorFields.h"
#include "options/KnownEmulatorCheck.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class KnownEmulatorCheckTest : public ::testing::Test {
protected:
    TempDir dir;
    QString programFolder = dir.mkdir(QStringLiteral("Arvex"));
    ScriptedPrompt prompts;
    EmulatorFields fields;

    void SetUp() override { setCurrentLanguage(kLanguageEnglish); }

    // Changes as "key=value", in the order they happened.
    QStringList record(const std::function<void()>& action)
    {
        QStringList out;
        auto c = QObject::connect(&fields, &EmulatorFields::fieldChanged, [&](EmulatorField f, const QString& v) {
            out << EmulatorFields::settingsKey(f) + u'=' + v;
        });
        action();
        QObject::disconnect(c);
        return out;
    }
};

TEST_F(KnownEmulatorCheckTest, DefaultsAreSetInOrderAndTouchNothingElse)
{
    for (EmulatorField f : {EmulatorField::UseMasterConfig, EmulatorField::AutoMountImage, EmulatorField::FullScreen,
                            EmulatorField::AddDiskPath, EmulatorField::SmartRomSelection,
                            EmulatorField::AddDiskPathWithoutPath, EmulatorField::RunStartScript})
        fields.setOn(f, true);
    fields.setOn(EmulatorField::UseQuote, true);
    fields.setText(EmulatorField::MasterConfigParameter, QStringLiteral("-config"));
    fields.setText(EmulatorField::EmulatorParameter, QStringLiteral("-x"));
    fields.setText(EmulatorField::DirParameter, QStringLiteral("*.adf"));
    fields.setText(EmulatorField::MasterConfigText, QStringLiteral("use_gui=no"));
    fields.setText(EmulatorField::SplashTimer, QStringLiteral("7"));
    fields.setText(EmulatorField::KickstartRom, QStringLiteral("/roms/kick.rom"));

    const QStringList changes = record([&] { SetEmulatorDefaults(fields); });
    EXPECT_EQ(changes, (QStringList{"WinUAE_UseMasterConfig=0", "AutoMountDeamonTool=0", "FullScreen=0",
                                    "WinUAE_ConfigParameter=", "EmulatorParameter=", "UseQuote=0",
                                    "EmulatorParameterAddDiskPath=0", "Dir_Parameter=*.*", "SmartRomSelection=0", "="}));
    EXPECT_TRUE(fields.isOn(EmulatorField::AddDiskPathWithoutPath));
    EXPECT_TRUE(fields.isOn(EmulatorField::RunStartScript));
    EXPECT_EQ(fields.text(EmulatorField::SplashTimer), QStringLiteral("7"));
    EXPECT_EQ(fields.text(EmulatorField::KickstartRom), QStringLiteral("/roms/kick.rom"));
}

TEST_F(KnownEmulatorCheckTest, RowValuesFollowTheDefaultsInTheRowsOrder)
{
    prompts.queue(PromptAnswer::Yes);
    const QStringList changes = record([&] { CheckKnownEmulator(fields, QStringLiteral("/w/pcsx2.exe"), programFolder); });
    EXPECT_EQ(changes, (QStringList{"SplashTimer=0", "Dir_Parameter=*.*", "EmulatorParameterAddDiskPath=1",
                                    "EmulatorParameter=--usecd --nogui --skipbios",
                                    "Dir_Parameter=*.bin, *.img, *.iso, *.nrg,  *.ccd, *.ecm", "UseQuote=1",
                                    "AutoMountDeamonTool=1", "EmulatorPath=/w/pcsx2.exe"}));
}

TEST_F(KnownEmulatorCheckTest, NoKeepsTheFieldsButSplashTimerPathAndGameFolder)
{
    fields.setText(EmulatorField::DirParameter, QStringLiteral("*.adf"));
    fields.setText(EmulatorField::SplashTimer, QStringLiteral("4"));
    fields.setText(EmulatorField::RomPath, programFolder);
    const QString exe = dir.write(QStringLiteral("Emus/Steem/Steem.exe"));
    fields.setSaveEnabled(false);

    prompts.queue(PromptAnswer::No);
    const QStringList changes = record([&] { CheckKnownEmulator(fields, exe, programFolder); });
    EXPECT_EQ(changes, (QStringList{"SplashTimer=0", "EmulatorPath=" + exe, "RomPath=" + dir.path() + "Emus/Steem/"}));
    EXPECT_TRUE(fields.saveEnabled());
    EXPECT_EQ(prompts.count(), 1);
}

TEST_F(KnownEmulatorCheckTest, GameFolderIsGuessedOnlyWhileItIsTheLaunchersOwn)
{
    const QString games = dir.mkdir(QStringLiteral("My Games"));
    const QString emuFolder = dir.mkdir(QStringLiteral("Emus/Vice"));
    struct Case {
        QString romPath, path, expected;
    };
    const Case cases[] = {
        {programFolder, emuFolder + "x64.exe", emuFolder},
        {games, emuFolder + "x64.exe", games},                 // the user's own folder stays
        {programFolder, emuFolder, emuFolder},                   // a folder picked as the path is the folder
        {programFolder, QStringLiteral("C:\\Vice\\x64.exe"), QStringLiteral("C:\\Vice\\")},
        {programFolder, QStringLiteral("x64.exe"), programFolder}, // no folder in the path: keep it
        {programFolder, QString(), programFolder},
    };
    for (const Case& c : cases) {
        fields.setText(EmulatorField::RomPath, c.romPath);
        CheckKnownEmulator(fields, c.path, programFolder);
        EXPECT_EQ(fields.text(EmulatorField::RomPath), c.expected) << c.path.toStdString();
    }
}

TEST_F(KnownEmulatorCheckTest, UnknownProgramIsAskedAboutOnlyWhenTheFileExists)
{
    const QString tool = dir.write(QStringLiteral("bin/my emu"), "#!/bin/sh\n");
    fields.setText(EmulatorField::DirParameter, QStringLiteral("*.d64"));

    prompts.queue(PromptAnswer::No);
    CheckKnownEmulator(fields, tool, programFolder);
    ASSERT_EQ(prompts.count(), 1);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Unknown Emulator"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Unknown Emulator. You have to set the launch parameter manually.\r\r"
                                                 "Set parameter back to default now?"));
    EXPECT_EQ(fields.text(EmulatorField::DirParameter), QStringLiteral("*.d64"));

    prompts.queue(PromptAnswer::Yes);
    CheckKnownEmulator(fields, tool, programFolder);
    EXPECT_EQ(fields.text(EmulatorField::DirParameter), QStringLiteral("*.*"));

    // Nothing is asked for a path that names no file (missing, or a folder).
    prompts.clear();
    fields.setText(EmulatorField::DirParameter, QStringLiteral("*.d64"));
    CheckKnownEmulator(fields, dir.file(QStringLiteral("bin/gone")), programFolder);
    CheckKnownEmulator(fields, dir.path() + "bin", programFolder);
    EXPECT_EQ(prompts.count(), 0);
    EXPECT_EQ(fields.text(EmulatorField::DirParameter), QStringLiteral("*.d64"));
}

TEST_F(KnownEmulatorCheckTest, EmptyPathOnlyResetsTheSplashTimer)
{
    fields.setText(EmulatorField::SplashTimer, QStringLiteral("4"));
    fields.setText(EmulatorField::EmulatorPath, QStringLiteral("/old/emu"));
    fields.setSaveEnabled(false);
    const QStringList changes = record([&] { CheckKnownEmulator(fields, QString(), programFolder); });
    EXPECT_EQ(changes, QStringList{"SplashTimer=0"});
    EXPECT_EQ(fields.text(EmulatorField::EmulatorPath), QStringLiteral("/old/emu"));
    EXPECT_EQ(prompts.count(), 0);
}

TEST_F(KnownEmulatorCheckTest, FileNameOnlyStaysOnWhenAnotherEmulatorIsChosen)
{
    prompts.setDefault(PromptAnswer::Yes);
    CheckKnownEmulator(fields, QStringLiteral("/j/t2k.exe"), programFolder);
    ASSERT_TRUE(fields.isOn(EmulatorField::AddDiskPathWithoutPath));
    CheckKnownEmulator(fields, QStringLiteral("/s/snes9x.exe"), programFolder);
    EXPECT_TRUE(fields.isOn(EmulatorField::AddDiskPathWithoutPath));
    EXPECT_EQ(fields.text(EmulatorField::DirParameter), QStringLiteral("*.smc, *.zip"));
}

TEST_F(KnownEmulatorCheckTest, GuiMameIsWarnedAboutBeforeTheQuestion)
{
    setCurrentLanguage(kLanguageGerman);
    prompts.queue(PromptAnswer::Ok);
    prompts.queue(PromptAnswer::Yes);
    CheckKnownEmulator(fields, QStringLiteral("C:\\MAME\\Mame32.exe"), programFolder);
    ASSERT_EQ(prompts.count(), 2);
    const auto& warning = prompts.asked()[0];
    EXPECT_EQ(warning.title, QStringLiteral("Achtung: Keine Command Line-Version of Mame!"));
    EXPECT_TRUE(warning.text.startsWith(QStringLiteral("Dies ist NICHT die Command-Line Version von Mame!\rSie sollten")));
    EXPECT_TRUE(warning.text.endsWith(QStringLiteral("die 'Mame.exe' auswählen.")));
    EXPECT_EQ(warning.buttons, PromptButtons::Ok);
    EXPECT_EQ(warning.icon, PromptIcon::Critical);
    EXPECT_EQ(prompts.asked()[1].title, QStringLiteral("Standard setzen?"));
    EXPECT_EQ(prompts.asked()[1].text, QStringLiteral("Mame (Multi-Acarde-Machine-Emulator)wurde gefunden!\r\r"
                                                      "Sollen die Standard Launch parameter gesetzt werden?"));
    EXPECT_EQ(fields.text(EmulatorField::EmulatorParameter), QStringLiteral("-cheat -skip_gameinfo"));

    setCurrentLanguage(kLanguageEnglish);
    prompts.clear();
    CheckKnownEmulator(fields, QStringLiteral("/m/mame32.exe"), programFolder);
    EXPECT_EQ(prompts.asked()[0].title, QStringLiteral("Caution: This is not the command line version of Mame!"));
    EXPECT_EQ(prompts.asked()[0].text, QStringLiteral("This is NOT the Command line Version of Mame!\rCopy the Command "
                                                      "line Version into your Mame - directory and choose the 'mame.exe'."));
}

TEST_F(KnownEmulatorCheckTest, GermanQuestionsForKnownAndUnknownPrograms)
{
    setCurrentLanguage(kLanguageGerman);
    CheckKnownEmulator(fields, QStringLiteral("/v/x64.exe"), programFolder);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("C-64 / 128  Standard setzen?"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("X64 / X128 wurde gefunden!\r\rSollen die Standard Launch parameter "
                                                 "gesetzt werden?"));
    CheckKnownEmulator(fields, dir.write(QStringLiteral("tool")), programFolder);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Emulator nicht bekannt"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Emulator nicht bekannt, die Start-Parameter müssen ggf. von Hand "
                                                 "eingestellt werden.\r\rSollen die Standard Parameter zurück gesetzt werden?"));
}

TEST(EmulatorFieldsTest, CheckBoxReactionsAndSaveFlag)
{
    EmulatorFields f;
    int saveSignals = 0, changeSignals = 0;
    QObject::connect(&f, &EmulatorFields::saveEnabledChanged, [&] { ++saveSignals; });
    QObject::connect(&f, &EmulatorFields::fieldChanged, [&] { ++changeSignals; });

    f.setText(EmulatorField::DirParameter, QString()); // no change: no reaction, nothing to save
    EXPECT_EQ(changeSignals, 0);
    EXPECT_FALSE(f.saveEnabled());

    f.setOn(EmulatorField::AddDiskPath, true);
    f.setOn(EmulatorField::UseQuote, true);
    f.setOn(EmulatorField::AddDiskPath, false);
    EXPECT_FALSE(f.isOn(EmulatorField::UseQuote)) << "Rom path off takes the quotes with it";

    f.setOn(EmulatorField::UseMasterConfig, true);
    EXPECT_EQ(f.text(EmulatorField::MasterConfigParameter), QStringLiteral("-f"));
    f.setText(EmulatorField::MasterConfigParameter, QStringLiteral("-config"));
    f.setOn(EmulatorField::UseMasterConfig, false);
    f.setOn(EmulatorField::UseMasterConfig, true);
    EXPECT_EQ(f.text(EmulatorField::MasterConfigParameter), QStringLiteral("-config")) << "a set parameter stays";

    EXPECT_TRUE(f.saveEnabled());
    EXPECT_EQ(saveSignals, 1);
    f.setSaveEnabled(false);
    EXPECT_EQ(saveSignals, 2);

    EXPECT_TRUE(f.setByKey(QStringLiteral("dir_parameter"), QStringLiteral("*.d64")));
    EXPECT_EQ(f.text(EmulatorField::DirParameter), QStringLiteral("*.d64"));
    EXPECT_FALSE(f.setByKey(QStringLiteral("NoSuchKey"), QStringLiteral("1")));
    EXPECT_FALSE(f.setByKey(QString(), QStringLiteral("1"))) << "the template text has no key";
    EXPECT_TRUE(f.isOn(EmulatorField::AddDiskPathWithoutPath) == false);
    f.setText(EmulatorField::AddDiskPathWithoutPath, QStringLiteral("2"));
    EXPECT_TRUE(f.isOn(EmulatorField::AddDiskPathWithoutPath)) << "a stored 2 counts as on";
}

} // namespace
