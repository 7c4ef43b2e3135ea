// The running-game indicator of the real assembled program (offscreen): a
// real emulator process is watched while it runs, and when it ends both the
// running picture and the caption line go.
#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "support/WaitFor.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "ui/LaunchController.h"
#include "ui/LauncherAssembly.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {


TEST(RunningIndicator, BothGoWhenTheGameEnds)
{
    TempDir dir;
    ScriptedPrompt prompt;
    const int language = currentLanguage();
    AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
    dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\nUseJoystick=0\r\n");
    dir.write("Config/Amiga/arvex.ini", "[Settings]\r\nEmulatorPath=./emu.sh\r\n");
    // The emulator runs until the test lets it end.
    const QString emu = dir.write("emu.sh", "#!/bin/sh\nwhile [ ! -e '" + dir.file("stop").toUtf8()
                                                + "' ]; do sleep 0.1; done\n");
    QFile::setPermissions(emu, QFile::permissions(emu) | QFile::ExeOwner | QFile::ExeUser);
    {
        LauncherAssembly app(SettingsPaths(dir.path(), QStringLiteral("arvex")));
        MainWindow& window = app.window();
        window.setEndProcess([](int) {});
        ASSERT_EQ(window.Form_Load(), MainWindow::StartResult::Running);
        setCurrentLanguage(kLanguageEnglish);
        window.show();
        QApplication::processEvents();
        // Where the rows below the caption line are: the indicator must not move them.
        auto emulatorRowY = [&] {
            QApplication::processEvents();
            return window.EmuListbox->mapTo(&window, QPoint(0, 0)).y();
        };
        const int rowY = emulatorRowY();

        ASSERT_TRUE(app.launch().startProgram(emu));
        EXPECT_EQ(emulatorRowY(), rowY) << "the running indicator pushed the window's rows down";
        EXPECT_TRUE(window.AppRunningPicture->isVisible());
        EXPECT_TRUE(window.MyCaptionLabel->isVisible());
        EXPECT_EQ(window.MyCaptionLabel->text(), "Running: " + emu);

        dir.write("stop", "");
        EXPECT_TRUE(WaitFor([&] { return !app.launch().monitor().isWatching(); }, 20000));
        EXPECT_FALSE(window.AppRunningPicture->isVisible());
        EXPECT_FALSE(window.MyCaptionLabel->isVisible());
        EXPECT_TRUE(window.TitleStr->isVisible()); // the title stays in view beside it
        EXPECT_EQ(emulatorRowY(), rowY);
    }
    setCurrentLanguage(language);
    AppEnvironment::setOverrides({}, {});
}

} // namespace
