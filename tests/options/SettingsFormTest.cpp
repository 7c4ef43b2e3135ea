// The options window on a real temporary program folder, offscreen: what it
// shows when it opens, what it writes when it saves (files read back byte for
// byte), the unsaved-changes rules, the Escape order, the chooser and prompt
// driven actions, and a save that cannot write.
#include "FakeOptionsHost.h"
#include "config/Language.h"
#include "options/SettingsForm.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QKeyEvent>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class SettingsFormTest : public ::testing::Test {
protected:
    TempDir dir;
    QString app = dir.mkdir(QStringLiteral("Arvex"));
    FakeOptionsHost host{app};
    ScriptedPrompt prompts;
    ScriptedFileChooser chooser;
    QPointer<SettingsForm> form;

    void SetUp() override { setCurrentLanguage(kLanguageEnglish); }
    void TearDown() override { delete form.data(); }

    QString settingsText() const { return QString::fromUtf8(dir.read(QStringLiteral("Arvex/Config/Amiga/arvex.ini"))); }
    QString globalText() const { return QString::fromUtf8(dir.read(QStringLiteral("Arvex/Config/arvex.ini"))); }
    void writeSettings(const QString& text) const { dir.write(QStringLiteral("Arvex/Config/Amiga/arvex.ini"), text.toUtf8()); }

    SettingsForm& open()
    {
        form = new SettingsForm(host);
        form->Form_Load();
        return *form;
    }
};

void pressEscape(QWidget& w)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}

