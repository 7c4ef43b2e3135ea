#pragma once
// Skins: the pictures and settings an emulator profile may carry in its
// "Skin" folder, and the built-in pictures used when it carries none.
//
// Pictures are found by base name with any extension ("Background.*"): the
// first matching file in name order, names compared ignoring case. Fixed
// folder names ("Skin") are tried exactly first, then ignoring case.
// The skin file ("Skin.ini", section "Settings") holds BackColor, FontColor,
// TitleString and DownloadURL.
//
// Called by the main window when an emulator's view is loaded, by the long
// emulator list, the loading screen and the options window. UI thread (the
// pixmaps need the GUI application).
#include "ui/ColorText.h"

#include <QPixmap>
#include <QString>

namespace Skin {

inline constexpr char kSection[] = "Settings";
inline constexpr char kDefaultBackColor[] = "#0052bc";
inline constexpr char kDefaultFontColor[] = "#FFFFFF";
inline constexpr char kDefaultTitle[] = "Arvex 1.2";

// The sub-folder `name` of `parent` (with a trailing "/"): the exact name
// first, else the first folder whose name matches ignoring case; empty when
// there is none.
QString FindFolder(const QString& parent, const QString& name);
// The first file in `folder` named `baseName` followed by any extension
// ("baseName.*", also "baseName" alone), ignoring case, in name order;
// hidden files and folders never match. Empty when none.
QString FindPictureFile(const QString& folder, const QString& baseName);
// Skin pictures larger than this are not loaded.
inline constexpr qint64 kMaxPictureBytes = 64 << 20;
// The picture in `file` (PNG, JPEG, GIF, BMP, ..., told by its content),
// opened by the exact bytes of its name; null when it cannot be read or
// decoded, or is larger than kMaxPictureBytes.
QPixmap LoadPicture(const QString& file);
// The skin folder of a start folder (FindFolder(start, "Skin")); empty when missing.
QString SkinFolder(const QString& startFolder);
// The skin file of an emulator's start folder: "Skin.ini" in its skin
// folder, or start folder + "Skin/Skin.ini" when there is no skin folder yet.
QString SkinIniPath(const QString& startFolder);
// The picture that stands for an emulator in the long emulator list:
// in configRoot/<emu>/Skin/ the file "<emu>.*", else "Loading.*"; empty when neither exists.
QString FindEmulatorPicture(const QString& configRoot, const QString& emu);

// Skin file values, read with their defaults and create-if-missing: a
// missing key gets its default written ("Arvex 1.2" for the title; the empty
// download address is never written). A colour value that is not colour text
// ("#" and six hexadecimal digits) gives the default.
QString TitleString(const QString& skinFile);
QString DownloadURL(const QString& skinFile);
ColorValue BackColor(const QString& skinFile);
ColorValue FontColor(const QString& skinFile);
// The skin's download address; `toolTip` becomes TitleString + " Download: "
// + the address without "http://".
QString getEmuDownloadPath(const QString& skinFile, QString& toolTip);

} // namespace Skin

// The three main-window pictures of a skin with their fallbacks:
//   Background       <- "Skin/Background.*",         else the built-in background;
//   DriveBox         <- "Skin/Drivebox.*",           else the built-in drive panel;
//   TopRight         <- "Skin/BackgroundTopRight.*", else the built-in top-left panel.
// A skin file that cannot be decoded leaves the picture shown before. The
// main window calls load() from LoadSkinPictures and shows the three pixmaps.
class SkinPictures {
public:
    enum Slot { Background = 0, DriveBox = 1, TopRight = 2 };
    static constexpr int kSlotCount = 3;

    // Starts with the built-in pictures.
    SkinPictures();

    // The file a start folder's skin offers for `slot`, or the built-in
    // resource path when it offers none.
    static QString pictureFile(const QString& startFolder, Slot slot);
    static QString builtinFile(Slot slot);

    // Loads all three pictures for `startFolder` (see the class comment).
    void load(const QString& startFolder);

    const QPixmap& picture(Slot slot) const { return m_pictures[slot]; }
    // Where the current picture came from (a file path or a ":/" resource).
    const QString& source(Slot slot) const { return m_sources[slot]; }
    bool isBuiltin(Slot slot) const { return m_sources[slot].startsWith(QLatin1Char(':')); }

private:
    QPixmap m_pictures[kSlotCount];
    QString m_sources[kSlotCount];
};
