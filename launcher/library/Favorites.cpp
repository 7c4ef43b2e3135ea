#include "library/Favorites.h"

#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "config/TextFile.h"
#include "config/WriteFailures.h"
#include "launch/PathOps.h"
#include "library/FileNames.h"
#include "library/GameList.h"
#include "library/IniSection.h"
#include "library/ListCache.h"
#include "library/PathLookup.h"
#include "services/Prompt.h"

#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Favoriten");

QString nameKey(int n) { return QStringLiteral("Fav%1_Name").arg(n); }
QString pathKey(int n) { return QStringLiteral("Fav%1_FullPath").arg(n); }

// The name as the file stores it: "_" becomes a blank. A name of nothing but
// "_" and blanks is stored as given instead, since as blanks it would read as
// a gap and the favourite, path and all, would be lost.
QString storedName(const QString& name)
{
    QString stored = name;
    stored.replace(u'_', u' ');
    stored = stored.trimmed();
    return stored.isEmpty() ? name.trimmed() : stored;
}

// A value as one profile line: no line breaks, and a value that itself
// starts and ends with a double quote, or with a blank (a file name may), gets
// one more pair (the reader trims, then removes one pair).
QString iniValue(const QString& text)
{
    QString v = ListCache::escapeLine(text);
    if ((v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"')) || (!v.isEmpty() && v.trimmed() != v))
        v = u'"' + v + u'"';
    return v;
}

} // namespace

QStringList Favorites::names() const
{
    QStringList out;
    out.reserve(m_records.size());
    for (const FavoriteRecord& r : m_records)
        out.append(r.Name);
    return out;
}

void Favorites::LoadFavorites()
{
    m_records.clear();
    m_unlisted.clear();
    m_unreadable = false;
    if (m_file.isEmpty())
        return;
    const IniSection s = IniSection::read(m_file, kSection);
    if (!s.readable) {
        m_unreadable = pathExists(m_file);
        return;
    }
    const QString programFolder = AppEnvironment::programFolder();
    int n = 0;
    for (; n <= kMaxIndex; ++n) {
        const QString name = ListCache::unescapeLine(s.value(nameKey(n)));
        if (name.isEmpty()) {
            if (s.value(nameKey(n + 1)).isEmpty())
                break;
            continue;
        }
        const QString stored = ListCache::unescapeLine(s.value(pathKey(n)));
        AddFavorite(name, ListCache::resolvedPath(programFolder, stored), -1);
    }
    // Entries after two gaps are not listed, but they are the user's: they are
    // kept, in index order, and written back after the listed ones on a save.
    QList<std::pair<int, FavoriteRecord>> beyond;
    for (auto it = s.values.cbegin(); it != s.values.cend(); ++it) {
        const QString& key = it.key();
        if (!key.startsWith(QLatin1String("fav")) || !key.endsWith(QLatin1String("_name")))
            continue;
        bool ok = false;
        const int index = key.mid(3, key.size() - 8).toInt(&ok);
        const QString name = ListCache::unescapeLine(it.value());
        const QString stored = ListCache::unescapeLine(s.value(pathKey(index)));
        if (!ok || index <= n || name.isEmpty() || stored.isEmpty())
            continue;
        beyond.append({index, {name, ListCache::resolvedPath(programFolder, stored), -1}});
    }
    std::sort(beyond.begin(), beyond.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : beyond) {
        // A named reference, not a structured binding: clang 14 does not let
        // a lambda capture a structured binding.
        const FavoriteRecord& record = entry.second;
        const bool known = std::any_of(m_records.cbegin(), m_records.cend(),
                                       [&](const FavoriteRecord& r) { return r.FullPath == record.FullPath; })
                           || std::any_of(m_unlisted.cbegin(), m_unlisted.cend(),
                                          [&](const FavoriteRecord& r) { return r.FullPath == record.FullPath; });
        if (!known)
            m_unlisted.append(record);
    }
}

bool Favorites::SaveFavorites()
{
    if (m_file.isEmpty() || m_unreadable)
        return false;
    const QString programFolder = AppEnvironment::programFolder();
    QStringList lines{u'[' + kSection + u']'};
    int w = 0;
    for (const FavoriteRecord& r : m_records + m_unlisted) {
        if (r.FullPath.isEmpty() || r.Name.isEmpty())
            continue;
        lines.append(nameKey(w) + u'=' + iniValue(storedName(r.Name)));
        lines.append(pathKey(w) + u'=' + iniValue(ListCache::storedPath(programFolder, r.FullPath)));
        ++w;
    }
    if (w == 0)
        lines << nameKey(0) + u'=' << pathKey(0) + u'=';
    return TextFile::writeLinesCrLf(m_file, lines);
}

bool Favorites::AddFavorite(const QString& Name, const QString& FullPath, int Index)
{
    if (Name.trimmed().isEmpty() || FullPath.isEmpty())
        return false;
    for (const FavoriteRecord& r : std::as_const(m_records))
        if (r.FullPath == FullPath)
            return false;
    m_records.append({Name, FullPath, Index});
    return true;
}

QString Favorites::AddToFavorit(const GameList& games, int index)
{
    if (index < 0 || index >= games.count())
        return {};
    const QString name = games.UAE_Short().at(index);
    const QString path = games.UAE_FULL().at(index);
    const QString caption = Msg(QStringLiteral("Neuer Favorit: "), QStringLiteral("Favorite add: ")) + name;
    if (!AddFavorite(name, path, index)) {
        // A game that already is a favourite gets the caption all the same
        // (there is nothing to write); an entry without a name adds nothing.
        const bool known = std::any_of(m_records.cbegin(), m_records.cend(),
                                       [&](const FavoriteRecord& r) { return r.FullPath == path; });
        return known ? caption : QString();
    }
    WriteFailures::Scope action;
    const bool saved = SaveFavorites();
    // Reloading shows what the file holds: without the new one when the save failed.
    LoadFavorites();
    if (!saved)
        return {};
    return caption;
}

bool Favorites::DeleteFavorite(int i)
{
    if (i < 0 || i >= m_records.size())
        return false;
    m_records.removeAt(i);
    WriteFailures::Scope action;
    const bool saved = SaveFavorites();
    LoadFavorites();
    return saved;
}

bool Favorites::DeleteFavoriteAsked(int i)
{
    if (i < 0 || i >= m_records.size())
        return false;
    const QString what = Msg(QStringLiteral("Aus Favoriten entfernen"), QStringLiteral("Remove from Favorite-List"));
    const PromptAnswer a = prompt().ask(what + u'?', what + QStringLiteral(":\n\n") + m_records.at(i).Name,
                                        PromptButtons::YesNo, PromptIcon::Question);
    return a == PromptAnswer::Yes && DeleteFavorite(i);
}

bool Favorites::EditAliasName(int i)
{
    if (i < 0 || i >= m_records.size())
        return false;
    QString value = m_records.at(i).Name;
    const bool accepted = prompt().input(
        Msg(QStringLiteral("Anzeigenamen anpassen"), QStringLiteral("Change alias")),
        Msg(QStringLiteral("Vergeben sie einen neuen Namen für: "), QStringLiteral("Please enter a new title for: "))
            + m_records.at(i).Name,
        value);
    // Line breaks cannot be part of a list entry.
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    if (!accepted || value.trimmed().isEmpty())
        return false;
    // "_" is stored as a blank: a name of only "_" and blanks would show as
    // nothing. Refused, and the favourite keeps its name.
    if (QString(value).replace(u'_', u' ').trimmed().isEmpty()) {
        prompt().message(Msg(QStringLiteral("Anzeigenamen anpassen"), QStringLiteral("Change alias")),
                         Msg(QStringLiteral("Der Name braucht mindestens ein Zeichen außer \"_\" und Leerzeichen."),
                             QStringLiteral("The name needs at least one character other than \"_\" and blanks.")),
                         PromptIcon::Information);
        return false;
    }
    m_records[i].Name = value.trimmed();
    WriteFailures::Scope action;
    const bool saved = SaveFavorites();
    LoadFavorites();
    return saved;
}

int Favorites::FindFavorite(const QString& text) const
{
    if (text.isEmpty())
        return -1;
    for (qsizetype i = 0; i < m_records.size(); ++i)
        if (m_records.at(i).FullPath.contains(text, Qt::CaseSensitive))
            return int(i);
    return -1;
}

int Favorites::locate(const GameList& games, const QString& fullPath)
{
    if (fullPath.isEmpty())
        return -1;
    int f = int(games.UAE_FULL().indexOf(fullPath));
    if (f < 0)
        f = games.FindInFullList(fullPath);
    const QString fileName = FileNameOf(fullPath);
    if (f < 0)
        f = games.FindFileName(fileName);
    if (f < 0)
        f = games.FindInFullList(fileName);
    return f;
}

int Favorites::FavoritenListe_Click(int i, const GameList& games)
{
    if (i < 0 || i >= m_records.size())
        return -1;
    const QString path = m_records.at(i).FullPath;
    const int f = locate(games, path);
    if (f >= 0)
        return f;
    const QString text = Msg(QStringLiteral("Datei wurde nicht gefunden!\nSollen die Favoriten repariert werden?\n\n"),
                             QStringLiteral("Rom/Image - File not found!\nDo you want to try to repair the favorites?\n\n"))
        + FileNameOf(path);
    const QString title = Msg(QStringLiteral("Nicht gefunden - Reparieren"), QStringLiteral("Favorite not found - Repair?"));
    if (prompt().ask(title, text, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes)
        RepairFavoriten(games);
    return -1;
}

QString Favorites::RepairFavoriten(const GameList& games)
{
    QString report;
    QList<FavoriteRecord> kept;
    // Indexes of the paths, built once: the same answers as the plain
    // look-ups, without reading every path for every favourite.
    PathLookup lookup(games.UAE_FULL().toList());
    for (const FavoriteRecord& record : std::as_const(m_records)) {
        FavoriteRecord r = record;
        if (r.FullPath.isEmpty()) {
            report += Msg(QStringLiteral("Fehler!?:"), QStringLiteral("Error!?:")) + r.Name + u'\n';
            continue;
        }
        int f = lookup.locate(r.FullPath);
        if (f < 0)
            f = lookup.containing(r.Name);
        if (f < 0) {
            if (games.count() == 0) {
                // No game list to check against (game folder unavailable): keep it.
                report += Msg(QStringLiteral("Nicht gefunden: "), QStringLiteral("Not found: ")) + r.Name + u'\n';
                kept.append(r);
            } else {
                report += Msg(QStringLiteral("Gelöscht: "), QStringLiteral("Deleted: ")) + r.Name + u'\n';
            }
            continue;
        }
        if (games.UAE_FULL().at(f) != r.FullPath) {
            r.FullPath = games.UAE_FULL().at(f);
            report += Msg(QStringLiteral("Repariert:"), QStringLiteral("Repaired:")) + r.Name + u'\n';
        }
        kept.append(r);
    }
    prompt().message(Msg(QStringLiteral("Reparatur - Ergebnis:"), QStringLiteral("Repair result:")),
                     report.isEmpty() ? Msg(QStringLiteral("Es wurden keine Fehler gefunden!"),
                                            QStringLiteral("No errors found!!"))
                                      : report,
                     PromptIcon::Information);
    m_records = kept;
    WriteFailures::Scope action;
    SaveFavorites();
    LoadFavorites();
    return report;
}
