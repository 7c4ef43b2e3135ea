#pragma once
// PreviewWarmer: reads the folders of the preview look-ups on a thread of
// its own while the window loads the game list, so that the first selection
// finds every folder's index made. Reading a flat folder of 30,000 games
// takes longer than the whole rest of the first look-up; done here, it runs
// beside the list-cache load instead of after it.
//
// One worker thread, started at the first warm(). A new warm() replaces a
// request the worker has not begun; a folder the worker is reading when the
// window looks it up is waited for, not read twice (see FolderIndex). The
// destructor lets the worker finish the folder it is reading and joins it.
#include "library/PreviewPictures.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class PreviewWarmer {
public:
    PreviewWarmer() = default;
    ~PreviewWarmer();
    PreviewWarmer(const PreviewWarmer&) = delete;
    PreviewWarmer& operator=(const PreviewWarmer&) = delete;

    // Reads `folders` ahead (ReadPreviewFoldersAhead) on the worker thread.
    void warm(const PreviewFolders& folders);
    // Waits until the worker has nothing left to do.
    void waitIdle();

private:
    void run();

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::optional<PreviewFolders> m_pending;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;
};
