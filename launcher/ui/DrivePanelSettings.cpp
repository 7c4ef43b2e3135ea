#include "ui/DrivePanelSettings.h"

#include "config/Ini.h"

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kSmartRomSelection = QStringLiteral("SmartRomSelection");

} // namespace

namespace DrivePanelSettings {

bool panelShown(const QString& settingsFile)
{
    return ReadIniValue(kSettings, kSmartRomSelection, settingsFile, QStringLiteral("1"), true).trimmed()
           == u"1";
}

QString listHandlersValue(const QString& settingsFile)
{
    return ReadIniValue(kSettings, kSmartRomSelection, settingsFile, QStringLiteral("0"), false);
}

} // namespace DrivePanelSettings
