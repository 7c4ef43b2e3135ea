#pragma once
// Helpers shared by the game library tests: a host that records every title
// and status text, and raw file creation for names that are not UTF-8.
#include "library/LibraryHost.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <functional>
#include <unistd.h>

class RecordingHost : public BasicLibraryHost {
public:
    void setTitleText(const QString& text) override
    {
        titles.append(text);
        BasicLibraryHost::setTitleText(text);
    }
    void setStatusText(const QString& text) override
    {
        statuses.append(text);
        BasicLibraryHost::setStatusText(text);
    }
    void processEvents() override
    {
        BasicLibraryHost::processEvents();
        if (onEvents)
            onEvents();
    }
    void setRebuildControlsEnabled(bool enabled) override { controls.append(enabled); }
    void reloadEmulatorView() override { ++reloads; }

    QStringList titles;
    QStringList statuses;
    QList<bool> controls;
    int reloads = 0;
    std::function<void()> onEvents;
};

// Creates an empty file with exactly these name bytes below `folder`.
inline bool touchRaw(const QByteArray& folder, const QByteArray& name, const QByteArray& content = {})
{
    const QByteArray path = folder + (folder.endsWith('/') ? "" : "/") + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = content.isEmpty() || ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ::close(fd);
    return ok;
}
