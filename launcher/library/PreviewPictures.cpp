#include "library/PreviewPictures.h"

#include "launch/PathOps.h"
#include "library/DisplayNames.h"
#include "library/FileNames.h"
#include "library/FolderIndex.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>

#include <algorithm>

namespace {

QString withSlash(const QString& folder)
{
    if (folder.isEmpty())
        return folder;
    return AddTrailingSeparator(folder.contains(u'/') ? folder : folder + u'/');
}

// The parent of a folder ("/a/b/" -> "/a/"); the root stays the root.
QString parentFolder(const QString& folder)
{
    QString f = folder;
    while (f.size() > 1 && f.endsWith(u'/'))
        f.chop(1);
    const qsizetype pos = f.lastIndexOf(u'/');
    return pos < 0 ? QString() : f.left(pos + 1);
}

// The first file of `folder` (in list collation order) matching `pattern`,
// answered from the folder's index.
QString firstMatch(const QString& folder, const QString& pattern)
{
    if (folder.isEmpty())
        return {};
    const auto index = FolderIndex::of(folder);
    if (!index)
        return {};
    const QString name = index->firstFile(pattern);
    return name.isEmpty() ? QString() : folder + name;
}

quint32 le32(const QByteArray& b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
        | quint32(quint8(b[at + 3])) << 24;
}

// Decoders fill a picture that is cut short with grey (JPEG) or leave it
// half empty (BMP, GIF) without failing; such files are treated as broken.
bool looksComplete(const QByteArray& b)
{
    if (b.startsWith("\xFF\xD8")) {
        const qsizetype tail = std::max<qsizetype>(2, b.size() - 64 * 1024);
        return b.lastIndexOf("\xFF\xD9") >= tail;
    }
    if (b.startsWith("GIF8")) {
        const qsizetype tail = std::max<qsizetype>(0, b.size() - 16);
        return b.lastIndexOf(char(0x3B)) >= tail;
    }
    if (b.startsWith("BM")) {
        if (b.size() < 54)
            return false;
        const quint32 offBits = le32(b, 10);
        const quint32 headerSize = le32(b, 14);
        if (headerSize < 40)
            return true; // old OS/2 headers: leave it to the decoder
        const qint64 width = qint32(le32(b, 18));
        const qint64 height = qAbs(qint64(qint32(le32(b, 22))));
        const int bpp = quint8(b[28]) | quint8(b[29]) << 8;
        const quint32 compression = le32(b, 30);
        if (compression != 0 && compression != 3)
            return true; // run-length data has no fixed size
        if (width <= 0)
            return false;
        // Within 64 bits for any header (width < 2^31, bpp < 2^16); the
        // rows are compared by division, so no product can overflow.
        const qint64 row = ((qint64(bpp) * width + 31) / 32) * 4;
        const qint64 pixelBytes = qint64(b.size()) - qint64(offBits);
        if (pixelBytes < 0)
            return false;
        return row == 0 || height <= pixelBytes / row;
    }
    return true;
}

} // namespace

QString FixedFolder(const QString& parent, const QString& name)
{
    const QString base = withSlash(parent);
    if (base.isEmpty())
        return {};
    const auto index = FolderIndex::of(base);
    const QString found = index ? index->subFolder(name) : QString();
    return found.isEmpty() ? QString() : base + found + u'/';
}

namespace {

// The eight places a preview picture is looked for, in order: a folder (one
// of PreviewFolders' folders, or a fixed sub-folder of it) and the pattern
// after the game's name.
enum class Base { Profile, Game, GameParent, Emulator };
struct Place {
    Base base;
    const char* subFolder; // nullptr: the base folder itself
    const char* suffix;
};
constexpr Place kPlaces[] = {
    {Base::Profile, "Pictures", "*.*"},  {Base::Game, nullptr, "*.jpg"},
    {Base::Game, nullptr, "*.png"},      {Base::GameParent, "snap", "*.*"},
    {Base::GameParent, "Titles", "*.*"}, {Base::Emulator, "Titles", "*.*"},
    {Base::Emulator, "Pictures", "*.*"}, {Base::Game, nullptr, "*.gif"},
};

// PreviewFolders' folders with a trailing "/"; a place's folder is found
// only when it is needed, since most games are found in the first places.
struct PlaceFolders {
    explicit PlaceFolders(const PreviewFolders& folders)
        : profile(withSlash(folders.profileFolder)), game(withSlash(folders.gameFolder)),
          gameParent(game.isEmpty() ? QString() : parentFolder(game)), emulator(withSlash(folders.emulatorFolder))
    {
    }
    QString folderOf(const Place& place) const
    {
        const QString& base = place.base == Base::Profile      ? profile
                              : place.base == Base::Game       ? game
                              : place.base == Base::GameParent ? gameParent
                                                               : emulator;
        if (base.isEmpty() || !place.subFolder)
            return base;
        return FixedFolder(base, QLatin1String(place.subFolder));
    }
    QString profile, game, gameParent, emulator;
};

} // namespace

QString FindPreviewPicture(const QString& name, const PreviewFolders& folders)
{
    QString stem = name;
    if (stem.size() >= 4 && stem.at(stem.size() - 4) == u'.')
        stem.chop(4);
    stem = stem.trimmed();
    if (stem.isEmpty())
        return {};

    const PlaceFolders places(folders);
    for (const Place& place : kPlaces)
        if (const QString found = firstMatch(places.folderOf(place), stem + QLatin1String(place.suffix));
            !found.isEmpty())
            return found;
    return {};
}

void ReadPreviewFoldersAhead(const PreviewFolders& folders, const std::function<bool()>& stop)
{
    const PlaceFolders places(folders);
    for (const Place& place : kPlaces) {
        if (stop && stop())
            return;
        if (const QString folder = places.folderOf(place); !folder.isEmpty())
            FolderIndex::of(folder);
    }
}

PreviewChoice ShowPreview(const QString& fullPath, const PreviewFolders& folders)
{
    PreviewChoice c;
    const QString path = StripEnclosingQuotes(fullPath);
    const QString name = FileNameOf(path);
    const QString profile = withSlash(folders.profileFolder);
    if (!profile.isEmpty() && FixedFolder(profile, QStringLiteral("Pictures")).isEmpty())
        QDir().mkpath(profile + QStringLiteral("Pictures"));
    if (name.isEmpty()) {
        c.hideArea = true;
        return c;
    }
    c.picture = FindPreviewPicture(name, folders);
    if (c.picture.isEmpty())
        c.picture = FindPreviewPicture(CutShortName(path, QStringLiteral("("), false), folders);
    if (c.picture.isEmpty() && !profile.isEmpty())
        c.picture = FindPreviewPicture(FileNameOf(profile.chopped(1)), folders);
    return c;
}

QImage LoadVorschauImageFromPAth(const QString& path)
{
    QByteArray bytes;
    if (!readFileBytes(path, bytes, kMaxPictureBytes + 1) || bytes.size() > kMaxPictureBytes
        || bytes.isEmpty() || !looksComplete(bytes))
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    return image;
}

QSize PreviewTargetSize(const QSize& picture, const QSize& frame)
{
    if (picture.isEmpty() || frame.isEmpty())
        return {};
    return picture.scaled(frame, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage ScalePreview(const QImage& picture, const QSize& frame)
{
    const QSize target = PreviewTargetSize(picture.size(), frame);
    if (picture.isNull() || target.isEmpty())
        return {};
    return picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
