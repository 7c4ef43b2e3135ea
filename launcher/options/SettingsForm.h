#pragma once
// SettingsForm: the options window. It edits the selected emulator's profile
// and the user's global options through a SettingsModel, and offers the
// set-up actions (rescans, starting the emulator or WinUAE, the text files,
// the pad buttons, new and removed profiles). Everything it needs of the
// rest of the launcher comes through an OptionsHost.
//
// The window builds its controls, forwards their events to the model or
// the host, and shows the model's state: the save button is enabled exactly
// while there are unsaved changes. Three panels (disc mounting, WinUAE,
// appearance) lie over the window; Escape closes the top one, and the
// window only when none is open. Closing with unsaved changes asks first.
//
// Created by the main window's options button (not modal, deleted on close).
// UI thread.
#include "options/SettingsModel.h"

#include <QDialog>

#include <array>

class OptionsHost;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class SettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit SettingsForm(OptionsHost& host, QWidget* parent = nullptr);
    ~SettingsForm() override;

    // Opening: builds the captions, reads every value, shows the window.
    void Form_Load();
    // Reads every value again (after the profile changed).
    void reload();

    SettingsModel& model() { return m_model; }

    // Actions, also run by the error pictures and the tests.
    bool ExitBtn_Click(); // true when the window closes
    bool SaveBtn_Click(); // true when every write succeeded
    void Command2_Click();
    void BrowseDir_Click();
    void BrowseKickromBtn_Click();
    void Command4_Click();
    void LaunchButton_Click();
    void Command3_Click();
    void LoadBtn_Click();
    void ReloadAllBtn_Click();
    void Command1_Click();
    void IniBtn_Click();
    void OpenVBS_Click();
    void SetJOyBtn_Click();
    void Command5_Click();
    void NewEmulatorBtn_Click();
    void RemoveEmulatorBtn_Click();
    void TxtMasterConfig_DblClick();
    // The executable field's focus reactions.
    void txtWinUAEExe_GotFocus();
    void txtWinUAEExe_LostFocus();
    // Escape: the top panel, else the window.
    void escapePressed();

    // Which panel is open.
    bool deamonPanelOpen() const;
    bool winUaePanelOpen() const;
    bool appearancePanelOpen() const;
    bool errorPictureShown(int index) const;

    // Controls, named as the window has always named them.
    QLineEdit* txtWinUAEExe = nullptr;
    QLineEdit* TxtRomPath = nullptr;
    QLineEdit* DirBefehleTxt = nullptr;
    QLineEdit* UAELaunchParaneter = nullptr;
    QCheckBox* UAELaunchParameterAddPath = nullptr;
    QCheckBox* ParameterWithoutPath = nullptr;
    QCheckBox* UseAnfz = nullptr;
    QLineEdit* SecondsTimerTxt = nullptr;
    QCheckBox* IntelligenteRomauswahl = nullptr;
    QCheckBox* DeMulAutostart = nullptr;
    QCheckBox* AutoMoundDeamonTools = nullptr;
    QLineEdit* DeamonPath = nullptr;
    QCheckBox* UseMasterConfig = nullptr;
    QLineEdit* UAEMasterConfigLaunchParameter = nullptr;
    QCheckBox* FullscreenCheck = nullptr;
    QLineEdit* TxtKickstartRomFile = nullptr;
    QPlainTextEdit* TxtMasterConfig = nullptr;
    QCheckBox* ResetScreenRes = nullptr;
    QCheckBox* Joystickcheck = nullptr;
    QComboBox* KillButtonKombo = nullptr;
    QComboBox* FontSizeCombo = nullptr;
    QCheckBox* FensterRahmChk = nullptr;

    QPushButton* SaveBtn = nullptr;
    QPushButton* ExitBtn = nullptr;
    QPushButton* LoadBtn = nullptr;
    QPushButton* ReloadAllBtn = nullptr;
    QPushButton* LaunchButton = nullptr;
    QPushButton* WinUAEBtn = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* SetJOyBtn = nullptr;
    QPushButton* DeamonButton = nullptr;
    QPushButton* OpenVBS = nullptr;
    QPushButton* IniBtn = nullptr;
    QPushButton* EmuDownload = nullptr;
    QPushButton* FavoritenReparierenLabel = nullptr;
    QPushButton* DonateBtn = nullptr;
    QPushButton* Label7 = nullptr;
    QPushButton* Label5 = nullptr;
    QPushButton* NewEmulatorBtn = nullptr;
    QPushButton* RemoveEmulatorBtn = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* BrowseDir = nullptr;
    QPushButton* BrowseKickromBtn = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* BackColorBtn = nullptr;
    QPushButton* FontColorBtn = nullptr;
    std::array<QToolButton*, 4> FehlerIcon{};
    QFrame* DeamonFrame = nullptr;
    QFrame* UAEFrame = nullptr;
    QFrame* DarstellungFrame = nullptr;

signals:
    // The window has closed (it deletes itself afterwards).
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    QFrame* buildDeamonPanel();
    QFrame* buildWinUaePanel();
    QFrame* buildAppearancePanel();
    void connectControls();
    void placePanels();
    void showPanel(QFrame* panel, bool show);
    OptionsFiles currentFiles();
    void loadValues();

    // Model -> controls.
    void showField(EmulatorField field, const QString& value);
    void showGlobals();
    void fieldReaction(EmulatorField field);
    // The path fields' change reactions; `byUser` is false while opening,
    // when they only set the error pictures.
    void executableChanged(bool byUser);
    void romPathChanged();
    void kickstartChanged();
    void deamonPathChanged();
    void setWinUaeControlsEnabled();
    void setErrorPicture(int index, bool shown);
    void applySkinColours();
    void openAddressButton(QPushButton* button, const QString& address);
    void pickColour(bool back);
    bool finishClose();

    OptionsHost& m_host;
    SettingsModel m_model;
    QString m_exeTextAtFocus;
    QString m_downloadUrl;
    QPixmap* m_background = nullptr;
    bool m_showing = false;   // model values going into the controls
    bool m_loading = false;   // Form_Load / reload running
    bool m_closeApproved = false;
};
