#include "config/WriteFailures.h"

#include "config/Language.h"
#include "services/Prompt.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <utility>

namespace WriteFailures {

namespace {

int g_depth = 0;
QStringList g_paths;   // each failed file once, in the order of failure
QStringList g_entries; // "path (reason)" for the message
bool g_deferred = false;

bool onUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace

QString messageTitle()
{
    return Msg(QStringLiteral("Speichern fehlgeschlagen"), QStringLiteral("Saving failed"));
}

QString messageText(const QStringList& failures)
{
    QString text = failures.size() > 1
                       ? Msg(QStringLiteral("Die Dateien konnten nicht gespeichert werden:"),
                             QStringLiteral("The files could not be saved:"))
                       : Msg(QStringLiteral("Die Datei konnte nicht gespeichert werden:"),
                             QStringLiteral("The file could not be saved:"));
    for (const QString& f : failures)
        text += u'\r' + f;
    return text;
}

void flush()
{
    g_deferred = false;
    if (g_depth > 0 || g_entries.isEmpty())
        return;
    // Taken before the box opens: its event loop may bring new failures.
    const QStringList entries = std::exchange(g_entries, {});
    g_paths.clear();
    prompt().message(messageTitle(), messageText(entries), PromptIcon::Critical);
}

void report(const QString& path, const QString& reason)
{
    if (!onUiThread()) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [path, reason] { report(path, reason); },
                                  Qt::QueuedConnection);
        return;
    }
    if (!g_paths.contains(path)) {
        g_paths.append(path);
        g_entries.append(reason.isEmpty() ? path : path + QStringLiteral(" (") + reason + u')');
    }
    if (g_depth > 0)
        return;
    if (!QCoreApplication::instance()) {
        flush();
        return;
    }
    if (!g_deferred) {
        g_deferred = true;
        QTimer::singleShot(0, QCoreApplication::instance(), [] { flush(); });
    }
}

Scope::Scope()
{
    ++g_depth;
}

Scope::~Scope()
{
    if (--g_depth == 0)
        flush();
}

} // namespace WriteFailures
