// The favourites file: any file given as "Favoriten.ini" loads without harm,
// and what was loaded survives a save and a load: the same games (paths) in
// the same order, the listed ones first, then those kept beyond two gaps;
// the names as stored ("_" as a blank); and a second save and load changes
// nothing more.
#include "FuzzSupport.h"

#include "config/AppEnvironment.h"
#include "library/Favorites.h"

using fuzz::visible;

namespace {

QStringList pathsOf(const QList<FavoriteRecord>& records)
{
    QStringList paths;
    for (const FavoriteRecord& r : records)
        paths << r.FullPath;
    return paths;
}

QList<FavoriteRecord> load(const QString& file)
{
    Favorites f;
    f.setFile(file);
    f.LoadFavorites();
    return f.records();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    AppEnvironment::setOverrides(fuzz::scratchFolder(), QStringLiteral("arvex"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = fuzz::writeScratch("Favoriten.ini", data, size);
    Favorites first;
    first.setFile(input);
    first.LoadFavorites();
    const QList<FavoriteRecord> listed = first.records();
    // Saving into another file writes the listed entries and the kept ones.
    const QString saved = fuzz::scratchFolder() + QStringLiteral("Saved.ini");
    first.setFile(saved);
    FUZZ_CHECK(first.SaveFavorites(), "loaded favourites can be saved");
    const QList<FavoriteRecord> second = load(saved);

    const QStringList before = pathsOf(listed);
    const QStringList after = pathsOf(second);
    FUZZ_CHECK(after.mid(0, before.size()) == before, "saved and loaded favourites keep their games in order",
          {QStringLiteral("loaded ") + visible(before), QStringLiteral("again  ") + visible(after)});
    for (qsizetype i = 0; i < listed.size() && i < second.size(); ++i) {
        QString stored = listed[i].Name;
        stored.replace(u'_', u' ');
        stored = stored.trimmed();
        if (stored.isEmpty())
            stored = listed[i].Name.trimmed();
        FUZZ_CHECK(second[i].Name == stored, "a saved name loads as stored",
              {QStringLiteral("loaded ") + visible(listed[i].Name), QStringLiteral("again  ") + visible(second[i].Name)});
    }

    Favorites again;
    again.setFile(saved);
    again.LoadFavorites();
    FUZZ_CHECK(again.SaveFavorites(), "favourites loaded from a saved file can be saved");
    const QList<FavoriteRecord> third = load(saved);
    FUZZ_CHECK(pathsOf(third) == after, "a second save and load keeps the games",
          {visible(after), visible(pathsOf(third))});
    for (qsizetype i = 0; i < third.size(); ++i)
        FUZZ_CHECK(third[i].Name == second[i].Name, "a second save and load keeps the names",
              {visible(second[i].Name), visible(third[i].Name)});
    return 0;
}
