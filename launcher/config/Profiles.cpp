#include "config/Profiles.h"

#include "config/FileNameCodec.h"
#include "config/Ini.h"

#include <dirent.h>
#include <sys/stat.h>

namespace Profiles {

QStringList list(const QString& configRoot)
{
    QStringList result;
    const QByteArray root = encodeFileName(configRoot);
    DIR* dir = opendir(root.constData());
    if (!dir)
        return result;
    while (dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == ".." || name.startsWith('.'))
            continue;
        struct stat st {};
        const QByteArray full = root + (root.endsWith('/') ? "" : "/") + name;
        if (stat(full.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            result.append(decodeFileName(name));
    }
    closedir(dir);
    return result;
}

QString romCountSuffix(const QString& settingsFile)
{
    if (!pathExists(settingsFile))
        return {};
    const qint16 count = toInt16(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("RomCount"),
                                              settingsFile, QStringLiteral("-1"), false));
    return count < 0 ? QStringLiteral(" (Roms: ?)")
                     : QStringLiteral(" (Roms: %1)").arg(count);
}

} // namespace Profiles
