#pragma once
// AlwaysOnTop: the keep-on-top pin, a small control placed on a window that
// keeps that window (its parent's top-level window) above all others while
// pinned. It shows exactly one of three pictures: AOT_Disabled (not pinned),
// AOT_MouseMove (not pinned, mouse over it) and AOT_Enabled (pinned), each
// with the tool tip "Always on top". A click on the unpinned pin pins the
// window, a click on the pinned pin unpins it.
//
// Persistence: when a settings file is given (setSettingsFile), the pin state
// is stored there in section "AlwaysOnTop", key "OnTop", as "True"/"False",
// on every change; LoadSettings() restores it, so a window that was pinned
// comes back pinned. Without a settings file nothing is stored and every
// window starts unpinned. Storage failures are ignored.
//
// Used by the main window, the loading screen, the button window and the
// file chooser. UI thread.
#include <QString>
#include <QWidget>

class QLabel;

class AlwaysOnTop : public QWidget {
    Q_OBJECT
public:
    enum class Picture { Disabled, MouseMove, Enabled };

    explicit AlwaysOnTop(QWidget* parent = nullptr);

    // Pins `form` (its top-level window): above other windows, neither moved
    // nor resized. Saves the state.
    void SetWindowAlwayOnTop(QWidget* form);
    bool GetIsOnTop() const { return OnTop; }
    // Unpins `form`: back to normal stacking, neither moved nor resized. Saves the state.
    void SetWindowBackToNormal(QWidget* form);
    // What a click on the unpinned pin does; then saves again when asked.
    void SetToTop(bool saveSettings = false);
    // What a click on the pinned pin does; then saves again when asked.
    void SetToNormal(bool saveSettings = false);
    // Stores / restores the pin state (see the class comment).
    void SaveSettings();
    void LoadSettings();

    // The settings file the state is kept in; empty: not kept.
    void setSettingsFile(const QString& iniFile) { m_settingsFile = iniFile; }
    QString settingsFile() const { return m_settingsFile; }

    // The picture shown now, and the label that shows each one.
    Picture visiblePicture() const;
    QLabel* pictureLabel(Picture picture) const;
    // The window the pin acts on: the parent's top-level window (itself without parent).
    QWidget* targetWindow() const;

signals:
    // The pin state changed (by a click or a call).
    void onTopChanged(bool onTop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Hover over the whole control lights the unpinned pin; leaving dims it.
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showPicture(Picture picture);
    void setStaysOnTop(QWidget* form, bool onTop);

    bool OnTop = false;
    QLabel* AOT_Disabled = nullptr;
    QLabel* AOT_MouseMove = nullptr;
    QLabel* AOT_Enabled = nullptr;
    QString m_settingsFile;
};
