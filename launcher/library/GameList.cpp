#include "library/GameList.h"

#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "config/Language.h"
#include "config/TextFile.h"
#include "config/WriteFailures.h"
#include "launch/PathOps.h"
#include "library/AliasList.h"
#include "library/DisplayNames.h"
#include "library/FileNames.h"
#include "library/IniSection.h"
#include "library/ListCache.h"

#include <QElapsedTimer>

namespace {

constexpr qint64 kMaxAliasBytes = 16 << 20;
const QString kSettings = QStringLiteral("Settings");

// `Dir_Parameter`: a key that is present but empty means "no patterns";
// a missing key gets (and stores) the default "*.*".
QString readDirParameter(const QString& settingsFile)
{
    const IniSection s = IniSection::read(settingsFile, kSettings);
    if (s.has(QStringLiteral("Dir_Parameter")))
        return s.value(QStringLiteral("Dir_Parameter"));
    return ReadIniValue(kSettings, QStringLiteral("Dir_Parameter"), settingsFile, QStringLiteral("*.*"),
                        true);
}

} // namespace

GameList::GameList(LibraryHost& host) : m_host(host), m_scanner(host) {}

void GameList::setLists(const GamePaths& fullPaths, const QStringList& shortNames)
{
    m_full = fullPaths;
    m_short = shortNames;
    while (m_short.size() < m_full.size())
        m_short.append(QString());
    m_short.resize(m_full.size());
    BuildSimpleList();
}

void GameList::clear()
{
    m_full.clear();
    m_short.clear();
    m_simple.clear();
    m_simpleToComplete.clear();
}

QStringList GameList::splitPatterns(const QString& dirParameter)
{
    QStringList patterns;
    for (const QString& p : dirParameter.split(u','))
        patterns.append(p.trimmed());
    return patterns;
}

QString GameList::displayName(const QString& fullPath)
{
    return CutShortName(fullPath, QStringLiteral(")"), true);
}

int GameList::RebuildList(const RebuildInput& input)
{
    // Whatever this rebuild fails to write is reported once, at its end.
    WriteFailures::Scope action;
    m_host.setRebuildControlsEnabled(false);
    m_host.setListsVisible(false);
    clear();

    const QString profileFolder = AddTrailingSeparator(input.profileFolder);
    const QString dirParameter = readDirParameter(input.settingsFile);
    m_host.setStatusText(QStringLiteral("Scanning..."));
    m_scanner.Result_list().clear();

    QStringList found;
    int scans = 0;
    bool allComplete = true;
    for (const QString& pattern : splitPatterns(dirParameter)) {
        if (pattern.isEmpty())
            continue; // matches nothing; no need to walk the folder for it
        m_host.setTitleText(QStringLiteral("Suche: ") + pattern + u'\r' + input.gameFolder);
        QString folder = input.gameFolder;
        allComplete = m_scanner.ScanFiles(folder, pattern, pattern + QStringLiteral(" searching... "),
                                          FileScanRecursive::ProgressTarget::StatusLabel)
                          .has_value()
            && allComplete;
        ++scans;
        m_host.processEvents();
        m_host.setTitleText(QStringLiteral("Sorting Files: ") + pattern);
        for (const QString& entry : std::as_const(m_scanner.Result_list()))
            if (!entry.trimmed().isEmpty())
                found.append(entry);
    }
    // The result of one whole scan is sorted already, in the same order.
    if (scans > 1 || !allComplete)
        sortListBox(found);
    // Counts stay within 16 bits, as everywhere in the launcher.
    if (found.size() > FileScanRecursive::kScanLimit)
        found.resize(FileScanRecursive::kScanLimit);
    m_host.processEvents();

    m_host.setTitleText(Msg(QStringLiteral("Namen ermitteln.."), QStringLiteral("Cut Names..")));
    m_short.reserve(found.size());
    for (const QString& path : std::as_const(found))
        m_short.append(displayName(path));
    m_full = GamePaths(found);
    found.clear();

    const QString aliasFile = profileFolder + QStringLiteral("AliasList.txt");
    if (isRegularFile(aliasFile)) {
        m_host.setTitleText(QStringLiteral("Loading AliasList.txt .."));
        ApplyAliasList(aliasFile);
    }

    m_host.processEvents();
    m_host.setTitleText(QStringLiteral("Saving List.."));
    const bool cacheSaved = SaveListCache(input.cacheFile);
    BuildSimpleList();
    m_host.processEvents();

    m_host.setStatusText(QStringLiteral("Loading..."));
    // The view reloads from the cache; when it could not be replaced, that is
    // the previous list, and its count stays the stored one.
    m_host.reloadEmulatorView();
    m_host.processEvents();
    if (cacheSaved)
        WriteIniValue(kSettings, QStringLiteral("RomCount"), QString::number(m_full.size()), input.settingsFile,
                      true);
    m_host.setListsVisible(true);
    m_host.setRebuildControlsEnabled(true);
    return int(m_full.size());
}

