#include "options/SettingsModel.h"

#include "config/Ini.h"
#include "config/TextFile.h"
#include "config/WriteFailures.h"
#include "launch/PathOps.h"
#include "options/PathChecks.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Settings");

// A check box as the window stores it: the box's number.
QString boxValue(const QString& stored) { return QString::number(toInt16(stored)); }

// Paths written on Windows ("C:\\Games\\") come back with single separators.
QString singleBackslashes(const QString& path)
{
    if (path.size() < 2 || path.at(1) != u':')
        return path;
    QString out = path;
    out.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return out;
}

} // namespace

void SettingsModel::setDeamonToolPath(const QString& path)
{
    m_globals.deamonToolPath = path;
    m_fields.setSaveEnabled(true);
}

void SettingsModel::setResetScreen(bool on)
{
    m_globals.resetScreen = on;
    m_fields.setSaveEnabled(true);
}

void SettingsModel::setUseJoystick(bool on)
{
    m_globals.useJoystick = on;
    m_fields.setSaveEnabled(true);
}

void SettingsModel::setKillButton(int index)
{
    m_globals.killButton = index;
    m_fields.setSaveEnabled(true);
}

void SettingsModel::setFontSize(int index)
{
    m_globals.fontSize = index;
    m_fields.setSaveEnabled(true);
}

void SettingsModel::load(const OptionsFiles& files)
{
    m_files = files;
    const WriteFailures::Scope action; // defaults written by the reads: one message
    const QString& e = files.settingsFile;
    const QString& g = files.globalFile;
    const QString& app = files.programFolder;
    // "The current folder" of a missing path is the program folder, stored relative.
    const QString here = QStringLiteral("./");
    auto read = [](const QString& key, const QString& file, const QString& def) {
        return ReadIniValue(kSection, key, file, def, true);
    };
    using F = EmulatorField;

    if (!files.masterTemplate.isEmpty() && QFileInfo(files.masterTemplate).isFile()) {
        QString text;
        if (ReadTemplateLines(files.masterTemplate, text))
            m_fields.setText(F::MasterConfigText, text);
    }

    m_fields.setText(F::RomPath,
                     singleBackslashes(AddTrailingSeparator(MakeAbsolutePath(app, read(QStringLiteral("RomPath"), e, here)))));
    m_globals.resetScreen = toInt16(read(QStringLiteral("ResetScreenResolution"), g, QStringLiteral("0"))) != 0;
    m_fields.setText(F::EmulatorPath,
                     singleBackslashes(MakeAbsolutePath(app, read(QStringLiteral("EmulatorPath"), e, here))));
    m_fields.setText(F::KickstartRom, MakeAbsolutePath(app, read(QStringLiteral("KickstartRom"), e, QString())));
    m_globals.useJoystick = toInt16(read(QStringLiteral("UseJoystick"), g, QStringLiteral("0"))) > 0;
    const int kill = toInt16(read(QStringLiteral("UseJoystickExitbutton"), g, QStringLiteral("0")));
    m_globals.killButton = (kill >= 0 && kill < kKillButtonEntries) ? kill : 0;
    m_fields.setText(F::SmartRomSelection, boxValue(read(QStringLiteral("SmartRomSelection"), e, QStringLiteral("1"))));
    m_fields.setText(F::DirParameter, read(QStringLiteral("Dir_Parameter"), e, QStringLiteral("*.adf")));
    m_fields.setOn(F::RunStartScript, false);
    if (ReadIniValue(kSection, QStringLiteral("RunVBS_Script"), e, QStringLiteral("0"), false) != QLatin1String("0"))
        m_fields.setOn(F::RunStartScript, true);
    m_fields.setText(F::AutoMountImage, boxValue(read(QStringLiteral("AutoMountDeamonTool"), e, QStringLiteral("0"))));
    m_globals.deamonToolPath = read(QStringLiteral("DeamonToolPath"), g, QString());
    m_globals.fontSize = files.fontSizeIndex;

    m_fields.setText(F::FullScreen, boxValue(read(QStringLiteral("FullScreen"), e, QStringLiteral("1"))));
    m_fields.setText(F::SplashTimer, read(QStringLiteral("SplashTimer"), e, QStringLiteral("4")));
    m_fields.setText(F::MasterConfigParameter, read(QStringLiteral("WinUAE_ConfigParameter"), e, QString()));
    m_fields.setText(F::EmulatorParameter, read(QStringLiteral("EmulatorParameter"), e, QString()));
    m_fields.setText(F::AddDiskPath, boxValue(read(QStringLiteral("EmulatorParameterAddDiskPath"), e, QStringLiteral("0"))));
    m_fields.setText(F::AddDiskPathWithoutPath,
                     boxValue(read(QStringLiteral("EmulatorParameterAddDiskPathWithoutPath"), e, QStringLiteral("0"))));
    m_fields.setText(F::UseMasterConfig, boxValue(read(QStringLiteral("WinUAE_UseMasterConfig"), e, QStringLiteral("1"))));
    m_fields.setText(F::UseQuote, boxValue(read(QStringLiteral("UseQuote"), e, QStringLiteral("0"))));

    m_fields.setSaveEnabled(false);
}

