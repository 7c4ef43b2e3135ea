#include "firststart/FirstStart.h"

#include "config/Ini.h"
#include "config/KnownEmulators.h"
#include "config/Language.h"
#include "config/Profiles.h"
#include "config/SettingsPaths.h"
#include "options/KnownEmulatorCheck.h"
#include "options/ProfileFolders.h"
#include "options/SettingsModel.h"
#include "services/Prompt.h"
#include "services/files/FileChooser.h"

#include <QDir>
#include <QFileInfo>

namespace FirstStart {

namespace {

const QString kSettingsSection = QStringLiteral("Settings");

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// Writes one profile: the neutral fields, the row's values, the program and
// the game folder, saved the way the options window saves. False when a
// step failed (the failure has been reported).
bool writeProfile(const SettingsPaths& paths, const FoundEmulator& emulator, const QString& gameFolder)
{
    QString error;
    if (!ProfileFolders::create(paths.configRoot(), emulator.profileName, error)) {
        prompt().message(Msg(QStringLiteral("Emulator eintragen"), QStringLiteral("Register emulator")), error,
                         PromptIcon::Critical);
        return false;
    }
    OptionsFiles files;
    files.programFolder = paths.programFolder();
    files.settingsFile = paths.settingsFileOf(emulator.profileName);
    files.globalFile = paths.globalSettingsFile();
    SettingsModel model;
    model.load(files);
    EmulatorFields& fields = model.fields();
    SetEmulatorDefaults(fields);
    fields.setText(EmulatorField::SplashTimer, QStringLiteral("0"));
    for (const KnownEmulatorValue& value : emulator.row->values)
        fields.setByKey(KnownEmulatorText(value.key), KnownEmulatorText(value.value));
    fields.setText(EmulatorField::EmulatorPath, emulator.executable);
    fields.setText(EmulatorField::RomPath, gameFolder);
    fields.setSaveEnabled(true);
    return model.save();
}

} // namespace

QString offeredKey() { return QStringLiteral("NativeEmulatorsOffered"); }

QStringList defaultSearchFolders()
{
    QStringList folders;
    const QStringList path = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
    for (const QString& folder : path + QStringList{QStringLiteral("/usr/games"), QStringLiteral("/usr/local/games")}) {
        const QString clean = QDir::cleanPath(folder);
        if (QDir::isAbsolutePath(clean) && !folders.contains(clean))
            folders << clean;
    }
    return folders;
}

QString profileName(const KnownEmulator& row)
{
    const QString display = KnownEmulatorText(row.displayName);
    return display.section(QStringLiteral(" ("), 0, 0).trimmed();
}

QList<FoundEmulator> findInstalled(const QStringList& folders)
{
    QList<FoundEmulator> found;
    for (const KnownEmulator& row : KnownEmulatorTable()) {
        if (row.match != KnownEmulator::Match::FileName)
            continue;
        QString hit;
        for (const std::string_view name : row.names) {
            for (const QString& folder : folders) {
                const QString candidate = folder + u'/' + KnownEmulatorText(name);
                if (isProgram(candidate)) {
                    hit = candidate;
                    break;
                }
            }
            if (!hit.isEmpty())
                break;
        }
        if (!hit.isEmpty())
            found << FoundEmulator{&row, profileName(row), hit};
    }
    return found;
}

bool offerPending(const QString& configRoot, const QString& globalFile)
{
    if (!Profiles::list(configRoot).isEmpty())
        return false;
    return ReadIniValue(kSettingsSection, offeredKey(), globalFile, QString(), false) != QLatin1String("1");
}

QStringList offer(const QString& programFolder, const QString& exeName, const QList<FoundEmulator>& found,
                  const QString& startFolder)
{
    SettingsPaths paths(programFolder, exeName);
    QString list;
    for (const FoundEmulator& emulator : found)
        list += QStringLiteral("\n    %1  (%2)").arg(emulator.profileName, emulator.executable);
    const PromptAnswer answer = prompt().ask(
        Msg(QStringLiteral("Emulatoren gefunden"), QStringLiteral("Emulators found")),
        Msg(QStringLiteral("Diese Emulatoren sind auf dem System installiert:\n%1\n\n"
                           "Sollen sie jetzt eingetragen werden? Für jeden wird dann der Ordner "
                           "mit seinen Spielen ausgewählt."),
            QStringLiteral("These emulators are installed on this system:\n%1\n\n"
                           "Register them now? You then choose the folder that holds the games "
                           "of each one."))
            .arg(list),
        PromptButtons::YesNo, PromptIcon::Question);
    // Answered either way: not offered again.
    WriteIniValue(kSettingsSection, offeredKey(), QStringLiteral("1"), paths.globalSettingsFile(), true);
    if (answer != PromptAnswer::Yes)
        return {};

    QStringList created;
    for (const FoundEmulator& emulator : found) {
        if (!ProfileFolders::nameProblem(paths.configRoot(), emulator.profileName).isEmpty())
            continue;
        const QString folder = FileDirSelectDialog(
            startFolder, Msg(QStringLiteral("Spieleordner für %1"), QStringLiteral("Game folder for %1"))
                             .arg(emulator.profileName));
        if (folder.isEmpty())
            continue;
        if (writeProfile(paths, emulator, folder))
            created << emulator.profileName;
    }
    return created;
}

} // namespace FirstStart
