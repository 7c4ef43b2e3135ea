#pragma once
// Shared pieces of the fuzz targets: a scratch folder on tmpfs for readers
// that only take a path, and the check that stops a run when an invariant
// (a round trip, a reader agreeing with its writer) does not hold.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// A folder of this process below /dev/shm (or the temporary folder when
// there is no /dev/shm), with a trailing "/". Made once, emptied by nobody:
// the targets overwrite the same few files for every input.
const QString& scratchFolder();
// Writes `bytes` to the scratch file `name` and returns its path.
QString writeScratch(const char* name, const QByteArray& bytes);
QString writeScratch(const char* name, const uint8_t* data, size_t size);
// The content of a file (empty when unreadable).
QByteArray readAll(const QString& path);

// Prints what broke, with the texts that show it, and aborts, which libFuzzer
// records as a crash with the input that caused it.
[[noreturn]] void fail(const char* invariant, const QStringList& details = {});
// A text shown with every character outside printable ASCII as \uXXXX.
QString visible(const QString& text);
QString visible(const QStringList& list);

} // namespace fuzz

// Stops the run when `ok` is false. The details (a braced list of texts) are
// worked out only then: most checks pass, and the targets must stay fast.
#define FUZZ_CHECK(ok, invariant, ...)                                                            \
    do {                                                                                          \
        if (!(ok))                                                                                \
            fuzz::fail(invariant __VA_OPT__(, ) __VA_ARGS__);                                     \
    } while (false)
