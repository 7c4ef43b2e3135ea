#include "options/PathChecks.h"

#include "config/TextFile.h"
#include "launch/PathOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

bool IsInvalidFilePath(const QString& text)
{
    if (text.isEmpty())
        return true;
    const QFileInfo info(text);
    return !info.exists() || info.isDir();
}

RomFolderState CheckRomFolder(const QString& text)
{
    if (text.isEmpty())
        return RomFolderState::Invalid;
    const QString folder = AddTrailingSeparator(text);
    if (!QFileInfo(folder).isDir())
        return RomFolderState::Invalid;
    // Hidden entries are never listed, so they do not make a game folder;
    // a folder full of them is walked only so far.
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    int steps = 0;
    while (it.hasNext()) {
        it.next();
        if (!it.fileName().startsWith(u'.'))
            return RomFolderState::Valid;
        if (++steps > kRomFolderWalkLimit)
            return RomFolderState::WalkLimit;
    }
    return RomFolderState::Invalid;
}

QString RomFolderWalkLimitText() { return QStringLiteral("ROMPATH - ERROR 42-001!"); }

namespace {

// The sub-folder `name` of `folder`: the exact name, else one that differs
// only in case; empty when there is none.
QString findSubFolder(const QString& folder, const QString& name)
{
    if (QFileInfo(folder + name).isDir())
        return name;
    const QStringList entries = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

bool holdsVisibleEntry(const QString& folder)
{
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    return !entries.isEmpty();
}

} // namespace

QString GuessRomFolder(const QString& executable)
{
    if (executable.isEmpty())
        return {};
    const QString folder = AddTrailingSeparator(FolderOf(executable));
    for (const QString& candidate : {QStringLiteral("Roms"), QStringLiteral("Rom"), QStringLiteral("Disks"),
                                    QStringLiteral("Games")}) {
        const QString found = findSubFolder(folder, candidate);
        if (!found.isEmpty() && holdsVisibleEntry(folder + found))
            return folder + found + u'/';
    }
    return folder;
}

void ImportOfConfigStringAllowedValue(const QString& line, bool& allowed)
{
    allowed = !(line.trimmed().isEmpty() || line.contains(QStringLiteral("floppy1="))
                || line.contains(QStringLiteral("floppy2="))
                || line.contains(QStringLiteral("kickstart_rom_file=")));
}

bool IsAllowedTemplateLine(const QString& line)
{
    bool allowed = false;
    ImportOfConfigStringAllowedValue(line, allowed);
    return allowed;
}

bool ReadTemplateLines(const QString& file, QString& text)
{
    QString content;
    if (!TextFile::readText(file, content))
        return false;
    QString out;
    for (const QString& line : TextFile::splitLines(content))
        if (IsAllowedTemplateLine(line))
            out += line + QStringLiteral("\r\n");
    text = out;
    return true;
}
