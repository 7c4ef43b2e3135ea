#pragma once
// Mounting a disc image in virtual drive 0 before an emulator starts.
// The mount tool is the global setting "DeamonToolPath". A mount script
// "MountDeamon.sh" in the start folder unmounts drive 0 and mounts the image
// there; it is run, waited for (window events keep running) and deleted.
//  - a tool named "fuseiso": drive 0 is the folder
//    $XDG_RUNTIME_DIR/arvex/drive0 (created when missing), and the lines are
//    "fusermount -u <drive0>" and "fuseiso -n <image> <drive0>";
//  - any other tool gets "<tool> -unmount 0" and "<tool>   -mount 0, <image>"
//    (a Windows tool through Wine).
// Every path is shell-quoted, so it reaches the tool as one argument. UI thread.
#include <QString>

// The folder that serves as virtual drive 0.
QString VirtualDrive0();

// The two lines of the mount script for `tool` (a full path) and `image`;
// `wine` is the Wine program to put before a Windows tool (may be empty).
QStringList MountScriptLines(const QString& tool, const QString& image, const QString& wine);

// Mounts `gameFile`. `globalSettingsFile` holds "DeamonToolPath" (a value
// relative to `programFolder` is resolved against it; a bare name is looked
// up on PATH); the script goes into `startFolder`. Shows "Deamon Tool not
// found!" when the tool is missing. Returns true when the mount script ran.
bool MountImage(const QString& gameFile, const QString& globalSettingsFile,
                const QString& programFolder, const QString& startFolder);
