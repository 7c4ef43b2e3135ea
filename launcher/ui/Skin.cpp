#include "ui/Skin.h"

#include "config/FileNameCodec.h"
#include "config/Ini.h"
#include "config/TextFile.h"
#include "launch/PathOps.h"
#include "ui/BuiltinPictures.h"

#include <QImage>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace Skin {

namespace {

enum class Kind { Files, Folders };

// Entries of `folder` of the given kind in name order (ignoring case);
// hidden (dot) entries are left out. Names are read as the bytes the folder
// lists (see FileNameCodec), so a profile folder named in another encoding
// finds its skin like any other.
QStringList entries(const QString& folder, Kind kind)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    DIR* dir = ::opendir(encodeFileName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        unsigned char type = e->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat target;
            if (::fstatat(::dirfd(dir), e->d_name, &target, 0) != 0)
                continue; // broken link or vanished entry
            type = S_ISDIR(target.st_mode) ? DT_DIR : S_ISREG(target.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == (kind == Kind::Folders ? DT_DIR : DT_REG))
            names.append(decodeFileName(QByteArrayView(e->d_name)));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

// "base.*" as the platform's file patterns read it: the name itself, or the
// name followed by a dot and anything.
bool matchesBaseName(const QString& fileName, const QString& baseName)
{
    if (fileName.size() == baseName.size())
        return fileName.compare(baseName, Qt::CaseInsensitive) == 0;
    return fileName.size() > baseName.size()
        && fileName.at(baseName.size()) == QLatin1Char('.')
        && fileName.startsWith(baseName, Qt::CaseInsensitive);
}

ColorValue readColor(const QString& skinFile, const char* key, const char* def)
{
    const QString text = ReadIniValue(QString::fromLatin1(kSection), QString::fromLatin1(key),
                                      skinFile, QString::fromLatin1(def), true);
    return HexToColor(IsColorText(text) ? text : QString::fromLatin1(def));
}

} // namespace

QString FindFolder(const QString& parent, const QString& name)
{
    if (parent.isEmpty() || name.isEmpty())
        return {};
    const QString base = AddTrailingSeparator(parent);
    if (isDirectoryPath(base + name))
        return base + name + QLatin1Char('/');
    for (const QString& entry : entries(base, Kind::Folders)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return base + entry + QLatin1Char('/');
    }
    return {};
}

QString FindPictureFile(const QString& folder, const QString& baseName)
{
    if (folder.isEmpty() || baseName.isEmpty())
        return {};
    const QString base = AddTrailingSeparator(folder);
    for (const QString& entry : entries(base, Kind::Files)) {
        if (matchesBaseName(entry, baseName))
            return base + entry;
    }
    return {};
}

QPixmap LoadPicture(const QString& file)
{
    QByteArray bytes;
    if (file.isEmpty() || !TextFile::readBytes(file, bytes, kMaxPictureBytes + 1) || bytes.size() > kMaxPictureBytes)
        return {};
    return QPixmap::fromImage(QImage::fromData(bytes));
}

QString SkinFolder(const QString& startFolder) { return FindFolder(startFolder, QStringLiteral("Skin")); }

QString SkinIniPath(const QString& startFolder)
{
    QString folder = SkinFolder(startFolder);
    if (folder.isEmpty())
        folder = AddTrailingSeparator(startFolder) + QStringLiteral("Skin/");
    return folder + QStringLiteral("Skin.ini");
}

QString FindEmulatorPicture(const QString& configRoot, const QString& emu)
{
    if (emu.isEmpty())
        return {};
    const QString skin = SkinFolder(AddTrailingSeparator(configRoot) + emu);
    if (skin.isEmpty())
        return {};
    const QString own = FindPictureFile(skin, emu);
    return own.isEmpty() ? FindPictureFile(skin, QStringLiteral("Loading")) : own;
}

QString TitleString(const QString& skinFile)
{
    return ReadIniValue(QString::fromLatin1(kSection), QStringLiteral("TitleString"), skinFile,
                        QString::fromLatin1(kDefaultTitle), true);
}

QString DownloadURL(const QString& skinFile)
{
    return ReadIniValue(QString::fromLatin1(kSection), QStringLiteral("DownloadURL"), skinFile,
                        QString(), true);
}

ColorValue BackColor(const QString& skinFile)
{
    return readColor(skinFile, "BackColor", kDefaultBackColor);
}

ColorValue FontColor(const QString& skinFile)
{
    return readColor(skinFile, "FontColor", kDefaultFontColor);
}

QString getEmuDownloadPath(const QString& skinFile, QString& toolTip)
{
    const QString url = DownloadURL(skinFile);
    QString shown = url;
    shown.remove(QStringLiteral("http://"));
    toolTip = TitleString(skinFile) + QStringLiteral(" Download: ") + shown;
    return url;
}

} // namespace Skin

namespace {

constexpr const char* kSkinBaseNames[SkinPictures::kSlotCount] = {
    "Background", "Drivebox", "BackgroundTopRight"};
constexpr const char* kBuiltins[SkinPictures::kSlotCount] = {
    BuiltinPictures::kBackground, BuiltinPictures::kDriveBox, BuiltinPictures::kTopLeft};

} // namespace

SkinPictures::SkinPictures()
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        m_sources[slot] = builtinFile(Slot(slot));
        m_pictures[slot] = BuiltinPictures::load(kBuiltins[slot]);
    }
}

QString SkinPictures::builtinFile(Slot slot) { return QString::fromLatin1(kBuiltins[slot]); }

QString SkinPictures::pictureFile(const QString& startFolder, Slot slot)
{
    const QString file = Skin::FindPictureFile(Skin::SkinFolder(startFolder),
                                               QString::fromLatin1(kSkinBaseNames[slot]));
    return file.isEmpty() ? builtinFile(slot) : file;
}

void SkinPictures::load(const QString& startFolder)
{
    BuiltinPictures::EnsureBuiltinPictures();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const QString file = pictureFile(startFolder, Slot(slot));
        if (file == m_sources[slot] && !m_pictures[slot].isNull() && file.startsWith(QLatin1Char(':')))
            continue;
        QPixmap pixmap;
        if (file.startsWith(QLatin1Char(':'))) {
            pixmap = BuiltinPictures::load(kBuiltins[slot]);  // decoded once, then cached by Qt
        } else {
            pixmap = Skin::LoadPicture(file);
        }
        if (pixmap.isNull())
            continue;  // undecodable: the previous picture stays
        m_pictures[slot] = std::move(pixmap);
        m_sources[slot] = file;
    }
}
