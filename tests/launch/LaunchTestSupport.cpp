#include "launch/LaunchTestSupport.h"

#include "config/Ini.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <signal.h>
#include <unistd.h>

Profile::Profile(const TempDir& dir, const QString& emu)
{
    dir.mkdir(QStringLiteral("Config/") + emu);
    const QString start = dir.path() + QStringLiteral("Config/") + emu + u'/';
    paths.programFolder = dir.path();
    paths.startFolder = start;
    paths.settingsFile = start + QStringLiteral("arvex.ini");
    paths.globalSettingsFile = dir.path() + QStringLiteral("Config/arvex.ini");
    paths.launcherScript = start + QStringLiteral("arvex_tmp.sh");
    paths.startScriptConfig = start + QStringLiteral("arvex_StartScript.uaecfg");
    paths.masterConfig = start + QStringLiteral("arvex_Master.uaecfg");
    paths.startScript = start + QStringLiteral("Startscript.vbs");
    // Quiet defaults: no template, no loading screen, the game on the command line.
    set(QStringLiteral("WinUAE_UseMasterConfig"), QStringLiteral("0"));
    set(QStringLiteral("SplashTimer"), QStringLiteral("0"));
    set(QStringLiteral("EmulatorParameterAddDiskPath"), QStringLiteral("1"));
}

void Profile::set(const QString& key, const QString& value) const
{
    WriteIniValue(QStringLiteral("Settings"), key, value, paths.settingsFile, true);
}

void Profile::setGlobal(const QString& key, const QString& value) const
{
    WriteIniValue(QStringLiteral("Settings"), key, value, paths.globalSettingsFile, true);
}

QString InstallDemoEmulator(const TempDir& dir, const QString& relativePath)
{
    const QString target = dir.file(relativePath);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QFile::copy(QStringLiteral(ARVEX_TEST_BIN_DIR "/arvex-demo-emu"), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return target;
}

QString WriteExecutable(const TempDir& dir, const QString& relativePath, const QByteArray& text)
{
    const QString path = dir.write(relativePath, text);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QString UniqueName(const QString& stem)
{
    return stem + QString::number(::getpid());
}

bool WaitFor(const std::function<bool()>& condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

QList<QByteArray> WaitForRecord(const QString& path, int ms)
{
    if (!WaitFor([&] { return QFile::exists(path); }, ms))
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> fields = f.readAll().split('\0');
    if (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();
    return fields;
}

bool ProcessAlive(qint64 pid)
{
    if (pid <= 0 || ::kill(pid_t(pid), 0) != 0)
        return false;
    // A zombie counts as ended.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray s = stat.readAll();
    const qsizetype close = s.lastIndexOf(')');
    return close < 0 || s.mid(close + 2, 1) != "Z";
}

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value)
    : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
{
    qputenv(name, value);
}

ScopedEnv::~ScopedEnv()
{
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}