QList<QPair<QString, QString>> SettingsModel::profileValues() const
{
    using F = EmulatorField;
    const QString& app = m_files.programFolder;
    auto t = [this](F f) { return m_fields.text(f); };
    return {
        {QStringLiteral("KickstartRom"), MakeRelativePath(app, t(F::KickstartRom))},
        {QStringLiteral("RomPath"), MakeRelativePath(app, t(F::RomPath))},
        {QStringLiteral("AutoMountDeamonTool"), boxValue(t(F::AutoMountImage))},
        {QStringLiteral("EmulatorPath"), MakeRelativePath(app, t(F::EmulatorPath))},
        {QStringLiteral("Dir_Parameter"), t(F::DirParameter)},
        {QStringLiteral("FullScreen"), boxValue(t(F::FullScreen))},
        {QStringLiteral("UseQuote"), boxValue(t(F::UseQuote))},
        {QStringLiteral("RunVBS_Script"), boxValue(t(F::RunStartScript))},
        {QStringLiteral("SplashTimer"), QString::number(toInt16(t(F::SplashTimer)))},
        {QStringLiteral("WinUAE_ConfigParameter"), t(F::MasterConfigParameter)},
        {QStringLiteral("EmulatorParameter"), t(F::EmulatorParameter)},
        {QStringLiteral("EmulatorParameterAddDiskPath"), boxValue(t(F::AddDiskPath))},
        {QStringLiteral("EmulatorParameterAddDiskPathWithoutPath"), boxValue(t(F::AddDiskPathWithoutPath))},
        {QStringLiteral("WinUAE_UseMasterConfig"), boxValue(t(F::UseMasterConfig))},
        {QStringLiteral("SmartRomSelection"), boxValue(t(F::SmartRomSelection))},
    };
}

QList<QPair<QString, QString>> SettingsModel::globalValues() const
{
    return {
        {QStringLiteral("DeamonToolPath"), m_globals.deamonToolPath},
        {QStringLiteral("ResetScreenResolution"), m_globals.resetScreen ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("UseJoystick"), m_globals.useJoystick ? QStringLiteral("1") : QStringLiteral("0")},
        {QStringLiteral("UseJoystickExitbutton"), QString::number(m_globals.killButton)},
        {QStringLiteral("Fontsize"), QString::number(m_globals.fontSize)},
    };
}

bool SettingsModel::save()
{
    const WriteFailures::Scope action; // every file that fails: one message
    bool ok = true;
    // A profile folder removed behind the launcher's back is made again.
    QDir().mkpath(QFileInfo(m_files.settingsFile).absolutePath());
    if (QFileInfo(m_files.settingsFile).absoluteFilePath() == QFileInfo(m_files.globalFile).absoluteFilePath()) {
        // No emulator selected: both groups live in one file, written once.
        ok = WriteIniValues(kSection, profileValues() + globalValues(), m_files.settingsFile, true);
    } else {
        ok = WriteIniValues(kSection, profileValues(), m_files.settingsFile, true);
        ok = WriteIniValues(kSection, globalValues(), m_files.globalFile, true) && ok;
    }
    if (!m_files.masterTemplate.isEmpty()) {
        QDir().mkpath(QFileInfo(m_files.masterTemplate).absolutePath());
        const QString text = m_fields.text(EmulatorField::MasterConfigText) + QStringLiteral("\r\n");
        ok = TextFile::writeAtomic(m_files.masterTemplate, text.toUtf8()) && ok;
    }
    if (ok)
        m_fields.setSaveEnabled(false);
    return ok;
}
