#pragma once
// WriteFailures: tells the user which files could not be written, once per
// action. The storage layer (TextFile::writeAtomic, the settings writer)
// reports every file it failed to write; what the user sees depends on
// whether an action is open:
//  - inside a Scope (an action such as loading settings, selecting an
//    emulator, a favourites change, a list rebuild, saving the pad buttons,
//    ending the program) failures are collected, each file once, and shown in
//    ONE message when the outermost scope ends; scopes nest freely, so an
//    action may call other scoped actions;
//  - outside any scope a failure is never dropped: it is collected the same
//    way and shown once control returns to the event loop (so all writes of
//    one event still give one message), or at once when there is no
//    application object (command-line helpers).
// The message goes through prompt(), in the interface language:
// "Die Datei konnte nicht gespeichert werden:" / "The file could not be
// saved:" then each file with the system's reason. UI thread; a report from
// another thread is passed to the UI thread.
#include <QString>
#include <QStringList>

namespace WriteFailures {

// Records that `path` could not be written, for `reason`.
void report(const QString& path, const QString& reason);

// The message text for the given failed files ("path (reason)" each).
QString messageText(const QStringList& failures);
QString messageTitle();

// Shows what has been collected now, unless a scope is open. Called by the
// deferred report; tests use it to see an unscoped failure without an event loop.
void flush();

// One user action: failures during its lifetime are shown together at its end.
class Scope {
public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

} // namespace WriteFailures
