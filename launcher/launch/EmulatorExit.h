#pragma once
// What the launcher learns when an emulator it started fails at once.
//
// ErrorOutputFile is the file beside the launcher script that receives the
// emulator's error output ("<ExeName>_tmp.err"): the launch creates it and
// hands its descriptor to the started shell as standard error, then removes
// its name together with the script. The running-game monitor keeps the
// open file for the rest of the game, trims it now and then to its last
// bytes (an emulator that talks for hours cannot fill the disk), and reads
// its end when the emulator failed. Move-only; the descriptor closes with it.
//
// EarlyExitMessage builds the message shown for such a failure in the
// interface language. UI thread.
#include "launch/ProgramRunner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// How much of the error output is kept and shown.
constexpr qint64 kErrorTailBytes = 4096;
constexpr int kErrorTailLines = 10;
// An emulator that fails within this many seconds of its start is reported.
constexpr double kEarlyExitSeconds = 3.0;

class ErrorOutputFile {
public:
    ErrorOutputFile() = default;
    ~ErrorOutputFile();
    ErrorOutputFile(ErrorOutputFile&& other) noexcept;
    ErrorOutputFile& operator=(ErrorOutputFile&& other) noexcept;
    ErrorOutputFile(const ErrorOutputFile&) = delete;
    ErrorOutputFile& operator=(const ErrorOutputFile&) = delete;

    // Creates (or empties) the file at `path` for appending. False when it
    // cannot; the file then stays closed.
    bool create(const QString& path);
    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }
    QString path() const { return m_path; }
    // Removes the file's name; the open file stays readable.
    void removeName();
    // Frees all but the file's last `keep` bytes once it takes more than
    // `threshold` bytes on disk.
    void trim(qint64 keep = kErrorTailBytes, qint64 threshold = 64 * kErrorTailBytes);
    // Its last `bytes` bytes.
    QByteArray tail(qint64 bytes = kErrorTailBytes) const;
    void close();

private:
    int m_fd = -1;
    QString m_path;
};

// The last `maxLines` non-empty lines of an error-output tail, without
// terminal colour codes and control characters. A tail that starts inside a
// line (it was cut) loses that partial first line when others follow.
QStringList LastErrorLines(const QByteArray& tail, bool cutAtStart, int maxLines = kErrorTailLines);

// The name of a signal: "SIGSEGV", or "signal 42" for one without a name.
QString SignalName(int signal);

// The message for an emulator that ended after `seconds` with a failure
// status or a signal, followed by the last lines of its error output, in
// the current interface language.
QString EarlyExitMessage(const QString& emulator, double seconds, const ChildExit& exit,
                         const QStringList& errorLines);
// Its title.
QString EarlyExitTitle();
