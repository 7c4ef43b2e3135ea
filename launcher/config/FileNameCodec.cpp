#include "config/FileNameCodec.h"

#include "config/TextFile.h"

#include <sys/stat.h>

namespace FileNameCodec {

// A raw byte is a LONE low surrogate U+DC80..U+DCFF. The same code unit right
// after a high surrogate is the second half of a character above U+FFFF
// (U+1F4BE is D83D DCBE) and belongs to that character.
bool isRawByteAt(const QChar* d, qsizetype i)
{
    const char16_t c = d[i].unicode();
    if (c < kRawByteBase + 0x80 || c > kRawByteBase + 0xFF)
        return false;
    return i == 0 || !QChar::isHighSurrogate(d[i - 1].unicode());
}

qsizetype firstRawByte(const QString& name)
{
    const QChar* d = name.constData();
    for (qsizetype i = 0; i < name.size(); ++i)
        if (isRawByteAt(d, i))
            return i;
    return -1;
}

} // namespace FileNameCodec

namespace {

bool statPath(const QString& path, struct stat& st)
{
    if (path.isEmpty())
        return false;
    const QByteArray raw = encodeFileName(path);
    return ::stat(raw.constData(), &st) == 0;
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    bool ascii = true;
    for (qsizetype i = 0; i < n && ascii; ++i)
        ascii = p[i] < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes.data(), n);

    QString out;
    out.reserve(n);
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < n) {
        const int len = TextFile::utf8SequenceLength(p, i, n);
        if (len > 0) {
            i += len;
            continue;
        }
        // A run may start with U+FEFF (a name beginning with it): it is part of the name.
        out += TextFile::decodeUtf8KeepingBom(bytes.sliced(runStart, i - runStart));
        out += QChar(char16_t(FileNameCodec::kRawByteBase + p[i]));
        ++i;
        runStart = i;
    }
    out += TextFile::decodeUtf8KeepingBom(bytes.sliced(runStart, n - runStart));
    return out;
}

QByteArray encodeFileName(const QString& name)
{
    const QChar* d = name.constData();
    const qsizetype n = name.size();
    const qsizetype first = FileNameCodec::firstRawByte(name);
    if (first < 0)
        return name.toUtf8();

    QByteArray out;
    out.reserve(n * 2);
    qsizetype runStart = 0;
    for (qsizetype i = first; i < n; ++i) {
        if (!FileNameCodec::isRawByteAt(d, i))
            continue;
        out += QStringView(d + runStart, i - runStart).toUtf8();
        out += char(d[i].unicode() - FileNameCodec::kRawByteBase);
        runStart = i + 1;
    }
    out += QStringView(d + runStart, n - runStart).toUtf8();
    return out;
}

bool pathExists(const QString& path)
{
    struct stat st;
    return statPath(path, st);
}

bool isDirectoryPath(const QString& path)
{
    struct stat st;
    return statPath(path, st) && S_ISDIR(st.st_mode);
}

bool isRegularFile(const QString& path)
{
    struct stat st;
    return statPath(path, st) && S_ISREG(st.st_mode);
}
