#pragma once
// TextIndex: answers "the first text at or after index `from` that contains
// `needle`" over a list of texts without reading every text from `from` on.
//
// The texts are indexed by their short pieces (one, two or three UTF-16
// units; the piece length used is the needle's length up to three, and each
// length's index is built when a needle first needs it). A query reads only
// the entries that hold the needle's rarest piece at or after `from`, and
// confirms each with the real comparison (QString::contains with the given
// case sensitivity), so its answer is exactly that of a plain scan. Ignoring
// case, pieces are folded unit by unit as the comparison folds them; every
// surrogate counts as one piece unit, which keeps the candidates a superset
// of the true matches.
//
// Texts may change (setText): the changed text is indexed under its new
// pieces as well, and its old pieces lead to it only as candidates that the
// comparison then turns down. Plain logic; one thread at a time.
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <string>
#include <vector>

class TextIndex {
public:
    // Keeps a reference to `texts`: they must outlive the index and change
    // only through setText.
    TextIndex(QStringList& texts, Qt::CaseSensitivity cs);
    ~TextIndex();
    TextIndex(const TextIndex&) = delete;
    TextIndex& operator=(const TextIndex&) = delete;

    // The first index >= from whose text contains `needle`, -1 when none. An
    // empty needle is found at `from` (while from is an index of the list).
    int first(const QString& needle, int from = 0);
    // Replaces text `i` and indexes its new pieces.
    void setText(int i, const QString& text);

    class Pieces; // one piece length's index

private:
    std::u16string folded(const QString& s) const;
    void rememberOriginal();

    QStringList& m_texts;
    Qt::CaseSensitivity m_cs;
    std::vector<std::u16string> m_original; // folded texts as they were; made on first need
    std::array<std::unique_ptr<Pieces>, 3> m_pieces;
    // Texts replaced so far, in order; an index built later learns them first.
    std::vector<std::pair<int, std::u16string>> m_changed;
    std::array<size_t, 3> m_changedKnown{0, 0, 0};
};

// A const view of a list that will not change while the index is used.
class ConstTextIndex {
public:
    ConstTextIndex(const QStringList& texts, Qt::CaseSensitivity cs) : m_copy(texts), m_index(m_copy, cs) {}
    int first(const QString& needle, int from = 0) { return m_index.first(needle, from); }

private:
    QStringList m_copy; // shares the data of the caller's list
    TextIndex m_index;
};
