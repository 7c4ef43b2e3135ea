// The list cache: any file given as a cache reads without harm, and what
// was read survives being written and read again (the cache a rescan
// writes must load as the list it was written from). The line escaping
// must give back every text.
#include "FuzzSupport.h"

#include "library/ListCache.h"

using fuzz::visible;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString folder = fuzz::scratchFolder();
    const QString input = fuzz::writeScratch("input_Cache.txt", data, size);
    const ListCache::ReadResult first = ListCache::read(input, folder);
    FUZZ_CHECK(first.found, "a readable cache file is found");
    FUZZ_CHECK(first.fullPaths.size() == first.shortNames.size(), "one name per path",
          {QString::number(first.fullPaths.size()), QString::number(first.shortNames.size())});
    FUZZ_CHECK(first.fullPaths.size() <= ListCache::kMaxPairs, "at most kMaxPairs pairs");

    const QString again = folder + QStringLiteral("again_Cache.txt");
    FUZZ_CHECK(ListCache::write(again, first.fullPaths, first.shortNames, folder), "the cache read can be written");
    const ListCache::ReadResult second = ListCache::read(again, folder);
    FUZZ_CHECK(!second.corrupt, "a written cache reads whole");
    FUZZ_CHECK(second.fullPaths == first.fullPaths, "paths read, written and read again are the same",
          {QStringLiteral("read    ") + visible(first.fullPaths.toList()),
           QStringLiteral("re-read ") + visible(second.fullPaths.toList())});
    FUZZ_CHECK(second.shortNames == first.shortNames, "names read, written and read again are the same",
          {QStringLiteral("read    ") + visible(first.shortNames), QStringLiteral("re-read ") + visible(second.shortNames)});

    // Escaping of any text (the input as UTF-16: lone surrogates, NUL, ESC, line ends).
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));
    const QString escaped = ListCache::escapeLine(text);
    FUZZ_CHECK(!escaped.contains(u'\n') && !escaped.contains(u'\r'), "an escaped text holds no line end", {visible(escaped)});
    const QString unescaped = ListCache::unescapeLine(escaped);
    FUZZ_CHECK(unescaped == text, "unescapeLine(escapeLine(text)) is the text",
          {QStringLiteral("text      ") + visible(text), QStringLiteral("escaped   ") + visible(escaped),
           QStringLiteral("unescaped ") + visible(unescaped)});
    return 0;
}
