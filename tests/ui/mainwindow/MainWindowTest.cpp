#include "config/Ini.h"
#include "config/Language.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString S = QStringLiteral("Settings");

// Records what the window asks of its game-list area.
class RecordingLists final : public GameListsPart {
public:
    QWidget* widget() override { return m_widget; } // owned by the window
    void LoadFavorites() override { calls << "LoadFavorites"; }
    void clearLists() override { calls << "clearLists"; }
    void clearPictures() override { calls << "clearPictures"; }
    void loadGameList() override { calls << "loadGameList"; }
    void LoadBtn_Click() override { calls << "LoadBtn_Click"; }
    void restoreListCacheView() override { calls << "restoreListCacheView"; }
    int favouritesCount() const override { return favourites; }
    void focusFirstEntry() override { calls << "focusFirstEntry"; }
    void setPanelsVisible(bool visible) override { calls << (visible ? "show" : "hide"); }
    QRect listsArea() const override { return {}; }
    void relayout() override {}
    void applySettings() override { calls << "applySettings"; }
    QPoint drivePanelPosition() const override { return {1500, 2250}; }
    void restoreGamePreview() override {}
    void showEmulatorPicture(const QString& file) override { picture = file; }
    void startSearch(const QString& text) override { search = text; }
    void setListFontSize(int points) override { fontSize = points; }
    void setDrivePanelPicture(const QPixmap& picture) override { drivePicture = picture; }

    QStringList calls;
    int favourites = 0;
    QString picture;
    QString search;
    int fontSize = 0;
    QPixmap drivePicture;

private:
    QWidget* m_widget = new QWidget;
};

class RecordingLaunch final : public LaunchPart {
public:
    void launchGame(const QString& file) override { launched << file; }
    bool startProgram(const QString& exe) override
    {
        started << exe;
        return true;
    }
    void saveModeAndSwitch() override { ++switches; }
    void setSplashCounter(int ticks) override { splash = ticks; }
    int splash = 0;
    QStringList launched;
    QStringList started;
    int switches = 0;
};

struct Fixture {
    TempDir dir;
    ScriptedPrompt prompt;
    RecordingLists lists;
    RecordingLaunch launch;
    std::unique_ptr<MainWindow> window;
    int endedWith = -1;

    Fixture()
    {
        dir.mkdir("Config/Amiga");
        dir.mkdir("Config/C64 v1.0");
        dir.write("Config/readme.txt", "not a profile");
        dir.write("Config/Amiga/arvex.ini", "[Settings]\r\nRomCount=12\r\nEmulatorPath=./emu.sh\r\n");
    }
    MainWindow& make()
    {
        window = std::make_unique<MainWindow>(SettingsPaths(dir.path(), "arvex"));
        window->setGameListsPart(&lists);
        window->setLaunchPart(&launch);
        window->setEndProcess([this](int code) { endedWith = code; });
        return *window;
    }
    QString global(const QString& key) { return GetPrivateProfileString(S, key, dir.file("Config/arvex.ini")); }
};

