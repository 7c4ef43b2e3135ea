// An emulator registered entirely through the options window of the real
// program assembly: a new profile, the executable and game folder picked
// with the chooser, saved, the folder scanned, and a game started from the
// main window in that emulator (a real child process that records its
// arguments).
#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "config/SettingsPaths.h"
#include "options/MainWindowOptionsHost.h"
#include "options/SettingsForm.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "ui/LauncherAssembly.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>

#include <gtest/gtest.h>

namespace {

TEST(OptionsProgram, RegisterAnEmulatorThroughTheWindowAndStartAGame)
{
    setCurrentLanguage(kLanguageEnglish);
    TempDir dir;
    AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
    ScriptedPrompt prompts;
    ScriptedFileChooser chooser;
    dir.write(QStringLiteral("Config/arvex.ini"), "[Settings]\r\nUseJoystick=0\r\n");
    const QString game = dir.write(QStringLiteral("My Games/Lemmings (1991)(Psygnosis).adf"), "ADF");
    dir.write(QStringLiteral("My Games/readme.txt"), "not a game");
    const QString emu = dir.write(QStringLiteral("Emulators/my emu.sh"),
                                  "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + dir.file(QStringLiteral("args.txt")).toUtf8() + "'\n");
    QFile::setPermissions(emu, QFile::permissions(emu) | QFile::ExeOwner | QFile::ExeUser);

    {
        LauncherAssembly launcher(SettingsPaths(dir.path(), QStringLiteral("arvex")));
        launcher.window().setEndProcess([](int) {});
        OptionsWindowOpener opener(launcher);
        ASSERT_EQ(launcher.window().Form_Load(), MainWindow::StartResult::Running);
        ASSERT_TRUE(launcher.window().SettingsBtn->isEnabled());
        launcher.window().show();

        launcher.window().SettingsBtn->click();
        QPointer<SettingsForm> form = opener.window();
        ASSERT_TRUE(form);

        prompts.queueInput(QStringLiteral("Amiga Test"));
        form->NewEmulatorBtn_Click();
        ASSERT_EQ(launcher.window().currentEmulator(), QStringLiteral("Amiga Test"));

        chooser.queue(emu);
        prompts.queue(PromptAnswer::Yes); // unknown emulator: neutral parameters
        prompts.queue(PromptAnswer::No);  // do not start it now
        form->Command2_Click();
        chooser.queue(dir.path() + QStringLiteral("My Games/"));
        form->BrowseDir_Click();
        form->DirBefehleTxt->setText(QStringLiteral("*.adf"));
        form->UAELaunchParameterAddPath->setChecked(true);
        form->SecondsTimerTxt->setText(QStringLiteral("0"));
        ASSERT_TRUE(form->SaveBtn_Click());
        EXPECT_FALSE(form->SaveBtn->isEnabled());
        form->LoadBtn_Click(); // rescans and closes
        QCoreApplication::processEvents();
        EXPECT_TRUE(form.isNull() || !form->isVisible());

        // The main window shows the game found by the scan and starts it in the emulator.
        launcher.lists().focusList(3);
        EXPECT_EQ(launcher.lists().selectedFullPath(3), game);
        launcher.launch().launchEntry(game);
        QDeadlineTimer deadline(20000);
        while (!QFile::exists(dir.file(QStringLiteral("args.txt"))) && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
        EXPECT_EQ(dir.read(QStringLiteral("args.txt")), game.toUtf8() + '\n');
        for (const auto& asked : prompts.asked())
            EXPECT_FALSE(asked.text.contains(QStringLiteral("could not"))) << asked.text.toStdString();
    }
    AppEnvironment::setOverrides({}, {});
}

} // namespace
