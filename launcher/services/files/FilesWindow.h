#pragma once
// Files: the launcher's own modal chooser window for a file to open, a file
// name to save under, or a folder. A drive list of places (Drive1), the
// folder tree (Dir1), the file list with its pattern (File1), the file-name
// field (FileName), the full-path field (KomplettPfadText) and OK / cancel
// (Ok / Abbruch; OkBtn2 / AbbruchBtn2 in folder mode). Lists come from Qt's
// file-system model, so a folder that cannot be read simply shows empty.
//
// Keyboard: Tab moves between the lists and fields; in the folder tree
// Return accepts the folder (folder mode) or moves to the file list; in the
// file list Return accepts the file; Backspace in either list goes up one
// folder; Return in a text field works like OK; Escape cancels.
//
// The rules (captions, start folder, what OK does) live in ChooserLogic;
// this class builds the controls and forwards to them. UI thread.
#include "services/FileOps.h"
#include "services/files/ChooserLogic.h"
#include "services/files/Places.h"

#include <QDialog>
#include <QSet>

#include <memory>

class QAbstractFileIconProvider;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QTreeView;

class Files : public QDialog {
    Q_OBJECT
public:
    Files(FilesMode mode, const QString& defaultPath, const QString& windowCaption,
          const QString& defaultFilename, QWidget* parent = nullptr);
    ~Files() override;

    // "File", "SaveFile" or "Dir".
    QString mode() const { return modeTag(m_mode); }
    // The chosen full path after OK; empty otherwise.
    QString result() const { return m_result; }
    // The folder the lists show, ending with "/".
    QString currentFolder() const { return m_folder; }
    QString pattern() const { return m_pattern; }
    QString heading() const;
    QString fullPathText() const;
    // Names shown in the file list and the places of the drive list, in order.
    QStringList shownFiles() const;
    int shownFileCount() const;
    // Sub-folders of the current folder known to the folder tree.
    QStringList shownFolders() const;
    QList<Place> places() const { return m_places; }
    // True once the file list and the folder tree have read the current folder.
    bool folderLoaded() const;

    // Points the lists at `folder` (the nearest existing folder above it
    // when it is gone).
    void setFolder(const QString& folder);
    void setPattern(const QString& pattern);

    // The directory walk, stopped by this window's cancel button.
    bool ReadDirctoryStructureToFile(const QString& Path, const QString& TargetTextFileName,
                                     const QString& SearchExtension, bool AppendTarget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void useFileModel();
    void Drive1_Change(int index);
    void Dir1_Change(const QModelIndex& current);
    void File1_Click(const QModelIndex& current);
    void FileName_Change(const QString& text);
    void KomplettPfadText_Change(const QString& text);
    void Ok_Click();
    void Abbruch_Click();
    void goUp();
    void showFullPath();
    void checkFolderStillThere();
    QString chosenPath() const;

    std::unique_ptr<QAbstractFileIconProvider> m_icons;
    FilesMode m_mode;
    QString m_caption;
    QString m_pattern;
    QString m_folder;
    QString m_name;
    QString m_result;
    QString m_shownFullPath;
    QList<Place> m_places;
    bool m_navigating = false;
    QSet<QString> m_filesRead;
    QSet<QString> m_foldersRead;
    bool m_started = false;
    FileOps m_fileOps;

    QLabel* m_heading = nullptr;
    QComboBox* Drive1 = nullptr;
    QTreeView* Dir1 = nullptr;
    QListView* File1 = nullptr;
    QLineEdit* FileName = nullptr;
    QLineEdit* KomplettPfadText = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Abbruch = nullptr;
    QPushButton* OkBtn2 = nullptr;
    QPushButton* AbbruchBtn2 = nullptr;
    QFileSystemModel* m_dirModel = nullptr;
    QFileSystemModel* m_fileModel = nullptr;
};
