#include "services/files/FileChooser.h"

namespace {

class SilentChooser final : public FileChooser {
public:
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString selectFolder(const QString&, const QString&) override { return {}; }
};

SilentChooser g_silent;
FileChooser* g_current = &g_silent;

} // namespace

FileChooser& fileChooser() { return *g_current; }

void setFileChooser(FileChooser* chooser) { g_current = chooser ? chooser : &g_silent; }

QString FileOpenDialog(const QString& DefaultPath, const QString& WindowCaption,
                       const QString& DefaultFilename)
{
    return fileChooser().openFile(DefaultPath, WindowCaption, DefaultFilename);
}

QString filesaveDialog(const QString& DefaultPath, const QString& DefaultFilename,
                       const QString& WindowCaption)
{
    return fileChooser().saveFile(DefaultPath, DefaultFilename, WindowCaption);
}

QString FileDirSelectDialog(const QString& DefaultPath, const QString& WindowCaption)
{
    return fileChooser().selectFolder(DefaultPath, WindowCaption);
}
