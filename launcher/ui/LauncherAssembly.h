#pragma once
// LauncherAssembly: the main window with its parts, wired to each other the
// way the program runs them: the game-list area, the launch side (fed the
// drive slots, list focus and preview of the list area, started by the
// lists' launch requests) and pad navigation (switched off by the launch side
// during a game). The program and the tests of the whole window build it
// alike. UI thread.
#include "ui/GameListsPanel.h"
#include "ui/LaunchController.h"
#include "ui/MainWindow.h"
#include "ui/PadController.h"

#include <memory>

class SettingsPaths;

class LauncherAssembly {
public:
    explicit LauncherAssembly(const SettingsPaths& paths);
    ~LauncherAssembly();
    LauncherAssembly(const LauncherAssembly&) = delete;
    LauncherAssembly& operator=(const LauncherAssembly&) = delete;

    MainWindow& window() { return *m_window; }
    GameListsPanel& lists() { return *m_lists; }
    LaunchController& launch() { return *m_launch; }
    PadController& pads() { return *m_pads; }

private:
    // Destroyed in reverse: pads, launch side, lists, then the window.
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<GameListsPanel> m_lists;
    std::unique_ptr<LaunchController> m_launch;
    std::unique_ptr<PadController> m_pads;
};
