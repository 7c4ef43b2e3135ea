#pragma once
// KnownEmulators: the built-in table of emulators the launcher recognises by
// the name of their executable, with the profile values it offers for each.
//
// Rows are fixed and matched in table order; the first match wins. The
// Windows rows (1 to 25) match when one of their names occurs anywhere in the
// lower-cased path (a folder name counts, and "pce.exe" also matches
// "goodpce.exe"); a "\" in a name matches either separator. The rows after
// them are the emulators Debian ships as packages: they match the program's
// file name only, so a folder called "stella" never selects the Stella row.
//
// Each row's values are [Settings] keys with the text to put in the options
// window's field of that key, in the order they are to be set (after the
// fields are put back to their neutral state). Check-box fields take "1".
// Pure data and pure functions; any thread.
#include <QString>

#include <span>
#include <string_view>

struct KnownEmulatorValue {
    std::string_view key;   // a [Settings] key, e.g. "Dir_Parameter"
    std::string_view value; // the field's text; "1" switches a check box on
};

struct KnownEmulator {
    enum class Match {
        Substring, // a name anywhere in the lower-cased path
        FileName,  // a name equal to the path's file name (ignoring case)
    };

    int row;                                   // 1-based position in the table
    std::span<const std::string_view> names;   // match names, lower case
    std::string_view displayName;              // put in front of the question, trailing blank kept
    std::span<const KnownEmulatorValue> values;
    Match match = Match::Substring;
    std::string_view titlePrefix = {};         // put in front of the question's title
    bool warnGuiMame = false;                  // warn about "mame32.exe" before asking
};

// Every row, in matching order.
std::span<const KnownEmulator> KnownEmulatorTable();

// The first row matching `path` (the executable as typed or picked), or
// nullptr. An empty path matches nothing.
const KnownEmulator* FindKnownEmulator(const QString& path);

// True when `row` matches `path` by the row's own rule.
bool MatchesKnownEmulator(const KnownEmulator& row, const QString& path);

// A table text as a QString.
inline QString KnownEmulatorText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
