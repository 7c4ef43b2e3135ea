#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDir::TempDir() : m_dir(QDir::tempPath() + "/arvex-test-XXXXXX") {}

QString TempDir::path() const { return m_dir.path() + "/"; }

QString TempDir::file(const QString& relative) const { return path() + relative; }

QString TempDir::write(const QString& relative, const QByteArray& bytes) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return target;
}

QString TempDir::mkdir(const QString& relative) const
{
    QDir().mkpath(file(relative));
    return file(relative).endsWith('/') ? file(relative) : file(relative) + "/";
}

QByteArray TempDir::read(const QString& relative) const
{
    QFile f(file(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
