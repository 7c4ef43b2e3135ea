#pragma once
// A real main window (offscreen) with its game-list area over a real
// temporary program folder holding one profile, "Amiga", the last emulator.
#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "ui/GameListsPanel.h"
#include "ui/MainWindow.h"

#include <QApplication>

#include <memory>

namespace {

const QString S = QStringLiteral("Settings");

struct Program {
    TempDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<GameListsPanel> panel; // destroyed before the window

    // A profile "Amiga" whose settings file holds `profileIni` (a skin
    // folder exists, its Skin.ini does not) and is the last emulator.
    explicit Program(const QByteArray& profileIni = "[Settings]\r\n")
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\nUseJoystick=0\r\n");
        dir.write("Config/Amiga/arvex.ini", profileIni);
        dir.mkdir("Config/Amiga/Skin");
    }
    ~Program() { AppEnvironment::setOverrides({}, {}); }

    GameListsPanel& start()
    {
        window = std::make_unique<MainWindow>(SettingsPaths(dir.path(), "arvex"));
        panel = std::make_unique<GameListsPanel>(window.get());
        window->setGameListsPart(panel.get());
        window->setEndProcess([](int) {});
        window->Form_Load();
        window->resize(800, 600);
        window->show();
        QApplication::processEvents();
        return *panel;
    }
    QString value(const char* file, const char* key) const
    {
        return GetPrivateProfileString(S, QString::fromLatin1(key), dir.file(QString::fromLatin1(file)));
    }
};

} // namespace
