#include "launch/ProgramRunner.h"

#include "library/FileNames.h"

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

// A regular file we may execute, checked by the name's own bytes.
bool isExecutableFile(const QString& path)
{
    return isRegularFile(path) && ::access(encodeFileName(path).constData(), X_OK) == 0;
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

namespace {

// The program's argument vector and working folder, prepared before fork:
// after it only async-signal-safe calls are made.
struct ExecRequest {
    std::vector<std::string> strings;
    std::vector<char*> argv;
    std::string dir;

    // The file-name encoder, not the locale's: a name's raw bytes (a
    // Windows-1252 name) reach the program exactly as they are on disk.
    ExecRequest(const QString& program, const QStringList& args, const QString& workDir)
    {
        strings.push_back(encodeFileName(program).toStdString());
        for (const QString& a : args)
            strings.push_back(encodeFileName(a).toStdString());
        for (std::string& s : strings)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        dir = encodeFileName(workDir).toStdString();
    }
};

// In a freshly forked child: a session of its own, a clean signal state,
// `stderrFd` as its error output (when given), then the program. A failed
// start writes its error number to `errFd` and ends the child.
[[noreturn]] void execInNewSession(const ExecRequest& request, int errFd, int stderrFd)
{
    ::setsid();
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    int err = 0;
    if (stderrFd >= 0 && ::dup2(stderrFd, STDERR_FILENO) < 0)
        err = errno;
    if (err == 0 && !request.dir.empty() && ::chdir(request.dir.c_str()) != 0)
        err = errno;
    if (err == 0) {
        ::execv(request.argv[0], request.argv.data());
        err = errno;
    }
    writeAll(errFd, &err, sizeof err);
    ::_exit(127);
}

// Reads the error number a failed start reported; false (and no error) when
// the pipe closed unwritten, which means the exec succeeded.
bool startFailed(int errFd, int& err)
{
    err = 0;
    return readAll(errFd, &err, sizeof err);
}

// Children started by SpawnChild that nobody collects any more.
QList<qint64>& abandonedChildren()
{
    static QList<qint64> list;
    return list;
}

} // namespace

qint64 SpawnDetached(const QString& program, const QStringList& args, const QString& workDir,
                     int* error)
{
    if (error)
        *error = 0;
    const ExecRequest request(program, args, workDir);

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
            execInNewSession(request, errPipe[1], -1);
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
        if (startFailed(errPipe[0], err)) {
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

qint64 SpawnChild(const QString& program, const QStringList& args, const QString& workDir,
                  int stderrFd, int* error)
{
    if (error)
        *error = 0;
    ReapAbandonedChildren();
    const ExecRequest request(program, args, workDir);
    int errPipe[2];
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        if (error)
            *error = errno;
        return -1;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        if (error)
            *error = errno;
        ::close(errPipe[0]);
        ::close(errPipe[1]);
        return -1;
    }
    if (child == 0) {
        ::close(errPipe[0]);
        execInNewSession(request, errPipe[1], stderrFd);
    }
    ::close(errPipe[1]);
    int err = 0;
    const bool failed = startFailed(errPipe[0], err);
    ::close(errPipe[0]);
    if (failed) {
        if (error)
            *error = err;
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        return -1;
    }
    return child;
}

bool TakeExitStatus(qint64 pid, ChildExit& exit)
{
    exit = ChildExit{};
    if (pid <= 0)
        return false;
    int status = 0;
    pid_t r;
    while ((r = ::waitpid(pid_t(pid), &status, WNOHANG)) < 0 && errno == EINTR) {
    }
    if (r != pid_t(pid))
        return false;
    if (WIFSIGNALED(status))
        exit.signal = WTERMSIG(status);
    else if (WIFEXITED(status))
        exit.code = WEXITSTATUS(status);
    return true;
}

void AbandonChild(qint64 pid)
{
    if (pid > 0 && !abandonedChildren().contains(pid))
        abandonedChildren().append(pid);
    ReapAbandonedChildren();
}

void ReapAbandonedChildren()
{
    QList<qint64>& list = abandonedChildren();
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        int status = 0;
        const pid_t r = ::waitpid(pid_t(list[i]), &status, WNOHANG);
        // Collected now, or not ours to collect (someone else already did).
        if (r == pid_t(list[i]) || (r < 0 && errno == ECHILD))
            list.removeAt(i);
    }
}

int RunAndWait(const QString& program, const QStringList& args, int windowStyle)
{
    Q_UNUSED(windowStyle);
    // Our own start rather than QProcess: QProcess passes arguments through
    // the locale's encoder, which would lose the raw bytes of a file name.
    const QString path = program.contains(u'/') ? program : FindInPath(program);
    if (path.isEmpty())
        return -1;
    const qint64 pid = SpawnChild(path, args);
    if (pid <= 0)
        return -1;
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid_t(pid), &status, WNOHANG);
        if (r == pid_t(pid))
            break;
        if (r < 0 && errno != EINTR)
            return -1; // collected elsewhere: nothing left to wait for
        letEventsRun();
        QThread::usleep(2000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString FindInPath(const QString& name)
{
    if (name.isEmpty())
        return {};
    if (name.contains(u'/'))
        return isExecutableFile(name) ? QFileInfo(name).absoluteFilePath() : QString();
    // Folders on PATH are file names too: decoded without losing a byte.
    const QString path = decodeFileName(qgetenv("PATH"));
    for (const QString& dir : path.split(u':', Qt::SkipEmptyParts)) {
        const QString candidate = QDir(dir).filePath(name);
        if (isExecutableFile(candidate))
            return QFileInfo(candidate).absoluteFilePath();
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
    if (!pathExists(document))
        return {};
    if (IsWindowsProgram(document))
        return FindInPath(QStringLiteral("wine"));
    if (isExecutableFile(document))
        return QFileInfo(document).absoluteFilePath();
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
