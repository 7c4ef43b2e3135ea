// The pictures and small controls of the real assembled main window
// (offscreen): the running picture and the joystick icon with their built-in
// pictures, handed on to the loading screen and the button assignment window;
// the skin's drive-box picture drawn on the drive panel; the minimise label,
// the favourites / all button, and the frame start-up gives the window.
#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "joystick/SetJoystickButtons.h"
#include "options/MainWindowOptionsHost.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "support/WaitFor.h"
#include "ui/BuiltinPictures.h"
#include "ui/CaptionControls.h"
#include "ui/LauncherAssembly.h"
#include "ui/LoadingInfo.h"
#include "ui/PanelPicture.h"
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The image a built-in picture gives at the size the caption row shows it.
QImage builtinAt(const char* resource, QSize size)
{
    return QIcon(BuiltinPictures::load(resource)).pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage iconImage(const QToolButton* button)
{
    return button->icon().pixmap(button->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
}

// A program folder with the profiles "Amiga" (the last emulator) and "C64";
// the emulator of both runs until the file "stop" appears.
struct Program {
    TempDir dir;
    ScriptedPrompt prompt;
    int language = currentLanguage();
    std::unique_ptr<LauncherAssembly> app;

    Program()
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\nUseJoystick=0\r\n");
        const QByteArray profile = "[Settings]\r\nEmulatorPath=./emu.sh\r\nSplashTimer=30\r\nSmartRomSelection=1\r\n"
                                   "WinUAE_UseMasterConfig=0\r\n";
        dir.write("Config/Amiga/arvex.ini", profile);
        dir.write("Config/C64/arvex.ini", profile);
        dir.mkdir("Config/Amiga/Skin");
        dir.mkdir("Config/C64/Skin");
        const QString emu = dir.write("emu.sh", "#!/bin/sh\nwhile [ ! -e '" + dir.file("stop").toUtf8()
                                                    + "' ]; do sleep 0.1; done\n");
        QFile::setPermissions(emu, QFile::permissions(emu) | QFile::ExeOwner | QFile::ExeUser);
        dir.write("Games/Game.adf", "ADF");
    }
    ~Program()
    {
        dir.write("stop", "");
        app.reset();
        setCurrentLanguage(language);
        AppEnvironment::setOverrides({}, {});
    }
    MainWindow& build()
    {
        app = std::make_unique<LauncherAssembly>(SettingsPaths(dir.path(), QStringLiteral("arvex")));
        app->window().setEndProcess([](int) {});
        return app->window();
    }
    MainWindow& start()
    {
        MainWindow& window = build();
        EXPECT_EQ(window.Form_Load(), MainWindow::StartResult::Running);
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();
        return window;
    }
    void select(const QString& emulator)
    {
        MainWindow& window = app->window();
        window.EmuListbox->setCurrentIndex(window.EmuListbox->findText(emulator));
        window.SelectEmulator();
        QApplication::processEvents();
    }
    QWidget* drivePanel() { return app->window().findChild<QWidget*>(QStringLiteral("SettingsSubPicture")); }
};

LoadingInfo* openLoadingScreen()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* info = qobject_cast<LoadingInfo*>(w); info && info->isVisible())
            return info;
    return nullptr;
}

TEST(WindowPictures, RunningPictureAndJoystickIconShowTheBuiltInPicturesWithTheirToolTips)
{
    Program program;
    MainWindow& window = program.build();
    // Before start-up the window shows its German design texts.
    const struct {
        int language;
        const char* running;
        const char* joystick;
    } rows[] = {
        {kLanguageGerman, "Emulator Prozess beenden", "Joysticksteuerung aktiv"},
        {kLanguageEnglish, "Kill Emulator process", "Joystick / Gamepad navigation aktiv"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.language);
        if (row.language == kLanguageEnglish) {
            setCurrentLanguage(kLanguageEnglish);
            window.ApplyLanguageCaptions();
        }
        EXPECT_EQ(window.AppRunningPicture->toolTip(), QString::fromUtf8(row.running));
        EXPECT_EQ(window.JoystickIcon->toolTip(), QString::fromUtf8(row.joystick));
        EXPECT_TRUE(window.AppRunningPicture->text().isEmpty());
        EXPECT_TRUE(window.JoystickIcon->text().isEmpty());
        const QSize size = window.AppRunningPicture->iconSize();
        ASSERT_FALSE(window.AppRunningPicture->icon().isNull());
        ASSERT_FALSE(window.JoystickIcon->icon().isNull());
        EXPECT_EQ(iconImage(window.AppRunningPicture), builtinAt(BuiltinPictures::kRunning, size));
        EXPECT_EQ(iconImage(window.JoystickIcon), builtinAt(BuiltinPictures::kJoystick, size));
        EXPECT_NE(iconImage(window.AppRunningPicture), iconImage(window.JoystickIcon));
    }
}

