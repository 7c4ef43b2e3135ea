#include "services/WineRegistry.h"

#include <QFile>
#include <QStringDecoder>

namespace {

constexpr qint64 kMaxLine = 1 << 20;
constexpr QByteArrayView kHeader = "WINE REGISTRY Version 2";

enum class LineResult { Line, TooLong, End };

// The next physical line without its line end. A line over kMaxLine bytes
// is skipped whole and reported, so a binary file costs at most one buffer.
LineResult nextLine(QFile& file, QByteArray& line)
{
    if (file.atEnd())
        return LineResult::End;
    // Read in small pieces: asking QIODevice for a line of kMaxLine would
    // allocate that much for every line.
    line.clear();
    char buffer[4096];
    bool tooLong = false;
    for (;;) {
        const qint64 n = file.readLine(buffer, sizeof buffer);
        if (n <= 0)
            break;
        if (!tooLong) {
            line.append(buffer, n);
            tooLong = line.size() > kMaxLine;
        }
        if (buffer[n - 1] == '\n')
            break;
    }
    if (tooLong) {
        line.clear();
        return LineResult::TooLong;
    }
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return LineResult::Line;
}

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

// Raw bytes as UTF-8 when they are, else as Latin-1.
void flushRaw(QByteArray& raw, QString& out)
{
    if (raw.isEmpty())
        return;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(raw);
    out += utf8.hasError() ? QString::fromLatin1(raw) : text;
    raw.clear();
}

QString cutAtNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

// Hex bytes "41,00,42,00" starting at `pos`, continued over lines that end
// in "\". False for a malformed or truncated list.
bool readHexBytes(QFile& file, QByteArray line, qsizetype pos, QByteArray& bytes)
{
    for (;;) {
        int digits = 0, value = 0;
        bool continued = false;
        for (qsizetype i = pos; i < line.size(); ++i) {
            const char c = line[i];
            if (isHex(c)) {
                if (++digits > 2)
                    return false;
                value = value * 16 + hexValue(c);
            } else if (c == ',') {
                if (digits == 0)
                    return false;
                bytes.append(char(value));
                digits = value = 0;
            } else if (c == '\\' && i == line.size() - 1) {
                continued = true;
            } else if (c != ' ' && c != '\t') {
                return false;
            }
        }
        if (digits > 0)
            bytes.append(char(value));
        if (!continued)
            return true;
        if (nextLine(file, line) != LineResult::Line)
            return false;
        pos = 0;
    }
}

QString fromUtf16Le(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        out.append(QChar(char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8))));
    return out;
}

bool startsAt(const QByteArray& line, qsizetype pos, QByteArrayView prefix)
{
    return QByteArrayView(line).sliced(pos).startsWith(prefix);
}

// The string data of a value line from `pos` (just after "="); false when
// the value is not a string or cannot be read.
bool readStringData(QFile& file, const QByteArray& line, qsizetype pos, QString& out)
{
    for (QByteArrayView prefix : {QByteArrayView("\""), QByteArrayView("str:\""), QByteArrayView("str(2):\"")}) {
        if (startsAt(line, pos, prefix)) {
            pos += prefix.size();
            return DecodeWineRegistryString(line, pos, '"', out);
        }
    }
    if (startsAt(line, pos, "hex(1):") || startsAt(line, pos, "hex(2):")) {
        QByteArray bytes;
        if (!readHexBytes(file, line, pos + 7, bytes))
            return false;
        out = fromUtf16Le(bytes);
        return true;
    }
    return false;
}

// The value name of a value line, and `pos` after its "="; false for lines
// that are no value.
bool valueName(const QByteArray& line, qsizetype& pos, QString& name)
{
    pos = 0;
    if (line.startsWith('@')) {
        pos = 1;
        name.clear();
    } else if (line.startsWith('"')) {
        pos = 1;
        if (!DecodeWineRegistryString(line, pos, '"', name))
            return false;
    } else {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=')
        return false;
    ++pos;
    return true;
}

} // namespace

bool DecodeWineRegistryString(const QByteArray& line, qsizetype& pos, char end, QString& out)
{
    out.clear();
    QByteArray raw;
    const qsizetype n = line.size();
    while (pos < n) {
        const char c = line[pos];
        if (c == end) {
            ++pos;
            flushRaw(raw, out);
            return true;
        }
        if (c != '\\') {
            raw.append(c);
            ++pos;
            continue;
        }
        flushRaw(raw, out);
        if (++pos >= n)
            return false;
        const char e = line[pos++];
        switch (e) {
        case 'a': out += u'\a'; break;
        case 'b': out += u'\b'; break;
        case 'e': out += QChar(0x1b); break;
        case 'f': out += u'\f'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'v': out += u'\v'; break;
        case 'x': {
            if (pos >= n || !isHex(line[pos])) {
                out += u'x';
                break;
            }
            char16_t unit = 0;
            for (int i = 0; i < 4 && pos < n && isHex(line[pos]); ++i)
                unit = char16_t(unit * 16 + hexValue(line[pos++]));
            out += QChar(unit);
            break;
        }
        default:
            if (isOctal(e)) {
                int value = e - '0';
                for (int i = 0; i < 2 && pos < n && isOctal(line[pos]); ++i)
                    value = value * 8 + (line[pos++] - '0');
                out += QChar(char16_t(value));
            } else {
                raw.append(e); // \\, \", \[, \] and any other character stand for themselves
            }
            break;
        }
    }
    return false;
}

QString ReadWineRegistryString(const QString& regFile, const QString& keyPath, const QString& valueNameWanted,
                               bool* found)
{
    if (found)
        *found = false;
    QFile file(regFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line;
    if (nextLine(file, line) != LineResult::Line || !line.startsWith(kHeader))
        return {};

    bool inKey = false;
    for (;;) {
        const LineResult r = nextLine(file, line);
        if (r == LineResult::End)
            return {};
        if (r == LineResult::TooLong)
            continue;
        if (line.startsWith('[')) {
            if (inKey)
                return {}; // the key's section ended without the value
            qsizetype pos = 1;
            QString key;
            inKey = DecodeWineRegistryString(line, pos, ']', key)
                && key.compare(keyPath, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inKey)
            continue;
        qsizetype pos = 0;
        QString name;
        if (!valueName(line, pos, name) || name.compare(valueNameWanted, Qt::CaseInsensitive) != 0)
            continue;
        QString text;
        if (!readStringData(file, line, pos, text))
            return {};
        if (found)
            *found = true;
        return cutAtNul(text);
    }
}
