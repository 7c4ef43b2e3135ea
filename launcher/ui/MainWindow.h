#pragma once
// The main window: the program itself. It owns the path variables, the
// emulator box and the selection state (`FocusArea`), and composes the parts
// that own the game lists, pad navigation and launching (MainWindowParts.h).
// Other windows call its public methods. UI thread.
#include "config/SettingsPaths.h"
#include "ui/MainWindowParts.h"
#include "ui/Skin.h"

#include <QString>
#include <QWidget>

#include <functional>

class AlwaysOnTop;
class QComboBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class QTimer;
class QToolButton;
class SingleInstance;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const SettingsPaths& paths, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setGameListsPart(GameListsPart* part);
    void setPadNavigationPart(PadNavigationPart* part) { m_pads = part; }
    void setLaunchPart(LaunchPart* part) { m_launch = part; }
    // How the process ends (ExitBtn_Click, command-line mode); the real program
    // quits the event loop, tests record the call.
    void setEndProcess(std::function<void(int)> endProcess) { m_endProcess = std::move(endProcess); }
    // Key preview: the window sees every key pressed in it before its
    // controls do. The handler returns true to swallow the key.
    using KeyPreview = std::function<bool(QKeyEvent* event, QWidget* focused)>;
    void setKeyPreview(KeyPreview preview);
    // Single-instance guard; when set, start-up asks it first.
    void setSingleInstance(SingleInstance* guard) { m_singleInstance = guard; }

    enum class StartResult { Running, AnotherInstance, Ended };
    // Start-up. `commandLine` is the whole argument text of the process.
    StartResult Form_Load(const QString& commandLine = {});

    // Path variables.
    QString GetStartPfad() const { return m_paths.startFolder(); }
    QString GetIniPath() const { return m_paths.settingsFile(); }
    QString getBaseIniName() const { return m_paths.globalSettingsFile(); }
    QString GetFavortitenIni() const { return m_paths.favouritesFile(); }
    QString GetVBSFilename() const { return m_paths.startScriptFile(); }
    QString GetColorsIniName() const { return m_paths.skinFile(); }
    QString getEmuDownloadPath(QString& toolTip) const;
    const SettingsPaths& paths() const { return m_paths; }

    int Get_Current_Language() const;
    void ApplyLanguageCaptions();

    // Emulator profiles.
    void fillEmulatorLists();
    void SelectEmulator();
    void ShowEmulatorList(bool open);
    void LeaveEmulatorBox();
    void ReloadEmulatorsAll();
    void StartEmulator(const QString& name, bool askFirst);
    void EmulatorLongListbox_Click();
    QString currentEmulator() const;

    void LoadEmulatorView();
    void LoadSettings();
    // Show-all of the panels (after a game, after the emulator box closes).
    void showAllPanels();
    // FocusArea back on the lists: "1" with favourites, else "2"; relayout.
    void focusListsAfterEmulatorBox();
    void ExitBtn_Click();
    // True once the window has asked the process to end.
    bool hasEnded() const { return m_ended; }
    // Escape (27) outside the emulator box asks whether to quit.
    void Form_KeyPress(int keyAscii);

    // Selection state read by keyboard and pad navigation.
    QString FocusArea = QStringLiteral("1");
    int SelectedEmulatorIndex = -1;
    int SavedEmulatorIndex = -1;
    bool SuppressSelection = false;

    // Values other windows read.
    QString TitleString;
    QString DownloadURL;
    QString masterConfigPath;
    QString currentEmulatorExecutable;
    // The settings fields filled by LoadSettings.
    QString RomPathField;
    QString EmulatorPathField;
    QString KickstartField;
    bool FullScreenCheck = true;
    qint16 JoystickExitButton = 0;

    // Controls other parts and tests reach.
    QComboBox* EmuListbox = nullptr;
    QListWidget* EmulatorLongListbox = nullptr;
    QLabel* MyCaptionLabel = nullptr;
    QLabel* TitleStr = nullptr;
    QLabel* TimeString = nullptr;
    QLabel* Current_ProgramNameFull = nullptr;
    QLabel* Current_LoadingSmallBtn = nullptr;
    QPushButton* LoadingBtn = nullptr;
    QPushButton* SettingsBtn = nullptr;
    QPushButton* DonateBtn = nullptr;
    QPushButton* ExitBtn = nullptr;
    QToolButton* AppRunningPicture = nullptr;
    QToolButton* JoystickIcon = nullptr;
    QToolButton* Label5 = nullptr;                // minimises the window
    QPushButton* FavoritenAlleBtn = nullptr;      // "<<  Favoriten / Alle  >>", no action
    AlwaysOnTop* PinControl = nullptr;
    QComboBox* FontSizeList = nullptr;

signals:
    void settingsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void setPanelsVisible(bool visible);
    void relayout();
    void placeEmulatorList();
    void updateClock();
    void raiseFromAnotherStart();
    bool handleEmulatorControlKey(QObject* control, QKeyEvent* event);
    void showEmulatorPictureFor(int index);
    void endProcess(int code);
    void applySkinPictures();
    void applySkinColours();

    SettingsPaths m_paths;
    GameListsPart* m_lists = nullptr;
    PadNavigationPart* m_pads = nullptr;
    LaunchPart* m_launch = nullptr;
    SingleInstance* m_singleInstance = nullptr;
    std::function<void(int)> m_endProcess;
    KeyPreview m_keyPreview;
    QWidget* m_centreHost = nullptr;
    QVBoxLayout* m_centre = nullptr;
    QWidget* m_emptyLists = nullptr;
    QTimer* m_clockTimer = nullptr;
    SkinPictures m_skinPictures;
    QString m_commandLine;
    bool m_ended = false;
};
