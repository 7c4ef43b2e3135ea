#pragma once
// Display names of game files and how alike two file names are.
//  - CutShortName: the name shown for a game, cut after its release tags
//    ("Turrican II (1991)(Rainbow Arts)(Disk 1 of 2).adf" ->
//    "Turrican II (1991)(Rainbow Arts)"); also the picture look-up stem.
//  - getCharDiff: an edit distance capped at a limit, with remembered
//    sub-results, cheap for the small limits the disk selection uses.
//  - The name label: wrapping to a width and shortening to the window, with
//    the text width measured by the window (its font) through `measure`.
// Pure functions; any thread.
#include <QString>

#include <functional>

QString CutShortName(const QString& FullPath, const QString& TrennZ, bool ErstAbDemZweitenAbschneiden);

qint16 getCharDiff(const QString& String1, const QString& String2, qint16 Limit);

// Measures the width of a (possibly multi-line, CR-separated) label text in pixels.
using TextMeasure = std::function<int(const QString&)>;

// Breaks `text` with CRs (at most 11 rounds) until it measures at most `width`:
// at the first blank after the middle (from the start when a CR already
// follows the middle), else the first "_", else "-", else the middle.
QString WrapLabelText(const QString& text, int width, const TextMeasure& measure);
// The name label's text: wrapped to `frameWidth` when wider than the frame
// beside it; otherwise, while labelLeft + width + 350 exceeds `windowWidth`,
// its first character is dropped, until fewer than 20 characters remain.
QString FitNameLabelText(const QString& text, int labelLeft, int frameWidth, int windowWidth,
                         const TextMeasure& measure);
// The name label after a click in the path list: file name, " (", index, ")".
QString FullListNameLabel(const QString& fullPath, int index);
