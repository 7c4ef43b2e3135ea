// File names and stored paths: names are byte strings, so decoding a name
// and encoding it again must give back exactly its bytes; text that came
// from a decoded name must survive the way back too; and a path stored
// relative to the program folder must resolve to the same file again.
#include "FuzzSupport.h"

#include "launch/PathOps.h"
#include "library/FileNames.h"
#include "library/ListCache.h"

#include <QDir>

#include <fuzzer/FuzzedDataProvider.h>

using fuzz::visible;

namespace {

QString hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// An absolute path built from fuzz text: "/" + the text, as a scan would
// produce it.
QString absolutePath(const QString& text)
{
    return text.startsWith(u'/') ? text : u'/' + text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string nameBytes = in.ConsumeRandomLengthString(256);
    const QByteArray name(nameBytes.data(), qsizetype(nameBytes.size()));

    // Bytes -> text -> bytes.
    const QString decoded = decodeFileName(name);
    const QByteArray encoded = encodeFileName(decoded);
    FUZZ_CHECK(encoded == name, "encodeFileName(decodeFileName(bytes)) gives the bytes back",
          {QStringLiteral("bytes   ") + hex(name), QStringLiteral("decoded ") + visible(decoded),
           QStringLiteral("encoded ") + hex(encoded)});

    // Any text (read as UTF-16, so every code point and lone surrogates
    // occur) -> bytes: those bytes are a name, and must survive as one.
    const std::string raw = in.ConsumeRandomLengthString(128);
    QString text(qsizetype(raw.size() / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(uint8_t(raw[size_t(2 * i)]) | uint8_t(raw[size_t(2 * i + 1)]) << 8));
    const QByteArray textBytes = encodeFileName(text);
    FUZZ_CHECK(encodeFileName(decodeFileName(textBytes)) == textBytes, "an encoded name decodes to text that encodes the same",
          {QStringLiteral("text  ") + visible(text), QStringLiteral("bytes ") + hex(textBytes)});

    // The list collation is a strict order.
    FUZZ_CHECK(!listBoxLess(decoded, decoded), "listBoxLess is irreflexive", {visible(decoded)});
    FUZZ_CHECK(!(listBoxLess(decoded, text) && listBoxLess(text, decoded)), "listBoxLess is asymmetric",
          {visible(decoded), visible(text)});

    // Stored paths: relative to the program folder and back.
    // A scan gives clean absolute paths ("/a/b", no "//", ".", ".." and no
    // NUL, which no file name holds).
    QString folderText = QString::fromUtf8(in.ConsumeRandomLengthString(64));
    folderText.remove(QChar(0));
    QString base = QDir::cleanPath(absolutePath(folderText));
    if (!base.endsWith(u'/'))
        base += u'/';
    QString fileName = decoded;
    fileName.remove(QChar(0));
    const QString target = QDir::cleanPath(absolutePath(fileName));
    // "/.." is "/" on Linux but not to a text comparison; a scan never gives one.
    if (target.startsWith(QLatin1String("/..")) || base.startsWith(QLatin1String("/..")))
        return 0;
    const QString relative = MakeRelativePath(base, target);
    const QString back = MakeAbsolutePath(base, relative);
    FUZZ_CHECK(QDir::cleanPath(back) == QDir::cleanPath(target), "MakeAbsolutePath(b, MakeRelativePath(b, t)) names t",
          {QStringLiteral("base     ") + visible(base), QStringLiteral("target   ") + visible(target),
           QStringLiteral("relative ") + visible(relative), QStringLiteral("back     ") + visible(back)});
    const QString stored = ListCache::storedPath(base, target);
    const QString resolved = ListCache::resolvedPath(base, stored);
    // (The folder itself may come back with a trailing "/".)
    FUZZ_CHECK(resolved == target || QDir::cleanPath(resolved) == target, "the list cache's stored path resolves to the path",
          {QStringLiteral("folder   ") + visible(base), QStringLiteral("path     ") + visible(target),
           QStringLiteral("stored   ") + visible(stored), QStringLiteral("resolved ") + visible(resolved)});
    return 0;
}
