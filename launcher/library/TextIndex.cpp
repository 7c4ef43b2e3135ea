#include "library/TextIndex.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

namespace {

// One UTF-16 unit as a case-insensitive comparison sees it. Every surrogate
// becomes one value: the comparison folds a surrogate pair as a whole, so a
// surrogate only ever matches a surrogate.
inline char16_t foldUnit(char16_t u)
{
    if (u >= 0xD800 && u <= 0xDFFF)
        return 0xD800;
    return char16_t(QChar::toCaseFolded(char32_t(u)));
}

// The bucket of the piece of `g` units at `p` in a table of 2^bits buckets.
inline quint32 pieceKey(const char16_t* p, int g, int bits)
{
    quint64 k = p[0];
    if (g > 1)
        k |= quint64(p[1]) << 16;
    if (g > 2)
        k |= quint64(p[2]) << 32;
    if (g == 1)
        return quint32(k); // 2^16 buckets: exact
    return quint32((k * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

} // namespace

// The entries holding each piece of g units: a static part built from the
// texts as they were (one ascending run of entry indexes per bucket) and the
// entries changed since, per bucket, in the order they changed.
class TextIndex::Pieces {
public:
    Pieces(int g, const std::vector<std::u16string>& texts) : m_g(g), m_bits(bucketBits(g, texts))
    {
        const size_t buckets = size_t(1) << m_bits;
        m_start.assign(buckets + 1, 0);
        std::vector<int> last(buckets, -1);
        std::vector<quint32> fill;
        // Two passes: count each bucket once per entry, then fill in entry order.
        for (int pass = 0; pass < 2; ++pass) {
            std::fill(last.begin(), last.end(), -1);
            for (size_t id = 0; id < texts.size(); ++id) {
                const std::u16string& t = texts[id];
                for (size_t i = 0; i + size_t(g) <= t.size(); ++i) {
                    const quint32 b = pieceKey(t.data() + i, g, m_bits);
                    if (last[b] == int(id))
                        continue;
                    last[b] = int(id);
                    if (pass == 0)
                        ++m_start[b + 1];
                    else
                        m_ids[fill[b]++] = int(id);
                }
            }
            if (pass == 0) {
                for (size_t b = 0; b < buckets; ++b)
                    m_start[b + 1] += m_start[b];
                m_ids.resize(m_start[buckets]);
                fill.assign(m_start.begin(), m_start.end() - 1);
            }
        }
    }

    void addChanged(int id, const std::u16string& text)
    {
        for (size_t i = 0; i + size_t(m_g) <= text.size(); ++i) {
            std::vector<int>& v = m_changed[pieceKey(text.data() + i, m_g, m_bits)];
            if (v.empty() || v.back() != id)
                v.push_back(id);
        }
    }

    template<class Check>
    int first(const std::u16string& needle, int from, const Check& check) const
    {
        // The piece with the fewest entries at or after `from`.
        const int* bestBegin = nullptr;
        const int* bestEnd = nullptr;
        const std::vector<int>* bestChanged = nullptr;
        size_t bestCount = size_t(-1);
        for (size_t i = 0; i + size_t(m_g) <= needle.size(); ++i) {
            const quint32 b = pieceKey(needle.data() + i, m_g, m_bits);
            const int* end = m_ids.data() + m_start[b + 1];
            const int* begin = std::lower_bound(m_ids.data() + m_start[b], end, from);
            const auto c = m_changed.find(b);
            const std::vector<int>* changed = c == m_changed.end() ? nullptr : &c->second;
            const size_t count = size_t(end - begin) + (changed ? changed->size() : 0);
            if (count < bestCount) {
                bestCount = count;
                bestBegin = begin;
                bestEnd = end;
                bestChanged = changed;
                if (count == 0)
                    return -1; // a piece that no text at or after `from` holds
            }
        }
        int found = -1;
        for (const int* p = bestBegin; p != bestEnd; ++p)
            if (check(*p)) {
                found = *p;
                break;
            }
        if (bestChanged)
            for (int id : *bestChanged)
                if (id >= from && (found < 0 || id < found) && check(id))
                    found = id;
        return found;
    }

private:
    // About one bucket per 16 pieces, between 2^8 and 2^16 (pieces of one
    // unit: exact): the tables stay small enough for the processor's cache,
    // which matters more while building than the few more candidates a
    // shared bucket gives a query.
    static int bucketBits(int g, const std::vector<std::u16string>& texts)
    {
        if (g == 1)
            return 16;
        size_t units = 0;
        for (const std::u16string& t : texts)
            units += t.size();
        return std::clamp(int(std::bit_width(units)) - 4, 8, 16);
    }

    int m_g;
    int m_bits;
    std::vector<quint32> m_start;
    std::vector<int> m_ids;
    std::unordered_map<quint32, std::vector<int>> m_changed;
};

TextIndex::TextIndex(QStringList& texts, Qt::CaseSensitivity cs) : m_texts(texts), m_cs(cs) {}

TextIndex::~TextIndex() = default;

std::u16string TextIndex::folded(const QString& s) const
{
    const char16_t* in = reinterpret_cast<const char16_t*>(s.utf16());
    std::u16string out(in, in + s.size());
    if (m_cs == Qt::CaseInsensitive)
        for (char16_t& u : out)
            u = foldUnit(u);
    return out;
}

int TextIndex::first(const QString& needle, int from)
{
    from = std::max(from, 0);
    const int n = int(m_texts.size());
    if (from >= n)
        return -1;
    if (needle.isEmpty())
        return from;
    const std::u16string key = folded(needle);
    const int g = int(std::min<size_t>(3, key.size()));
    std::unique_ptr<Pieces>& pieces = m_pieces[g - 1];
    if (!pieces) {
        rememberOriginal();
        pieces = std::make_unique<Pieces>(g, m_original);
    }
    for (size_t& known = m_changedKnown[g - 1]; known < m_changed.size(); ++known)
        pieces->addChanged(m_changed[known].first, m_changed[known].second);
    return pieces->first(key, from, [&](int id) { return m_texts.at(id).contains(needle, m_cs); });
}

void TextIndex::setText(int i, const QString& text)
{
    if (i < 0 || i >= m_texts.size())
        return;
    rememberOriginal();
    m_texts[i] = text;
    m_changed.emplace_back(i, folded(text));
}

void TextIndex::rememberOriginal()
{
    // Taken once, before the first change, so that every piece length's
    // index starts from the same texts and learns the same changes.
    if (!m_original.empty() || m_texts.isEmpty())
        return;
    m_original.reserve(size_t(m_texts.size()));
    for (const QString& t : std::as_const(m_texts))
        m_original.push_back(folded(t));
}
