#pragma once
// EmulatorFields: the emulator-profile fields the options window edits, as
// plain values, so the rules that fill them (neutral state, known-emulator
// defaults) run and are tested without a window.
//
// Every field holds text: text fields their text, check boxes "1" (on) or
// "0" (off; a stored "2" stays as read). Each field is bound to one
// [Settings] key of the emulator's settings file (settingsKey()); the WinUAE
// template text is the one field with no key (it lives in its own file).
//
// Changes are announced with fieldChanged() only when a value really
// changes, like a control's change or click reaction. The value reactions of
// two check boxes belong to the field set, so every caller sees them:
//  - Rom path (EmulatorParameterAddDiskPath) switched off also switches
//    UseQuote off;
//  - the template box (WinUAE_UseMasterConfig) switched on while the template
//    parameter is empty puts "-f" into it.
// Showing and hiding controls is left to the window.
//
// The unsaved-changes flag mirrors the save button: any field change sets it;
// the window clears it after loading and after saving (setSaveEnabled).
// The options window owns one instance and binds its controls to it.
// UI thread.
#include <QObject>
#include <QString>

#include <array>

enum class EmulatorField {
    EmulatorPath,           // txtWinUAEExe
    RomPath,                // TxtRomPath
    DirParameter,           // DirBefehleTxt
    EmulatorParameter,      // UAELaunchParaneter
    AddDiskPath,            // UAELaunchParameterAddPath (check box)
    AddDiskPathWithoutPath, // ParameterWithoutPath (check box)
    UseQuote,               // UseAnfz (check box)
    SplashTimer,            // SecondsTimerTxt
    SmartRomSelection,      // IntelligenteRomauswahl (check box)
    RunStartScript,         // DeMulAutostart (check box)
    AutoMountImage,         // AutoMoundDeamonTools (check box)
    UseMasterConfig,        // UseMasterConfig (check box)
    MasterConfigParameter,  // UAEMasterConfigLaunchParameter
    FullScreen,             // FullscreenCheck (check box)
    KickstartRom,           // TxtKickstartRomFile
    MasterConfigText,       // TxtMasterConfig (no settings key)
};

constexpr int kEmulatorFieldCount = int(EmulatorField::MasterConfigText) + 1;

class EmulatorFields : public QObject {
    Q_OBJECT
public:
    explicit EmulatorFields(QObject* parent = nullptr);

    // The [Settings] key a field is stored under (empty for the template text).
    static QString settingsKey(EmulatorField field);
    // The options-window control that shows the field.
    static QString controlName(EmulatorField field);
    static bool isCheckBox(EmulatorField field);
    // The field bound to `key` (compared ignoring case); false when none is.
    static bool fieldForKey(const QString& key, EmulatorField& field);

    QString text(EmulatorField field) const { return m_values[size_t(field)]; }
    // A check box is on for any value other than "0" and empty.
    bool isOn(EmulatorField field) const;

    void setText(EmulatorField field, const QString& value);
    void setOn(EmulatorField field, bool on) { setText(field, on ? QStringLiteral("1") : QStringLiteral("0")); }
    // Sets the field bound to `key`; false (and nothing changes) for an unknown key.
    bool setByKey(const QString& key, const QString& value);

    bool saveEnabled() const { return m_saveEnabled; }
    void setSaveEnabled(bool enabled);

signals:
    void fieldChanged(EmulatorField field, const QString& value);
    void saveEnabledChanged(bool enabled);

private:
    std::array<QString, kEmulatorFieldCount> m_values;
    bool m_saveEnabled = false;
};
