#pragma once
// The real file chooser: opens the modal window `Files` over the active
// window and returns what the user chose. UI thread.
#include "services/files/FileChooser.h"

class QWidget;

class QtFileChooser final : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}

    QString openFile(const QString& defaultPath, const QString& windowCaption,
                     const QString& defaultFilename) override;
    QString saveFile(const QString& defaultPath, const QString& defaultFilename,
                     const QString& windowCaption) override;
    QString selectFolder(const QString& defaultPath, const QString& windowCaption) override;

private:
    QWidget* m_parent;
};
