#pragma once
// A FileChooser that answers from a script: queued answers are used in
// order, an empty text (cancelled) when the queue is empty. Every request is
// recorded so tests can check the start path, caption and pattern asked for.
// Installs itself on construction and restores the silent chooser after.
#include "services/files/FileChooser.h"

#include <QList>
#include <QString>
#include <QStringList>

class ScriptedFileChooser final : public FileChooser {
public:
    struct Request {
        QString mode; // "File", "SaveFile" or "Dir"
        QString defaultPath;
        QString caption;
        QString defaultFilename;
    };

    ScriptedFileChooser() { setFileChooser(this); }
    ~ScriptedFileChooser() override { setFileChooser(nullptr); }

    void queue(const QString& answer) { m_answers.append(answer); }
    const QList<Request>& requests() const { return m_requests; }

    QString openFile(const QString& defaultPath, const QString& windowCaption,
                     const QString& defaultFilename) override
    {
        return answer({QStringLiteral("File"), defaultPath, windowCaption, defaultFilename});
    }
    QString saveFile(const QString& defaultPath, const QString& defaultFilename,
                     const QString& windowCaption) override
    {
        return answer({QStringLiteral("SaveFile"), defaultPath, windowCaption, defaultFilename});
    }
    QString selectFolder(const QString& defaultPath, const QString& windowCaption) override
    {
        return answer({QStringLiteral("Dir"), defaultPath, windowCaption, {}});
    }

private:
    QString answer(const Request& request)
    {
        m_requests.append(request);
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }

    QList<QString> m_answers;
    QList<Request> m_requests;
};
