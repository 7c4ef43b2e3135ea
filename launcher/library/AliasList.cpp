#include "library/AliasList.h"

#include "config/TextFile.h"
#include "library/TextIndex.h"

#include <QElapsedTimer>

namespace AliasList {

QList<Row> parse(const QString& text)
{
    QList<Row> rows;
    for (const QString& line : TextFile::splitLines(text)) {
        const qsizetype sep = line.indexOf(u';');
        if (sep < 0)
            continue; // also skips empty lines
        rows.append({line.left(sep), line.mid(sep + 1)});
    }
    return rows;
}

void apply(QStringList& names, const QList<Row>& rows, const std::function<void(qsizetype)>& progress)
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastProgress = 0;
    if (progress)
        progress(0);

    TextIndex index(names, Qt::CaseInsensitive);
    qsizetype start = 0;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const Row& row = rows.at(k);
        // A negative start (after a miss) searches from the top.
        const int found = index.first(row.search, int(qMax<qsizetype>(start, 0)));
        if (found >= 0) {
            index.setText(found, row.name);
            start = found + 1;
        } else {
            start = -1; // the next row searches from the top again
        }
        if (progress && clock.elapsed() - lastProgress >= kProgressIntervalMs) {
            lastProgress = clock.elapsed();
            progress(k + 1);
        }
    }
}

} // namespace AliasList