TEST(WindowPictures, LoadingScreenEndButtonTakesTheRunningPictureAndEndsTheGame)
{
    Program program;
    MainWindow& window = program.start();
    program.app->launch().launchGame(program.dir.file("Games/Game.adf"));
    LoadingInfo* info = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (info = openLoadingScreen()) != nullptr; }, 20000));
    ASSERT_TRUE(WaitFor([&] { return window.AppRunningPicture->isVisible(); }, 20000));

    const QImage end = info->endButtonPicture().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(end.isNull());
    const QImage running = window.AppRunningPicture->icon().pixmap(end.size()).toImage()
                               .convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(end, running);

    // Its button ends the game: the running picture goes once the emulator has gone.
    info->Command1_Click();
    EXPECT_TRUE(WaitFor([&] { return !program.app->launch().monitor().isWatching(); }, 20000));
    EXPECT_FALSE(window.AppRunningPicture->isVisible());
}

TEST(WindowPictures, ButtonAssignmentWindowCopiesTheJoystickPicture)
{
    Program program;
    MainWindow& window = program.start();
    QImage copied;
    bool opened = false;
    // The window is closed from its own event loop, once it has been seen twice
    // (its start-up lets events run while it shows itself).
    QTimer poll;
    int sightings = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* assignment = qobject_cast<SetJoystickButtons*>(w);
            if (!assignment || !assignment->isVisible() || ++sightings < 2)
                continue;
            opened = true;
            if (auto* icon = assignment->findChild<QToolButton*>(QStringLiteral("JoystickIcon")))
                copied = icon->icon().pixmap(window.JoystickIcon->iconSize()).toImage()
                             .convertToFormat(QImage::Format_ARGB32);
            poll.stop();
            assignment->reject();
        }
    });
    poll.start(50);
    program.app->pads().JoystickIcon_DblClick();
    ASSERT_TRUE(opened);
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied, iconImage(window.JoystickIcon));
}

TEST(WindowPictures, SkinDriveBoxIsDrawnOnTheDrivePanelAndWithoutOneThePanelKeepsItsOwn)
{
    Program program;
    // A solid red drive box in the Amiga skin; C64 has none.
    QImage red(64, 32, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    ASSERT_TRUE(red.save(program.dir.file("Config/Amiga/Skin/Drivebox.png")));
    program.start();
    QWidget* panel = program.drivePanel();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->isVisible());

    // Drawn, not only loaded: the panel's own pixels are red where no control covers them.
    QImage shot = panel->grab().toImage();
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(255, 0, 0));
    // Its labels are see-through over the picture.
    auto* caption = panel->findChild<QWidget*>(QStringLiteral("DrivesCaption"));
    ASSERT_NE(caption, nullptr);
    const QPoint inCaption = caption->mapTo(panel, QPoint(caption->width() - 2, caption->height() / 2));
    EXPECT_EQ(shot.pixelColor(inCaption), QColor(255, 0, 0));

    program.select(QStringLiteral("C64"));
    const QImage own = BuiltinPictures::load(BuiltinPictures::kDriveBox).toImage();
    EXPECT_EQ(PanelPicture::picture(panel).toImage(), own);
    shot = panel->grab().toImage();
    EXPECT_NE(shot.pixelColor(1, 1), QColor(255, 0, 0));

    program.select(QStringLiteral("Amiga"));
    EXPECT_EQ(panel->grab().toImage().pixelColor(1, 1), QColor(255, 0, 0));
}

TEST(WindowPictures, Label5MinimisesTheWindowAndTheFavouritesAllButtonHasNoAction)
{
    Program program;
    MainWindow& window = program.start();
    ASSERT_NE(window.Label5, nullptr);
    ASSERT_NE(window.FavoritenAlleBtn, nullptr);
    EXPECT_EQ(window.FavoritenAlleBtn->text(), QStringLiteral("<<  Favoriten / Alle  >>"));
    EXPECT_TRUE(window.FavoritenAlleBtn->isVisible());

    const QString area = window.FocusArea;
    const QWidgetList windows = QApplication::topLevelWidgets();
    QWidget* focused = QApplication::focusWidget();
    window.FavoritenAlleBtn->click();
    QApplication::processEvents();
    EXPECT_EQ(window.FocusArea, area);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_EQ(program.prompt.count(), 0);
    EXPECT_EQ(QApplication::topLevelWidgets(), windows);
    EXPECT_EQ(QApplication::focusWidget(), focused);

    window.Label5->click();
    QApplication::processEvents();
    EXPECT_TRUE(window.isMinimized());
    EXPECT_FALSE(window.hasEnded());
}

TEST(WindowPictures, StartUpGivesTheWindowItsResizableFrameWithMinimiseAndMaximise)
{
    Program program;
    MainWindow& window = program.build();
    // As built the window has a fixed frame without minimise and maximise buttons.
    EXPECT_EQ(BorderStyleBits(&window) & kStyleResizableFrame, 0);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    ASSERT_EQ(window.Form_Load(), MainWindow::StartResult::Running);
    EXPECT_EQ(BorderStyleBits(&window), kStyleResizableFrame);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    // The options window's frame switch sees that frame, takes it away and gives it back.
    MainWindowOptionsHost options(*program.app);
    EXPECT_TRUE(options.windowBorder());
    options.setWindowBorder(false);
    EXPECT_FALSE(options.windowBorder());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    options.setWindowBorder(true);
    EXPECT_TRUE(options.windowBorder());
    EXPECT_EQ(BorderStyleBits(&window), kStyleResizableFrame);
}

} // namespace
