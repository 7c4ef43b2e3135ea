#include "UpdaterWindow.h"

#include "AlwaysOnTop.h"
#include "ProcessLookup.h"
#include "ProgramStart.h"
#include "ScriptMode.h"
#include "UpdaterLanguage.h"
#include "VersionInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdio>

namespace {

QString startCaption() { return Tx(QStringLiteral("Starten"), QStringLiteral("Start")); }

QString usageText()
{
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QStringList{
        QStringLiteral("This program needs Command-Line Parameters:"),
        QStringLiteral("[URL] [PATH] [PARAM1] [PARAM2] [NOASK] [AUTOSTART] [SKIPINFO] [BATCHFILE]"),
        QStringLiteral("Example:"),
        QStringLiteral("Download HTML-Pages:"),
        self + QStringLiteral(" [URL] https://www.example.org/index.html [PATH] /tmp/Index.html [NOASK]"),
        QStringLiteral("Download Applications (while they are running!!):"),
        self + QStringLiteral(" [URL] https://www.example.org/myapp [PATH] ~/Programme/MyApp/myapp [PARAM1] /install"),
        QStringLiteral("Use Batchmode:"),
        self + QStringLiteral(" [BATCHFILE] ~/UpdateThis.txt"),
    }.join(u'\n');
}

QPixmap updaterPicture()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x00, 0x52, 0xbc));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 44, 44);
    p.setBrush(Qt::white);
    const QPolygon arrow({QPoint(19, 10), QPoint(29, 10), QPoint(29, 24), QPoint(36, 24), QPoint(24, 37),
                          QPoint(12, 24), QPoint(19, 24)});
    p.drawPolygon(arrow);
    return pixmap;
}

} // namespace

