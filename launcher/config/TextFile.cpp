#include "config/TextFile.h"

#include "config/AtomicWriter.h"
#include "config/FileNameCodec.h"
#include "config/WriteFailures.h"

#include <QFile>
#include <QFileDevice>
#include <QStringDecoder>

#include <fcntl.h>
#include <unistd.h>

namespace TextFile {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// bytes there map to the C1 control characters, as Windows itself does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

int utf8SequenceLength(const unsigned char* p, qsizetype i, qsizetype n)
{
    const unsigned char c = p[i];
    if (c < 0x80)
        return 1;
    int extra;
    unsigned int cp;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + extra >= n)
        return 0;
    for (int k = 1; k <= extra; ++k) {
        if ((p[i + k] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000)
        || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    return extra + 1;
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int length = utf8SequenceLength(p, i, n);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

QString decodeWindows1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        d[i] = (c >= 0x80 && c < 0xA0) ? QChar(kCp1252High[c - 0x80]) : QChar(c);
    }
    return out;
}

QString decodeUtf8KeepingBom(QByteArrayView bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString decode(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    if (isValidUtf8(view.toByteArray()))
        return decodeUtf8KeepingBom(view);
    return decodeWindows1252(view.toByteArray());
}

bool readBytes(const QString& path, QByteArray& out, qint64 maxBytes)
{
    if (path.isEmpty())
        return false;
    const int fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    out = maxBytes < 0 ? file.readAll() : file.read(maxBytes);
    return file.error() == QFileDevice::NoError;
}

bool readText(const QString& path, QString& out, qint64 maxBytes)
{
    QByteArray bytes;
    if (!readBytes(path, bytes, maxBytes))
        return false;
    out = decode(bytes);
    return true;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool writeAtomic(const QString& path, const QByteArray& data, QString* error)
{
    return writeAtomicStreamed(
        path, [&data](const AtomicWriter::Sink& sink) { return sink(data); }, error);
}

bool writeAtomicStreamed(const QString& path, const AtomicWriter::Producer& produce, QString* error)
{
    QString reason;
    if (AtomicWriter::replace(encodeFileName(path), produce, reason))
        return true;
    if (error)
        *error = reason;
    // No file named, nothing the user could look for: only the caller learns of it.
    if (!path.isEmpty())
        WriteFailures::report(path, reason);
    return false;
}

bool writeLinesCrLf(const QString& path, const QStringList& lines)
{
    QByteArray data;
    for (const QString& line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    return writeAtomic(path, data);
}

} // namespace TextFile
