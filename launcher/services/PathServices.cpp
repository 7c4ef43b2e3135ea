#include "services/PathServices.h"

#include "services/WineRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString prefixFile(const QString& name) { return WinePrefixFolder() + u'/' + name; }

// The registry file and key path inside it for `root` + `keyPath`; false for
// roots that have no file.
bool locate(const QString& root, QString keyPath, QString& file, QString& key)
{
    const auto is = [&](const char* name) { return root.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("HKEY_CURRENT_USER")) {
        file = prefixFile(QStringLiteral("user.reg"));
    } else if (is("HKEY_LOCAL_MACHINE")) {
        file = prefixFile(QStringLiteral("system.reg"));
    } else if (is("HKEY_USERS")) {
        const QString user = keyPath.section(u'\\', 0, 0);
        if (user.compare(QLatin1String(".DEFAULT"), Qt::CaseInsensitive) != 0)
            return false;
        file = prefixFile(QStringLiteral("userdef.reg"));
        keyPath = keyPath.section(u'\\', 1);
    } else {
        return false;
    }
    key = keyPath;
    return true;
}

QString homeFolder() { return QDir::homePath(); }

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// An XDG base folder: the variable when it holds an absolute path, else the default below home.
QString xdgBase(const char* variable, const QString& fallbackBelowHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (value.startsWith(u'/'))
        return withoutTrailingSlash(value);
    return homeFolder() + u'/' + fallbackBelowHome;
}

} // namespace

QString WinePrefixFolder()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? homeFolder() + QStringLiteral("/.wine") : withoutTrailingSlash(prefix);
}

QString RegistryGetAbsolutValue(const QString& RegistryKeyPath)
{
    const qsizetype first = RegistryKeyPath.indexOf(u'\\');
    const qsizetype last = RegistryKeyPath.lastIndexOf(u'\\');
    if (first < 0)
        return {};
    const QString root = RegistryKeyPath.left(first);
    const QString keyPath = first == last ? QString() : RegistryKeyPath.mid(first + 1, last - first - 1);
    const QString value = RegistryKeyPath.mid(last + 1);

    if (root.compare(QLatin1String("HKEY_CLASSES_ROOT"), Qt::CaseInsensitive) == 0) {
        // The merged view Windows shows: the user's classes first, then the machine's.
        const QString classes = keyPath.isEmpty() ? QStringLiteral("Software\\Classes")
                                                  : QStringLiteral("Software\\Classes\\") + keyPath;
        bool found = false;
        const QString user = ReadWineRegistryString(prefixFile(QStringLiteral("user.reg")), classes, value, &found);
        return found ? user : ReadWineRegistryString(prefixFile(QStringLiteral("system.reg")), classes, value);
    }
    QString file, key;
    if (!locate(root, keyPath, file, key))
        return {};
    return ReadWineRegistryString(file, key, value);
}

QString GetWindowsPath() { return QStringLiteral("/usr"); }

QString GetProgramfilesPath()
{
    return QFileInfo(QStringLiteral("/usr/games")).isDir() ? QStringLiteral("/usr/games") : QStringLiteral("/usr/bin");
}

QString GetDesktopPath()
{
    return withoutTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString GetAutostartPath() { return xdgBase("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/autostart"); }

QString GetStartMenuPath()
{
    return xdgBase("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/applications");
}

QString replaceall(const QString& SearchString, const QString& findstring, const QString& replacestring)
{
    if (findstring.isEmpty())
        return SearchString;
    QString result = SearchString;
    return result.replace(findstring, replacestring, Qt::CaseSensitive);
}

QString FileGetShortFileName(const QString& FileName) { return FileName; }

QString FileGetLongFileName(const QString& FileName) { return FileName; }
