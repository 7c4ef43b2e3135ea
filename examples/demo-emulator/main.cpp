// arvex-demo-emu: a stand-in emulator for the demo collection and the tests.
//
// It shows a window naming the game file it was given (the last argument
// that names an existing file) and lists all its arguments. It closes on
// Escape or after $ARVEX_DEMO_SECONDS seconds (default 8).
//
// Environment:
//   ARVEX_DEMO_SECONDS   seconds until it exits by itself (0 or less: at once).
//   ARVEX_DEMO_HEADLESS  "1": no window at all, works without a display.
//   ARVEX_DEMO_RECORD    a file to record the start in. Record format, every
//                        field followed by one NUL byte, so any byte of a path
//                        or an argument (blanks, quotes, newlines) survives:
//                            <working folder> NUL <argv[1]> NUL <argv[2]> NUL ...
//                        The file is written to "<record>.tmp" and renamed,
//                        so a reader never sees half a record.
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

void writeRecord(const QByteArray& recordPath, int argc, char** argv)
{
    QByteArray data;
    char cwd[8192];
    if (getcwd(cwd, sizeof cwd))
        data.append(cwd);
    data.append('\0');
    for (int i = 1; i < argc; ++i) {
        data.append(argv[i]);
        data.append('\0');
    }
    const QByteArray tmp = recordPath + ".tmp";
    FILE* f = std::fopen(tmp.constData(), "wb");
    if (!f)
        return;
    const bool ok = std::fwrite(data.constData(), 1, size_t(data.size()), f) == size_t(data.size());
    if (std::fclose(f) == 0 && ok)
        std::rename(tmp.constData(), recordPath.constData());
}

class DemoWindow : public QWidget {
public:
    DemoWindow(const QString& game, const QStringList& args)
    {
        setWindowTitle(QStringLiteral("Arvex demo emulator"));
        auto* layout = new QVBoxLayout(this);
        auto* title = new QLabel(game.isEmpty() ? QStringLiteral("(no game file)")
                                                : QFileInfo(game).fileName());
        QFont f = title->font();
        f.setPointSize(f.pointSize() * 2);
        title->setFont(f);
        layout->addWidget(title);
        auto* all = new QLabel(QStringLiteral("Arguments:\n") + args.join(QLatin1Char('\n')));
        all->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(all);
        layout->addWidget(new QLabel(QStringLiteral("Escape closes this window.")));
        resize(640, 360);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Escape)
            close();
        else
            QWidget::keyPressEvent(e);
    }
};

} // namespace

int main(int argc, char** argv)
{
    const QByteArray record = qgetenv("ARVEX_DEMO_RECORD");
    if (!record.isEmpty())
        writeRecord(record, argc, argv);

    bool secondsOk = false;
    int seconds = qEnvironmentVariableIntValue("ARVEX_DEMO_SECONDS", &secondsOk);
    if (!secondsOk)
        seconds = 8;
    const bool headless = qgetenv("ARVEX_DEMO_HEADLESS") == "1";

    std::unique_ptr<QCoreApplication> app;
    if (headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString game;
    for (int i = int(args.size()) - 1; i >= 0 && game.isEmpty(); --i)
        if (QFileInfo(args[i]).isFile())
            game = args[i];

    std::unique_ptr<DemoWindow> window;
    if (!headless) {
        window = std::make_unique<DemoWindow>(game, args);
        window->show();
    }
    if (seconds <= 0)
        return 0;
    QTimer::singleShot(seconds * 1000, app.get(), &QCoreApplication::quit);
    return app->exec();
}
