#pragma once
// AlwaysOnTop: the updater's own keep-on-top pin (the updater links nothing
// of the launcher, so it carries this copy). It shows exactly one of three
// pictures: AOT_Disabled (not pinned), AOT_MouseMove (not pinned, mouse over
// it) and AOT_Enabled (pinned), each with the tool tip "Always on top".
// A click on the unpinned pin keeps the window (its parent's top-level
// window) above all others; a click on the pinned pin ends that. The
// updater's window lives for one update, so the pin state is not stored:
// SaveSettings and LoadSettings keep it for the running window only.
// UI thread.
#include <QWidget>

class QLabel;

class AlwaysOnTop : public QWidget {
    Q_OBJECT
public:
    enum class Picture { Disabled, MouseMove, Enabled };

    explicit AlwaysOnTop(QWidget* parent = nullptr);

    void SetWindowAlwayOnTop(QWidget* form);
    bool GetIsOnTop() const { return OnTop; }
    void SetWindowBackToNormal(QWidget* form);
    void SetToTop(bool saveSettings = false);
    void SetToNormal(bool saveSettings = false);
    void SaveSettings() { m_saved = OnTop; }
    void LoadSettings();

    Picture visiblePicture() const;
    QLabel* pictureLabel(Picture picture) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showPicture(Picture picture);
    void setStaysOnTop(QWidget* form, bool onTop);
    QWidget* targetWindow();

    bool OnTop = false;
    bool m_saved = false;
    QLabel* AOT_Disabled = nullptr;
    QLabel* AOT_MouseMove = nullptr;
    QLabel* AOT_Enabled = nullptr;
};
