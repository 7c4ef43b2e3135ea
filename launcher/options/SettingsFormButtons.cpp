// The options window's buttons: browsing, starting programs, rescans, the
// text files, the pad buttons, the appearance panel and the profiles.
#include "options/SettingsForm.h"

#include "config/Language.h"
#include "launch/PathOps.h"
#include "launch/StartScript.h"
#include "options/KnownEmulatorCheck.h"
#include "options/OptionsHost.h"
#include "options/PathChecks.h"
#include "options/ProfileFolders.h"
#include "services/Prompt.h"
#include "services/files/FileChooser.h"
#include "ui/ColorText.h"
#include "ui/SkinColors.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

// ---- browsing --------------------------------------------------------------

void SettingsForm::Command2_Click()
{
    const QString current = txtWinUAEExe->text();
    // Emulators here are programs without a name extension as well as
    // Windows ".exe" files run through Wine: every file is offered.
    const QString chosen = FileOpenDialog(current, QStringLiteral("Emulator Exe wählen"), QStringLiteral("*"));
    if (chosen.isEmpty() || chosen == current)
        return;
    m_model.fields().setText(EmulatorField::EmulatorPath, chosen);
    CheckKnownEmulator(m_model.fields(), chosen, m_host.programFolder());
    // The check has been run for this path: leaving the field must not repeat it.
    m_exeTextAtFocus = txtWinUAEExe->text();
    txtWinUAEExe_LostFocus();
    const QString name = FileNameOf(chosen);
    if (prompt().ask(Msg(name + QStringLiteral(" starten?"), QStringLiteral("Start ") + name + u'?'),
                     Msg(QStringLiteral("Emulator zum Einstellen jetzt starten?"),
                         QStringLiteral("Start the emulator now to set it up?")),
                     PromptButtons::YesNo, PromptIcon::Question)
        == PromptAnswer::Yes)
        LaunchButton_Click();
}

void SettingsForm::BrowseDir_Click()
{
    const QString chosen = FileDirSelectDialog(TxtRomPath->text(), QStringLiteral("ROM Verzeichnis wählen"));
    if (chosen.isEmpty())
        return;
    m_model.fields().setText(EmulatorField::RomPath, chosen);
    m_model.fields().setSaveEnabled(true);
}

void SettingsForm::BrowseKickromBtn_Click()
{
    const QString chosen = FileOpenDialog(TxtKickstartRomFile->text(),
                                          Msg(QStringLiteral("Kickstart ROM wählen"), QStringLiteral("Choose Kickstart ROM")),
                                          QStringLiteral("*.rom"));
    if (chosen.isEmpty() || chosen == QLatin1String("*.rom"))
        return;
    m_model.fields().setText(EmulatorField::KickstartRom, chosen);
    m_model.fields().setSaveEnabled(true);
}

void SettingsForm::Command4_Click()
{
    const QString current = DeamonPath->text();
    const QString chosen = FileOpenDialog(current, QStringLiteral("Deamon-Tool"), QStringLiteral("*"));
    if (chosen.isEmpty() || chosen == current)
        return;
    DeamonPath->setText(chosen);
}

void SettingsForm::Command1_Click()
{
    const QString folder = AddTrailingSeparator(FolderOf(txtWinUAEExe->text()));
    const QString chosen = FileOpenDialog(folder, QStringLiteral("WinUAE Config file für Import wählen"), QStringLiteral("*.uae*"));
    if (chosen.isEmpty() || chosen == QLatin1String("*.uae*")) {
        prompt().message(QString(), QStringLiteral("Abbruch!"));
        return;
    }
    QString text;
    if (QFileInfo(chosen).isFile() && ReadTemplateLines(chosen, text))
        m_model.fields().setText(EmulatorField::MasterConfigText, text);
    m_model.fields().setSaveEnabled(true);
}

// ---- starting programs and rescans -----------------------------------------

void SettingsForm::LaunchButton_Click()
{
    LaunchButton->setEnabled(false);
    const QString exe = txtWinUAEExe->text();
    if (QFileInfo(exe).isFile()) {
        m_host.startSetupProgram(exe);
    } else {
        prompt().message(Msg(QStringLiteral("Emulator nicht gefunden!"), QStringLiteral("Emulator not found!")),
                         Msg(QStringLiteral("Emulator wurde nicht gefunden:\r") + exe, QStringLiteral("Emulator not found:\r") + exe));
    }
    LaunchButton->setEnabled(true);
}

void SettingsForm::Command3_Click()
{
    Command3->setEnabled(false);
    m_host.startMasterConfig(txtWinUAEExe->text(), m_host.masterConfig());
    Command3->setEnabled(true);
    m_model.fields().setSaveEnabled(true);
}

