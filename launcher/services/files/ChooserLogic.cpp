#include "services/files/ChooserLogic.h"

#include "config/Language.h"

#include <QDir>
#include <QFileInfo>

QString modeTag(FilesMode mode)
{
    switch (mode) {
    case FilesMode::File: return QStringLiteral("File");
    case FilesMode::SaveFile: return QStringLiteral("SaveFile");
    case FilesMode::Dir: return QStringLiteral("Dir");
    }
    return {};
}

QString defaultCaption(FilesMode mode)
{
    switch (mode) {
    case FilesMode::File: return QStringLiteral("Open File");
    case FilesMode::SaveFile: return QStringLiteral("Save File as");
    case FilesMode::Dir: return QStringLiteral("Open Directory");
    }
    return {};
}

QString windowCaptionFor(FilesMode mode, const QString& caption)
{
    return caption.isEmpty() ? defaultCaption(mode) : caption;
}

bool isFilePattern(const QString& text)
{
    return text.contains(u'*') || text.contains(u'?');
}

QString listPattern(FilesMode mode, const QString& defaultFilename)
{
    if (mode != FilesMode::File)
        return QStringLiteral("*");
    const QString pattern = defaultFilename.trimmed();
    return pattern.isEmpty() ? QStringLiteral("*") : pattern;
}

QStringList nameFiltersFor(const QString& pattern)
{
    QStringList filters;
    QString joined = pattern;
    joined.replace(u',', u';');
    for (const QString& part : joined.split(u';', Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (p.isEmpty())
            continue;
        filters.append(p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    }
    if (filters.isEmpty())
        filters.append(QStringLiteral("*"));
    return filters;
}

QString headingText(FilesMode mode, const QString& caption, const QString& pattern)
{
    if (mode != FilesMode::File)
        return caption;
    return caption + QStringLiteral("    (\"") + pattern + QStringLiteral("\")");
}

QString withSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString nearestExistingFolder(const QString& path)
{
    QString candidate = QDir::cleanPath(path);
    if (!candidate.startsWith(u'/'))
        return QStringLiteral("/");
    while (!QFileInfo(candidate).isDir()) {
        const qsizetype cut = candidate.lastIndexOf(u'/');
        if (cut <= 0)
            return QStringLiteral("/");
        candidate.truncate(cut);
    }
    return candidate == QLatin1String("/") ? candidate : candidate + u'/';
}

QString normalizeTypedPath(const QString& typed, const QString& home)
{
    QString text = typed.trimmed();
    if (text.isEmpty())
        return {};
    // A path pasted with its quotes: use it without them, unless a file
    // really has the quotes in its name.
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')
        && !QFileInfo::exists(text))
        text = text.mid(1, text.size() - 2);
    if (text == QLatin1String("~"))
        text = home;
    else if (text.startsWith(QLatin1String("~/")))
        text = withSlash(home) + text.mid(2);
    if (!text.startsWith(u'/'))
        return {};
    const bool folderForm = text.endsWith(u'/');
    // cleanPath also turns a network-style "//server" prefix into one "/".
    QString clean = QDir::cleanPath(text);
    if (folderForm && clean != QLatin1String("/"))
        clean += u'/';
    return clean;
}

StartPoint startPointFor(FilesMode mode, const QString& defaultPath,
                         const QString& defaultFilename, const QString& home)
{
    StartPoint start;
    const QString homeFolder = nearestExistingFolder(home);
    const QString path = normalizeTypedPath(defaultPath, home);
    if (path.isEmpty()) {
        start.folder = homeFolder;
    } else {
        const QFileInfo info(path);
        if (info.isDir()) {
            start.folder = withSlash(path);
        } else {
            start.folder = nearestExistingFolder(path);
            if (mode != FilesMode::Dir && info.exists()
                && start.folder == withSlash(info.absolutePath()))
                start.file = info.fileName();
        }
    }
    const QString name = defaultFilename.trimmed();
    if (mode == FilesMode::SaveFile && !name.isEmpty() && !isFilePattern(name))
        start.file = name;
    else if (mode == FilesMode::File && start.file.isEmpty() && !name.isEmpty()
             && !isFilePattern(name))
        start.file = name;
    return start;
}

namespace {

QString fileNotFound(const QString& path)
{
    return Msg(QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(path),
               QStringLiteral("The file \"%1\" was not found.").arg(path));
}

QString folderNotFound(const QString& path)
{
    return Msg(QStringLiteral("Der Ordner \"%1\" wurde nicht gefunden.").arg(path),
               QStringLiteral("The folder \"%1\" was not found.").arg(path));
}

ChoiceOutcome refuse(const QString& message)
{
    ChoiceOutcome out;
    out.kind = ChoiceOutcome::Refuse;
    out.message = message;
    return out;
}

ChoiceOutcome outcome(ChoiceOutcome::Kind kind, const QString& path, const QString& pattern = {})
{
    ChoiceOutcome out;
    out.kind = kind;
    out.path = path;
    out.pattern = pattern;
    return out;
}

} // namespace

ChoiceOutcome resolveChoice(FilesMode mode, const QString& fullPath, const QString& currentFolder)
{
    if (!fullPath.isEmpty() && !fullPath.startsWith(u'/'))
        return refuse(mode == FilesMode::Dir ? folderNotFound(fullPath) : fileNotFound(fullPath));
    if (fullPath.isEmpty())
        return refuse(mode == FilesMode::Dir
                          ? Msg(QStringLiteral("Bitte einen Ordner wählen."),
                                QStringLiteral("Please choose a folder."))
                          : Msg(QStringLiteral("Bitte eine Datei wählen."),
                                QStringLiteral("Please choose a file.")));
    const QFileInfo info(fullPath);
    if (mode == FilesMode::Dir) {
        if (info.isDir())
            return outcome(ChoiceOutcome::Accept, withSlash(fullPath));
        return refuse(folderNotFound(fullPath));
    }

    if (info.isDir()) {
        const QString folder = withSlash(fullPath);
        if (folder == withSlash(currentFolder))
            return refuse(Msg(QStringLiteral("Bitte eine Datei wählen."),
                              QStringLiteral("Please choose a file.")));
        return outcome(ChoiceOutcome::OpenFolder, folder);
    }
    const qsizetype cut = fullPath.lastIndexOf(u'/');
    const QString folder = fullPath.left(cut + 1);
    const QString name = fullPath.mid(cut + 1);
    if (!QFileInfo(folder).isDir())
        return refuse(folderNotFound(folder));
    if (isFilePattern(name))
        return outcome(ChoiceOutcome::ApplyPattern, folder, name);
    if (mode == FilesMode::File) {
        if (info.exists())
            return outcome(ChoiceOutcome::Accept, fullPath);
        return refuse(fileNotFound(fullPath));
    }
    return outcome(ChoiceOutcome::Accept, fullPath);
}
