#include "ui/LauncherAssembly.h"

#include "config/SettingsPaths.h"
#include "library/PreviewPictures.h"

#include <QPixmap>

LauncherAssembly::LauncherAssembly(const SettingsPaths& paths)
    : m_window(std::make_unique<MainWindow>(paths)),
      m_lists(std::make_unique<GameListsPanel>(m_window.get()))
{
    m_window->setGameListsPart(m_lists.get());

    LaunchController::Hooks hooks;
    hooks.driveSlot = [this](int i) { return m_lists->driveSlot(i); };
    hooks.focusList = [this](int area) { m_lists->focusList(area); };
    hooks.gamePicture = [this] {
        // Opened as the preview opened it: by the exact bytes of its name.
        return m_lists->previewShown() ? QPixmap::fromImage(LoadVorschauImageFromPAth(m_lists->previewFile()))
                                       : QPixmap();
    };
    // Pad navigation is created after the launch side that switches it.
    hooks.joystickNavigation = [this](bool on) {
        if (m_pads)
            m_pads->setJoystickNavigation(on);
    };
    m_launch = std::make_unique<LaunchController>(*m_window, hooks);
    m_window->setLaunchPart(m_launch.get());
    QObject::connect(m_lists.get(), &GameListsPanel::launchRequested, m_launch.get(),
                     [this](const QString& fullPath) { m_launch->launchEntry(fullPath); });

    m_pads = std::make_unique<PadController>(*m_window, *m_lists, *m_launch);
    m_window->setPadNavigationPart(m_pads.get());
}

LauncherAssembly::~LauncherAssembly() = default;
