// The main window without emulators: the message in place of the lists, and
// that it goes once an emulator is listed.
#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "config/SettingsPaths.h"
#include "firststart/FirstStart.h"
#include "firststart/FirstStartView.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "ui/LauncherAssembly.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {

struct EmptyHome {
    TempDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<LauncherAssembly> app;
    std::unique_ptr<FirstStartView> view;

    explicit EmptyHome(const QByteArray& globalSettings)
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        if (!globalSettings.isEmpty())
            dir.write("Config/arvex.ini", globalSettings);
        app = std::make_unique<LauncherAssembly>(SettingsPaths(dir.path(), QStringLiteral("arvex")));
        app->window().setEndProcess([](int) {});
        view = std::make_unique<FirstStartView>(*app, dir.path(), QStringLiteral("arvex"));
    }
    ~EmptyHome()
    {
        view.reset();
        app.reset();
        AppEnvironment::setOverrides({}, {});
    }
    QLabel* hint() const { return app->lists().widget()->findChild<QLabel*>(QStringLiteral("FirstStartHint")); }
};

TEST(FirstStartViewTest, EmptyFolderShowsTheHintWithoutAnyBoxAndAListedEmulatorRemovesIt)
{
    EmptyHome h("[Settings]\r\nUseJoystick=0\r\n");
    ASSERT_EQ(h.app->window().Form_Load(QString()), MainWindow::StartResult::Running);
    h.app->window().show();
    EXPECT_EQ(h.prompt.count(), 0) << h.prompt.lastText().toStdString();
    ASSERT_NE(h.hint(), nullptr);
    EXPECT_TRUE(h.view->hintShown());
    EXPECT_EQ(h.hint()->text(), FirstStartView::hintText());
    EXPECT_EQ(h.hint()->geometry(), h.app->lists().widget()->rect());

    h.dir.mkdir("Config/DOSBox");
    h.app->window().fillEmulatorLists();
    EXPECT_FALSE(h.view->hintShown());
    QDir(h.dir.file("Config/DOSBox")).removeRecursively();
    h.app->window().fillEmulatorLists();
    EXPECT_TRUE(h.view->hintShown());
}

TEST(FirstStartViewTest, HintFollowsTheInterfaceLanguageAndNamesTheOptionsButton)
{
    setCurrentLanguage(kLanguageGerman);
    const QString german = FirstStartView::hintText();
    setCurrentLanguage(kLanguageEnglish);
    const QString english = FirstStartView::hintText();
    EXPECT_TRUE(german.contains(QStringLiteral("Neuer Emulator...")));
    EXPECT_TRUE(english.contains(QStringLiteral("New emulator...")));
    EXPECT_TRUE(english.contains(QStringLiteral("\u2699")));
}

TEST(FirstStartViewTest, AnAnsweredOfferIsNotMadeAgain)
{
    EmptyHome h("[Settings]\r\nUseJoystick=0\r\nNativeEmulatorsOffered=1\r\n");
    ASSERT_EQ(h.app->window().Form_Load(QString()), MainWindow::StartResult::Running);
    h.view->offerNativeEmulators();
    EXPECT_EQ(h.prompt.count(), 0);
    EXPECT_TRUE(h.view->hintShown());
}

} // namespace