UpdaterWindow::UpdaterWindow(const UpdaterCommand& cmd, UpdaterPrompt& prompt)
    : m_cmd(cmd), m_prompt(prompt), m_downloader(CurlDownloader::stallSecondsFromEnvironment()),
      m_job(m_downloader, m_prompt, *this)
{
    setObjectName(QStringLiteral("UpdaterWindow"));
    setWindowTitle(QStringLiteral("Online Updater - ") + UpdaterVersionText());

    Picture = new QLabel(this);
    Picture->setPixmap(updaterPicture());
    InfoLabel = new QLabel(this);
    TargetLabel = new QLabel(this);
    TargetLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    BytesLabel = new QLabel(this);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    DLVersion = new QLabel(UpdaterVersionText(), this);
    DLVersion->setCursor(Qt::PointingHandCursor);
    DLVersion->setToolTip(Tx(QStringLiteral("Nach einer neuen Version des Updaters suchen"),
                             QStringLiteral("Look for a new version of the updater")));
    ShowCheckbox = new QCheckBox(QStringLiteral("Versions Info"), this);
    ShowCheckbox->setChecked(true);
    RunCheckbox = new QCheckBox(this);
    VersionsInfoText = new QPlainTextEdit(this);
    VersionsInfoText->setReadOnly(true);
    VersionsInfoText->setPlaceholderText(QStringLiteral("Versions Info"));
    StartBtn = new QPushButton(startCaption(), this);
    CloseBtn = new QPushButton(Tx(QStringLiteral("&Abbrechen"), QStringLiteral("&Cancel")), this);
    Pin = new AlwaysOnTop(this);

    auto* top = new QHBoxLayout;
    top->addWidget(Picture);
    auto* texts = new QVBoxLayout;
    texts->addWidget(InfoLabel);
    texts->addWidget(TargetLabel);
    top->addLayout(texts, 1);
    top->addWidget(Pin, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DLVersion);
    buttons->addStretch(1);
    buttons->addWidget(StartBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(StatusLabel);
    layout->addWidget(ProgressBar);
    layout->addWidget(BytesLabel);
    layout->addWidget(ShowCheckbox);
    layout->addWidget(VersionsInfoText, 1);
    layout->addWidget(RunCheckbox);
    layout->addLayout(buttons);
    resize(520, 380);

    for (QWidget* w : {static_cast<QWidget*>(Picture), static_cast<QWidget*>(InfoLabel),
                       static_cast<QWidget*>(StatusLabel), static_cast<QWidget*>(BytesLabel),
                       static_cast<QWidget*>(DLVersion)})
        w->installEventFilter(this);
    connect(StartBtn, &QPushButton::clicked, this, [this] { StartBtn_Click(); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtn_Click(); });
    connect(ShowCheckbox, &QCheckBox::toggled, VersionsInfoText, &QWidget::setVisible);

    // The start-up work runs once the window is on the screen.
    QTimer::singleShot(100, this, [this] { Form_Load(); });
}

void UpdaterWindow::Form_Load()
{
    switch (m_cmd.kind) {
    case UpdaterCommand::Kind::Version: {
        m_prompt.message(QStringLiteral("Online Updater Info"),
                         Tx(QStringLiteral("Dies ist die Version: "), QStringLiteral("You are now using Version: "))
                             + QStringLiteral("\rOnline Updater - Version: ") + UpdaterVersionText());
        DLVersion_Click();
        if (m_prompt.unattended())
            finish(0);
        return;
    }
    case UpdaterCommand::Kind::Usage:
        status(Tx(QStringLiteral("Parameter fehlt!"), QStringLiteral("Parameter missing")));
        StartBtn->setEnabled(false);
        m_prompt.message(QStringLiteral("Missing commandline parameter"), usageText(), UpdaterIcon::Information);
        if (m_prompt.unattended())
            finish(2);
        return;
    case UpdaterCommand::Kind::Script:
        InfoLabel->setText(QStringLiteral("Script-Mode"));
        TargetLabel->setText(m_cmd.scriptFile);
        StartBtn_Click();
        return;
    case UpdaterCommand::Kind::Update:
        break;
    }
    if (!m_cmd.complete()) {
        const QString text = Tx(QStringLiteral("Falsche Parameter"), QStringLiteral("Wrong parameter"));
        status(text);
        StartBtn->setEnabled(false);
        m_prompt.message(QStringLiteral("Online Updater"), text, UpdaterIcon::Critical);
        if (m_prompt.unattended())
            finish(2);
        return;
    }
    const QString name = ProgramFileName(m_cmd.path);
    InfoLabel->setText(Tx(QStringLiteral("'") + startCaption() + QStringLiteral("' startet den Download:"),
                          QStringLiteral("Press '") + startCaption() + QStringLiteral("' to start download:")));
    TargetLabel->setText(m_cmd.url + QStringLiteral("\n-> ") + m_cmd.path);
    RunCheckbox->setText(Tx(QStringLiteral("Programm nach dem Update starten"),
                            QStringLiteral("Run ") + name + QStringLiteral(" after finished downloading")));
    RunCheckbox->setChecked(m_cmd.autostart);
    if (!m_cmd.skipInfo) {
        if (const auto info = FetchVersionInfo(m_downloader, VersionInfoUrl(m_cmd.url),
                                               [this](const QString& s) { status(s); }))
            showVersionInfo(*info);
        else
            status(QString());
    }
    if (!m_cmd.ask || m_prompt.unattended())
        StartBtn_Click();
}

void UpdaterWindow::StartBtn_Click()
{
    if (m_busy)
        return;
    m_busy = true;
    m_cancel = false;
    StartBtn->setEnabled(false);
    CloseBtn->setText(Tx(QStringLiteral("&Abbrechen"), QStringLiteral("&Cancel")));
    bool done = false;
    if (m_cmd.kind == UpdaterCommand::Kind::Script) {
        ScriptMode script(m_job, m_prompt, m_downloader, [this](const QString& s) { status(s); },
                          [this](const QString& info) { showVersionInfo(info); });
        done = script.run(m_cmd.scriptFile, RunCheckbox->isChecked());
    } else {
        done = m_job.run(m_cmd, RunCheckbox->isChecked()) == UpdateJob::Outcome::Done;
    }
    m_busy = false;
    m_exitCode = done ? 0 : 1;
    if (done)
        StartBtn->setText(QStringLiteral("...Fertig!"));
    else
        StartBtn->setEnabled(m_cmd.kind == UpdaterCommand::Kind::Update);
    CloseBtn->setText(Tx(QStringLiteral("Schließen"), QStringLiteral("Close")));
    if (m_closeWhenDone || m_prompt.unattended())
        finish(m_exitCode);
}

void UpdaterWindow::CloseBtn_Click()
{
    if (m_busy) {
        m_cancel = true;
        return;
    }
    close();
}

void UpdaterWindow::DLVersion_Click()
{
    const auto info = FetchVersionInfo(m_downloader, UpdaterOwnInfoUrl(), [this](const QString& s) { status(s); });
    if (!info) {
        m_prompt.message(QStringLiteral("Online Updater Info"),
                         Tx(QStringLiteral("Dies ist: ") + UpdaterVersionText()
                                + QStringLiteral("\r\rUpdate Information wurde nicht gefunden."),
                            QStringLiteral("You are using: ") + UpdaterVersionText()
                                + QStringLiteral("\r\rCould not download update information")),
                         UpdaterIcon::Information);
        return;
    }
    showVersionInfo(*info);
    const UpdaterAnswer answer =
        m_prompt.ask(QStringLiteral("Download?"),
                     Tx(QStringLiteral("jetzt herunterladen? (Homepage)"), QStringLiteral("download now? (Web-Page)")),
                     UpdaterButtons::YesNo, UpdaterIcon::Question);
    if (answer == UpdaterAnswer::Yes)
        OpenWebAddress(UpdaterOwnDownloadUrl());
}

void UpdaterWindow::InfoLabel_DblClick()
{
    m_prompt.message(QStringLiteral("Online Updater"),
                     QStringLiteral("[URL] ") + m_cmd.url + QStringLiteral("\n[PATH] ") + m_cmd.path
                         + QStringLiteral("\n[PARAM1] ") + m_cmd.param1 + QStringLiteral("\n[PARAM2] ")
                         + m_cmd.param2);
}

void UpdaterWindow::Picture_DblClick()
{
    const UpdaterAnswer answer = m_prompt.ask(
        QStringLiteral("Close Program?"),
        Tx(QStringLiteral("Programm beenden?"), QStringLiteral("Cancel all activity and close this Program?")),
        UpdaterButtons::YesNo, UpdaterIcon::Question);
    if (answer != UpdaterAnswer::Yes)
        return;
    m_exitCode = 1;
    if (m_busy) {
        // The download stops at its next progress report; the window closes then.
        m_cancel = true;
        m_closeWhenDone = true;
        return;
    }
    finish(m_exitCode);
}

void UpdaterWindow::showVersionInfo(const QString& text)
{
    VersionsInfoText->setPlainText(QStringLiteral("Versions Info\n\n") + text);
}

void UpdaterWindow::finish(int exitCode)
{
    m_exitCode = exitCode;
    hide();
    QCoreApplication::exit(exitCode);
}

void UpdaterWindow::closeEvent(QCloseEvent* event)
{
    if (m_busy) {
        m_cancel = true;
        m_closeWhenDone = true;
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::exit(m_exitCode);
}

void UpdaterWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

bool UpdaterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == InfoLabel)
            InfoLabel_DblClick();
        else if (watched == Picture)
            Picture_DblClick();
        return watched == InfoLabel || watched == Picture;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == DLVersion && !m_busy) {
        DLVersion_Click();
        return true;
    }
    // The labels drag the window like its background does.
    if (event->type() == QEvent::MouseButtonPress && watched != DLVersion) {
        const auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && windowHandle())
            windowHandle()->startSystemMove();
    }
    return QWidget::eventFilter(watched, event);
}

