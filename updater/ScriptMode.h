#pragma once
// Script mode ([BATCHFILE] file): each line of the script that is not empty
// and does not start with "#" is one updater command line of the usual
// grammar, run in order, each without waiting for the start button. A line
// that is no complete update, or whose update fails, stops the script and
// the user is told which line it was. Plain logic over UpdateJob.
#include "UpdateJob.h"

#include <functional>

class ScriptMode {
public:
    // `infoShown` receives each line's version information (unless the line
    // has [SKIPINFO]); `status` the "ScriptMode: " lines.
    ScriptMode(UpdateJob& job, UpdaterPrompt& prompt, Downloader& downloader,
               std::function<void(const QString&)> status,
               std::function<void(const QString&)> infoShown = {})
        : m_job(job), m_prompt(prompt), m_downloader(downloader), m_status(std::move(status)),
          m_infoShown(std::move(infoShown)) {}

    // True when every line was done.
    bool run(const QString& scriptFile, bool runAfter = false);

private:
    bool fail(int lineNumber, const QString& line);

    UpdateJob& m_job;
    UpdaterPrompt& m_prompt;
    Downloader& m_downloader;
    std::function<void(const QString&)> m_status;
    std::function<void(const QString&)> m_infoShown;
};
