#include "services/files/Places.h"

#include <QDir>
#include <QStorageInfo>

namespace {

QString withSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

bool isRemovableMount(const QString& root, const QString& userName)
{
    const QString r = withSlash(root);
    if (r.startsWith(QLatin1String("/media/")) && r != QLatin1String("/media/"))
        return true;
    if (r.startsWith(QLatin1String("/mnt/")))
        return true;
    if (!userName.isEmpty()) {
        const QString userMedia = QStringLiteral("/run/media/") + userName + u'/';
        if (r.startsWith(userMedia) && r != userMedia)
            return true;
    }
    return false;
}

} // namespace

QList<Place> placesFor(const QString& home, const QString& userName,
                       const QList<MountedVolume>& volumes)
{
    QList<Place> places;
    auto add = [&places](const QString& path, const QString& label) {
        const QString p = withSlash(path);
        for (const Place& existing : places)
            if (existing.path == p)
                return;
        places.append({p, label});
    };
    add(QStringLiteral("/"), QStringLiteral("/"));
    const QString cleanHome = QDir::cleanPath(home);
    if (cleanHome.startsWith(u'/') && cleanHome != QLatin1String("/"))
        add(cleanHome, withSlash(cleanHome));
    for (const MountedVolume& v : volumes) {
        const QString root = QDir::cleanPath(v.rootPath);
        if (!v.ready || !root.startsWith(u'/') || !isRemovableMount(root, userName))
            continue;
        const QString name = v.name.isEmpty() ? root.section(u'/', -1) : v.name;
        add(root, name + QStringLiteral(" (") + withSlash(root) + u')');
    }
    return places;
}

QList<Place> currentPlaces()
{
    QList<MountedVolume> volumes;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
        volumes.append({s.rootPath(), s.name(), s.isValid() && s.isReady()});
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    return placesFor(QDir::homePath(), user, volumes);
}

int placeIndexFor(const QList<Place>& places, const QString& folder)
{
    const QString f = withSlash(folder);
    int best = places.isEmpty() ? -1 : 0;
    qsizetype bestLength = -1;
    for (int i = 0; i < places.size(); ++i) {
        if (f.startsWith(places[i].path) && places[i].path.size() > bestLength) {
            best = i;
            bestLength = places[i].path.size();
        }
    }
    return best;
}