void UpdaterWindow::status(const QString& text)
{
    StatusLabel->setText(text);
    if (!text.isEmpty()) {
        const QByteArray line = text.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fflush(stdout);
    }
    QCoreApplication::processEvents();
}

bool UpdaterWindow::progress(qint64 received, qint64 total)
{
    // libcurl reports far more often than a person can see; repaint and run
    // window events about 20 times a second.
    if (m_progressClock.isValid() && m_progressClock.elapsed() < 50)
        return !m_cancel;
    m_progressClock.start();
    const QLocale locale;
    if (total > 0) {
        ProgressBar->setRange(0, 1000);
        ProgressBar->setValue(int(received * 1000 / total));
        BytesLabel->setText(locale.formattedDataSize(received) + QStringLiteral(" / ")
                            + locale.formattedDataSize(total));
    } else {
        // Size unknown: the bytes only, no bar that pretends to know.
        ProgressBar->setRange(0, 0);
        BytesLabel->setText(locale.formattedDataSize(received));
    }
    QCoreApplication::processEvents();
    return !m_cancel;
}

void UpdaterWindow::pause(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
}

bool UpdaterWindow::startProgram(const QString& path, const QStringList& parameters)
{
    return StartFile(path, parameters);
}

qint64 UpdaterWindow::runningProgram(const QString& fileName) { return FindRunningProgram(fileName); }