bool GameList::SaveListCache(const QString& cacheFile) const
{
    if (cacheFile.isEmpty())
        return false;
    // Written from copies (shared, not copied): window events run during
    // the write and must not change what is being written.
    const GamePaths full = m_full;
    const QStringList names = m_short;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    return ListCache::write(cacheFile, full, names, AppEnvironment::programFolder(), [&] {
        if (sinceEvents.elapsed() >= m_saveEventIntervalMs) {
            m_host.processEvents();
            sinceEvents.restart();
        }
    });
}

GameList::CacheLoad GameList::LoadGameListFromCache(const QString& cacheFile)
{
    m_host.setListsVisible(false);
    const QString remembered = m_host.titleText();
    if (cacheFile.isEmpty() || !isRegularFile(cacheFile)) {
        m_host.setListsVisible(true);
        return CacheLoad::Missing;
    }
    clear();
    m_host.hideEmulatorList();
    m_host.setTitleText(QStringLiteral("Loading: "));
    m_host.setTitleText(QStringLiteral("Loading: ") + QString::number(m_full.size()));
    ListCache::ReadResult r =
        ListCache::read(cacheFile, AppEnvironment::programFolder(), ListCache::kMaxPairs, [this](int pairs) {
            m_host.setTitleText(QStringLiteral("Loading: ") + QString::number(pairs));
            m_host.processEvents();
            m_host.hideEmulatorList();
        });
    m_full = std::move(r.fullPaths);
    m_short = std::move(r.shortNames);
    m_host.setTitleText(remembered);
    BuildSimpleList();
    m_host.setListsVisible(true);
    if (!r.found)
        return CacheLoad::Missing;
    return r.corrupt ? CacheLoad::Corrupt : CacheLoad::Loaded;
}

void GameList::ApplyAliasList(const QString& aliasFile)
{
    QByteArray bytes;
    if (!readFileBytes(aliasFile, bytes, kMaxAliasBytes))
        return;
    const QList<AliasList::Row> table = AliasList::parse(TextFile::decode(bytes));
    m_host.setTitleText(QStringLiteral("Alias names: "));
    // Renamed on a copy: window events run during the progress and must not
    // see (or change) a half-renamed list.
    QStringList names = m_short;
    AliasList::apply(names, table, [this](qsizetype rows) {
        m_host.setTitleText(QStringLiteral("Alias Names: ") + QString::number(rows));
        m_host.processEvents();
    });
    m_short = std::move(names);
}

void GameList::BuildSimpleList()
{
    m_simple.clear();
    m_simpleToComplete.clear();
    m_simple.reserve(m_short.size());
    m_simpleToComplete.reserve(m_short.size());
    QString last;
    for (qsizetype i = 0; i < m_full.size() && i < m_short.size(); ++i) {
        const QString& name = m_short.at(i);
        if (name.isEmpty() || name == last)
            continue;
        m_simple.append(name);
        m_simpleToComplete.append(int(i));
        last = name;
    }
}

int GameList::FindInFullList(const QString& text) const
{
    if (text.isEmpty())
        return -1;
    const QString remembered = m_host.titleText();
    m_host.setTitleText(QStringLiteral(" Suche ..."));
    int found = -1;
    // A snapshot: window events run during the search and may replace the lists.
    const GamePaths full = m_full;
    QString path;
    for (qsizetype i = 0; i < full.size(); ++i) {
        full.fill(i, path);
        if (path.contains(text, Qt::CaseSensitive)) {
            found = int(i);
            break;
        }
        if (i % 500 == 499)
            m_host.processEvents();
    }
    m_host.setTitleText(remembered);
    return found;
}

int GameList::FindFileName(const QString& fileName) const
{
    if (fileName.isEmpty())
        return -1;
    // A path ending in a name without "/" ends in that name within its own
    // (the part after its last "/"), which is checked first.
    const bool plainName = !fileName.contains(u'/');
    for (qsizetype i = 0; i < m_full.size(); ++i)
        if ((!plainName || m_full.nameOf(i).endsWith(fileName)) && m_full.at(i).endsWith(fileName)
            && FileNameOf(m_full.at(i)) == fileName)
            return int(i);
    return -1;
}

int GameList::completeIndexOfSimple(int simpleIndex) const
{
    if (simpleIndex < 0 || simpleIndex >= m_simpleToComplete.size())
        return -1;
    return m_simpleToComplete.at(simpleIndex);
}

ListCaptions UpdateListCaptions(int completeCount, int simpleCount, int favouritesCount)
{
    auto caption = [](const QString& de, const QString& en, int n) {
        return Msg(de, en) + QString::number(n) + QStringLiteral(") ");
    };
    return {caption(QStringLiteral(" Komplett ("), QStringLiteral(" Complete List ("), completeCount),
            caption(QStringLiteral(" Einfach ("), QStringLiteral(" Simple ("), simpleCount),
            caption(QStringLiteral(" Favoriten ("), QStringLiteral(" Favorites ("), favouritesCount)};
}

QString CompleteTabLabel() { return QStringLiteral("Komplette Liste"); }
QString SimpleTabLabel() { return QStringLiteral("Ohne Dubletten"); }
QString FavouritesTabLabel() { return QStringLiteral("Favoriten"); }
QString SearchTabLabel() { return QStringLiteral("Suchergebnisse"); }
