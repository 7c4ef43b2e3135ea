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

QPoint readPlace(const QString& settingsFile, QPoint current)
{
    const qint16 left = toInt16(ReadIniValue(kSettings, QStringLiteral("DrvWindowX"), settingsFile,
                                             QString::number(current.x()), true));
    const qint16 top = toInt16(ReadIniValue(kSettings, QStringLiteral("DrvWindowY"), settingsFile,
                                            QString::number(current.y()), true));
    return {left, top};
}

QString listHandlersValue(const QString& settingsFile)
{
    return ReadIniValue(kSettings, kSmartRomSelection, settingsFile, QStringLiteral("0"), false);
}

} // namespace DrivePanelSettings
