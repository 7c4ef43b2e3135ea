#include "options/KnownEmulatorCheck.h"

#include "config/KnownEmulators.h"
#include "config/Language.h"
#include "launch/PathOps.h"
#include "options/EmulatorFields.h"
#include "services/Prompt.h"

#include <QFileInfo>

namespace {

const QString kTwoReturns = QStringLiteral("\r\r");

// Row 23's warning that the GUI build of MAME cannot take a game on its command line.
void warnGuiMame()
{
    prompt().ask(Msg(QStringLiteral("Achtung: Keine Command Line-Version of Mame!"),
                     QStringLiteral("Caution: This is not the command line version of Mame!")),
                 Msg(QStringLiteral("Dies ist NICHT die Command-Line Version von Mame!\r"
                                    "Sie sollten die Command-Line Version benutzen. Fall noch nicht vorhanden, "
                                    "einfach ins Mame-Verzeichnis kopieren (nichts überschreiben!) und anschl. "
                                    "die 'Mame.exe' auswählen."),
                     QStringLiteral("This is NOT the Command line Version of Mame!\r"
                                    "Copy the Command line Version into your Mame - directory and choose the "
                                    "'mame.exe'.")),
                 PromptButtons::Ok, PromptIcon::Critical);
}

bool askKnown(const KnownEmulator& row)
{
    const QString text = KnownEmulatorText(row.displayName) + Msg(QStringLiteral("wurde gefunden!"), QStringLiteral("found!"))
        + kTwoReturns
        + Msg(QStringLiteral("Sollen die Standard Launch parameter gesetzt werden?"),
              QStringLiteral("Set the default launch - parameter for this program?"));
    const QString title = KnownEmulatorText(row.titlePrefix) + Msg(QStringLiteral("Standard setzen?"), QStringLiteral("set defaults?"));
    return prompt().ask(title, text, PromptButtons::YesNo, PromptIcon::None) == PromptAnswer::Yes;
}

bool askUnknown()
{
    const QString text = Msg(QStringLiteral("Emulator nicht bekannt, die Start-Parameter müssen ggf. von Hand "
                                            "eingestellt werden."),
                             QStringLiteral("Unknown Emulator. You have to set the launch parameter manually."))
        + kTwoReturns
        + Msg(QStringLiteral("Sollen die Standard Parameter zurück gesetzt werden?"),
              QStringLiteral("Set parameter back to default now?"));
    const QString title = Msg(QStringLiteral("Emulator nicht bekannt"), QStringLiteral("Unknown Emulator"));
    return prompt().ask(title, text, PromptButtons::YesNo, PromptIcon::None) == PromptAnswer::Yes;
}

void applyRow(EmulatorFields& fields, const KnownEmulator& row)
{
    SetEmulatorDefaults(fields);
    for (const KnownEmulatorValue& v : row.values) {
        // Every key of the table is a field of the set; a row naming another key
        // would be a table fault, and skipping it keeps the other values.
        fields.setByKey(KnownEmulatorText(v.key), KnownEmulatorText(v.value));
    }
}

} // namespace

void SetEmulatorDefaults(EmulatorFields& fields)
{
    fields.setOn(EmulatorField::UseMasterConfig, false);
    fields.setOn(EmulatorField::AutoMountImage, false);
    fields.setOn(EmulatorField::FullScreen, false);
    fields.setText(EmulatorField::MasterConfigParameter, QString());
    fields.setText(EmulatorField::EmulatorParameter, QString());
    fields.setOn(EmulatorField::UseQuote, false);
    fields.setOn(EmulatorField::AddDiskPath, false);
    fields.setText(EmulatorField::DirParameter, QStringLiteral("*.*"));
    fields.setOn(EmulatorField::SmartRomSelection, false);
    fields.setText(EmulatorField::MasterConfigText, QString());
    fields.setOn(EmulatorField::UseQuote, false);
}

void CheckKnownEmulator(EmulatorFields& fields, const QString& path, const QString& programFolder)
{
    fields.setText(EmulatorField::SplashTimer, QStringLiteral("0"));

    if (const KnownEmulator* row = FindKnownEmulator(path)) {
        if (row->warnGuiMame && path.toLower().contains(QLatin1String("mame32.exe")))
            warnGuiMame();
        if (askKnown(*row))
            applyRow(fields, *row);
    } else if (!path.isEmpty() && QFileInfo(path).isFile()) {
        if (askUnknown())
            SetEmulatorDefaults(fields);
    }

    if (path.isEmpty())
        return;
    fields.setText(EmulatorField::EmulatorPath, path);
    fields.setSaveEnabled(true);
    if (fields.text(EmulatorField::RomPath) == AddTrailingSeparator(programFolder)) {
        const QString folder = AddTrailingSeparator(FolderOf(path));
        if (!folder.isEmpty())
            fields.setText(EmulatorField::RomPath, folder);
    }
}
