#pragma once
// Reading and writing the launcher's text files (settings, caches,
// favourites). Files are read as UTF-8, or as Windows-1252 when they are not
// valid UTF-8 (files copied from Windows keep their umlauts); a UTF-8 BOM is
// skipped. Files are replaced atomically (AtomicWriter): a crash, a kill or a
// full disk leaves the old or the new file, never a torn or emptied one, and
// every failed replacement is reported to WriteFailures. Any thread.
#include "config/AtomicWriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace TextFile {

// True when `bytes` is well-formed UTF-8.
bool isValidUtf8(const QByteArray& bytes);
// Length of the well-formed UTF-8 sequence starting at p[i] of the n bytes
// at p (1 to 4), or 0 when none starts there.
int utf8SequenceLength(const unsigned char* p, qsizetype i, qsizetype n);
// The value of one hexadecimal digit (either case), -1 for any other character.
int hexDigitValue(QChar c);
// Decodes as UTF-8 (one leading BOM skipped) or, when not valid UTF-8, as Windows-1252.
QString decode(const QByteArray& bytes);
// UTF-8 decoding that keeps a U+FEFF at the start as a character (the plain
// decoder drops it). Only a file's very first three bytes are its BOM; a BOM
// anywhere else (two files joined, a file name starting with U+FEFF) is text.
QString decodeUtf8KeepingBom(QByteArrayView bytes);
// Windows-1252 decoding of any byte string.
QString decodeWindows1252(const QByteArray& bytes);
// Reads at most `maxBytes` bytes (negative: whole file). False when unreadable.
bool readBytes(const QString& path, QByteArray& out, qint64 maxBytes = -1);
// Reads and decodes a file. False when unreadable.
bool readText(const QString& path, QString& out, qint64 maxBytes = -1);
// Splits at CR LF, LF or a lone CR. A final line end does not produce an extra empty line.
QStringList splitLines(const QString& text);
// Replaces `path` with `data` atomically (see AtomicWriter: symbolic links are
// followed, mode and owner kept, read-only files refused). False on any
// failure; the old file is then untouched, `error` (when given) receives the
// reason and the file is reported to WriteFailures.
bool writeAtomic(const QString& path, const QByteArray& data, QString* error = nullptr);
// The same for content written while it is produced (AtomicWriter::Producer).
bool writeAtomicStreamed(const QString& path, const AtomicWriter::Producer& produce, QString* error = nullptr);
// Joins `lines` with CR LF after every line, encodes as UTF-8 and writes atomically.
bool writeLinesCrLf(const QString& path, const QStringList& lines);

} // namespace TextFile
