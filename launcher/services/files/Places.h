#pragma once
// The chooser's drive list on Linux: a list of places instead of drive
// letters. "/" always, then the home folder, then every mounted volume below
// /media, /run/media/<user> or /mnt (removable media, as desktops mount them).
// Plain logic over QtCore; the real list reads QStorageInfo. Any thread.
#include <QList>
#include <QString>

struct Place {
    QString path;  // the place's folder, ending with "/"
    QString label; // what the drive list shows
};

struct MountedVolume {
    QString rootPath;
    QString name;
    bool ready = true;
};

// The places for the given home folder, user name and mounted volumes
// (volumes in the order given, each place once).
QList<Place> placesFor(const QString& home, const QString& userName,
                       const QList<MountedVolume>& volumes);
// The places of this machine now.
QList<Place> currentPlaces();
// Index of the place whose folder is the longest leading part of `folder`
// (0, the root, at the latest); -1 for an empty list.
int placeIndexFor(const QList<Place>& places, const QString& folder);
