#pragma once
// UpdaterWindow: the updater's one window. It shows the target, the status
// and the download progress (bytes and a bar; bytes only when the size is
// unknown), the version information, the run check box, the start and close
// buttons and the pin; it forwards the start button to UpdateJob (or
// ScriptMode) and nothing more. Start-up ("/?", usage, script, update) runs
// from a short timer after the window shows. With an unattended prompt the
// start button counts as pressed at once and the window closes when done.
// The program's exit code: 0 done, 1 failed or cancelled, 2 wrong command line.
// UI thread.
#include "CommandLine.h"
#include "UpdateJob.h"
#include "download/CurlDownloader.h"

#include <QElapsedTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class AlwaysOnTop;

class UpdaterWindow final : public QWidget, private UpdateHost {
    Q_OBJECT
public:
    UpdaterWindow(const UpdaterCommand& cmd, UpdaterPrompt& prompt);

    int exitCode() const { return m_exitCode; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void StartBtn_Click();
    void CloseBtn_Click();
    void DLVersion_Click();
    void InfoLabel_DblClick();
    void Picture_DblClick();
    void finish(int exitCode);
    void showVersionInfo(const QString& text);

    // UpdateHost
    void status(const QString& text) override;
    bool progress(qint64 received, qint64 total) override;
    void pause(int milliseconds) override;
    bool startProgram(const QString& path, const QStringList& parameters) override;
    qint64 runningProgram(const QString& fileName) override;

    UpdaterCommand m_cmd;
    UpdaterPrompt& m_prompt;
    CurlDownloader m_downloader;
    UpdateJob m_job;
    bool m_busy = false;
    bool m_cancel = false;
    bool m_closeWhenDone = false;
    int m_exitCode = 0;
    QElapsedTimer m_progressClock;

    QLabel* Picture = nullptr;
    QLabel* InfoLabel = nullptr;
    QLabel* TargetLabel = nullptr;
    QLabel* StatusLabel = nullptr;
    QLabel* BytesLabel = nullptr;
    QLabel* DLVersion = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QCheckBox* ShowCheckbox = nullptr;
    QCheckBox* RunCheckbox = nullptr;
    QPlainTextEdit* VersionsInfoText = nullptr;
    QPushButton* StartBtn = nullptr;
    QPushButton* CloseBtn = nullptr;
    AlwaysOnTop* Pin = nullptr;
};
