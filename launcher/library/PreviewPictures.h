#pragma once
// Preview pictures: which picture belongs to a game, loading it, and fitting
// it into the preview frame.
//  - FindPreviewPicture looks for "<name>*" in eight folder/pattern pairs, in
//    order; the fixed folder names "Pictures", "snap" and "Titles" are tried
//    exactly, then ignoring case. Of several matching files the first in list
//    collation order wins, so the choice does not depend on the file system.
//    Folders are read through FolderIndex: each look-up costs one stat per
//    folder, and a folder is read again only when it has changed.
//  - ShowPreview: the three look-ups for a game (its file name, its name up
//    to the first "(", the emulator's profile folder name).
//  - LoadVorschauImageFromPAth decodes PNG, JPEG, GIF and BMP with QImage,
//    detecting the format from the content; a file that is not a picture,
//    or is cut short, gives a null image (the window then hides the preview).
// Pure functions plus file-system reads; any thread (the window calls them on the UI thread).
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

struct PreviewFolders {
    QString profileFolder;  // the emulator's profile folder
    QString gameFolder;     // the game folder (`TxtRomPath`)
    QString emulatorFolder; // the folder of the emulator's executable
};

// The full path of the first picture for `name`, empty when none.
QString FindPreviewPicture(const QString& name, const PreviewFolders& folders);
// Reads the index of every folder FindPreviewPicture may look in, in the
// order it looks, so that the look-ups after it read no folder. Ends early
// when `stop` returns true.
void ReadPreviewFoldersAhead(const PreviewFolders& folders, const std::function<bool()>& stop = {});

struct PreviewChoice {
    bool hideArea = false; // no game: hide the preview area (SetVorschaubild false)
    QString picture;       // the picture to load; empty: keep the preview hidden
};
// `ShowPreview` for the game at `fullPath` (an entry of `UAE_FULL`). Creates
// the profile folder's "Pictures" sub-folder when it is missing.
PreviewChoice ShowPreview(const QString& fullPath, const PreviewFolders& folders);

// The sub-folder `name` of `parent`: exact name first, then ignoring case;
// empty when neither exists.
QString FixedFolder(const QString& parent, const QString& name);

// Files larger than this are not pictures the preview shows.
constexpr qint64 kMaxPictureBytes = 64 << 20;
QImage LoadVorschauImageFromPAth(const QString& path);

// The largest size with the picture's aspect ratio that fits into `frame`.
QSize PreviewTargetSize(const QSize& picture, const QSize& frame);
// The picture smoothly scaled to PreviewTargetSize; null for a null picture or empty frame.
QImage ScalePreview(const QImage& picture, const QSize& frame);
