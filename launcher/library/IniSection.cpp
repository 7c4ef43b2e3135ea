#include "library/IniSection.h"

#include "config/TextFile.h"
#include "library/FileNames.h"

IniSection IniSection::read(const QString& file, const QString& section, qint64 maxBytes)
{
    IniSection s;
    QByteArray bytes;
    if (!readFileBytes(file, bytes, maxBytes))
        return s;
    s.readable = true;
    bool inSection = false;
    bool seen = false;
    for (const QString& line : TextFile::splitLines(TextFile::decode(bytes))) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[')) {
            if (inSection)
                break; // only the first section of that name counts
            const qsizetype close = t.indexOf(u']');
            const QString name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
            inSection = !seen && name.compare(section, Qt::CaseInsensitive) == 0;
            seen = seen || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (key.isEmpty() || s.values.contains(key))
            continue;
        QString v = line.mid(eq + 1).trimmed();
        if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"'))
            v = v.mid(1, v.size() - 2);
        s.values.insert(key, v);
    }
    return s;
}
