#pragma once
// Linux file names are bytes. decodeFileName turns them into text without
// losing anything: valid UTF-8 decodes normally, every byte of an invalid
// sequence (a Windows-1252 name copied from Windows) becomes the lone
// surrogate U+DC80..U+DCFF. encodeFileName reverses it exactly.
// (QFile::decodeName/encodeName replace such bytes by U+FFFD, so a file
// found by listing a folder could not be opened again.) Every file the
// launcher opens by a name it listed goes through encodeFileName, and the
// checks below do. Only a LONE low surrogate is a raw byte: the same code
// unit after a high surrogate is half of a character above U+FFFF. A
// leading U+FEFF is part of the name. Pure functions; any thread.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

QString decodeFileName(QByteArrayView bytes);
QByteArray encodeFileName(const QString& name);

// True when `path` exists (any kind of file; symlinks followed).
bool pathExists(const QString& path);
// True when `path` is an existing directory (symlinks followed).
bool isDirectoryPath(const QString& path);
// True when `path` is an existing regular file (symlinks followed).
bool isRegularFile(const QString& path);

namespace FileNameCodec {

constexpr char16_t kRawByteBase = 0xDC00; // byte b (0x80..0xFF) -> U+DC00 + b
// Whether d[i] stands for a raw byte (a lone low surrogate U+DC80..U+DCFF).
bool isRawByteAt(const QChar* d, qsizetype i);
// The index of the first raw byte of `name`, -1 when none.
qsizetype firstRawByte(const QString& name);

} // namespace FileNameCodec