QString crlf(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

TEST_F(SettingsFormTest, OpeningShowsStoredValuesAndLeavesSaveDisabled)
{
    const QString games = dir.mkdir(QStringLiteral("Arvex/Games/Amiga"));
    dir.write(QStringLiteral("Arvex/Games/Amiga/a.adf"));
    const QString exe = dir.write(QStringLiteral("Arvex/Emulators/fs-uae"));
    writeSettings(crlf({QStringLiteral("[Settings]"), QStringLiteral("EmulatorPath=./Emulators/fs-uae"),
                        QStringLiteral("RomPath=./Games/Amiga"), QStringLiteral("Dir_Parameter=*.adf, *.adz"),
                        QStringLiteral("EmulatorParameter=--model A500"), QStringLiteral("EmulatorParameterAddDiskPath=1"),
                        QStringLiteral("EmulatorParameterAddDiskPathWithoutPath=1"), QStringLiteral("UseQuote=1"),
                        QStringLiteral("SplashTimer=9"), QStringLiteral("SmartRomSelection=0"),
                        QStringLiteral("RunVBS_Script=1"), QStringLiteral("AutoMountDeamonTool=1"),
                        QStringLiteral("WinUAE_UseMasterConfig=0"), QStringLiteral("WinUAE_ConfigParameter=-config"),
                        QStringLiteral("FullScreen=0"), QStringLiteral("KickstartRom=./kick.rom")}));
    dir.write(QStringLiteral("Arvex/Config/arvex.ini"),
              crlf({QStringLiteral("[Settings]"), QStringLiteral("UseJoystick=1"), QStringLiteral("UseJoystickExitbutton=3"),
                    QStringLiteral("ResetScreenResolution=1"), QStringLiteral("DeamonToolPath=/usr/bin/fuseiso")})
                  .toUtf8());
    SettingsForm& f = open();

    EXPECT_EQ(f.txtWinUAEExe->text(), exe);
    EXPECT_EQ(f.TxtRomPath->text(), games);
    EXPECT_EQ(f.DirBefehleTxt->text(), QStringLiteral("*.adf, *.adz"));
    EXPECT_EQ(f.UAELaunchParaneter->text(), QStringLiteral("--model A500"));
    EXPECT_EQ(f.SecondsTimerTxt->text(), QStringLiteral("9"));
    EXPECT_EQ(f.UAEMasterConfigLaunchParameter->text(), QStringLiteral("-config"));
    EXPECT_EQ(f.TxtKickstartRomFile->text(), app + QStringLiteral("kick.rom"));
    EXPECT_EQ(f.DeamonPath->text(), QStringLiteral("/usr/bin/fuseiso"));
    const std::pair<QCheckBox*, bool> boxes[] = {
        {f.UAELaunchParameterAddPath, true}, {f.ParameterWithoutPath, true}, {f.UseAnfz, true},
        {f.IntelligenteRomauswahl, false},   {f.DeMulAutostart, true},       {f.AutoMoundDeamonTools, true},
        {f.UseMasterConfig, false},          {f.FullscreenCheck, false},     {f.ResetScreenRes, true},
        {f.Joystickcheck, true}};
    for (const auto& [box, on] : boxes)
        EXPECT_EQ(box->isChecked(), on) << box->objectName().toStdString();
    EXPECT_EQ(f.KillButtonKombo->count(), 9);
    EXPECT_EQ(f.KillButtonKombo->currentIndex(), 3);
    EXPECT_EQ(f.FontSizeCombo->currentIndex(), 2);
    // Dependants follow their boxes; a fuse-uae path is no WinUAE.
    EXPECT_FALSE(f.OpenVBS->isHidden());
    EXPECT_FALSE(f.DeamonButton->isHidden());
    EXPECT_FALSE(f.SetJOyBtn->isHidden());
    EXPECT_TRUE(f.WinUAEBtn->isHidden());
    EXPECT_FALSE(f.TxtMasterConfig->isEnabled());
    // Valid paths show no error picture except the missing Kickstart file.
    EXPECT_FALSE(f.errorPictureShown(0));
    EXPECT_FALSE(f.errorPictureShown(1));
    EXPECT_TRUE(f.errorPictureShown(2));
    EXPECT_FALSE(f.SaveBtn->isEnabled());
    EXPECT_EQ(prompts.count(), 0);
}

TEST_F(SettingsFormTest, SaveWritesEveryKeyInOrderRelativeAndOnceEach)
{
    SettingsForm& f = open();
    // Opening an empty profile stored the read defaults in read order (the
    // first read only creates the missing file).
    EXPECT_EQ(settingsText(),
              crlf({QStringLiteral("[Settings]"), QStringLiteral("EmulatorPath=./"),
                    QStringLiteral("SmartRomSelection=1"), QStringLiteral("Dir_Parameter=*.adf"),
                    QStringLiteral("AutoMountDeamonTool=0"), QStringLiteral("FullScreen=1"), QStringLiteral("SplashTimer=4"),
                    QStringLiteral("EmulatorParameterAddDiskPath=0"), QStringLiteral("EmulatorParameterAddDiskPathWithoutPath=0"),
                    QStringLiteral("WinUAE_UseMasterConfig=1"), QStringLiteral("UseQuote=0")}));
    EXPECT_FALSE(f.SaveBtn->isEnabled());

    f.txtWinUAEExe->setText(app + QStringLiteral("Emulators/winuae.exe"));
    EXPECT_TRUE(f.SaveBtn->isEnabled());
    f.TxtRomPath->setText(app + QStringLiteral("Games/Amiga/"));
    f.TxtKickstartRomFile->setText(app + QStringLiteral("Roms/kick 1.3.rom"));
    f.SecondsTimerTxt->setText(QStringLiteral("07"));
    f.UAELaunchParaneter->setText(QStringLiteral(" -s use_gui=no "));
    f.DeMulAutostart->setChecked(true);
    f.UAELaunchParameterAddPath->setChecked(true);
    f.Joystickcheck->setChecked(true);
    f.KillButtonKombo->setCurrentIndex(2);
    f.FontSizeCombo->setCurrentIndex(3);
    f.DeamonPath->setText(QStringLiteral("/usr/bin/fuseiso"));
    ASSERT_TRUE(f.SaveBtn_Click());

    // Existing lines changed in place; the keys new to the file follow in save order.
    EXPECT_EQ(settingsText(),
              crlf({QStringLiteral("[Settings]"),
                    QStringLiteral("EmulatorPath=./Emulators/winuae.exe"), QStringLiteral("SmartRomSelection=1"),
                    QStringLiteral("Dir_Parameter=*.adf"), QStringLiteral("AutoMountDeamonTool=0"),
                    QStringLiteral("FullScreen=1"), QStringLiteral("SplashTimer=7"),
                    QStringLiteral("EmulatorParameterAddDiskPath=1"), QStringLiteral("EmulatorParameterAddDiskPathWithoutPath=0"),
                    QStringLiteral("WinUAE_UseMasterConfig=1"), QStringLiteral("UseQuote=0"),
                    QStringLiteral("KickstartRom=./Roms/kick 1.3.rom"), QStringLiteral("RomPath=./Games/Amiga/"),
                    QStringLiteral("RunVBS_Script=1"), QStringLiteral("WinUAE_ConfigParameter=-f"),
                    QStringLiteral("EmulatorParameter= -s use_gui=no ")}));
    EXPECT_EQ(globalText(),
              crlf({QStringLiteral("[Settings]"), QStringLiteral("UseJoystick=1"), QStringLiteral("UseJoystickExitbutton=2"),
                    QStringLiteral("DeamonToolPath=/usr/bin/fuseiso"), QStringLiteral("ResetScreenResolution=0"),
                    QStringLiteral("Fontsize=3")}));
    EXPECT_FALSE(f.SaveBtn->isEnabled());
    EXPECT_EQ(host.calls.count(QStringLiteral("loadSettings")), 1);
    EXPECT_EQ(prompts.count(), 0);
    // No master template was named: none was written.
    EXPECT_FALSE(QFile::exists(app + QStringLiteral("Config/Amiga/arvex_Master.uaecfg")));
}

TEST_F(SettingsFormTest, MasterTemplateIsReadFilteredAndWrittenBackWhenNamed)
{
    host.useMasterTemplate(true);
    dir.write(QStringLiteral("Arvex/Config/Amiga/arvex_Master.uaecfg"),
              "use_gui=no\r\nfloppy1=/x.adf\r\n\r\nfloppy0=/a.adf\r\nkickstart_rom_file=/k.rom\r\ngfx_fullscreen_amiga=true\r\n");
    SettingsForm& f = open();
    EXPECT_EQ(f.TxtMasterConfig->toPlainText(),
              QStringLiteral("use_gui=no\nfloppy0=/a.adf\ngfx_fullscreen_amiga=true\n"));
    f.TxtMasterConfig->setPlainText(QStringLiteral("use_gui=no\ncpu_type=68020\n"));
    ASSERT_TRUE(f.SaveBtn_Click());
    EXPECT_EQ(dir.read(QStringLiteral("Arvex/Config/Amiga/arvex_Master.uaecfg")),
              QByteArray("use_gui=no\r\ncpu_type=68020\r\n\r\n"));
}

TEST_F(SettingsFormTest, OddPathsSurviveSaveAndReopen)
{
    // Executable, game folder.
    const std::pair<QString, QString> paths[] = {
        {app + QStringLiteral("Emu's \"dir\"/$HOME/Spiele äöü/emu"), app + QStringLiteral("Spiele äöü/$x \"y\"/")},
        {QStringLiteral("/other/place with blanks/emu"), QStringLiteral("/other/games with blanks/")},
        {QStringLiteral("C:\\Emus\\WinUAE\\winuae.exe"), QStringLiteral("C:\\Games\\Amiga\\")},
        {QStringLiteral("/other/odd\\\\name/emu"), QStringLiteral("/other/games/")},
    };
    for (const auto& [exe, games] : paths) {
        {
            SettingsForm& f = open();
            f.txtWinUAEExe->setText(exe);
            f.TxtRomPath->setText(games);
            ASSERT_TRUE(f.SaveBtn_Click());
            f.ExitBtn_Click();
            delete form.data();
        }
        SettingsForm& again = open();
        EXPECT_EQ(again.txtWinUAEExe->text(), exe);
        EXPECT_EQ(again.TxtRomPath->text(), games);
        delete form.data();
    }
}

TEST_F(SettingsFormTest, DriveLetterPathsLoseDoubledBackslashes)
{
    writeSettings(crlf({QStringLiteral("[Settings]"), QStringLiteral("EmulatorPath=C:\\\\Emus\\\\x64.exe"),
                        QStringLiteral("RomPath=D:\\\\C64\\\\")}));
    SettingsForm& f = open();
    EXPECT_EQ(f.txtWinUAEExe->text(), QStringLiteral("C:\\Emus\\x64.exe"));
    EXPECT_EQ(f.TxtRomPath->text(), QStringLiteral("D:\\C64\\"));
}

TEST_F(SettingsFormTest, ClosingWithUnsavedChangesAsksAndCancelKeepsEveryEdit)
{
    SettingsForm& f = open();
    f.DirBefehleTxt->setText(QStringLiteral("*.d64"));
    f.UseAnfz->setChecked(true);
    prompts.queue(PromptAnswer::Cancel);
    EXPECT_FALSE(f.ExitBtn_Click());
    ASSERT_EQ(prompts.count(), 1);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Undo changes and exit?"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("You have not saved your settings! \r\r Refuse changes?"));
    EXPECT_EQ(prompts.asked().last().buttons, PromptButtons::OkCancel);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.DirBefehleTxt->text(), QStringLiteral("*.d64"));
    EXPECT_TRUE(f.SaveBtn->isEnabled());
    // The window's close box asks the same.
    prompts.queue(PromptAnswer::Cancel);
    f.close();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(prompts.count(), 2);

    prompts.queue(PromptAnswer::Ok);
    EXPECT_TRUE(f.ExitBtn_Click());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(settingsText().contains(QStringLiteral("*.d64")));
}

