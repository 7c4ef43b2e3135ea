#include "options/ProfileFolders.h"

#include "config/Language.h"
#include "config/Profiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProfileFolders {

QString nameProblem(const QString& configRoot, const QString& name)
{
    if (name.trimmed().isEmpty())
        return Msg(QStringLiteral("Bitte einen Namen für den Emulator eingeben."),
                   QStringLiteral("Please enter a name for the emulator."));
    if (name.contains(u'/') || name.contains(u'\\') || name == QLatin1String(".") || name == QLatin1String(".."))
        return Msg(QStringLiteral("Der Name darf weder \"/\" noch \"\\\" enthalten und nicht \".\" oder \"..\" sein."),
                   QStringLiteral("The name must not contain \"/\" or \"\\\" and must not be \".\" or \"..\"."));
    if (name.startsWith(u'.'))
        return Msg(QStringLiteral("Ein Name, der mit \".\" beginnt, wäre unsichtbar."),
                   QStringLiteral("A name starting with \".\" would be hidden."));
    if (name != name.trimmed())
        return Msg(QStringLiteral("Der Name darf nicht mit Leerzeichen beginnen oder enden."),
                   QStringLiteral("The name must not begin or end with a blank."));
    for (const QString& existing : Profiles::list(configRoot))
        if (existing.compare(name, Qt::CaseInsensitive) == 0)
            return Msg(QStringLiteral("Den Emulator \"%1\" gibt es schon.").arg(existing),
                       QStringLiteral("The emulator \"%1\" exists already.").arg(existing));
    if (QFileInfo::exists(configRoot + name))
        return Msg(QStringLiteral("\"%1\" gibt es schon als Datei.").arg(name),
                   QStringLiteral("\"%1\" exists already as a file.").arg(name));
    return {};
}

bool create(const QString& configRoot, const QString& name, QString& error)
{
    error = nameProblem(configRoot, name);
    if (!error.isEmpty())
        return false;
    // The skin folder too: the skin's colours are read (and their defaults
    // stored) in Skin/Skin.ini as soon as the profile is selected.
    if (QDir().mkpath(configRoot + name + QStringLiteral("/Skin")))
        return true;
    error = Msg(QStringLiteral("Der Ordner konnte nicht angelegt werden:\r") + configRoot + name,
                QStringLiteral("The folder could not be created:\r") + configRoot + name);
    return false;
}

bool remove(const QString& configRoot, const QString& name, QString& error)
{
    const QString folder = configRoot + name;
    if (name.isEmpty() || name.contains(u'/') || name == QLatin1String(".") || name == QLatin1String("..")
        || !QFileInfo(folder).isDir()) {
        error = Msg(QStringLiteral("Den Emulator \"%1\" gibt es nicht.").arg(name),
                    QStringLiteral("There is no emulator \"%1\".").arg(name));
        return false;
    }
    if (QFile::moveToTrash(folder))
        return true;
    error = Msg(QStringLiteral("Der Ordner konnte nicht in den Papierkorb verschoben werden:\r") + folder,
                QStringLiteral("The folder could not be moved to the trash:\r") + folder);
    return false;
}

} // namespace ProfileFolders
