#pragma once
// What a click in the complete list, the simple list or the favourites list
// does to the selection and to the five floppy drive boxes DF0..DF4.
// The functions return plain data; the main window applies it:
//   - CompleteListClick (`UAE_Short` click): always show the preview for
//     `previewIndex`; when `drivesChanged`, select `previewIndex` in `UAE_FULL`
//     too, clear the five drive boxes and fill them from `drives`, and make
//     `selection` the complete list's selection; when `noEmptyDrive`, beep and
//     show NoEmptyDriveText() in the status caption; show `AddToFavorit`.
//   - SimpleListClick (`WIthoutDoubles` click, also a chosen favourite):
//     select `completeIndex` in the complete list and in `UAE_FULL` (that
//     click shows the preview), hide `DeLFav` and show `AddToFavorit`
//     (favourites: the reverse), put `drives` into the drive boxes, and add
//     `selection` to the complete list's selection.
// The related disks of a multi-disk game are found with getCharDiff over the
// file names of nearby entries (SmartRomSelection). Pure functions; any thread.
#include "library/GamePaths.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

constexpr int kDriveCount = 5;

struct DriveSlot {
    bool ticked = false;
    QString toolTip;  // the file name
    QString filePath; // the full path
    bool operator==(const DriveSlot&) const = default;
};
using DriveSlots = std::array<DriveSlot, kDriveCount>;

// "Keine Laufw. mehr frei" / "No empty drive".
QString NoEmptyDriveText();

// Up to five indexes k in [from, to] (clipped to the list), in list order,
// whose file name differs from the file name at `reference` by less than
// `limit` (getCharDiff).
QList<int> ChooseRelatedDisks(const GamePaths& fullPaths, int reference, int from, int to,
                              qint16 limit);
// The drive boxes filled with the given entries in order (at most five).
DriveSlots DrivesFor(const GamePaths& fullPaths, const QList<int>& indexes);

struct CompleteListClick {
    int previewIndex = -1;
    bool drivesChanged = false;
    DriveSlots drives;
    QList<int> selection;
    bool noEmptyDrive = false;
};
// `smartRomSelection` is the `SmartRomSelection` setting ("1" = on);
// `selectedIndexes` the complete list's selected entries (multiple selection).
CompleteListClick CompleteListClicked(const GamePaths& fullPaths, int clicked,
                                      bool completeListHasFocus, const QString& smartRomSelection,
                                      const QList<int>& selectedIndexes);

struct SimpleListClick {
    int completeIndex = -1; // -1: nothing found, nothing to do
    DriveSlots drives;
    QList<int> selection;
};
// A click on complete-list entry `completeIndex` coming from the simple list
// or the favourites: DF0 gets the entry; with SmartRomSelection not "0", the
// identical file names among the next 14 entries follow it.
SimpleListClick SelectFromOtherList(const GamePaths& fullPaths, int completeIndex,
                                    const QString& smartRomSelection);