TEST_F(SettingsFormTest, ClosingWithoutChangesAsksNothing)
{
    setCurrentLanguage(kLanguageGerman);
    SettingsForm& f = open();
    EXPECT_TRUE(f.ExitBtn_Click());
    EXPECT_EQ(prompts.count(), 0);

}

TEST_F(SettingsFormTest, EscapeClosesDeamonThenWinUaeThenAppearanceThenTheWindow)
{
    writeSettings(crlf({QStringLiteral("[Settings]"), QStringLiteral("EmulatorPath=/emus/winuae.exe"),
                        QStringLiteral("AutoMountDeamonTool=1")}));
    SettingsForm& f = open();
    f.Command5->click();
    f.WinUAEBtn->click();
    f.DeamonButton->click();
    ASSERT_TRUE(f.deamonPanelOpen() && f.winUaePanelOpen() && f.appearancePanelOpen());

    pressEscape(f);
    EXPECT_FALSE(f.deamonPanelOpen());
    EXPECT_TRUE(f.winUaePanelOpen());
    pressEscape(f);
    EXPECT_FALSE(f.winUaePanelOpen());
    EXPECT_TRUE(f.appearancePanelOpen());
    pressEscape(f);
    EXPECT_FALSE(f.appearancePanelOpen());
    EXPECT_TRUE(f.isVisible());
    pressEscape(f);
    EXPECT_TRUE(form.isNull() || !form->isVisible());
    EXPECT_EQ(prompts.count(), 0);
}

