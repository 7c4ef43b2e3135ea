#pragma once
// Display mode switch and restore. With the global setting
// ResetScreenResolution on, loading an emulator's view remembers the current
// mode and switches to 800 x 600 (SaveModeAndSwitch); ending a game from the
// launcher restores the remembered mode (RestoreMode). A game that ends by
// itself restores nothing.
// The display is reached through DisplayModes: the real one uses XRandR on
// the primary output (800 x 600 at the rate closest to 60 Hz; the depth
// cannot change under X11 and is ignored). Without X11, RandR or a matching
// mode nothing happens. UI thread.
#include <QByteArray>

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bits = 0;
    int frequency = 0;
    bool operator==(const DisplayMode&) const = default;
};

class DisplayModes {
public:
    virtual ~DisplayModes() = default;
    // The primary display's current mode; false when it cannot be read.
    virtual bool current(DisplayMode& mode) = 0;
    // Requests `mode` for the primary display (not stored permanently).
    // False when it could not be set.
    virtual bool apply(const DisplayMode& mode) = 0;
};

// XRandR on the X display `displayName` (empty: $DISPLAY).
class XRandrDisplayModes final : public DisplayModes {
public:
    explicit XRandrDisplayModes(QByteArray displayName = {});
    bool current(DisplayMode& mode) override;
    bool apply(const DisplayMode& mode) override;

private:
    QByteArray m_displayName;
};

// The program's display (XRandR on $DISPLAY).
DisplayModes& systemDisplayModes();

class ScreenResolution {
public:
    explicit ScreenResolution(DisplayModes& modes = systemDisplayModes()) : m_modes(modes) {}

    // Remembers the current mode, then applies 800 x 600, 16 bits, 60 Hz.
    void SaveModeAndSwitch();
    // Applies the remembered mode (nothing when none was remembered).
    void RestoreMode();
    // Stores the values as the last applied mode and requests that mode.
    void ApplyMode(qint16 width, qint16 height, qint16 bits, qint32 frequency);

    DisplayMode remembered() const { return m_remembered; }
    DisplayMode lastApplied() const { return m_lastApplied; }

private:
    DisplayModes& m_modes;
    DisplayMode m_remembered;
    DisplayMode m_lastApplied;
};
