#pragma once
// WinUAE configuration files and the floppy drive panel.
//  - the master template: a per-emulator list of WinUAE settings that every
//    launch starts from, created with defaults when missing;
//  - the start configuration written for each launch: the template's lines,
//    then full-screen lines, the Kickstart ROM line and one line per
//    inserted floppy disk (later lines override earlier ones in WinUAE);
//  - the state of the drive panel: five slots DF0 to DF4 with their boxes.
// Files are CR LF text. UI thread; no Qt widgets.
#include <QString>
#include <QStringList>

#include <array>

// The 14 lines written into a missing master template.
QStringList DefaultMasterConfigLines();

// Returns `masterPath`; when it is not empty and no such file exists, the
// file is first created with the default lines. Empty on any error.
QString GetMasterConfig(const QString& masterPath);

// What the start configuration is built from.
struct StartScriptConfigInput {
    QString masterPath;       // template; empty or missing: no template lines
    QString outputPath;       // the start configuration, replaced
    bool fullScreen = false;  // the full-screen box is ticked
    QString kickstartRom;     // the Kickstart field's text
    std::array<QString, 5> drives; // DF0 to DF4; empty: no disk
};

// Writes the start configuration. Returns the slot paths that were written
// (in drive order) for the start history; the caller adds them. A path with
// a line break cannot be written into a line-based file without turning
// into further settings: such a slot (and such a Kickstart text) is left out.
QStringList WriteStartScriptConfig(const StartScriptConfigInput& in);

// The drive panel: slots 0 to 4 for DF0 to DF4 (slot 5 exists but is never
// written to a file), one box per slot, and the panel's collapsed state.
class DrivePanel {
public:
    static constexpr int kSlots = 6;

    QString slot(int index) const;
    void setSlot(int index, const QString& path);
    int boxValue(int index) const;
    void setBoxValue(int index, int value);
    void clear();
    // The five file slots DF0 to DF4 as the start configuration wants them.
    std::array<QString, 5> driveSlots() const;

    // A box released with the mouse: stays unticked while its slot is empty.
    // Returns the box's value afterwards (indexes outside 0 to 5 change nothing).
    int Check_Dfx_MouseUp(int index);

    // Collapses the panel to a fixed size (480 x 210 twips, label ">") or lets
    // it size itself to its picture again (label of ten blanks).
    void DrivesResizeLabel_Click();
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }
    int widthTwips() const { return m_widthTwips; }
    int heightTwips() const { return m_heightTwips; }
    QString resizeLabel() const { return m_label; }

private:
    std::array<QString, kSlots> m_slots;
    std::array<int, kSlots> m_boxes{};
    bool m_autoSize = true;
    int m_widthTwips = 0;
    int m_heightTwips = 0;
    QString m_label;
};