void pressKey(QWidget* target, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

TEST(MainWindow, StartsWithTheLastEmulatorAndExitsSavingPlacement)
{
    Fixture f;
    f.dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\n");
    MainWindow& w = f.make();
    ASSERT_EQ(w.Form_Load(), MainWindow::StartResult::Running);
    EXPECT_EQ(f.launch.splash, 4);
    // No options window listens: its button cannot be pressed.
    EXPECT_FALSE(w.SettingsBtn->isEnabled());

    QStringList listed;
    for (int i = 0; i < w.EmuListbox->count(); ++i)
        listed << w.EmuListbox->itemText(i);
    listed.sort();
    EXPECT_EQ(listed, QStringList({"Amiga", "C64 v1.0"}));
    EXPECT_EQ(w.EmulatorLongListbox->count(), 2);
    EXPECT_EQ(w.currentEmulator(), "Amiga");
    EXPECT_EQ(w.GetStartPfad(), f.dir.path() + "Config/Amiga/");
    EXPECT_EQ(w.GetIniPath(), f.dir.path() + "Config/Amiga/arvex.ini");
    EXPECT_EQ(w.getBaseIniName(), f.dir.path() + "Config/arvex.ini");
    EXPECT_EQ(w.GetColorsIniName(), f.dir.path() + "Config/Amiga/Skin/Skin.ini");
    EXPECT_EQ(w.EmulatorPathField, f.dir.path() + "emu.sh");
    EXPECT_EQ(w.FocusArea, "2"); // no favourites
    EXPECT_EQ(f.global("LastEmulator"), "Amiga");
    // The view is loaded in order: favourites, settings, favourites again, the list.
    const QStringList& c = f.lists.calls;
    ASSERT_TRUE(c.contains("loadGameList"));
    EXPECT_LT(c.indexOf("LoadFavorites"), c.indexOf("applySettings"));
    EXPECT_LT(c.indexOf("applySettings"), c.lastIndexOf("LoadFavorites"));
    EXPECT_LT(c.lastIndexOf("LoadFavorites"), c.indexOf("loadGameList"));
    EXPECT_LT(c.indexOf("loadGameList"), c.indexOf("restoreListCacheView"));
    // Defaults are stored on their first read.
    EXPECT_EQ(GetPrivateProfileString(S, "Dir_Parameter", w.GetIniPath()), "");
    EXPECT_EQ(GetPrivateProfileString(S, "FullScreen", w.GetIniPath()), "1");
    EXPECT_EQ(f.global("Fontsize"), "16");

    w.resize(900, 600);
    w.move(30, 40);
    w.ExitBtn_Click();
    EXPECT_EQ(f.endedWith, 0);
    EXPECT_EQ(f.global("WindowState"), "0");
    EXPECT_EQ(f.global("WindowX"), QString::number(900 * 15));
    EXPECT_EQ(f.global("WindowY"), QString::number(600 * 15));
    EXPECT_EQ(GetPrivateProfileString(S, "DrvWindowX", w.GetIniPath()), "1500");
}

TEST(MainWindow, RestoresPlacementAndKeepsStoredSizeWhenMaximised)
{
    Fixture f;
    f.dir.write("Config/arvex.ini",
                "[Settings]\r\nWindowState=0\r\nWindowX=12000\r\nWindowY=9000\r\nWindowTop=300\r\nWindowLeft=150\r\n");
    MainWindow& w = f.make();
    w.Form_Load();
    EXPECT_EQ(w.size(), QSize(800, 600));
    EXPECT_EQ(w.pos(), QPoint(10, 20));
    w.showMaximized();
    QCoreApplication::processEvents();
    w.ExitBtn_Click();
    EXPECT_EQ(f.global("WindowState"), "2");
    EXPECT_EQ(f.global("WindowX"), "12000");
}

TEST(MainWindow, PlacementStaysPutStartAfterStartShownOrNot)
{
    // Shown, the offscreen platform frames the window as a window manager
    // would; never shown, there is no frame to account for yet.
    for (const bool shown : {false, true}) {
        TempDir dir;
        ScriptedPrompt prompt;
        dir.write("Config/arvex.ini", "[Settings]\r\nUseJoystick=0\r\nWindowState=0\r\nWindowX=12000\r\n"
                                      "WindowY=9000\r\nWindowTop=1200\r\nWindowLeft=1500\r\n");
        const QString ini = dir.file("Config/arvex.ini");
        for (int start = 1; start <= 3; ++start) {
            MainWindow w(SettingsPaths(dir.path(), "arvex"));
            w.setEndProcess([](int) {});
            ASSERT_EQ(w.Form_Load(), MainWindow::StartResult::Running);
            if (shown) {
                w.show();
                QCoreApplication::processEvents();
            }
            w.ExitBtn_Click();
            const QStringList stored = {GetPrivateProfileString(S, "WindowLeft", ini),
                                        GetPrivateProfileString(S, "WindowTop", ini),
                                        GetPrivateProfileString(S, "WindowX", ini),
                                        GetPrivateProfileString(S, "WindowY", ini)};
            EXPECT_EQ(stored, QStringList({"1500", "1200", "12000", "9000"}))
                << (shown ? "shown" : "never shown") << ", start " << start;
        }
    }
}

TEST(MainWindow, NoProfilesShowsThePrompt)
{
    TempDir dir;
    ScriptedPrompt prompt;
    MainWindow w(SettingsPaths(dir.path(), "arvex"));
    w.setEndProcess([](int) {});
    ASSERT_EQ(w.Form_Load(), MainWindow::StartResult::Running);
    EXPECT_TRUE(QFileInfo(dir.file("Config")).isDir());
    EXPECT_EQ(w.EmuListbox->count(), 0);
    EXPECT_EQ(w.EmuListbox->placeholderText(), "No Emulator found");
    EXPECT_EQ(w.GetIniPath(), dir.path() + "Config/arvex.ini");
    EXPECT_EQ(w.GetFavortitenIni(), dir.path() + "Config/Favoriten.ini");
}

TEST(MainWindow, EscapeAsksToQuitOutsideTheEmulatorBox)
{
    Fixture f;
    MainWindow& w = f.make();
    w.Form_Load();
    setCurrentLanguage(kLanguageEnglish);
    w.FocusArea = "2";
    f.prompt.queue(PromptAnswer::Cancel);
    pressKey(&w, Qt::Key_Escape);
    ASSERT_EQ(f.prompt.count(), 1);
    EXPECT_EQ(f.prompt.lastTitle(), "Exit arvex?");
    EXPECT_EQ(f.prompt.lastText(), "Quit arvex now?");
    EXPECT_EQ(f.endedWith, -1);

    w.FocusArea = "5";
    w.Form_KeyPress(27);
    EXPECT_EQ(f.prompt.count(), 1);

    setCurrentLanguage(kLanguageGerman);
    w.FocusArea = "1";
    f.prompt.queue(PromptAnswer::Ok);
    w.Form_KeyPress(27);
    EXPECT_EQ(f.prompt.lastTitle(), "arvex beenden?");
    EXPECT_EQ(f.prompt.lastText(), "arvex jetzt wirklich beenden?");
    EXPECT_EQ(f.endedWith, 0);
    setCurrentLanguage(kLanguageEnglish);
}

TEST(MainWindow, ClosingTheWindowEndsARunningGameFirst)
{
    Fixture f;
    MainWindow& w = f.make();
    w.Form_Load();
    w.show();
    int gameEnds = 0;
    QObject::connect(w.AppRunningPicture, &QToolButton::clicked, [&] {
        ++gameEnds;
        w.AppRunningPicture->hide();
    });
    w.AppRunningPicture->show();
    EXPECT_FALSE(w.close());
    EXPECT_EQ(gameEnds, 1);
    EXPECT_EQ(f.endedWith, -1);

    // With no game running, closing ends the program.
    w.close();
    EXPECT_EQ(gameEnds, 1);
    EXPECT_EQ(f.endedWith, 0);
}

TEST(MainWindow, OptionsButtonWorksOnceAnOptionsWindowListens)
{
    Fixture f;
    MainWindow& w = f.make();
    int requests = 0;
    QObject::connect(&w, &MainWindow::settingsRequested, [&] { ++requests; });
    w.Form_Load();
    ASSERT_TRUE(w.SettingsBtn->isEnabled());
    w.SettingsBtn->click();
    EXPECT_EQ(requests, 1);
}

TEST(MainWindow, EmulatorBoxSelectionRules)
{
    Fixture f;
    f.dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\n");
    MainWindow& w = f.make();
    w.Form_Load();
    const int amiga = w.SelectedEmulatorIndex;
    const int other = 1 - amiga;

    // Clicking the long list shows the name with its Roms count.
    w.ShowEmulatorList(true);
    EXPECT_EQ(w.FocusArea, "5");
    w.EmulatorLongListbox->setCurrentRow(amiga);
    w.EmulatorLongListbox_Click();
    EXPECT_EQ(w.FocusArea, "10");
    EXPECT_EQ(w.Current_ProgramNameFull->text(), "Amiga\n (Roms: 12)");
    w.EmulatorLongListbox->setCurrentRow(other);
    w.EmulatorLongListbox_Click();
    EXPECT_EQ(w.Current_ProgramNameFull->text(), "C64 v1.0"); // no settings file yet
    EXPECT_EQ(w.EmuListbox->currentIndex(), other);

    // Escape leaves the box and brings back the emulator that was loaded.
    pressKey(w.EmulatorLongListbox, Qt::Key_Escape);
    EXPECT_EQ(w.EmuListbox->currentIndex(), amiga);
    EXPECT_EQ(w.SelectedEmulatorIndex, amiga);

    // A letter starts a search instead of jumping in the list.
    pressKey(w.EmulatorLongListbox, Qt::Key_T, "t");
    EXPECT_EQ(f.lists.search, "t");

    // Selecting the loaded profile again reloads nothing.
    f.lists.calls.clear();
    w.SelectEmulator();
    EXPECT_FALSE(f.lists.calls.contains("loadGameList"));
    EXPECT_EQ(w.FocusArea, "1");

    // Enter in the long list loads the chosen profile and remembers it.
    w.ShowEmulatorList(true);
    w.EmuListbox->setCurrentIndex(other);
    pressKey(w.EmulatorLongListbox, Qt::Key_Return);
    EXPECT_EQ(w.SelectedEmulatorIndex, other);
    EXPECT_EQ(f.global("LastEmulator"), "C64 v1.0");
    EXPECT_TRUE(f.lists.calls.contains("loadGameList"));
}

TEST(MainWindow, StartEmulatorReportsAMissingProgramAndAsksFirst)
{
    Fixture f;
    MainWindow& w = f.make();
    w.Form_Load();
    setCurrentLanguage(kLanguageEnglish);
    w.StartEmulator("C64 v1.0", true);
    ASSERT_EQ(f.prompt.count(), 1);
    EXPECT_EQ(f.prompt.lastTitle(), "Emulator not found!");
    EXPECT_EQ(f.prompt.lastText(), "C64 v1.0-Emulator not found:\r\r");

    f.dir.write("emu.sh", "#!/bin/sh\n");
    f.prompt.queue(PromptAnswer::No);
    w.StartEmulator("Amiga", true);
    EXPECT_EQ(f.prompt.lastTitle(), "emu.sh starten?");
    EXPECT_EQ(f.prompt.lastText(), "Amiga-Emulator zum Einstellen jetzt starten?");
    EXPECT_TRUE(f.launch.started.isEmpty());
    f.prompt.queue(PromptAnswer::Yes);
    w.StartEmulator("Amiga", true);
    ASSERT_EQ(f.launch.started.size(), 1);
    EXPECT_EQ(QFileInfo(f.launch.started.first()).canonicalFilePath(),
              QFileInfo(f.dir.file("emu.sh")).canonicalFilePath());
}

TEST(MainWindow, CommandLineQuestionMarkShowsTheNoticeAndEnds)
{
    Fixture f;
    f.dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\n");
    MainWindow& w = f.make();
    EXPECT_EQ(w.Form_Load("/?"), MainWindow::StartResult::Ended);
    EXPECT_EQ(f.prompt.lastText(), "Command Parameter: Not full supported yet!  *.adf Files should work!");
    EXPECT_TRUE(f.launch.launched.isEmpty());

    Fixture g;
    g.dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\n");
    MainWindow& w2 = g.make();
    EXPECT_EQ(w2.Form_Load("/games/Turrican (1990).adf"), MainWindow::StartResult::Ended);
    EXPECT_EQ(g.launch.launched, QStringList({"/games/Turrican (1990).adf"}));
    EXPECT_EQ(g.endedWith, 0);
}