void SettingsForm::LoadBtn_Click()
{
    if (m_model.unsaved()) {
        prompt().message(Msg(QStringLiteral("Speichern"), QStringLiteral("Save")),
                         Msg(QStringLiteral("Bitte erst speichern"), QStringLiteral("Please save first")),
                         PromptIcon::Information);
        return;
    }
    LoadBtn->setEnabled(false);
    const QString caption = windowTitle();
    setWindowTitle(Msg(QStringLiteral("Bitte warten! Verzeichniss wird durchsucht..."),
                       QStringLiteral("Please wait!  searching directory..")));
    setEnabled(false);
    showMinimized();
    QCoreApplication::processEvents();
    m_host.rescan(TxtRomPath->text());
    setWindowTitle(caption);
    setEnabled(true);
    finishClose();
}

void SettingsForm::ReloadAllBtn_Click()
{
    const PromptAnswer answer =
        prompt().ask(QStringLiteral("Reload all"),
                     Msg(QStringLiteral("Sollen alle Rom-Verzeichnisse aller Emulatoren neu eingelesen werden?"),
                         QStringLiteral("Re-scan all directories of all emulators in list?")),
                     PromptButtons::OkCancel, PromptIcon::Question);
    if (answer == PromptAnswer::Cancel)
        return;
    hide();
    m_host.reloadAll();
    m_closeApproved = true;
    close();
}

// ---- text files ------------------------------------------------------------

void SettingsForm::IniBtn_Click()
{
    m_host.editTextFile(m_host.settingsFile());
    m_host.editTextFile(m_host.skinFile());
}

void SettingsForm::OpenVBS_Click()
{
    const QString script = m_host.startScriptFile();
    if (!QFileInfo::exists(script))
        WriteStartScriptTemplate(script, txtWinUAEExe->text());
    m_host.editTextFile(script);
}

void SettingsForm::TxtMasterConfig_DblClick()
{
    const QString master = m_host.masterConfig();
    if (!master.isEmpty())
        m_host.editTextFile(master);
    m_model.fields().setSaveEnabled(true);
}

// ---- pad buttons and appearance --------------------------------------------

void SettingsForm::SetJOyBtn_Click()
{
    SetJOyBtn->hide();
    m_host.assignPadButtons(this);
    SetJOyBtn->show();
    m_model.fields().setSaveEnabled(true);
}

void SettingsForm::Command5_Click()
{
    const bool open = !DarstellungFrame->isVisible();
    showPanel(DarstellungFrame, open);
}

void SettingsForm::pickColour(bool back)
{
    SkinColorPair colours;
    CurrentSkinColors(this, colours);
    const QColor start = ToQColor(back ? colours.back : colours.font);
    const QColor chosen = QColorDialog::getColor(start, this);
    if (!chosen.isValid())
        return;
    (back ? colours.back : colours.font) = FromQColor(chosen);
    SetColors(this, colours.back, colours.font, m_host.skinFile());
    if (QWidget* main = parentWidget())
        SetColors(main, colours.back, colours.font, m_host.skinFile());
}

void SettingsForm::openAddressButton(QPushButton* button, const QString& address)
{
    button->hide();
    m_host.openAddress(address);
    button->show();
}

// ---- profiles --------------------------------------------------------------

void SettingsForm::NewEmulatorBtn_Click()
{
    if (m_model.unsaved()) {
        prompt().message(Msg(QStringLiteral("Speichern"), QStringLiteral("Save")),
                         Msg(QStringLiteral("Bitte erst speichern"), QStringLiteral("Please save first")),
                         PromptIcon::Information);
        return;
    }
    QString name;
    if (!prompt().input(Msg(QStringLiteral("Neuer Emulator"), QStringLiteral("New emulator")),
                        Msg(QStringLiteral("Name des neuen Emulators:"), QStringLiteral("Name of the new emulator:")), name))
        return;
    QString error;
    if (!ProfileFolders::create(m_host.configRoot(), name, error)) {
        prompt().message(Msg(QStringLiteral("Neuer Emulator"), QStringLiteral("New emulator")), error, PromptIcon::Warning);
        return;
    }
    if (m_host.profilesChanged(name))
        reload();
    else
        finishClose();
}

void SettingsForm::RemoveEmulatorBtn_Click()
{
    const QString name = m_host.currentEmulator();
    const QString title = Msg(QStringLiteral("Emulator entfernen"), QStringLiteral("Remove emulator"));
    if (name.isEmpty()) {
        prompt().message(title, Msg(QStringLiteral("Es ist kein Emulator ausgewählt."), QStringLiteral("No emulator is selected.")),
                         PromptIcon::Information);
        return;
    }
    if (prompt().ask(title,
                     Msg(QStringLiteral("Den Emulator \"%1\" entfernen? Sein Ordner kommt in den Papierkorb.").arg(name),
                         QStringLiteral("Remove the emulator \"%1\"? Its folder goes to the trash.").arg(name)),
                     PromptButtons::YesNo, PromptIcon::Question)
        != PromptAnswer::Yes)
        return;
    QString error;
    if (!ProfileFolders::remove(m_host.configRoot(), name, error)) {
        prompt().message(title, error, PromptIcon::Warning);
        return;
    }
    // With the last profile gone there is nothing left to edit here.
    if (m_host.profilesChanged(QString()))
        reload();
    else
        finishClose();
}