TEST_F(SettingsFormTest, BrowsingAnExecutableRunsTheKnownEmulatorCheckAndOffersAStart)
{
    dir.write(QStringLiteral("Emus/Atari/Games/river raid.bin"));
    const QString stella = dir.write(QStringLiteral("Emus/Atari/stella.exe"));
    SettingsForm& f = open();
    f.TxtRomPath->clear();
    chooser.queue(stella);
    prompts.queue(PromptAnswer::Yes); // set the defaults
    prompts.queue(PromptAnswer::Yes); // start it now
    f.Command2_Click();

    ASSERT_EQ(chooser.requests().size(), 1);
    EXPECT_EQ(chooser.requests()[0].caption, QStringLiteral("Emulator Exe wählen"));
    ASSERT_EQ(prompts.count(), 2);
    EXPECT_EQ(prompts.asked()[0].text,
              QStringLiteral("Atari 2600 Emulator found!\r\rSet the default launch - parameter for this program?"));
    EXPECT_EQ(prompts.asked()[1].title, QStringLiteral("Start stella.exe?"));
    EXPECT_EQ(f.txtWinUAEExe->text(), stella);
    EXPECT_EQ(f.DirBefehleTxt->text(), QStringLiteral("*.bin, *.zip"));
    EXPECT_TRUE(f.UAELaunchParameterAddPath->isChecked());
    EXPECT_EQ(f.SecondsTimerTxt->text(), QStringLiteral("0"));
    // The game folder was empty: it became the Games folder beside the emulator.
    EXPECT_EQ(f.TxtRomPath->text(), dir.path() + QStringLiteral("Emus/Atari/Games/"));
    EXPECT_TRUE(host.calls.contains(QStringLiteral("start ") + stella));
    EXPECT_TRUE(f.SaveBtn->isEnabled());

    // The same answer again changes nothing.
    chooser.queue(stella);
    f.Command2_Click();
    EXPECT_EQ(prompts.count(), 2);
}

