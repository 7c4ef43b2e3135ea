#include "config/SettingsPaths.h"

#include "launch/PathOps.h"

#include <QDir>

SettingsPaths::SettingsPaths(const QString& programFolder, const QString& exeName)
    : m_programFolder(AddTrailingSeparator(programFolder)), m_exeName(exeName)
{
    m_configRoot = AddTrailingSeparator(m_programFolder + QStringLiteral("Config"));
    m_startFolder = m_configRoot;
}

void SettingsPaths::createConfigRoot() const { QDir().mkpath(m_configRoot); }

void SettingsPaths::selectNone()
{
    m_startFolder = m_configRoot;
    m_hasEmulator = false;
}

void SettingsPaths::selectEmulator(const QString& emu)
{
    m_startFolder = AddTrailingSeparator(m_configRoot + emu);
    m_hasEmulator = true;
}

QString SettingsPaths::skinFile() const
{
    return m_hasEmulator ? m_startFolder + QStringLiteral("Skin/Skin.ini")
                         : m_startFolder + QStringLiteral("Skin.ini");
}
