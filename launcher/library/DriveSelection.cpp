#include "library/DriveSelection.h"

#include "config/Ini.h"
#include "config/Language.h"
#include "launch/PathOps.h"
#include "library/DisplayNames.h"

#include <algorithm>

QString NoEmptyDriveText()
{
    return Msg(QStringLiteral("Keine Laufw. mehr frei"), QStringLiteral("No empty drive"));
}

QList<int> ChooseRelatedDisks(const GamePaths& fullPaths, int reference, int from, int to,
                              qint16 limit)
{
    QList<int> chosen;
    if (reference < 0 || reference >= fullPaths.size())
        return chosen;
    const QString name = FileNameOf(fullPaths.at(reference));
    const int last = std::min(to, int(fullPaths.size()) - 1);
    for (int k = std::max(0, from); k <= last && chosen.size() < kDriveCount; ++k)
        if (getCharDiff(FileNameOf(fullPaths.at(k)), name, limit) < limit)
            chosen.append(k);
    return chosen;
}

DriveSlots DrivesFor(const GamePaths& fullPaths, const QList<int>& indexes)
{
    DriveSlots drives;
    for (int n = 0; n < indexes.size() && n < kDriveCount; ++n) {
        const int k = indexes.at(n);
        if (k < 0 || k >= fullPaths.size())
            continue;
        drives[size_t(n)] = {true, FileNameOf(fullPaths.at(k)), fullPaths.at(k)};
    }
    return drives;
}

CompleteListClick CompleteListClicked(const GamePaths& fullPaths, int clicked,
                                      bool completeListHasFocus, const QString& smartRomSelection,
                                      const QList<int>& selectedIndexes)
{
    CompleteListClick r;
    if (clicked < 0 || clicked >= fullPaths.size())
        return r;
    r.previewIndex = clicked;
    if (!completeListHasFocus)
        return r;
    r.drivesChanged = true;
    if (smartRomSelection.trimmed() == u"1") {
        r.selection = {clicked};
        // DF0 first takes the clicked file; the related disks then fill DF0.. in
        // list order (the clicked file is always among them).
        r.drives = DrivesFor(fullPaths, {clicked});
        const QList<int> related = ChooseRelatedDisks(fullPaths, clicked, clicked - 4, clicked + 14, 5);
        const DriveSlots relatedDrives = DrivesFor(fullPaths, related);
        for (int n = 0; n < related.size(); ++n)
            r.drives[size_t(n)] = relatedDrives[size_t(n)];
        return r;
    }
    QList<int> selected;
    for (int k : selectedIndexes)
        if (k >= 0 && k < fullPaths.size())
            selected.append(k);
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    r.selection = selected;
    r.drives = DrivesFor(fullPaths, selected);
    r.noEmptyDrive = selected.size() > kDriveCount;
    return r;
}

SimpleListClick SelectFromOtherList(const GamePaths& fullPaths, int completeIndex,
                                    const QString& smartRomSelection)
{
    SimpleListClick r;
    if (completeIndex < 0 || completeIndex >= fullPaths.size())
        return r;
    r.completeIndex = completeIndex;
    r.selection = {completeIndex};
    r.drives = DrivesFor(fullPaths, {completeIndex});
    if (toInt16(smartRomSelection) != 0) {
        const QList<int> related =
            ChooseRelatedDisks(fullPaths, completeIndex, completeIndex, completeIndex + 14, 1);
        r.selection = related;
        r.drives = DrivesFor(fullPaths, related);
    }
    return r;
}
