#pragma once
// Servers the download tests start on 127.0.0.1: HttpTestServer runs
// tests/updater/http_server.py (python3) over a folder of files; TlsTestServer
// runs `openssl s_server -WWW` with a freshly made self-signed certificate.
// Each lives as long as its object; both skip the test (GTEST_SKIP in the
// caller, via ok()) when their program is missing. Header only, shared by
// tests/updater and tests/services.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

class HttpTestServer {
public:
    HttpTestServer()
    {
        m_root = m_dir.path() + QStringLiteral("/root");
        QDir().mkpath(m_root);
        m_log = m_dir.path() + QStringLiteral("/requests.log");
        // The system's interpreter first: version-manager shims on PATH start slowly.
        QString python = QStringLiteral("/usr/bin/python3");
        if (!QFileInfo(python).isExecutable())
            python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            return;
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(python, {QStringLiteral(ARVEX_SOURCE_DIR "/tests/updater/http_server.py"), m_root, m_log});
        // The server prints its port once it listens.
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead(20000))
            return;
        m_port = QString::fromLatin1(m_process.readLine()).trimmed().toInt();
    }
    ~HttpTestServer()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool ok() const { return m_port > 0; }
    // Puts a file the server can serve; returns its path.
    QString put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(m_root + u'/' + name);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
        return f.fileName();
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/").arg(m_port) + path;
    }
    // The requests seen so far: "path<TAB>Cache-Control" lines.
    QStringList requests() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
    QString m_log;
    QProcess m_process;
    int m_port = 0;
};

class TlsTestServer {
public:
    TlsTestServer()
    {
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty())
            return;
        m_cert = m_dir.path() + QStringLiteral("/cert.pem");
        const QString key = m_dir.path() + QStringLiteral("/key.pem");
        QProcess req;
        req.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                            QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-subj"),
                            QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                            QStringLiteral("subjectAltName=IP:127.0.0.1"), QStringLiteral("-days"),
                            QStringLiteral("2"), QStringLiteral("-keyout"), key, QStringLiteral("-out"), m_cert});
        if (!req.waitForFinished(60000) || req.exitCode() != 0)
            return;
        // -WWW serves files relative to the current folder.
        m_process.setWorkingDirectory(m_dir.path());
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(openssl, {QStringLiteral("s_server"), QStringLiteral("-cert"), m_cert, QStringLiteral("-key"),
                                  key, QStringLiteral("-accept"), QStringLiteral("127.0.0.1:0"),
                                  QStringLiteral("-WWW")});
        if (!m_process.waitForStarted())
            return;
        QByteArray seen;
        while (m_port == 0 && m_process.waitForReadyRead(20000)) {
            seen += m_process.readAll();
            const qsizetype at = seen.indexOf("ACCEPT 127.0.0.1:");
            const qsizetype end = at < 0 ? -1 : seen.indexOf('\n', at);
            if (end > at)
                m_port = seen.mid(at + 17, end - at - 17).trimmed().toInt();
        }
    }
    ~TlsTestServer()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool ok() const { return m_port > 0; }
    QString certificate() const { return m_cert; }
    QString put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(m_dir.path() + u'/' + name);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
        return f.fileName();
    }
    QString url(const QString& name) const { return QStringLiteral("https://127.0.0.1:%1/").arg(m_port) + name; }

private:
    QTemporaryDir m_dir;
    QString m_cert;
    QProcess m_process;
    int m_port = 0;
};
