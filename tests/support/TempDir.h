#pragma once
// A real temporary folder for one test, removed afterwards.
#include "support/QtPrint.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempDir {
public:
    TempDir();
    // The folder, with a trailing "/".
    QString path() const;
    // Absolute path of `relative` inside the folder.
    QString file(const QString& relative) const;
    // Writes `bytes` to `relative`, creating parent folders; returns the absolute path.
    QString write(const QString& relative, const QByteArray& bytes = {}) const;
    // Creates the folder `relative` (and parents); returns its absolute path with "/".
    QString mkdir(const QString& relative) const;
    // The whole content of `relative` (empty when missing).
    QByteArray read(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};