TEST_F(SettingsFormTest, LeavingTheExecutableFieldChecksOnlyAChangedText)
{
    const QString mame = dir.write(QStringLiteral("Emus/mame/mame.exe"));
    SettingsForm& f = open();
    QApplication::setActiveWindow(&f);
    f.txtWinUAEExe->setFocus(Qt::TabFocusReason);
    f.txtWinUAEExe->setText(mame);
    prompts.queue(PromptAnswer::No);
    f.DirBefehleTxt->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(prompts.count(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Mame (Multi-Acarde-Machine-Emulator)found!")));

    f.txtWinUAEExe->setFocus(Qt::TabFocusReason);
    f.DirBefehleTxt->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(prompts.count(), 1);
}

TEST_F(SettingsFormTest, ANonWinUaeExecutableClearsTheWinUaeFields)
{
    writeSettings(crlf({QStringLiteral("[Settings]"), QStringLiteral("EmulatorPath=/emus/WinUAE.exe"),
                        QStringLiteral("KickstartRom=/roms/kick.rom"), QStringLiteral("SmartRomSelection=1"),
                        QStringLiteral("WinUAE_UseMasterConfig=1"), QStringLiteral("WinUAE_ConfigParameter=-f"),
                        QStringLiteral("FullScreen=1")}));
    SettingsForm& f = open();
    EXPECT_FALSE(f.WinUAEBtn->isHidden());
    EXPECT_TRUE(f.UseMasterConfig->isChecked());

    f.txtWinUAEExe->setText(QStringLiteral("/usr/games/dosbox"));
    EXPECT_TRUE(f.WinUAEBtn->isHidden());
    EXPECT_EQ(f.TxtKickstartRomFile->text(), QString());
    EXPECT_FALSE(f.IntelligenteRomauswahl->isChecked());
    EXPECT_FALSE(f.UseMasterConfig->isChecked());
    EXPECT_EQ(f.UAEMasterConfigLaunchParameter->text(), QString());
    EXPECT_FALSE(f.FullscreenCheck->isChecked());
    EXPECT_FALSE(f.Command3->isEnabled());
}

TEST_F(SettingsFormTest, SmallReactionsShowAndHideDependants)
{
    SettingsForm& f = open();
    f.UAELaunchParameterAddPath->setChecked(true);
    f.UseAnfz->setChecked(true);
    f.ParameterWithoutPath->setChecked(true);
    f.UAELaunchParameterAddPath->setChecked(false);
    EXPECT_TRUE(f.UseAnfz->isHidden());
    EXPECT_FALSE(f.UseAnfz->isChecked());
    EXPECT_TRUE(f.ParameterWithoutPath->isHidden());
    EXPECT_TRUE(f.ParameterWithoutPath->isChecked()); // still saved as it is

    f.UseMasterConfig->setChecked(false);
    f.UAEMasterConfigLaunchParameter->setText(QString());
    f.UseMasterConfig->setChecked(true);
    EXPECT_EQ(f.UAEMasterConfigLaunchParameter->text(), QStringLiteral("-f"));
    EXPECT_TRUE(f.TxtMasterConfig->isEnabled() && f.Command1->isEnabled() && f.Command3->isEnabled());

    f.AutoMoundDeamonTools->setChecked(true);
    f.DeamonButton->click();
    EXPECT_TRUE(f.deamonPanelOpen());
    f.AutoMoundDeamonTools->setChecked(false);
    EXPECT_TRUE(f.DeamonButton->isHidden());
    EXPECT_FALSE(f.deamonPanelOpen());

    f.Joystickcheck->setChecked(false);
    EXPECT_FALSE(f.KillButtonKombo->isEnabled());
    EXPECT_TRUE(f.SetJOyBtn->isHidden());
    f.Joystickcheck->setChecked(true);
    f.SetJOyBtn->click();
    EXPECT_TRUE(host.calls.contains(QStringLiteral("assignPadButtons")));

    f.FontSizeCombo->setCurrentIndex(1);
    EXPECT_EQ(host.fontIndex, 1);
    f.FensterRahmChk->setChecked(true);
    EXPECT_TRUE(host.border);
}

TEST_F(SettingsFormTest, ClearingTheStartScriptBoxStoresZero)
{
    writeSettings(crlf({QStringLiteral("[Settings]"), QStringLiteral("RunVBS_Script=1")}));
    SettingsForm& f = open();
    ASSERT_TRUE(f.DeMulAutostart->isChecked());
    f.DeMulAutostart->setChecked(false);
    EXPECT_TRUE(f.OpenVBS->isHidden());
    ASSERT_TRUE(f.SaveBtn_Click());
    EXPECT_TRUE(settingsText().contains(QStringLiteral("RunVBS_Script=0\r\n")));
}

TEST_F(SettingsFormTest, AFailedSaveIsReportedOnceAndKeepsTheWindowAndEdits)
{
    SettingsForm& f = open();
    const QString ini = host.settingsFile();
    const QByteArray before = dir.read(QStringLiteral("Arvex/Config/Amiga/arvex.ini"));
    QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    f.DirBefehleTxt->setText(QStringLiteral("*.adz"));
    EXPECT_FALSE(f.SaveBtn_Click());

    ASSERT_EQ(prompts.count(), 1);
    EXPECT_TRUE(prompts.lastText().contains(ini));
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.SaveBtn->isEnabled());
    EXPECT_EQ(f.DirBefehleTxt->text(), QStringLiteral("*.adz"));
    EXPECT_EQ(dir.read(QStringLiteral("Arvex/Config/Amiga/arvex.ini")), before);
    // The global file could be written and was.
    EXPECT_TRUE(globalText().contains(QStringLiteral("Fontsize=2")));
}

TEST_F(SettingsFormTest, AProfileFolderRemovedBehindTheWindowIsMadeAgainOnSave)
{
    SettingsForm& f = open();
    QDir(host.startFolder()).removeRecursively();
    f.DirBefehleTxt->setText(QStringLiteral("*.st"));
    EXPECT_TRUE(f.SaveBtn_Click());
    EXPECT_TRUE(settingsText().contains(QStringLiteral("Dir_Parameter=*.st\r\n")));
    EXPECT_EQ(prompts.count(), 0);
}

TEST_F(SettingsFormTest, RescanRefusesUnsavedChangesElseRescansAndCloses)
{
    setCurrentLanguage(kLanguageGerman);
    SettingsForm& f = open();
    const QString games = dir.mkdir(QStringLiteral("Games"));
    f.TxtRomPath->setText(games);
    f.LoadBtn_Click();
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Bitte erst speichern"));
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Speichern"));
    EXPECT_TRUE(host.calls.filter(QStringLiteral("rescan")).isEmpty());

    ASSERT_TRUE(f.SaveBtn_Click());
    f.LoadBtn_Click();
    EXPECT_TRUE(host.calls.contains(QStringLiteral("rescan ") + games));
    EXPECT_TRUE(form.isNull() || !form->isVisible());
}

TEST_F(SettingsFormTest, RescanAllAsksFirst)
{
    SettingsForm& f = open();
    prompts.queue(PromptAnswer::Cancel);
    f.ReloadAllBtn_Click();
    EXPECT_FALSE(host.calls.contains(QStringLiteral("reloadAll")));
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Reload all"));
    prompts.queue(PromptAnswer::Ok);
    f.ReloadAllBtn_Click();
    EXPECT_TRUE(host.calls.contains(QStringLiteral("reloadAll")));
}

TEST_F(SettingsFormTest, StartButtonReportsAMissingEmulator)
{
    SettingsForm& f = open();
    f.txtWinUAEExe->setText(app + QStringLiteral("missing/emu"));
    f.LaunchButton_Click();
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Emulator not found!"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Emulator not found:\r") + app + QStringLiteral("missing/emu"));
    EXPECT_TRUE(host.calls.filter(QStringLiteral("start ")).isEmpty());
    EXPECT_TRUE(f.LaunchButton->isEnabled());
}

