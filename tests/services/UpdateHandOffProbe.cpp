// A stand-in launcher for the hand-off tests: a second process that calls
// DownloadUpdateWithUpdater with its arguments from inside its event loop,
// exactly as the options window will, and reports what happened.
//   UpdateHandOffProbe URL LOCALFILE UPDATER UPDATERURL PARAM
// Every box goes to stdout as "title<TAB>text". Exit 0: the updater was
// started and the probe's event loop ended at once; 3: the hand-off failed.
#include "services/Prompt.h"
#include "services/UpdateHandOff.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

class PrintingPrompt final : public Prompt {
public:
    PromptAnswer ask(const QString& title, const QString& text, PromptButtons, PromptIcon) override
    {
        QString flat = text;
        flat.replace(u'\n', QLatin1String("\\n"));
        std::printf("%s\t%s\n", title.toUtf8().constData(), flat.toUtf8().constData());
        std::fflush(stdout);
        return PromptAnswer::Ok;
    }
    bool input(const QString&, const QString&, QString&) override { return false; }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 6)
        return 64;
    PrintingPrompt printing;
    setPrompt(&printing);
    bool handedOff = false;
    QTimer::singleShot(0, &app, [&] {
        handedOff = DownloadUpdateWithUpdater(a[1], a[2], a[3], a[4], a[5]);
        // A failed hand-off keeps the launcher running; the probe ends here.
        if (!handedOff)
            QCoreApplication::exit(3);
    });
    const int code = app.exec();
    setPrompt(nullptr);
    return handedOff ? code : 3;
}
