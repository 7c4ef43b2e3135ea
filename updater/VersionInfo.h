#pragma once
// Version information: a text file on the server beside the file to
// download, with the same name and the extension ".txt" ("Update.exe" ->
// "Update.txt"). It is fetched into a private temporary folder as
// "info_tempdownloadfile.txt", read whole (it is a short text), its line ends
// made "\n", and the temporary copy deleted. Plain logic.
#include "download/Downloader.h"

#include <QString>

#include <functional>
#include <optional>

// The information address for a download address: the last path part's
// extension replaced by "txt" (added when it has none); a query or fragment
// is dropped.
QString VersionInfoUrl(const QString& downloadUrl);

// Fetches the text at `infoUrl`; nullopt when it did not arrive. `status`
// receives "Suche Versions - Info ..." / "info loaded .." in the interface language.
std::optional<QString> FetchVersionInfo(Downloader& downloader, const QString& infoUrl,
                                        const std::function<void(const QString&)>& status = {});

// The updater's own version text, and where its own information and new
// version live: $ARVEX_UPDATER_INFO_URL and $ARVEX_UPDATER_DOWNLOAD_URL when
// set, else the built-in https addresses.
QString UpdaterVersionText();
QString UpdaterOwnInfoUrl();
QString UpdaterOwnDownloadUrl();
