#include "launch/EmulatorExit.h"

#include "config/Language.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/falloc.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

ErrorOutputFile::~ErrorOutputFile() { close(); }

ErrorOutputFile::ErrorOutputFile(ErrorOutputFile&& other) noexcept
    : m_fd(other.m_fd), m_path(std::move(other.m_path))
{
    other.m_fd = -1;
}

ErrorOutputFile& ErrorOutputFile::operator=(ErrorOutputFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
    }
    return *this;
}

bool ErrorOutputFile::create(const QString& path)
{
    close();
    m_path = path;
    if (path.isEmpty())
        return false;
    // Appending: the emulator's writes land at the end even after a trim.
    m_fd = ::open(QFile::encodeName(path).constData(),
                  O_RDWR | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    return m_fd >= 0;
}

void ErrorOutputFile::removeName()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

void ErrorOutputFile::trim(qint64 keep, qint64 threshold)
{
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || qint64(st.st_blocks) * 512 <= threshold)
        return;
    const qint64 drop = qint64(st.st_size) - keep;
    if (drop <= 0)
        return;
    // Freeing the blocks before the kept end loses nothing the emulator
    // writes meanwhile: its appends still land at the end, only the file's
    // early part reads as zeros.
    if (::fallocate(m_fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, 0, off_t(drop)) == 0)
        return;
    // A file system without holes: start the file again from its last
    // bytes (lines written between these calls may be lost).
    const QByteArray last = tail(keep);
    if (::ftruncate(m_fd, 0) != 0)
        return;
    qint64 done = 0;
    while (done < last.size()) {
        const ssize_t n = ::write(m_fd, last.constData() + done, size_t(last.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
}

QByteArray ErrorOutputFile::tail(qint64 bytes) const
{
    struct stat st;
    if (m_fd < 0 || bytes <= 0 || ::fstat(m_fd, &st) != 0)
        return {};
    const qint64 from = qMax<qint64>(0, qint64(st.st_size) - bytes);
    QByteArray out(qsizetype(qint64(st.st_size) - from), '\0');
    qint64 got = 0;
    while (got < out.size()) {
        const ssize_t n = ::pread(m_fd, out.data() + got, size_t(out.size() - got), off_t(from + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    out.truncate(qsizetype(got));
    return out;
}

void ErrorOutputFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

QStringList LastErrorLines(const QByteArray& tail, bool cutAtStart, int maxLines)
{
    static const QRegularExpression colour(QStringLiteral("\x1b\\[[0-9;?]*[A-Za-z]"));
    QList<QByteArray> raw = tail.split('\n');
    if (cutAtStart && raw.size() > 1)
        raw.removeFirst();
    QStringList lines;
    for (const QByteArray& r : raw) {
        QString line = QString::fromUtf8(r);
        line.remove(colour);
        if (line.endsWith(u'\r'))
            line.chop(1);
        // A carriage return redraws a progress line: its last state counts.
        line = line.mid(line.lastIndexOf(u'\r') + 1);
        QString clean;
        for (const QChar c : line) {
            if (c == u'\t')
                clean += u' ';
            else if (c.category() != QChar::Other_Control)
                clean += c;
        }
        clean = clean.trimmed();
        if (!clean.isEmpty())
            lines << clean;
    }
    if (lines.size() > maxLines)
        lines = lines.mid(lines.size() - maxLines);
    return lines;
}

QString SignalName(int signal)
{
    if (const char* abbrev = ::sigabbrev_np(signal))
        return QStringLiteral("SIG") + QString::fromLatin1(abbrev);
    return QStringLiteral("signal %1").arg(signal);
}

QString EarlyExitTitle()
{
    return Msg(QStringLiteral("Emulator-Fehler"), QStringLiteral("Emulator error"));
}

QString EarlyExitMessage(const QString& emulator, double seconds, const ChildExit& exit,
                         const QStringList& errorLines)
{
    const bool german = currentLanguage() == kLanguageGerman;
    const QString s = QLocale(german ? QLocale::German : QLocale::English)
                          .toString(qMax(0.0, seconds), 'f', 1);
    QString text;
    if (exit.signal != 0) {
        text = Msg(QStringLiteral("Der Emulator %1 wurde nach %2 Sekunden durch das Signal %3 beendet:"),
                   QStringLiteral("The emulator %1 was ended after %2 seconds by signal %3:"))
                   .arg(emulator, s, SignalName(exit.signal));
    } else {
        text = Msg(QStringLiteral("Der Emulator %1 wurde nach %2 Sekunden mit Status %3 beendet:"),
                   QStringLiteral("The emulator %1 ended after %2 seconds with status %3:"))
                   .arg(emulator, s, QString::number(exit.code));
    }
    if (errorLines.isEmpty())
        return text + u'\n' + Msg(QStringLiteral("(keine Fehlerausgabe)"), QStringLiteral("(no error output)"));
    return text + u'\n' + errorLines.join(u'\n');
}
