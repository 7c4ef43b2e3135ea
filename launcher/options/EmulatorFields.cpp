#include "options/EmulatorFields.h"

namespace {

struct FieldInfo {
    const char* key;
    const char* control;
    bool checkBox;
};

// In the order of EmulatorField.
constexpr std::array<FieldInfo, kEmulatorFieldCount> kFields{{
    {"EmulatorPath", "txtWinUAEExe", false},
    {"RomPath", "TxtRomPath", false},
    {"Dir_Parameter", "DirBefehleTxt", false},
    {"EmulatorParameter", "UAELaunchParaneter", false},
    {"EmulatorParameterAddDiskPath", "UAELaunchParameterAddPath", true},
    {"EmulatorParameterAddDiskPathWithoutPath", "ParameterWithoutPath", true},
    {"UseQuote", "UseAnfz", true},
    {"SplashTimer", "SecondsTimerTxt", false},
    {"SmartRomSelection", "IntelligenteRomauswahl", true},
    {"RunVBS_Script", "DeMulAutostart", true},
    {"AutoMountDeamonTool", "AutoMoundDeamonTools", true},
    {"WinUAE_UseMasterConfig", "UseMasterConfig", true},
    {"WinUAE_ConfigParameter", "UAEMasterConfigLaunchParameter", false},
    {"FullScreen", "FullscreenCheck", true},
    {"KickstartRom", "TxtKickstartRomFile", false},
    {"", "TxtMasterConfig", false},
}};

const FieldInfo& info(EmulatorField field) { return kFields[size_t(field)]; }

} // namespace

EmulatorFields::EmulatorFields(QObject* parent) : QObject(parent)
{
    for (int i = 0; i < kEmulatorFieldCount; ++i)
        if (kFields[size_t(i)].checkBox)
            m_values[size_t(i)] = QStringLiteral("0");
}

QString EmulatorFields::settingsKey(EmulatorField field) { return QString::fromLatin1(info(field).key); }

QString EmulatorFields::controlName(EmulatorField field) { return QString::fromLatin1(info(field).control); }

bool EmulatorFields::isCheckBox(EmulatorField field) { return info(field).checkBox; }

bool EmulatorFields::fieldForKey(const QString& key, EmulatorField& field)
{
    if (key.isEmpty())
        return false;
    for (int i = 0; i < kEmulatorFieldCount; ++i) {
        if (key.compare(QLatin1String(kFields[size_t(i)].key), Qt::CaseInsensitive) == 0) {
            field = EmulatorField(i);
            return true;
        }
    }
    return false;
}

bool EmulatorFields::isOn(EmulatorField field) const
{
    const QString& v = m_values[size_t(field)];
    return !v.isEmpty() && v != u'0';
}

void EmulatorFields::setText(EmulatorField field, const QString& value)
{
    QString& current = m_values[size_t(field)];
    if (current == value)
        return;
    current = value;
    setSaveEnabled(true);
    emit fieldChanged(field, value);

    // The check boxes' own value reactions, as a click on them would run.
    if (field == EmulatorField::AddDiskPath && !isOn(field))
        setOn(EmulatorField::UseQuote, false);
    else if (field == EmulatorField::UseMasterConfig && isOn(field) && text(EmulatorField::MasterConfigParameter).isEmpty())
        setText(EmulatorField::MasterConfigParameter, QStringLiteral("-f"));
}

bool EmulatorFields::setByKey(const QString& key, const QString& value)
{
    EmulatorField field;
    if (!fieldForKey(key, field))
        return false;
    setText(field, value);
    return true;
}

void EmulatorFields::setSaveEnabled(bool enabled)
{
    if (m_saveEnabled == enabled)
        return;
    m_saveEnabled = enabled;
    emit saveEnabledChanged(enabled);
}
