#include "services/files/QtFileChooser.h"

#include "services/files/FilesWindow.h"

#include <QApplication>

namespace {

QString run(FilesMode mode, const QString& defaultPath, const QString& caption,
            const QString& defaultFilename, QWidget* parent)
{
    Files window(mode, defaultPath, caption, defaultFilename,
                 parent ? parent : QApplication::activeWindow());
    window.exec();
    return window.result();
}

} // namespace

QString QtFileChooser::openFile(const QString& defaultPath, const QString& windowCaption,
                                const QString& defaultFilename)
{
    return run(FilesMode::File, defaultPath, windowCaption, defaultFilename, m_parent);
}

QString QtFileChooser::saveFile(const QString& defaultPath, const QString& defaultFilename,
                                const QString& windowCaption)
{
    return run(FilesMode::SaveFile, defaultPath, windowCaption, defaultFilename, m_parent);
}

QString QtFileChooser::selectFolder(const QString& defaultPath, const QString& windowCaption)
{
    return run(FilesMode::Dir, defaultPath, windowCaption, {}, m_parent);
}