TEST_F(SettingsFormTest, ImportTakesTheAllowedLinesAndCancelSaysAbbruch)
{
    host.useMasterTemplate(true);
    const QString config = dir.write(QStringLiteral("Emus/WinUAE/Configurations/A1200.uae"),
                                     "config_description=A1200\r\n\r\nfloppy0=/g/a.adf\r\nfloppy1=/g/b.adf\r\n"
                                     "floppy2=/g/c.adf\r\nkickstart_rom_file=/k/kick31.rom\r\n   \r\nchipset=aga\r\n");
    writeSettings(crlf({QStringLiteral("[Settings]"), QStringLiteral("EmulatorPath=") + dir.path()
                                                           + QStringLiteral("Emus/WinUAE/winuae.exe")}));
    SettingsForm& f = open();
    chooser.queue(config);
    f.Command1_Click();
    EXPECT_EQ(chooser.requests().last().defaultPath, dir.path() + QStringLiteral("Emus/WinUAE/"));
    EXPECT_EQ(chooser.requests().last().defaultFilename, QStringLiteral("*.uae*"));
    EXPECT_EQ(f.TxtMasterConfig->toPlainText(), QStringLiteral("config_description=A1200\nfloppy0=/g/a.adf\nchipset=aga\n"));
    EXPECT_TRUE(f.SaveBtn->isEnabled());

    f.Command1_Click(); // the chooser is cancelled
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Abbruch!"));
    EXPECT_EQ(f.TxtMasterConfig->toPlainText(), QStringLiteral("config_description=A1200\nfloppy0=/g/a.adf\nchipset=aga\n"));
}

