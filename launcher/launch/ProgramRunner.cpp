#include "launch/ProgramRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

void letEventsRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool writeAll(int fd, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool readAll(int fd, void* data, size_t size)
{
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

qint64 SpawnDetached(const QString& program, const QStringList& args, const QString& workDir,
                     int* error)
{
    if (error)
        *error = 0;
    // Everything the children need is prepared before fork: after it only
    // async-signal-safe calls are made.
    std::vector<std::string> strings;
    strings.push_back(QFile::encodeName(program).toStdString());
    for (const QString& a : args)
        strings.push_back(QFile::encodeName(a).toStdString());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    const std::string dir = QFile::encodeName(workDir).toStdString();

    // Two pipes: the intermediate child reports the program's id on one; the
    // program reports a failed start on the other, which closes unwritten
    // when the exec succeeds.
    int idPipe[2];
    int errPipe[2];
    if (::pipe2(idPipe, O_CLOEXEC) != 0) {
        if (error)
            *error = errno;
        return -1;
    }
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        if (error)
            *error = errno;
        ::close(idPipe[0]);
        ::close(idPipe[1]);
        return -1;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        if (error)
            *error = errno;
        for (int fd : {idPipe[0], idPipe[1], errPipe[0], errPipe[1]})
            ::close(fd);
        return -1;
    }
    if (child == 0) {
        // Intermediate child: starts the program and leaves at once, so the
        // program is adopted by init and never becomes our zombie.
        ::close(idPipe[0]);
        ::close(errPipe[0]);
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::close(idPipe[1]);
            ::setsid();
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            ::signal(SIGPIPE, SIG_DFL);
            int err = 0;
            if (!dir.empty() && ::chdir(dir.c_str()) != 0)
                err = errno;
            if (err == 0) {
                ::execv(argv[0], argv.data());
                err = errno;
            }
            writeAll(errPipe[1], &err, sizeof err);
            ::_exit(127);
        }
        ::close(errPipe[1]);
        const pid_t sent = grandchild;
        writeAll(idPipe[1], &sent, sizeof sent);
        ::_exit(grandchild > 0 ? 0 : 1);
    }
    ::close(idPipe[1]);
    ::close(errPipe[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    pid_t started = -1;
    qint64 result = -1;
    if (readAll(idPipe[0], &started, sizeof started) && started > 0) {
        int err = 0;
        // End of file without data: the exec succeeded.
        if (readAll(errPipe[0], &err, sizeof err)) {
            if (error)
                *error = err;
        } else {
            result = started;
        }
    } else if (error) {
        *error = EAGAIN;
    }
    ::close(idPipe[0]);
    ::close(errPipe[0]);
    return result;
}

int RunAndWait(const QString& program, const QStringList& args, int windowStyle)
{
    Q_UNUSED(windowStyle);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(program, args);
    if (!process.waitForStarted(10000))
        return -1;
    while (!process.waitForFinished(20))
        if (process.state() == QProcess::NotRunning)
            break;
        else
            letEventsRun();
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

QString FindInPath(const QString& name)
{
    if (name.isEmpty())
        return {};
    if (name.contains(u'/')) {
        const QFileInfo fi(name);
        return fi.isFile() && fi.isExecutable() ? fi.absoluteFilePath() : QString();
    }
    const QString path = qEnvironmentVariable("PATH");
    for (const QString& dir : path.split(u':', Qt::SkipEmptyParts)) {
        const QFileInfo fi(QDir(dir).filePath(name));
        if (fi.isFile() && fi.isExecutable())
            return fi.absoluteFilePath();
    }
    return {};
}

bool IsWindowsProgram(const QString& path)
{
    const QString lower = path.trimmed().toLower();
    return lower.endsWith(QLatin1String(".exe")) || lower.endsWith(QLatin1String(".com"))
           || lower.endsWith(QLatin1String(".bat"));
}

QString FindExecutable(const QString& document)
{
    const QFileInfo fi(document);
    if (!fi.exists())
        return {};
    if (IsWindowsProgram(document))
        return FindInPath(QStringLiteral("wine"));
    if (fi.isFile() && fi.isExecutable())
        return fi.absoluteFilePath();
    return FindInPath(QStringLiteral("xdg-open"));
}

bool OpenInTextEditor(const QString& path)
{
    for (const char* var : {"VISUAL", "EDITOR"}) {
        const QStringList words = QProcess::splitCommand(qEnvironmentVariable(var));
        if (words.isEmpty())
            continue;
        const QString program = FindInPath(words.first());
        if (program.isEmpty())
            continue;
        return SpawnDetached(program, words.mid(1) << path) > 0;
    }
    const QString opener = FindInPath(QStringLiteral("xdg-open"));
    return !opener.isEmpty() && SpawnDetached(opener, {path}) > 0;
}

void WAIT(qint32 seconds, Clock& clock)
{
    if (seconds <= 0)
        return;
    int last = clock.now().time().second();
    qint64 s = last;
    const qint64 target = s + seconds;
    while (s < target) {
        const int now = clock.now().time().second();
        if (now != last) {
            ++s;
            last = now;
        }
        clock.wait(10);
    }
}

QByteArray ProcessCommandLine(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (pid <= 0 || !f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return f.readAll();
}

bool WaitUntilProgramReplaced(qint64 pid, const QByteArray& initialCommandLine, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const QByteArray now = ProcessCommandLine(pid);
        if (now.isEmpty() || now != initialCommandLine)
            return true;
        if (timer.elapsed() >= timeoutMs)
            return false;
        letEventsRun();
        QThread::usleep(500);
    }
}
