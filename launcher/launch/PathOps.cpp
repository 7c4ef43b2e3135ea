#include "launch/PathOps.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

bool hasDriveLetter(const QString& path)
{
    return path.size() >= 2 && path.at(1) == u':' && path.at(0).isLetter();
}

// Splits an absolute Linux path into its components, dropping empty ones and
// "."; a ".." steps back, and at the root stays there ("/.." is "/").
QStringList components(const QString& path)
{
    QStringList out;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!out.isEmpty())
                out.removeLast();
            continue;
        }
        out.append(part);
    }
    return out;
}

} // namespace

QString AddTrailingSeparator(const QString& path)
{
    QString result = path;
    bool quoted = false;
    if (result.endsWith(u'"')) {
        result.chop(1);
        quoted = true;
    }
    if (result.contains(u'\\')) {
        if (!result.endsWith(u'\\'))
            result += u'\\';
    } else if (result.contains(u'/')) {
        if (!result.endsWith(u'/'))
            result += u'/';
    }
    if (quoted)
        result += u'"';
    return result;
}

QString FileNameOf(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QChar sep = (!path.contains(u'\\') && path.contains(u'/')) ? u'/' : u'\\';
    const qsizetype pos = path.lastIndexOf(sep);
    return pos < 0 ? path : path.mid(pos + 1);
}

QString FolderOf(const QString& path)
{
    if (!path.isEmpty() && IsDirectory(path))
        return path;
    const qsizetype pos = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return pos < 0 ? QString() : path.left(pos + 1);
}

QString QuoteIfNeeded(const QString& text)
{
    const QString t = text.trimmed();
    if (!t.isEmpty() && !t.contains(u'"') && t.contains(u' '))
        return u'"' + t + u'"';
    return t;
}

QString StripEnclosingQuotes(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        return t.mid(1, t.size() - 2);
    return t;
}

QString LongPathName(const QString& path) { return StripEnclosingQuotes(path); }

QString ShortPathName(const QString& path) { return StripEnclosingQuotes(LongPathName(path)); }

bool IsAbsolutePath(const QString& path)
{
    return path.startsWith(u'/') || hasDriveLetter(path);
}

QString MakeRelativePath(const QString& base, const QString& target)
{
    if (!target.startsWith(u'/') || !base.startsWith(u'/'))
        return target;
    // A relative value's backslashes are read back as separators (values
    // written on Windows): a Linux name holding "\\" stays absolute.
    if (target.contains(u'\\'))
        return target;
    const QStringList b = components(QDir::cleanPath(base));
    const QStringList t = components(QDir::cleanPath(target));
    qsizetype common = 0;
    while (common < b.size() && common < t.size() && b.at(common) == t.at(common))
        ++common;
    if (common == 0)
        return target; // shares only the root: keep it absolute
    QStringList rest;
    for (qsizetype i = common; i < b.size(); ++i)
        rest.append(QStringLiteral(".."));
    for (qsizetype i = common; i < t.size(); ++i)
        rest.append(t.at(i));
    QString result = rest.isEmpty() ? QStringLiteral(".") : rest.join(u'/');
    if (!result.startsWith(QLatin1String("..")))
        result = QStringLiteral("./") + (result == u"." ? QString() : result);
    // A folder keeps its trailing separator so it still reads as a folder.
    if (target.endsWith(u'/') && !result.endsWith(u'/'))
        result += u'/';
    return result;
}

QString MakeAbsolutePath(const QString& base, const QString& path)
{
    if (path.isEmpty() || IsAbsolutePath(path))
        return path;
    QString rel = path;
    rel.replace(u'\\', u'/');
    while (rel.startsWith(u'/'))
        rel.remove(0, 1); // legacy "\Games\x" written below the program folder
    // The base as MakeRelativePath sees it: ".." in it already resolved.
    QStringList baseParts = components(QDir::cleanPath(base));
    const bool trailing = rel.endsWith(u'/');
    QStringList relParts;
    for (const QString& part : rel.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!relParts.isEmpty() && relParts.last() != u"..")
                relParts.removeLast();
            else if (!baseParts.isEmpty())
                baseParts.removeLast();
            continue;
        }
        relParts.append(part);
    }
    QString result = u'/' + (baseParts + relParts).join(u'/');
    if ((trailing || relParts.isEmpty()) && !result.endsWith(u'/'))
        result += u'/';
    return result;
}

bool IsDirectory(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isDir();
}

QString ShellQuote(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'\'';
    for (const QChar c : text) {
        if (c == u'\'')
            out += QStringLiteral("'\\''");
        else
            out += c;
    }
    out += u'\'';
    return out;
}
