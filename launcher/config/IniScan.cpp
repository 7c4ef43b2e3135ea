#include "config/IniScan.h"

#include "config/FileNameCodec.h"
#include "config/TextFile.h"


#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace IniScan {

namespace {

// The position of the first CR or LF in [from, to), or `to`.
qsizetype firstLineEnd(const char* p, qsizetype from, qsizetype to)
{
    if (from >= to)
        return to;
    const void* lf = std::memchr(p + from, '\n', size_t(to - from));
    const qsizetype end = lf ? static_cast<const char*>(lf) - p : to;
    const void* cr = std::memchr(p + from, '\r', size_t(end - from));
    return cr ? static_cast<const char*>(cr) - p : end;
}

// The position of the last CR or LF in [from, to), or -1.
qsizetype lastLineEnd(const char* p, qsizetype from, qsizetype to)
{
    if (from >= to)
        return -1;
    const void* lf = memrchr(p + from, '\n', size_t(to - from));
    const qsizetype after = lf ? static_cast<const char*>(lf) - p + 1 : from;
    const void* cr = memrchr(p + after, '\r', size_t(to - after));
    if (cr)
        return static_cast<const char*>(cr) - p;
    return lf ? after - 1 : -1;
}

// The first "[" or "=" in [from, to), or `to`.
qsizetype firstMark(const char* p, qsizetype from, qsizetype to)
{
    if (from >= to)
        return to;
    const void* eq = std::memchr(p + from, '=', size_t(to - from));
    const qsizetype end = eq ? static_cast<const char*>(eq) - p : to;
    const void* br = std::memchr(p + from, '[', size_t(end - from));
    return br ? static_cast<const char*>(br) - p : end;
}

// Checks UTF-8 over a stream of chunks; a sequence cut by a chunk's end is
// completed with the next chunk.
class Utf8Check {
public:
    bool valid() const { return m_valid; }

    void feed(const unsigned char* p, qsizetype n)
    {
        qsizetype i = 0;
        if (!m_valid)
            return;
        if (m_pendingSize > 0) {
            // Complete the cut sequence with the first bytes of this chunk.
            unsigned char seq[8];
            std::memcpy(seq, m_pending, size_t(m_pendingSize));
            const qsizetype take = qMin<qsizetype>(n, 4 - m_pendingSize);
            std::memcpy(seq + m_pendingSize, p, size_t(take));
            const qsizetype have = m_pendingSize + take;
            const int length = TextFile::utf8SequenceLength(seq, 0, have);
            if (length == 0) {
                if (have < 4 && n == take) {
                    std::memcpy(m_pending, seq, size_t(have)); // still cut: wait for more
                    m_pendingSize = have;
                    return;
                }
                m_valid = false;
                return;
            }
            i = length - m_pendingSize;
            m_pendingSize = 0;
        }
        while (i < n) {
            // Plain ASCII eight bytes at a time.
            while (i + 8 <= n) {
                quint64 word;
                std::memcpy(&word, p + i, 8);
                if (word & 0x8080808080808080ULL)
                    break;
                i += 8;
            }
            if (i >= n)
                break;
            const int length = TextFile::utf8SequenceLength(p, i, n);
            if (length == 0) {
                if (n - i < 4 && cutAtEnd(p + i, n - i)) {
                    std::memcpy(m_pending, p + i, size_t(n - i));
                    m_pendingSize = n - i;
                    return;
                }
                m_valid = false;
                return;
            }
            i += length;
        }
    }

    // At the end of the stream a cut sequence is malformed.
    void finish()
    {
        if (m_pendingSize > 0)
            m_valid = false;
    }

private:
    // True when the bytes are the start of a sequence longer than they are.
    static bool cutAtEnd(const unsigned char* p, qsizetype n)
    {
        const unsigned char c = p[0];
        const qsizetype want = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (want <= n)
            return false;
        for (qsizetype k = 1; k < n; ++k)
            if ((p[k] & 0xC0) != 0x80)
                return false;
        return true;
    }

    bool m_valid = true;
    unsigned char m_pending[4] = {};
    qsizetype m_pendingSize = 0;
};

} // namespace

Result scan(const QString& path)
{
    Result r;
    const int fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return r;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return r;
    }
    r.readable = true;
    if (st.st_size > kMaxFileBytes) {
        ::close(fd);
        return r;
    }

    // Buffer: the unfinished last line of the previous chunk, then the new chunk.
    std::vector<char> buffer(size_t(kMaxLineBytes + kChunkBytes));
    char* const buf = buffer.data();
    qsizetype carried = 0;
    bool skippingLongLine = false;
    bool first = true;
    qsizetype keptBytes = 0;
    Utf8Check utf8;
    bool overflow = false;

    auto keep = [&](qsizetype from, qsizetype to) {
        if (to - from > kMaxLineBytes)
            return;
        r.lines.append(QByteArray(buf + from, to - from));
        keptBytes += to - from;
        if (r.lines.size() > kMaxLines || keptBytes > kMaxLinesBytes)
            overflow = true;
    };

    while (!overflow) {
        ssize_t got = ::read(fd, buf + carried, size_t(kChunkBytes));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            r.readable = false;
            break;
        }
        qsizetype fresh = carried;
        if (first && got >= 3 && std::memcmp(buf, "\xEF\xBB\xBF", 3) == 0) {
            fresh = 3; // the BOM belongs to neither the first line nor the encoding check
        }
        first = false;
        utf8.feed(reinterpret_cast<const unsigned char*>(buf + fresh), carried + got - fresh);
        const bool atEnd = got == 0;
        const qsizetype n = carried + qsizetype(got);
        qsizetype start = fresh == 3 && carried == 0 ? 3 : 0;
        if (skippingLongLine) {
            const qsizetype eol = firstLineEnd(buf, start, n);
            if (eol == n && !atEnd) {
                carried = 0;
                continue;
            }
            skippingLongLine = false;
            start = eol;
        }
        // Whole lines only; the unfinished last line waits for the next chunk.
        qsizetype end = n;
        if (!atEnd) {
            const qsizetype last = lastLineEnd(buf, start, n);
            end = last < 0 ? start : last + 1;
        }
        // From mark to mark: text without "[" or "=" is passed at memchr's speed.
        qsizetype pos = start;
        while (!overflow) {
            const qsizetype mark = firstMark(buf, pos, end);
            if (mark >= end)
                break;
            const qsizetype before = lastLineEnd(buf, pos, mark);
            const qsizetype lineStart = before < 0 ? pos : before + 1;
            const qsizetype lineEnd = firstLineEnd(buf, mark, end);
            keep(lineStart, lineEnd);
            pos = lineEnd + 1;
            if (pos >= end)
                break;
        }
        if (atEnd)
            break;
        const qsizetype tail = n - end;
        if (tail > kMaxLineBytes) {
            skippingLongLine = true;
            carried = 0;
        } else {
            std::memmove(buf, buf + end, size_t(tail));
            carried = tail;
        }
    }
    ::close(fd);
    utf8.finish();
    r.utf8 = utf8.valid();
    r.settingsFile = r.readable && !overflow;
    if (!r.settingsFile)
        r.lines.clear();
    return r;
}

} // namespace IniScan
