#pragma once
// LibraryHost: the few things the game library needs from the main window
// while it works: the window's title text, the status label (`LoadingBtn`),
// hiding and showing the lists around a rebuild, a beep, and letting pending
// window events run. The main window implements it; BasicLibraryHost keeps
// the texts in memory (headless use, tests). UI thread only.
#include <QString>

class LibraryHost {
public:
    virtual ~LibraryHost() = default;

    // The main window's caption ("title text").
    virtual QString titleText() const = 0;
    virtual void setTitleText(const QString& text) = 0;
    // The status label beside the lists (`LoadingBtn`), also the scanner's progress label.
    virtual QString statusText() const = 0;
    virtual void setStatusText(const QString& text) = 0;

    // Lets pending window events run (QCoreApplication::processEvents by default).
    virtual void processEvents();
    virtual void beep() {}
    // Hide-all / show-all of the game lists around list rebuilds.
    virtual void setListsVisible(bool /*visible*/) {}
    // The rebuild button and the emulator selector are disabled during a rebuild.
    virtual void setRebuildControlsEnabled(bool /*enabled*/) {}
    // The long emulator list is hidden while a cache loads.
    virtual void hideEmulatorList() {}
    // After a rebuild: re-select the current emulator (reloads its view from
    // the new cache) and lay the window out again.
    virtual void reloadEmulatorView() {}
};

// A host that only remembers its texts and counts the events it was asked to run.
class BasicLibraryHost : public LibraryHost {
public:
    QString titleText() const override { return m_title; }
    void setTitleText(const QString& text) override { m_title = text; }
    QString statusText() const override { return m_status; }
    void setStatusText(const QString& text) override { m_status = text; }
    void processEvents() override;
    void beep() override { ++m_beeps; }

    int eventRuns() const { return m_eventRuns; }
    int beeps() const { return m_beeps; }

private:
    QString m_title;
    QString m_status;
    int m_eventRuns = 0;
    int m_beeps = 0;
};