TEST_F(SettingsFormTest, StartScriptTemplateIsWrittenOnlyWhenMissing)
{
    writeSettings(crlf({QStringLiteral("[Settings]"), QStringLiteral("RunVBS_Script=1"),
                        QStringLiteral("EmulatorPath=/emus/demul.exe")}));
    SettingsForm& f = open();
    const QString script = host.startScriptFile();
    f.OpenVBS_Click();
    const QByteArray written = dir.read(QStringLiteral("Arvex/Config/Amiga/Startscript.vbs"));
    EXPECT_TRUE(written.contains("demul"));
    EXPECT_TRUE(host.calls.contains(QStringLiteral("edit ") + script));
    dir.write(QStringLiteral("Arvex/Config/Amiga/Startscript.vbs"), "mine");
    f.OpenVBS_Click();
    EXPECT_EQ(dir.read(QStringLiteral("Arvex/Config/Amiga/Startscript.vbs")), QByteArray("mine"));
}

TEST_F(SettingsFormTest, NewAndRemovedProfilesReloadTheWindow)
{
    qputenv("XDG_DATA_HOME", dir.mkdir(QStringLiteral("share")).toUtf8());
    SettingsForm& f = open();
    prompts.queueInput(QStringLiteral("C64"));
    f.NewEmulatorBtn_Click();
    EXPECT_TRUE(QFileInfo(app + QStringLiteral("Config/C64")).isDir());
    EXPECT_TRUE(host.calls.contains(QStringLiteral("profilesChanged C64")));
    EXPECT_EQ(host.emulator(), QStringLiteral("C64"));
    // The window now edits the new profile, whose file it has just created.
    EXPECT_TRUE(QFile::exists(app + QStringLiteral("Config/C64/arvex.ini")));

    prompts.queueInput(QStringLiteral("c64"));
    f.NewEmulatorBtn_Click();
    EXPECT_EQ(prompts.lastText(), QStringLiteral("The emulator \"C64\" exists already."));

    prompts.queue(PromptAnswer::Yes);
    f.RemoveEmulatorBtn_Click();
    EXPECT_FALSE(QFileInfo::exists(app + QStringLiteral("Config/C64")));
    EXPECT_TRUE(host.calls.contains(QStringLiteral("profilesChanged ")));
    EXPECT_EQ(host.emulator(), QStringLiteral("Amiga"));
}

} // namespace
